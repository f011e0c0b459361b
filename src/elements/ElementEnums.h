// The enumerations the design elements store (item settings, type reference categories, access
// types, COM and library instancing, added-unit kinds, release options), with the identifier
// tables their property lists and editors use.
#pragma once

#include <cstdint>

#include "model/Published.h"

namespace quillon {

enum class TItemSetting : std::uint8_t { isSystemItem, isDSC, isSetDatabaseParams };
using enum TItemSetting;
using TItemSettings = TSet<TItemSetting>;

// Where a referenced type is declared.
enum class TDataTypeCategory : std::uint8_t { dtProcedural, dtEnum, dtRegistered, dtRegisteredProcedural };
using enum TDataTypeCategory;

enum class TAccessType : std::uint8_t { atRead, atWrite };
using enum TAccessType;
using TAccessTypes = TSet<TAccessType>;

enum class TClassInstancing : std::uint8_t { ciInternal, ciSingleInstance, ciMultiInstance };
using enum TClassInstancing;

enum class TThreadingModel : std::uint8_t { tmSingle, tmApartment, tmFree, tmBoth };
using enum TThreadingModel;

enum class TDllClassInstancing : std::uint8_t { dllciSingleInstance, dllciMultiInstance };
using enum TDllClassInstancing;

enum class TAddUnitType : std::uint8_t { autUnit, autForm };
using enum TAddUnitType;

enum class TReleaseOption : std::uint8_t { roProject, roModule };
using enum TReleaseOption;

// Identifier tables in ordinal order.
extern const EnumTypeInfo ItemSettingNames;
extern const EnumTypeInfo DataTypeCategoryNames;
extern const EnumTypeInfo AccessTypeNames;
extern const EnumTypeInfo ClassInstancingNames;
extern const EnumTypeInfo ThreadingModelNames;
extern const EnumTypeInfo DllClassInstancingNames;
extern const EnumTypeInfo AddUnitTypeNames;
extern const EnumTypeInfo ReleaseOptionNames;

}  // namespace quillon
