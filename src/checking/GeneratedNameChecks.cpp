#include "checking/GeneratedNameChecks.h"

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "checking/CheckMessages.h"
#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "generator/Module.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

void CheckSystemMethods(const TemgModule& module, bool classModule, TCheckCollection& results) {
    const TemgMethods& methods = module.MainClass().Methods();
    for (const std::unique_ptr<TemgMethod>& fixed : module.SystemMethods(classModule))
        for (int i = 0; i < methods.Count(); ++i) {
            const TemgMethod& method = *methods.Items(i);
            if (!SameText(method.GetName(), fixed->GetName())) continue;
            if (!method.IsSystemItem())
                results.Add(Format(kNameTaken, method.GetName(), "the system method " + fixed->GetName()), &method,
                            cicError);
            else if (!SameText(method.DeclarationText(), fixed->DeclarationText()))
                results.Add(Format(kCheckSystemMethodForm, method.GetName()), &method, cicError);
        }
}

namespace {

// Names shorter than this reach no limit: the longest derived identifier adds fewer characters.
constexpr std::size_t kLongName = 48;

// A name as the design holds it: the rule copies none of them, most are too short to matter.
struct Named {
    std::string_view name;
    const TPersistent* element;
};

// The names of the design that may reach a limit.
std::vector<Named> LongDesignNames(const TemgModule& module, const TPersistent* self) {
    std::vector<Named> names;
    const auto add = [&](std::string_view name, const TPersistent* element) {
        if (name.size() >= kLongName) names.push_back({name, element});
    };
    add(module.MainClassName(), self);
    add(module.GetDataModuleName(), self);
    const auto parameters = [&](const TemgParameters& list) {
        for (int i = 0; i < list.Count(); ++i) add(list.Items(i)->GetName(), list.Items(i));
    };
    const TemgClass& cls = module.MainClass();
    // The class scope has copied the members' names: when none is long, the properties and events,
    // most of a large class, are not read again.
    if (module.MainClassScope()->LongestName() >= kLongName)
        for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
            for (int i = 0; i < members->Count(); ++i) add(members->Items(i)->GetName(), members->Items(i));
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        add(cls.Methods().Items(i)->GetName(), cls.Methods().Items(i));
        parameters(cls.Methods().Items(i)->Parameters());
    }
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i)
        add(cls.ExternalClasses().Items(i)->GetPropertyName(), cls.ExternalClasses().Items(i));
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i) {
        add(module.ProceduralTypes().Items(i)->GetName(), module.ProceduralTypes().Items(i));
        parameters(module.ProceduralTypes().Items(i)->Parameters());
    }
    for (int i = 0; i < module.EnumTypes().Count(); ++i) {
        const TgmcEnumType& type = *module.EnumTypes().Items(i);
        add(type.GetName(), &type);
        for (int j = 0; j < type.Values().Count(); ++j) add(type.Values().Items(j)->GetName(), type.Values().Items(j));
    }
    for (int i = 0; i < module.DebugApplications().Count(); ++i)
        add(module.DebugApplications().Items(i)->GetName(), module.DebugApplications().Items(i));
    return names;
}

// Calls `identifier` for each identifier and `literal` for each quoted part of a string literal
// (its quotes doubled inside) of a Pascal text, comments skipped.
template <class OnIdentifier, class OnLiteral>
void ScanPascal(std::string_view text, const OnIdentifier& identifier, const OnLiteral& literal) {
    const auto isWord = [&](std::size_t at) {
        return at < text.size() && (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_');
    };
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '{') {
            const std::size_t end = text.find('}', at);
            at = end == std::string_view::npos ? text.size() : end + 1;
        } else if (text.substr(at, 2) == "(*") {
            const std::size_t end = text.find("*)", at + 2);
            at = end == std::string_view::npos ? text.size() : end + 2;
        } else if (text.substr(at, 2) == "//") {
            const std::size_t end = text.find_first_of("\r\n", at);
            at = end == std::string_view::npos ? text.size() : end;
        } else if (c == '\'') {
            const std::size_t start = ++at;
            while (at < text.size() && (text[at] != '\'' || (at + 1 < text.size() && text[at + 1] == '\'')))
                at += text[at] == '\'' ? 2 : 1;
            literal(text.substr(start, at - start));
            ++at;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            const std::size_t start = at;
            while (isWord(at)) ++at;
            identifier(text.substr(start, at - start));
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (isWord(at)) ++at;
        } else {
            ++at;
        }
    }
}

// The characters a literal's quoted part stands for: its doubled quotes count once, and a
// character beyond ASCII once.
int LiteralLength(std::string_view part) {
    int length = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '\'') ++i;
        if ((static_cast<unsigned char>(part[i]) & 0xC0) != 0x80) ++length;
    }
    return length;
}

bool ContainsText(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (SameText(text.substr(i, part.size()), part)) return true;
    return false;
}

}  // namespace

void CheckLongNames(const TemgModule& module, const IModuleResolver& modules, bool firstModule,
                    TCheckCollection& results, const TPersistent* moduleObject) {
    const std::vector<Named> names = LongDesignNames(module, moduleObject ? moduleObject : &module);
    if (names.empty()) return;
    std::vector<std::string> texts;
    const std::string srcPath = modules.GetSrcPath();
    // A text the generator cannot build (a type it names is missing, which the check reports
    // elsewhere) is left out.
    const auto add = [&](const auto& owner, const std::vector<TGeneratedFile>& files) {
        for (const TGeneratedFile& file : files) {
            if (file.content == TGeneratedFile::Content::Form || file.content == TGeneratedFile::Content::ProjectOptions)
                continue;
            try {
                texts.push_back(owner.UnitText(file.kind, modules));
            } catch (const Exception&) {
            }
        }
    };
    add(module, module.GeneratedFiles(srcPath, firstModule));
    for (int i = 0; i < module.DebugApplications().Count(); ++i)
        add(*module.DebugApplications().Items(i), module.DebugApplications().Items(i)->GeneratedFiles(srcPath));

    struct Longest {
        std::string text;
        int length = 0;
        int limit = 0;
    };
    std::map<std::size_t, Longest> found;  // by the index of the name in `names`
    const auto offend = [&](std::string_view text, int length, int limit) {
        std::size_t owner = names.size();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (ContainsText(text, names[i].name) && (owner == names.size() || names[i].name.size() > names[owner].name.size()))
                owner = i;
        if (owner == names.size()) return;
        Longest& longest = found[owner];
        if (length - limit > longest.length - longest.limit) longest = {std::string(text), length, limit};
    };
    for (const std::string& text : texts)
        ScanPascal(
            text,
            [&](std::string_view identifier) {
                if (identifier.size() > kIdentifierLimit)
                    offend(identifier, static_cast<int>(identifier.size()), kIdentifierLimit);
            },
            [&](std::string_view part) {
                if (part.size() > kStringLimit && LiteralLength(part) > kStringLimit)
                    offend("'" + std::string(part) + "'", LiteralLength(part), kStringLimit);
            });
    for (const auto& [index, longest] : found)
        results.Add(Format(kCheckNameTooLong, names[index].name, longest.text, longest.length, longest.limit),
                    names[index].element, cicError);
}

}  // namespace quillon
