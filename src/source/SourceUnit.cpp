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
    return TextOf([&](std::string& text) { AppendSrcCode(text); });
}

void TgmcModulePart::AppendSrcCode(std::string& dest) const {
    const std::size_t from = dest.size();
    const auto section = [&](const TgmcCollection& collection, int indent, std::string_view separator) {
        AppendSeparatedWith(dest, from, kCrLf, 0, false,
                            [&](std::string& text) { collection.AppendSrcCode(text, indent, separator); });
    };
    section(*FUsesModules, 3, ",");
    section(*FResourceStrings, 3, kCrLf);
    section(*FEnumTypes, 3, kCrLf);
    section(*FSets, 3, kCrLf);
    section(*FProceduralTypes, 3, kCrLf);
    section(*FConsts, 3, kCrLf);
    section(*FClasses, 3, kCrLf);
    section(*FVars, 3, kCrLf);
    section(*FMethods, 0, kCrLf);
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
    // The whole unit is written into this one string; each part appends in place.
    std::string result(header);
    const auto line = [&](std::string_view text) { AppendSeparatedFrom(result, 0, text, kCrLf); };
    const auto part = [&](auto&& write) { AppendSeparatedWith(result, 0, kCrLf, 0, false, write); };
    line(FConditionalDefines);
    AppendSeparator(result, 0, kCrLf);
    result.append("unit ").append(FAppellation->GetName()).push_back(';');
    part([&](std::string& text) { FAppellation->AppendCaptionComment(text); });
    line("interface");
    part([&](std::string& text) { FInterfacePart->AppendSrcCode(text); });
    line("implementation");
    line(FIncludeResources);
    part([&](std::string& text) { FImplementationPart->AppendSrcCode(text); });
    part([&](std::string& text) { FInterfacePart->Methods().AppendImplementation(text, 3); });
    part([&](std::string& text) { FImplementationPart->Methods().AppendImplementation(text, 3); });
    part([&](std::string& text) { FInterfacePart->Classes().AppendImplementation(text, 3); });
    part([&](std::string& text) { FImplementationPart->Classes().AppendImplementation(text, 3); });
    if (!FInitializationPart.empty() || !FFinalizationPart.empty()) {
        line("initialization");
        line(FInitializationPart);
    }
    if (!FFinalizationPart.empty()) {
        line("finalization");
        line(FFinalizationPart);
    }
    AppendSeparatedFrom(result, 0, "end.", "\r\n\r\n");
    return result;
}

}  // namespace quillon
