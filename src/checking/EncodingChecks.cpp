#include "checking/EncodingChecks.h"

#include "generator/GeneratorMessages.h"
#include "generator/Module.h"
#include "model/Collection.h"
#include "platform/Format.h"

namespace quillon {

namespace {

// A text names itself in the message by its first line, and at most this many bytes of it,
// cut before a character.
constexpr std::size_t kNamedTextLength = 64;

std::string NamedText(std::string_view text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    if (text.size() <= kNamedTextLength) return std::string(text);
    std::size_t cut = kNamedTextLength;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "...";
}

// Every string of `object`, its sub-objects and string lists on `target`; a collection's items
// on themselves.
void CheckStrings(const TPersistent& object, const TFileEncoding& encoding, TCheckCollection& results,
                  const TPersistent* target) {
    for (const PropertyInfo& p : object.Published().Properties()) {
        switch (p.kind) {
            case PropKind::String: CheckTextEncoding(p.getString(object), encoding, results, target); break;
            case PropKind::StringList:
                if (const auto* list = dynamic_cast<const TStringList*>(&p.ObjectOf(object)))
                    for (const std::string& line : list->Items()) CheckTextEncoding(line, encoding, results, target);
                break;
            case PropKind::Object: CheckStrings(p.ObjectOf(object), encoding, results, target); break;
            case PropKind::Collection:
                if (const auto* collection = dynamic_cast<const TCollection*>(&p.ObjectOf(object)))
                    for (int i = 0; i < collection->Count(); ++i)
                        CheckStrings(*collection->Item(i), encoding, results, collection->Item(i));
                break;
            case PropKind::Integer:
            case PropKind::Boolean:
            case PropKind::Enumeration:
            case PropKind::Set:
            case PropKind::Float: break;
        }
    }
}

}  // namespace

void CheckTextEncoding(std::string_view text, const TFileEncoding& encoding, TCheckCollection& results,
                       const TPersistent* object) {
    if (!EncodingHolds(encoding, text))
        results.Add(Format(kCannotWriteInCodePage, NamedText(text), encoding.codePage), object);
}

void CheckModuleEncoding(const TemgModule& module, const TFileEncoding& encoding, TCheckCollection& results,
                         const TPersistent* moduleObject) {
    if (encoding.encoding == geUtf8Bom) return;
    CheckStrings(module, encoding, results, moduleObject ? moduleObject : &module);
}

}  // namespace quillon
