// The member enumerations shared by the source model and the design elements (visibility,
// method and parameter categories, method options and inheritance directives, class kind),
// their identifier tables for the property lists, and the words the source text uses for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Published.h"

namespace quillon {

enum class TMemberVisibility : std::uint8_t { mvNone, mvPrivate, mvProtected, mvPublic, mvPublished };
using enum TMemberVisibility;

enum class TMethodCategory : std::uint8_t { mcProcedure, mcFunction, mcConstructor, mcDestructor };
using enum TMethodCategory;

enum class TParameterCategory : std::uint8_t { pcNone, pcVar, pcConst };
using enum TParameterCategory;

enum class TMethodOption : std::uint8_t { moOfObject, moStdCall, moSafeCall, moExport };
using enum TMethodOption;
using TMethodOptions = TSet<TMethodOption>;

// The element type of TMethodInheritance.
enum class TMethodInheritanceItem : std::uint8_t { miVirtual, miOverride, miOverload, miReintroduce, miAbstract };
using enum TMethodInheritanceItem;
using TMethodInheritance = TSet<TMethodInheritanceItem>;

enum class TClassGenOption : std::uint8_t { cgoClass, cgoInterface };
using enum TClassGenOption;

// Identifier tables (ordinal order) for streaming and the editors.
extern const EnumTypeInfo MemberVisibilityNames;
extern const EnumTypeInfo MethodCategoryNames;
extern const EnumTypeInfo ParameterCategoryNames;
extern const EnumTypeInfo MethodOptionNames;
extern const EnumTypeInfo MethodInheritanceNames;
extern const EnumTypeInfo ClassGenOptionNames;

// The words written in source text.
std::string_view VisibilityWord(TMemberVisibility visibility);   // "" for mvNone, else "PRIVATE"...
std::string_view MethodCategoryWord(TMethodCategory category);   // "procedure", "function", ...
std::string_view ParameterCategoryWord(TParameterCategory category);  // "", "var ", "const "
std::string_view MethodOptionWord(TMethodOption option);         // "of object", "stdcall", ...
std::string_view InheritanceWord(TMethodInheritanceItem item);   // "virtual", ..., "abstract"

// The option words in the order of TMethodOption joined by ";", with one leading blank when
// there is any (" of object;stdcall"); empty for no options.
std::string MethodOptionsText(TMethodOptions options);

}  // namespace quillon
