#include "generator/BuilderSupport.h"

#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "source/TextUtils.h"

namespace quillon {

TServerOption TModuleElementContext::GetServerOption() const { return FModule.GetServerOption(); }
TDatabaseSupport TModuleElementContext::GetDatabaseSupport() const { return FModule.GetDatabaseSupport(); }
bool TModuleElementContext::GetConnectToHostDB() const { return FModule.GetConnectToHostDB(); }
std::string TModuleElementContext::DataModuleVariable() const { return FModule.DataModuleVariable(); }

const TemgRegisteredDataType* TModuleElementContext::RegisteredTypeNamed(std::string_view name) const {
    return FModule.RegisteredTypeNamed(name);
}

const TemgProceduralType* TModuleElementContext::ProceduralTypeNamed(std::string_view name) const {
    return FModule.ProceduralTypeNamed(name);
}

const IElementContext* TModuleElementContext::GetFirstModule() const { return FResolver.GetFirstModule(); }

const IElementContext* TModuleElementContext::FindModule(std::string_view className) const {
    return FResolver.FindModule(className);
}

TgmcUsesModule* AddUses(TgmcUsesModules& target, std::string_view name, std::string_view fileName) {
    TgmcUsesModule* entry = target.Add();
    entry->SetName(name);
    entry->SetFileName(fileName);
    return entry;
}

TgmcField* AddField(TgmcFields& target, std::string_view name, std::string_view type, TMemberVisibility visibility) {
    TgmcField* field = target.Add();
    field->SetName(name);
    field->DataType().SetName(type);
    field->SetVisibility(visibility);
    return field;
}

TgmcParameter* AddParameter(TgmcParameters& target, std::string_view name, std::string_view type,
                            TParameterCategory category, std::string_view defaultValue) {
    TgmcParameter* parameter = target.Add();
    parameter->SetName(name);
    parameter->DataType().SetName(type);
    parameter->SetCategory(category);
    parameter->SetDefaultValue(defaultValue);
    return parameter;
}

TgmcMethod* AddRoutine(TgmcMethods& target, std::string_view name, TMethodCategory category,
                       TMemberVisibility visibility, TMethodInheritance inheritance, std::string_view code) {
    TgmcMethod* method = target.Add();
    method->SetName(name);
    method->SetCategory(category);
    method->SetVisibility(visibility);
    method->SetInheritance(inheritance);
    method->MethodImplementation().SetCode(code);
    return method;
}

TgmcVar* AddLocalVar(TgmcMethod& method, std::string_view name, std::string_view type) {
    TgmcVar* var = method.MethodImplementation().LocalVars().Add();
    var->SetName(name);
    var->DataType().SetName(type);
    return var;
}

void AppendCodeLine(TgmcMethod& method, std::string_view text) {
    method.MethodImplementation().AppendCodeLine(text);
}

}  // namespace quillon
