#include "elements/ElementEnums.h"

namespace quillon {

const EnumTypeInfo ItemSettingNames{"TItemSetting", {"isSystemItem", "isDSC", "isSetDatabaseParams"}};
const EnumTypeInfo DataTypeCategoryNames{"TDataTypeCategory",
                                         {"dtProcedural", "dtEnum", "dtRegistered", "dtRegisteredProcedural"}};
const EnumTypeInfo AccessTypeNames{"TAccessType", {"atRead", "atWrite"}};
const EnumTypeInfo ClassInstancingNames{"TClassInstancing", {"ciInternal", "ciSingleInstance", "ciMultiInstance"}};
const EnumTypeInfo ThreadingModelNames{"TThreadingModel", {"tmSingle", "tmApartment", "tmFree", "tmBoth"}};
const EnumTypeInfo DllClassInstancingNames{"TDllClassInstancing", {"dllciSingleInstance", "dllciMultiInstance"}};
const EnumTypeInfo AddUnitTypeNames{"TAddUnitType", {"autUnit", "autForm"}};
const EnumTypeInfo ReleaseOptionNames{"TReleaseOption", {"roProject", "roModule"}};

}  // namespace quillon
