// The roots of every streamed object: TPersistent (assignable, publishes properties), TComponent
// (named), and TStringList (a list of strings with attached objects).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class PropertyList;

class TPersistent {
public:
    static constexpr std::string_view kClassName = "TPersistent";
    static void PublishProperties(PropertyList&) {}

    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    // The published properties of the object's class, base class first; also gives the class name.
    virtual const PropertyList& Published() const;
    std::string_view ClassName() const;

    // Copies the values of `source` into this object. The base asks `source` to assign itself to
    // this object and raises "Cannot assign a %s to a %s" when neither side knows how.
    virtual void Assign(const TPersistent& source);

    // The line where the object's text starts in the model file it was read from (its "object"
    // or "item" line); 0 for an object that was not read. Copies do not take it over.
    int SourceLine() const { return sourceLine_; }
    void SetSourceLine(int line) { sourceLine_ = line; }

protected:
    virtual void AssignTo(TPersistent& dest) const;

private:
    int sourceLine_ = 0;
};

// A named component. `Name` is written on an object's header line; `Tag` is published.
class TComponent : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TComponent";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override;

    // The component's own name (written on the object's header line). Named apart from the
    // GetName of models, which answers the model's display name.
    const std::string& ComponentName() const { return FName; }
    void SetComponentName(std::string_view value) { FName = value; }
    std::int64_t GetTag() const { return FTag; }
    void SetTag(std::int64_t value) { FTag = value; }

private:
    std::string FName;
    std::int64_t FTag = 0;  // 64 bits on Windows too, where long has 32
};

// An ordered list of strings, each with an optional attached object (not owned).
class TStringList : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TStringList";
    const PropertyList& Published() const override;
    void Assign(const TPersistent& source) override;

    int Count() const { return static_cast<int>(FStrings.size()); }
    const std::string& Strings(int index) const { return FStrings.at(static_cast<std::size_t>(index)); }
    TPersistent* Objects(int index) const { return FObjects.at(static_cast<std::size_t>(index)); }
    int Add(std::string_view text, TPersistent* object = nullptr);
    void Clear();
    void Delete(int index);
    // Index of the first string equal to `text` without regard to ASCII case, or -1.
    int IndexOf(std::string_view text) const;
    const std::vector<std::string>& Items() const { return FStrings; }
    void SetItems(std::vector<std::string> strings);

    // The strings separated by commas; a string with a blank, a control character, a comma or a
    // double quote is enclosed in double quotes with inner double quotes doubled.
    std::string CommaText() const;
    // Replaces the strings by those of a comma text. Unquoted blanks separate like commas; a
    // comma at the very end adds an empty string.
    void SetCommaText(std::string_view text);

    bool operator==(const TStringList& other) const { return FStrings == other.FStrings; }

private:
    std::vector<std::string> FStrings;
    std::vector<TPersistent*> FObjects;
};

}  // namespace quillon
