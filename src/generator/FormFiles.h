// Form files (".dfm") in the object-text notation: a tree of components, each with its property
// lines and child components, written as "object Name: Class" ... "end" blocks. The data module
// and the debug forms are built as such a tree and written once.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class TFormObject {
public:
    // `inherited` writes the block as "inherited Name: Class" (a component of an ancestor form).
    TFormObject(std::string_view name, std::string_view className, bool inherited = false);

    const std::string& Name() const { return FName; }

    // Property lines, in the order they are added.
    TFormObject& String(std::string_view property, std::string_view value);
    TFormObject& Integer(std::string_view property, long long value);
    TFormObject& Boolean(std::string_view property, bool value);
    // An identifier, set or other value written as it is (alClient, [fsBold], FormClose).
    TFormObject& Value(std::string_view property, std::string_view value);
    // A string list property: "Name.Strings = (" with one quoted line per entry and ")".
    TFormObject& Strings(std::string_view property, const std::vector<std::string>& lines);

    // Appends a child component and returns it.
    TFormObject& Add(std::string_view name, std::string_view className, bool inherited = false);
    // This object or the first descendant named `name` (without regard to case), or nullptr.
    TFormObject* Find(std::string_view name);

    // The block at nesting level `level`, every line ended by CR LF.
    void AppendText(std::string& out, int level) const;
    std::string Text() const;

private:
    enum class LineKind { String, Raw, Strings };
    struct Line {
        std::string property;
        LineKind kind;
        std::string value;
        std::vector<std::string> lines;
    };

    std::string FName;
    std::string FClassName;
    bool FInherited;
    std::vector<Line> FLines;
    std::vector<std::unique_ptr<TFormObject>> FChildren;
};

// An event binding as the form builders collect it: component name, "=", event, " = ", handler
// ("btnSumCall=OnClick = SumClick").
std::string EventBinding(std::string_view component, std::string_view event, std::string_view handler);
// Inserts each binding as a property line ("OnClick = SumClick") into the block of the
// component it names; a binding whose component is not in the tree is left out.
void InsertEventBindings(TFormObject& root, const std::vector<std::string>& bindings);

}  // namespace quillon
