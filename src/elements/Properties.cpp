#include "elements/Properties.h"

#include <algorithm>
#include <iterator>

#include "elements/DataTypeReferences.h"
#include "elements/RoutineBodies.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// The setter's one parameter: const Value of the property's type.
void AddValueParameter(TgmcParameters& target, const TemgDataType& type) {
    TgmcParameter* value = target.Add();
    value->SetName("Value");
    value->SetCategory(pcConst);
    CopyToSource(type, value->DataType());
}

TgmcMethod* AddRoutine(TgmcMethods& target, const std::string& name, TMethodCategory category) {
    TgmcMethod* routine = target.Add();
    routine->SetName(name);
    routine->SetCategory(category);
    return routine;
}

}  // namespace

void TemgProperty::PublishProperties(PropertyList& p) {
    TemgClassItem::PublishProperties(p);
    p.String("DefaultValue", &TemgProperty::GetDefaultValue, &TemgProperty::SetDefaultValue);
    p.Set<TAccessType>("AccessTypes", &TemgProperty::GetAccessTypes, &TemgProperty::SetAccessTypes, AccessTypeNames,
                       TAccessTypes{atRead, atWrite});
    p.String("DebugValue", &TemgProperty::GetDebugValue, &TemgProperty::SetDebugValue);
    p.Boolean("Event", &TemgProperty::GetEvent, &TemgProperty::SetEvent, std::nullopt);
}

bool TemgProperty::GetEvent() const {
    const TDataTypeCategory category = DataType().GetCategory();
    return category == dtProcedural || category == dtRegisteredProcedural;
}

bool TemgProperty::HasOrdinalType() const {
    if (DataType().GetCategory() == dtEnum) return true;
    if (DataType().GetCategory() != dtRegistered) return false;
    static constexpr std::string_view kOrdinalTypes[] = {
        "Integer",  "Cardinal", "ShortInt", "SmallInt", "LongInt", "Byte",     "Word",    "LongWord",
        "Boolean",  "ByteBool", "WordBool", "LongBool", "Char",    "AnsiChar", "WideChar"};
    return std::any_of(std::begin(kOrdinalTypes), std::end(kOrdinalTypes),
                       [&](std::string_view type) { return SameText(type, DataType().GetName()); });
}

std::string TemgProperty::DeclarationText() const {
    std::string text = "property " + GetName() + ":" + DataType().GetName() + ";";
    if (!FDefaultValue.empty()) text += "default " + FDefaultValue + ";";
    return text;
}

void TemgProperty::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    FindOrRenameReference(DataType(), oldName, newName, found);
}

void TemgProperty::AddClassMembers(TgmcClass& target, TgmcMethod* constructorMethod, const TGenerationTarget& unit,
                                   const IElementContext& context) const {
    const bool server = unit.kind == TFileKind::GeneratorServerUnit;
    const bool controller = unit.kind == TFileKind::ControllerUnit;
    const bool interface = unit.kind == TFileKind::InterfaceUnit;
    if (!server && !controller && !interface) return;
    if (!GetExported() && !server) return;
    const TServerOption option = context.GetServerOption();
    const std::string& name = GetName();

    TgmcProperty* property = target.Properties().Add();
    property->SetAppellation(Appellation());
    // As for methods: the exported routines and the direct controller reach an exported property
    // of the server's class from other units, so there it is at least public. And a class declares
    // a property after the field and accessors it names, which are protected (the developer's class
    // overrides them); the class is written section by section, so a private property would come
    // first and name what is not yet declared: it is protected. The design keeps its visibility.
    const bool hidden = GetVisibility() == mvPrivate || GetVisibility() == mvProtected;
    if (server && GetExported() && hidden)
        property->SetVisibility(mvPublic);
    else if (GetVisibility() == mvPrivate)
        property->SetVisibility(mvProtected);
    else
        property->SetVisibility(GetVisibility());
    CopyToSource(DataType(), property->DataType());

    if (server || (controller && GetEvent())) {
        TgmcField* field = target.Fields().Add();
        field->SetName("F" + name);
        // In the generator's class the field is protected: the developer's class, in its own unit,
        // sets the value of a read-only property, which has no setter to override.
        field->SetVisibility(server ? mvProtected : mvPrivate);
        CopyToSource(DataType(), field->DataType());
        property->SetReadMethodName("F" + name);
    }
    TgmcMethod* setter = nullptr;
    if (IsWritable()) {
        setter = AddRoutine(target.Methods(), "Set" + name, mcProcedure);
        setter->SetVisibility(mvPrivate);
        AddValueParameter(setter->Parameters(), DataType());
        property->SetWriteMethodName("Set" + name);
    }
    const auto addGetter = [&] {
        TgmcMethod* getter = AddRoutine(target.Methods(), Format("Get%s", name), mcFunction);
        getter->SetVisibility(mvPrivate);
        CopyToSource(DataType(), getter->DataType());
        property->SetReadMethodName("Get" + name);
        return getter;
    };

    if (server) {
        if (setter) {
            setter->MethodImplementation().SetCode("F" + name + " := Value;");
            setter->SetInheritance({miVirtual});
            setter->SetVisibility(mvProtected);
        }
        if (IsComOption(option)) {
            if (setter) setter->SetOptions(setter->GetOptions() + TMethodOptions{moSafeCall});
            // The COM interface declares a getter for every property and event, readable or not,
            // and the server class implements the interface.
            TgmcMethod* getter = addGetter();
            getter->SetOptions(getter->GetOptions() + TMethodOptions{moSafeCall});
            getter->MethodImplementation().SetCode("Result:=F" + name + ";");
            getter->SetVisibility(mvProtected);
        }
        // Delphi and Free Pascal refuse the directive on a property of another kind (a string);
        // the constructor sets the field to the value all the same.
        if (HasOrdinalType()) property->SetDefaultValue(FDefaultValue);
        if (!FDefaultValue.empty() && constructorMethod) {
            constructorMethod->MethodImplementation().AppendCodeLine("F" + name + " := " + FDefaultValue + ";");
        }
    } else if (controller) {
        TgmcMethod* getter = HasExportedGetter() ? addGetter() : nullptr;
        if (setter) {
            // An event's setter keeps the new value in the field that the event property reads.
            const std::string store = GetEvent() ? "F" + name + ":=Value;" + std::string(kCrLf) : std::string();
            const std::string forward = option == moServerInDll ? AddLibraryCall(*setter)
                                                                : unit.instanceExpr + "." + name + ":=Value;";
            setter->MethodImplementation().SetCode(store + forward);
        }
        if (getter)
            getter->MethodImplementation().SetCode(option == moServerInDll
                                                       ? AddLibraryCall(*getter)
                                                       : "Result:=" + unit.instanceExpr + "." + name + ";");
        for (TgmcMethod* accessor : {setter, getter})
            if (accessor) {
                accessor->SetVisibility(mvProtected);
                accessor->SetInheritance({miVirtual});
            }
    } else {
        TgmcMethod* getter = addGetter();
        property->SetVisibility(mvNone);
        getter->SetVisibility(mvNone);
        getter->SetOptions({moSafeCall});
        if (setter) {
            setter->SetVisibility(mvNone);
            setter->SetOptions({moSafeCall});
        }
    }
}

void TemgProperty::AddExportFunctions(TgmcMethods& target, const TGenerationTarget& unit) const {
    if (!GetExported()) return;
    const std::string& name = GetName();
    if (HasExportedGetter()) {
        TgmcMethod* getter = AddRoutine(target, "Get" + name, mcFunction);
        getter->SetOptions(unit.options);
        CopyToSource(DataType(), getter->DataType());
        AddInstanceParameters(getter->Parameters());
        getter->MethodImplementation().SetCode(ExportWrapperCode(mcFunction, unit.className, name, "", false));
    }
    if (IsWritable()) {
        TgmcMethod* setter = AddRoutine(target, "Set" + name, mcProcedure);
        setter->SetOptions(unit.options);
        AddInstanceParameters(setter->Parameters());
        AddValueParameter(setter->Parameters(), DataType());
        setter->MethodImplementation().SetCode(
            ExportWrapperCode(mcProcedure, unit.className, "Set" + name, "(Value)", true));
    }
}

void TemgProperty::AddExportEntries(TgmcExportMethods& target) const {
    if (!GetExported()) return;
    if (HasExportedGetter()) target.Add()->SetName("Get" + GetName());
    if (IsWritable()) target.Add()->SetName("Set" + GetName());
}

void TemgProperty::AddFunctionPointerFields(TgmcFields& target) const {
    if (!GetExported()) return;
    const auto addField = [&](const std::string& routine) {
        TgmcField* field = target.Add();
        field->SetName("F" + routine + "Method");
        field->DataType().SetName("T" + routine + "Method");
    };
    if (HasExportedGetter()) addField("Get" + GetName());
    if (IsWritable()) addField("Set" + GetName());
}

void TemgProperty::AddFunctionPointerTypes(TgmcProceduralTypes& target) const {
    if (!GetExported()) return;
    if (HasExportedGetter()) {
        TgmcProceduralType* getter = target.Add();
        getter->SetName(Format("TGet%sMethod", GetName()));
        getter->SetMethodCategory(mcFunction);
        CopyToSource(DataType(), getter->ResultType());
        getter->SetOptions({moStdCall});
        AddInstanceParameters(getter->Parameters());
    }
    if (IsWritable()) {
        TgmcProceduralType* setter = target.Add();
        setter->SetName(Format("TSet%sMethod", GetName()));
        setter->SetMethodCategory(mcProcedure);
        setter->SetOptions({moStdCall});
        AddInstanceParameters(setter->Parameters());
        AddValueParameter(setter->Parameters(), DataType());
    }
}

void TemgProperty::AddDeveloperOverrides(TgmcMethods& target) const {
    if (!IsWritable() || HasSetting(isDSC)) return;
    TgmcMethod* setter = AddRoutine(target, "Set" + GetName(), mcProcedure);
    setter->SetVisibility(mvProtected);
    setter->SetInheritance({miOverride});
    AddValueParameter(setter->Parameters(), DataType());
    setter->MethodImplementation().SetCode("inherited;" + std::string(kCrLf));
}

std::string TemgProperty::DebugAssignment(std::string_view objectExpr) const {
    // The database support sets its dataset factories' routine variables itself; they are not the
    // developer's to assign in the debug form.
    if (HasSetting(isDSC)) return {};
    const std::string target = std::string(objectExpr) + "." + GetName();
    // A property without a setter cannot be assigned, nor one the controller does not offer (a
    // protected one): they get the commented line too.
    if (WritesDebugValue()) return target + ":=" + FDebugValue + ";";
    return "//" + target + ":= ;";
}

void TemgProperty::AssignTo(TPersistent& dest) const {
    TemgClassItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgProperty*>(&dest)) {
        target->SetDefaultValue(FDefaultValue);
        target->SetAccessTypes(FAccessTypes);
        target->SetDebugValue(FDebugValue);
    }
}

// TemgProperties

void TemgProperties::ForEachReference(const TReferenceVisit& visit) const {
    for (int i = 0; i < Count(); ++i) Items(i)->ForEachReference(visit);
}

void TemgProperties::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    for (int i = 0; i < Count(); ++i) Items(i)->FindOrRename(oldName, newName, found);
}

void TemgProperties::AddClassMembers(TgmcClass& target, TgmcMethod* constructorMethod, const TGenerationTarget& unit,
                                     const IElementContext& context) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddClassMembers(target, constructorMethod, unit, context);
}

void TemgProperties::AddExportFunctions(TgmcMethods& target, const TGenerationTarget& unit) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddExportFunctions(target, unit);
}

void TemgProperties::AddExportEntries(TgmcExportMethods& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddExportEntries(target);
}

void TemgProperties::AddFunctionPointerFields(TgmcFields& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddFunctionPointerFields(target);
}

void TemgProperties::AddFunctionPointerTypes(TgmcProceduralTypes& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddFunctionPointerTypes(target);
}

void TemgProperties::AddDeveloperOverrides(TgmcMethods& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddDeveloperOverrides(target);
}

std::string TemgProperties::DebugAssignment(std::string_view objectExpr) const {
    std::string lines;
    for (int i = 0; i < Count(); ++i) AppendSeparated(lines, Items(i)->DebugAssignment(objectExpr), kCrLf);
    return lines;
}

}  // namespace quillon
