#include "source/SourceUnit.h"

#include "source/TextUtils.h"

namespace quillon {

// TgmcModulePart

void TgmcModulePart::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.Collection("Classes", Mutable(&TgmcModulePart::Classes));
    p.Collection("EnumTypes", Mutable(&TgmcModulePart::EnumTypes));
    p.Collection("Methods", Mutable(&TgmcModulePart::Methods));
    p.Collection("ProceduralTypes", Mutable(&TgmcModulePart::ProceduralTypes));
    p.Collection("Vars", Mutable(&TgmcModulePart::Vars));
    p.Collection("UsesModules", Mutable(&TgmcModulePart::UsesModules));
    p.Collection("Consts", Mutable(&TgmcModulePart::Consts));
    p.Collection("Sets", Mutable(&TgmcModulePart::Sets));
    p.Collection("ResourceStrings", Mutable(&TgmcModulePart::ResourceStrings));
}

TgmcModulePart::TgmcModulePart()
    : FClasses(std::make_unique<TgmcClasses>(this)),
      FEnumTypes(std::make_unique<TgmcEnumTypes>(this)),
      FMethods(std::make_unique<TgmcMethods>(this)),
      FProceduralTypes(std::make_unique<TgmcProceduralTypes>(this)),
      FVars(std::make_unique<TgmcVars>(this)),
      FUsesModules(std::make_unique<TgmcUsesModules>(this)),
      FConsts(std::make_unique<TgmcConsts>(this)),
      FSets(std::make_unique<TgmcSets>(this)),
      FResourceStrings(std::make_unique<TgmcResourceStrings>(this)) {}

TgmcModulePart::~TgmcModulePart() = default;

void TgmcModulePart::SetIsImplementation(bool value) {
    FIsImplementation = value;
    FMethods->SetForward(value);
}

std::string TgmcModulePart::SrcCode() const {
    std::string result;
    AppendSeparated(result, FUsesModules->SrcCode(3, ","), kCrLf);
    AppendSeparated(result, FResourceStrings->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FEnumTypes->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FSets->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FProceduralTypes->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FConsts->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FClasses->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FVars->SrcCode(3, kCrLf), kCrLf);
    AppendSeparated(result, FMethods->SrcCode(0, kCrLf), kCrLf);
    return result;
}

// TgmcModule

void TgmcModule::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.Object("ImplementationPart", Mutable(&TgmcModule::ImplementationPart));
    p.Object("InterfacePart", Mutable(&TgmcModule::InterfacePart));
    p.String("FinalizationPart", &TgmcModule::GetFinalizationPart, &TgmcModule::SetFinalizationPart);
    p.String("InitializationPart", &TgmcModule::GetInitializationPart, &TgmcModule::SetInitializationPart);
    p.Object("Appellation", Mutable(&TgmcModule::Appellation));
    p.String("IncludeResources", &TgmcModule::GetIncludeResources, &TgmcModule::SetIncludeResources);
    p.String("ConditionalDefines", &TgmcModule::GetConditionalDefines, &TgmcModule::SetConditionalDefines);
}

TgmcModule::TgmcModule() : FAppellation(std::make_unique<TgmcAppellation>()) {
    // The interface part is created first.
    FInterfacePart = std::make_unique<TgmcModulePart>();
    FImplementationPart = std::make_unique<TgmcModulePart>();
    FImplementationPart->SetIsImplementation(true);
}

TgmcModule::~TgmcModule() = default;

std::string TgmcModule::SrcCode(std::string_view header) const {
    std::string result(header);
    AppendSeparated(result, FConditionalDefines, kCrLf);
    AppendSeparated(result, "unit " + FAppellation->GetName() + ";", kCrLf);
    AppendSeparated(result, FAppellation->CaptionComment(), kCrLf);
    AppendSeparated(result, "interface", kCrLf);
    AppendSeparated(result, FInterfacePart->SrcCode(), kCrLf);
    AppendSeparated(result, "implementation", kCrLf);
    AppendSeparated(result, FIncludeResources, kCrLf);
    AppendSeparated(result, FImplementationPart->SrcCode(), kCrLf);
    AppendSeparated(result, FInterfacePart->Methods().ImplementationSrcCode(3), kCrLf);
    AppendSeparated(result, FImplementationPart->Methods().ImplementationSrcCode(3), kCrLf);
    AppendSeparated(result, FInterfacePart->Classes().ImplementationSrcCode(3), kCrLf);
    AppendSeparated(result, FImplementationPart->Classes().ImplementationSrcCode(3), kCrLf);
    if (!FInitializationPart.empty() || !FFinalizationPart.empty()) {
        AppendSeparated(result, "initialization", kCrLf);
        AppendSeparated(result, FInitializationPart, kCrLf);
    }
    if (!FFinalizationPart.empty()) {
        AppendSeparated(result, "finalization", kCrLf);
        AppendSeparated(result, FFinalizationPart, kCrLf);
    }
    AppendSeparated(result, "end.", "\r\n\r\n");
    return result;
}

}  // namespace quillon
