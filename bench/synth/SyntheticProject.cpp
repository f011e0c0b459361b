#include "synth/SyntheticProject.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "synth/Draw.h"
#include "synth/Pools.h"

namespace quillon {

namespace {

constexpr std::array<std::string_view, 8> kStems{"Account", "Ledger",  "Invoice", "Customer",
                                                 "Payment", "Report", "Schedule", "Stock"};
constexpr std::array<std::string_view, 8> kWords{"Balance", "Limit", "Owner", "Rate", "Branch", "Period", "Total",
                                                 "Status"};
// Modules refer only to modules of their own group of this many.
constexpr int kGroupSize = 20;

std::string Number(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string Caption(Draw& draw, std::string_view what) {
    return std::string(what) + ": " + std::string(draw.Pick(kCaptionTexts));
}

struct EnumChoice {
    std::string name;
    std::vector<std::string> values;
};

// What the common types module offers the class modules.
struct CommonTypes {
    std::vector<EnumChoice> enums;
    std::vector<std::string> procedurals;
};

CommonTypes FillCommonTypes(TemgModule& common, const SyntheticShape& shape, Draw& draw) {
    CommonTypes types;
    const int enumCount = std::max(2, shape.members / 6);
    for (int e = 0; e < enumCount; ++e) {
        EnumChoice choice{"TSynthKind" + Number(e, 3), {}};
        const int valueCount = 3 + draw.Below(4);
        for (int v = 0; v < valueCount; ++v)
            choice.values.push_back("sk" + Number(e, 3) + std::string(draw.Pick(kWords)) + std::to_string(v));
        common.CreateEnumType(choice.name, Caption(draw, "Enumeration"), choice.values);
        types.enums.push_back(std::move(choice));
    }
    const int proceduralCount = std::max(2, shape.members / 10);
    for (int p = 0; p < proceduralCount; ++p) {
        TemgProceduralType& type = *common.ProceduralTypes().Add();
        type.SetName("TSynthEvent" + Number(p, 3));
        type.SetCaption(Caption(draw, "Event type"));
        TemgParameter& value = *type.Parameters().Add();
        value.SetName("Value");
        value.SetCategory(pcConst);
        value.DataType().SetName(draw.Pick(kRegistered).type);
        TemgParameter& kind = *type.Parameters().Add();
        kind.SetName("Kind");
        kind.DataType().SetCategory(dtEnum);
        kind.DataType().SetName(types.enums[static_cast<std::size_t>(p) % types.enums.size()].name);
        TemgParameter& accept = *type.Parameters().Add();
        accept.SetName("Accept");
        accept.SetCategory(pcVar);
        accept.DataType().SetName("Boolean");
        if (draw.Chance(30)) {
            type.SetMethodCategory(mcFunction);
            type.DataType().SetName("Integer");
        }
        types.procedurals.push_back(type.GetName());
    }
    if (shape.extra == SyntheticShape::Extra::kTypeUnits)
        for (int r = 0; r < std::max(2, shape.members / 10); ++r)
            common.CreateRegisteredType("TSynthRecord" + Number(r, 3), Caption(draw, "Record"), "SynthUnit" + Number(r, 3),
                                        false);
    return types;
}

// `procedural`: typed by one of the first module's procedural types.
void AddProperty(TemgClass& cls, const std::string& name, const CommonTypes& types, Draw& draw,
                 bool procedural = false) {
    TemgProperty& property = *cls.Properties().Add();
    property.SetName(name);
    if (draw.Chance(70)) property.SetCaption(Caption(draw, "Property"));
    if (procedural) {
        property.DataType().SetCategory(dtProcedural);
        property.DataType().SetName(types.procedurals[static_cast<std::size_t>(draw.Below(static_cast<int>(types.procedurals.size())))]);
        return;
    }
    switch (draw.Below(4)) {
        case 0: {
            const EnumChoice& choice = types.enums[static_cast<std::size_t>(draw.Below(static_cast<int>(types.enums.size())))];
            property.DataType().SetCategory(dtEnum);
            property.DataType().SetName(choice.name);
            property.SetDefaultValue(choice.values.back());
            property.SetDebugValue(choice.values.front());
            break;
        }
        case 1:
            // The module's own registered type.
            property.DataType().SetName("TStrings");
            property.SetAccessTypes({atRead});
            break;
        default: {
            const RegisteredChoice& choice = draw.Pick(kRegistered);
            property.DataType().SetName(choice.type);
            if (draw.Chance(60)) property.SetDefaultValue(choice.defaultValue);
            if (draw.Chance(50)) property.SetDebugValue(choice.defaultValue);
            const int access = draw.Below(3);
            property.SetAccessTypes(access == 0 ? TAccessTypes{atRead} : access == 1 ? TAccessTypes{atWrite}
                                                                                    : TAccessTypes{atRead, atWrite});
            break;
        }
    }
    if (draw.Chance(10)) property.SetExported(false);
}

void AddEvent(TemgClass& cls, const std::string& name, const CommonTypes& types, Draw& draw) {
    TemgProperty& event = *cls.Events().Add();
    event.SetName(name);
    if (draw.Chance(50)) event.SetCaption(Caption(draw, "Event"));
    if (draw.Chance(25)) {
        event.DataType().SetCategory(dtRegisteredProcedural);
        event.DataType().SetName("TNotifyEvent");
    } else {
        event.DataType().SetCategory(dtProcedural);
        event.DataType().SetName(types.procedurals[static_cast<std::size_t>(draw.Below(static_cast<int>(types.procedurals.size())))]);
    }
}

std::string MethodBody(const std::string& name, bool function, Draw& draw) {
    std::string code = "  // " + name + ": Prüfung der Eingaben, «Grenzwerte» und ''Sonderfälle''\r\n";
    code += "  if not Assigned(Self) then\r\n";
    code += "    raise Exception.Create('Objekt ''" + name + "'' fehlt – bitte prüfen');\r\n";
    const int extra = draw.Below(4);
    for (int i = 0; i < extra; ++i)
        code += "  Log('Schritt " + std::to_string(i + 1) + " von " + name + ": naïve café, 東京');\r\n";
    if (function) code += "  Result := Default(TResultType);\r\n";
    return code;
}

void AddMethod(TemgClass& cls, const std::string& name, const CommonTypes& types, Draw& draw) {
    TemgMethod& method = *cls.Methods().Add();
    method.SetName(name);
    if (draw.Chance(60)) method.SetCaption(Caption(draw, "Method"));
    const bool function = draw.Chance(50);
    if (function) {
        method.SetCategory(mcFunction);
        method.DataType().SetName(draw.Pick(kRegistered).type);
    }
    const int parameterCount = draw.Below(5);
    // The trailing parameters that are not var parameters may have defaults.
    const int firstDefault = parameterCount - draw.Below(3);
    for (int p = 0; p < parameterCount; ++p) {
        TemgParameter& parameter = *method.Parameters().Add();
        parameter.SetName(std::string("A").append(draw.Pick(kWords)).append(std::to_string(p)));
        const bool withDefault = p >= firstDefault;
        if (!withDefault && draw.Chance(30))
            parameter.SetCategory(pcVar);
        else if (draw.Chance(40))
            parameter.SetCategory(pcConst);
        if (draw.Chance(20)) {
            const EnumChoice& choice =
                types.enums[static_cast<std::size_t>(draw.Below(static_cast<int>(types.enums.size())))];
            parameter.DataType().SetCategory(dtEnum);
            parameter.DataType().SetName(choice.name);
            if (withDefault) parameter.SetDefaultValue(choice.values.front());
            parameter.SetDebugValue(choice.values.back());
        } else {
            const RegisteredChoice& choice = draw.Pick(kRegistered);
            parameter.DataType().SetName(choice.type);
            if (withDefault) parameter.SetDefaultValue(choice.defaultValue);
            if (draw.Chance(50)) parameter.SetDebugValue(choice.defaultValue);
        }
    }
    if (draw.Chance(50)) method.SetCode(MethodBody(name, function, draw));
    if (draw.Chance(10)) method.SetVisibility(mvProtected);
}

// An external property of the library server `target`.
void AddExternalClass(TemgClass& cls, const std::string& propertyName, const std::string& target, Draw& draw) {
    TemgExternalClass& external = *cls.ExternalClasses().Add();
    external.SetName(target);
    external.SetPropertyName(propertyName);
    external.SetCaption(Caption(draw, "External class"));
    external.SetAutoCreate(draw.Chance(50));
}

void FillClassModule(TemgpModule& entry, const std::string& dir, const std::string& name, int index,
                     const SyntheticShape& shape, const CommonTypes& types, const std::vector<std::string>& libraries,
                     Draw& draw) {
    static constexpr std::array<TServerOption, 4> kOptions{moServerInDll, moDirectUsesServer, moComServerInDll,
                                                            moComServer};
    TemgModule& module = entry.Module();
    TemgClass& cls = module.MainClass();
    cls.SetName(name);
    cls.SetCaption(Caption(draw, "Server " + std::to_string(index)));
    cls.SetGUID(draw.Guid());
    cls.SetComDescription("Synthetischer Server „" + name + "“");
    cls.SetComClassInstancing(draw.Chance(50) ? ciMultiInstance : ciSingleInstance);
    cls.SetComThreadingModel(draw.Chance(50) ? tmApartment : tmBoth);
    cls.SetDllClassInstancing(draw.Chance(50) ? dllciMultiInstance : dllciSingleInstance);
    module.SetAppellation(cls.Appellation());
    entry.SetFileName(IncludeTrailingPathDelimiter(dir) + name + ".qlm");

    const TServerOption option = kOptions[static_cast<std::size_t>(index) % kOptions.size()];
    module.SetServerOption(option);
    // Each subsystem writes its sources into a directory of its own, as large projects are laid
    // out: one directory of thousands of files costs the file system more per file as it grows.
    module.SetSrcPath("Source/Group" + Number(index / kGroupSize, 3));
    module.SetShareMemSupport(draw.Chance(50));
    module.SetInterfaceSupport(draw.Chance(70));
    module.CreateRegisteredType("TStrings", "Liste der Zeichenketten – Classes", "Classes", false);

    int externals = 0;
    const bool library = IsLibraryOption(option);
    using Extra = SyntheticShape::Extra;
    for (int m = 0; m < shape.members; ++m) {
        const std::string suffix = std::string(draw.Pick(kWords)) + Number(m, 3);
        // Of every six members: two properties, an event, two methods and an external property;
        // with only properties, a method every other member for the debug form's rows.
        const int kind = !shape.propertiesOnly ? m % 6 : shape.extra == Extra::kFormRows && m % 2 == 1 ? 3 : 0;
        switch (kind) {
            case 0:
            case 1:
                AddProperty(cls, "P" + suffix, types, draw, shape.extra == Extra::kProceduralProperties && m % 16 == 0);
                break;
            case 2: AddEvent(cls, "On" + suffix, types, draw); break;
            case 5:
                if (library && !libraries.empty()) {
                    const std::string& target =
                        libraries[static_cast<std::size_t>(draw.Below(static_cast<int>(libraries.size())))];
                    AddExternalClass(cls, "X" + suffix, target, draw);
                    ++externals;
                    break;
                }
                [[fallthrough]];
            default: AddMethod(cls, "M" + suffix, types, draw); break;
        }
    }

    TemgAddUnit& helpers = *module.AddUnits().Add();
    helpers.SetName("Shared/" + name + "Helpers.pas");
    TemgAddUnit& form = *module.AddUnits().Add();
    form.SetName("Shared/" + name + "Dialog.pas");
    form.SetUnitType(autForm);
    form.SetFormName(name + "Dialog");

    TCopyFileItem& copy = *module.CopyFiles().Add();
    copy.SetName("ToHost");
    copy.SetCaption(Caption(draw, "Copy rule"));
    copy.SetPasPath("Host/pas");
    copy.SetDllPath("Host/bin");
    copy.SetAllDlls(externals > 0);

    // Named after its module: the applications share the directory Debug.
    TemgDebugApplication& debug = module.DebugApplications().NewDebugApplication();
    debug.SetName("Debug" + module.MainClassName());
    std::vector<std::string> methods;
    const std::size_t rows = shape.extra == Extra::kFormRows ? static_cast<std::size_t>(cls.Methods().Count()) : 3;
    for (int i = 0; i < cls.Methods().Count() && methods.size() < rows; ++i)
        if (!cls.Methods().Items(i)->IsSystemItem()) methods.push_back(cls.Methods().Items(i)->GetName());
    debug.Methods().SetItems(std::move(methods));
    debug.SetSrcPath("Debug");
    debug.Connection().SetAliasName("SYNTH");
}

}  // namespace

void BuildSyntheticProject(TemgpProject& project, const std::string& dir, const SyntheticShape& shape) {
    Draw draw(shape.seed);
    project.NewProject(dir);
    project.Appellation().SetCaption("Synthetisches Projekt mit " + std::to_string(shape.modules) + " Modulen und " +
                                     std::to_string(shape.members) + " Elementen je Modul – «Skalierung»");
    project.SetSearchPath("Shared;Host/pas");
    // The captions mix scripts that no single Windows code page holds.
    project.SetGeneratedFileEncoding(geUtf8Bom);
    const CommonTypes types = FillCommonTypes(project.FirstModule(), shape, draw);

    // Library servers, by name, that later modules of the same group may refer to. A large
    // project is made of subsystems: were references spread over all of it, every module would
    // reach every earlier server through its references' references, and its generated code
    // would name them all, so the work per module would grow with the project.
    std::vector<std::string> libraries;
    for (int i = 0; i < shape.modules; ++i) {
        if (i % kGroupSize == 0) libraries.clear();
        const std::string name = std::string(kStems[static_cast<std::size_t>(i) % kStems.size()]) + Number(i, 4);
        TemgpModule& entry = project.AddClassModule();
        FillClassModule(entry, dir, name, i, shape, types, libraries, draw);
        if (IsLibraryOption(entry.Module().GetServerOption())) libraries.push_back(name);
    }

    TReleaseDll& full = *project.Releases().Add();
    full.SetName("Full");
    full.SetCaption(Caption(draw, "Release"));
    full.SetPath("Release/Full");
    full.SetDateTime(45000.5);
    if (shape.modules > 0) {
        TReleaseDll& single = *project.Releases().Add();
        single.SetName("Single");
        single.SetPath("Release/Single");
        single.SetOption(roModule);
        single.SetModuleName(project.Modules().Items(1)->Module().ModuleName());
    }
}

std::string WriteSyntheticProject(const std::string& dir, const SyntheticShape& shape) {
    if (!ForceDirectories(dir)) throw Exception("Cannot create directory " + dir);
    TemgpProject project;
    BuildSyntheticProject(project, dir, shape);
    project.SaveToFile(project.GetFileName());
    return project.GetFileName();
}

}  // namespace quillon
