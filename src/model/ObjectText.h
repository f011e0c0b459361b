// The object-text notation of model files: the writer and the reader of objects with their
// published properties, sub-objects, string lists and collections. Both are driven only by the
// published-property tables.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "model/Persistent.h"

namespace quillon {

// Lines are ended by CR LF; every nesting level indents by two blanks; string values are cut
// into pieces of at most this many characters per line.
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr int kIndentWidth = 2;
inline constexpr std::size_t kStringCutWidth = 64;

// --- Writer ---------------------------------------------------------------------------------

// The whole object at level 0: "object [Name: ]ClassName", its property lines, "end".
std::string ObjectToText(const TPersistent& object);
// Appends the whole object at nesting level `level`.
void AppendObjectText(std::string& out, const TPersistent& object, int level);
// Only the property lines of the object, at nesting level `level`.
std::string PropertiesToText(const TPersistent& object, int level = 0);
void AppendPropertiesText(std::string& out, const TPersistent& object, int level);

// Spelling of single values, as written after "Path = " on a line at nesting level `level`.
void AppendStringValue(std::string& out, std::string_view value, int level);
// Shortest general form with at most 15 significant digits and "." as decimal separator.
std::string FloatToText(double value);

// True when both objects write the same stored properties (the equality of collection items).
bool SameStoredProperties(const TPersistent& a, const TPersistent& b);

// --- Reader ---------------------------------------------------------------------------------

// Reads consecutive objects of one text into existing instances. Each object is parsed and
// checked against the target's published properties completely before the target changes, so
// a failure (an Exception with "<message> on line <n>") leaves the target as it was.
class ObjectTextReader {
public:
    // `text` must outlive the reader.
    explicit ObjectTextReader(std::string_view text);
    ~ObjectTextReader();
    ObjectTextReader(const ObjectTextReader&) = delete;
    ObjectTextReader& operator=(const ObjectTextReader&) = delete;

    // Reads the next object into `target`. The class name on the header line is ignored; a
    // name there becomes a component's Name.
    void ReadObject(TPersistent& target);
    // True when only blanks remain.
    bool AtEnd() const;

private:
    class Parser;
    std::unique_ptr<Parser> parser_;
};

// Reads the first object of `text` into `object` (the rest of the text is not looked at).
void ObjectFromText(std::string_view text, TPersistent& object);
// Reads the first objects.size() objects of `text`, one into each target in order.
void ObjectsFromText(std::string_view text, std::span<TPersistent* const> objects);

}  // namespace quillon
