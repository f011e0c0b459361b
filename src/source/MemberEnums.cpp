#include "source/MemberEnums.h"

#include "source/TextUtils.h"

namespace quillon {

const EnumTypeInfo MemberVisibilityNames{"TMemberVisibility",
                                         {"mvNone", "mvPrivate", "mvProtected", "mvPublic", "mvPublished"}};
const EnumTypeInfo MethodCategoryNames{"TMethodCategory",
                                       {"mcProcedure", "mcFunction", "mcConstructor", "mcDestructor"}};
const EnumTypeInfo ParameterCategoryNames{"TParameterCategory", {"pcNone", "pcVar", "pcConst"}};
const EnumTypeInfo MethodOptionNames{"TMethodOption", {"moOfObject", "moStdCall", "moSafeCall", "moExport"}};
const EnumTypeInfo MethodInheritanceNames{"TMethodInheritanceItem",
                                          {"miVirtual", "miOverride", "miOverload", "miReintroduce", "miAbstract"}};
const EnumTypeInfo ClassGenOptionNames{"TClassGenOption", {"cgoClass", "cgoInterface"}};

std::string_view VisibilityWord(TMemberVisibility visibility) {
    switch (visibility) {
        case mvNone: return "";
        case mvPrivate: return "PRIVATE";
        case mvProtected: return "PROTECTED";
        case mvPublic: return "PUBLIC";
        case mvPublished: return "PUBLISHED";
    }
    return "";
}

std::string_view MethodCategoryWord(TMethodCategory category) {
    switch (category) {
        case mcProcedure: return "procedure";
        case mcFunction: return "function";
        case mcConstructor: return "constructor";
        case mcDestructor: return "destructor";
    }
    return "";
}

std::string_view ParameterCategoryWord(TParameterCategory category) {
    switch (category) {
        case pcNone: return "";
        case pcVar: return "var ";
        case pcConst: return "const ";
    }
    return "";
}

std::string_view MethodOptionWord(TMethodOption option) {
    switch (option) {
        case moOfObject: return "of object";
        case moStdCall: return "stdcall";
        case moSafeCall: return "safecall";
        case moExport: return "export";
    }
    return "";
}

std::string_view InheritanceWord(TMethodInheritanceItem item) {
    switch (item) {
        case miVirtual: return "virtual";
        case miOverride: return "override";
        case miOverload: return "overload";
        case miReintroduce: return "reintroduce";
        case miAbstract: return "abstract";
    }
    return "";
}

std::string MethodOptionsText(TMethodOptions options) {
    std::string words;
    for (TMethodOption option : {moOfObject, moStdCall, moSafeCall, moExport})
        if (options.Contains(option)) AppendSeparated(words, MethodOptionWord(option), ";");
    return words.empty() ? words : " " + words;
}

}  // namespace quillon
