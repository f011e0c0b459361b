#include "generator/DebugApplicationUnits.h"

#include <algorithm>

#include "elements/RunTimeIdentifiers.h"
#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/DebugApplication.h"
#include "generator/ExternalClassMembers.h"
#include "generator/FormFiles.h"
#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratedFiles.h"
#include "generator/LibraryProject.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "generator/WrittenValues.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "source/SourceProject.h"
#include "source/SourceUnit.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

constexpr std::string_view kController = "FController";
// The parameter of every event handler of the form, a click handler's among them.
constexpr std::string_view kSender = "Sender";
constexpr int kRowHeight = 30;
constexpr int kTopPanelHeight = 41;
constexpr int kComboHeight = 21;
constexpr int kComboWidth = 200;
constexpr int kButtonPanelWidth = 60;

bool DirectOrComServer(TServerOption option) { return option == moDirectUsesServer || option == moComServer; }

// The unit a host reads the module's own types from: the controller of a library server, the
// interface unit of a COM server, the generator's unit of a directly used one.
std::string ModuleTypesUnitName(const TemgModule& module) {
    switch (module.GetServerOption()) {
        case moServerInDll: return module.ControllerUnitName();
        case moDirectUsesServer: return module.GeneratorUnitName();
        case moComServerInDll:
        case moComServer: return module.InterfaceUnitName();
    }
    return module.GeneratorUnitName();
}

// Puts the names of the module's added units (".pas" files) into `setAside`: for a uses clause
// that names them only for the constants the design's values may name, when the caller asks
// whether they do only for the names that matter to it (see DebugProgramUnits).
void SetAsideAddedUnits(const TemgModule& module, std::vector<std::string>& setAside) {
    TgmcUsesModules added;
    module.AddUnits().AddUnitUses(added, {}, false);
    for (int i = 0; i < added.Count(); ++i) setAside.push_back(added.Items(i)->GetName());
}

// The module's units that a host compiles in, each module once: the controller and database
// support controller, the types unit; for servers compiled into the host the units of the
// modules its class refers to (each with its own block), the server units, the data module and
// the added units; for COM options the interface unit.
void AddModuleUnitBlock(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver,
                        std::vector<const TemgModule*>& done, std::vector<std::string>* setAside) {
    if (std::find(done.begin(), done.end(), &module) != done.end()) return;
    done.push_back(&module);
    const std::string srcPath = resolver.GetSrcPath();
    // UnitFileName with the output directory expanded once for the module's whole block.
    const std::string directory = module.OutputDirectory(srcPath);
    const auto unitFile = [&](TFileKind kind) {
        const std::string name = module.KindFileName(kind);
        return name.empty() || srcPath.empty() ? name : directory + name;
    };
    const TServerOption option = module.GetServerOption();
    AddUses(uses, module.ControllerUnitName(), unitFile(TFileKind::ControllerUnit));
    AddUses(uses, module.DatabaseSupportControllerUnitName(), unitFile(TFileKind::DatabaseSupportController));
    AddCommonTypesUnit(uses, module, resolver, true);
    if (DirectOrComServer(option)) {
        const TemgExternalClasses& externals = module.MainClass().ExternalClasses();
        for (int i = 0; i < externals.Count(); ++i)
            if (const TemgModule* referenced = resolver.FindModule(externals.Items(i)->GetName()))
                AddModuleUnitBlock(uses, *referenced, resolver, done, setAside);
    }
    if (IsComOption(option)) AddUses(uses, module.InterfaceUnitName(), unitFile(TFileKind::InterfaceUnit));
    if (DirectOrComServer(option)) {
        AddUses(uses, module.GeneratorUnitName(), unitFile(TFileKind::GeneratorServerUnit));
        AddUses(uses, module.DeveloperUnitName(), unitFile(TFileKind::DeveloperServerUnit));
        if (module.HasOwnConnection())
            AddUses(uses, module.DataModuleUnitName(), unitFile(TFileKind::DataModuleUnit))
                ->SetFormName(module.DataModuleFormName());
    }
    // A host compiles in the server's added units, and otherwise those whose constants the units it
    // compiles (the controller, the interface unit, a debug form) may name.
    if (module.AddUnits().Count() == 0) return;
    if (DirectOrComServer(option))
        module.AddUnits().AddUnitUses(uses, directory);
    else if (setAside)
        SetAsideAddedUnits(module, *setAside);
    else if (module.ValuesNameUndeclared(resolver.GetFirstModule()))
        module.AddUnits().AddUnitUses(uses, directory);
}


// The call of a row's method through the controller: with parameters only when every parameter
// has a debug value to pass. A var parameter takes a variable: a local variable of the
// parameter's name holds its debug value and is passed instead.
std::string ClickCode(const TemgMethod& method, TgmcMethod& click) {
    const TemgParameters& parameters = method.Parameters();
    if (parameters.Count() == 0) return method.CallExpression(kController, false);
    std::string assignments;
    std::string arguments;
    for (int i = 0; i < parameters.Count(); ++i) {
        const TemgParameter& parameter = *parameters.Items(i);
        const std::string& value = parameter.GetDebugValue();
        if (value.empty())
            return Format("raise " + rtl::Exception + ".Create('You have to create method ''%s'' and write calling code with "
                          "actual parameters');",
                          method.GetName());
        if (parameter.GetCategory() == pcVar) {
            AddLocalVar(click, parameter.GetName(), parameter.DataType().GetName());
            assignments += parameter.GetName() + ":=" + value + ";" + std::string(kCrLf);
            AppendSeparated(arguments, parameter.GetName(), ",");
        } else {
            AppendSeparated(arguments, value, ",");
        }
    }
    return assignments + std::string(kController) + "." + method.GetName() + "(" + arguments + ");";
}

// The debug values the form writes: those of the properties it assigns and of the parameters of
// the rows whose click handlers pass them (every parameter has one).
std::vector<std::string_view> DebugFormValues(const TemgDebugApplication& application, const TemgModule& module) {
    std::vector<std::string_view> values;
    const TemgClass& cls = module.MainClass();
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            if (members->Items(i)->WritesDebugValue()) values.push_back(members->Items(i)->GetDebugValue());
    const TDebugFormRows rows(application);
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgParameters& parameters = cls.Methods().Items(i)->Parameters();
        if (!rows.Has(*cls.Methods().Items(i))) continue;
        std::vector<std::string_view> passed;
        for (int j = 0; j < parameters.Count() && !parameters.Items(j)->GetDebugValue().empty(); ++j)
            passed.push_back(parameters.Items(j)->GetDebugValue());
        if (static_cast<int>(passed.size()) == parameters.Count()) values.insert(values.end(), passed.begin(), passed.end());
    }
    return values;
}

// The lines of a row's memo: the method's caption, when there is one, and its declaration.
std::vector<std::string> Description(const TemgMethod& method) {
    std::vector<std::string> lines;
    if (!method.GetCaption().empty()) lines.push_back(method.GetCaption());
    lines.push_back(method.DeclarationText());
    return lines;
}

// The controller creation: from the libraries' directories when the program must tell the
// controller where its library (and the libraries it reaches) lie.
std::string ControllerCreation(const TemgModule& module, const IModuleResolver& resolver) {
    const std::string controllerClass = module.DatabaseSupportControllerClassName();
    const TServerOption option = module.GetServerOption();
    if (option != moServerInDll && !NeedsLibraryPaths(module, resolver))
        return std::string(kController) + ":=" + controllerClass + ".Create(Self);";
    const std::string srcPath = resolver.GetSrcPath();
    std::string externals;
    for (const TemgModule* server : ReferencedLibraryServers(module, resolver))
        AppendSeparated(externals, PascalString(server->OutputDirectory(srcPath)), ",");
    std::string arguments;
    if (option == moServerInDll) arguments = "," + PascalString(module.OutputDirectory(srcPath));
    if (!externals.empty()) arguments += "," + externals;
    return std::string(kController) + ":=" + controllerClass + ".CreateFromPath(Self" + arguments + ");";
}

// The form with every control of the generator's form, and the event bindings that go with it.
struct TGeneratorForm {
    std::unique_ptr<TFormObject> form;
    std::vector<std::string> bindings;
};

TGeneratorForm BuildGeneratorFormObjects(const TemgDebugApplication& application, const TemgModule& module,
                                         TgmcClass* cls) {
    TGeneratorForm result;
    const std::string formName = application.GeneratorFormName();
    result.form = std::make_unique<TFormObject>(formName, application.GeneratorFormClassName());
    TFormObject& form = *result.form;
    form.String("Caption", Format("Generator's form '%s'", application.GetName()))
        .Integer("Top", 100)
        .Integer("Width", 380);
    result.bindings.push_back(EventBinding(formName, "OnClose", "FormClose"));
    const auto field = [cls](std::string_view name, std::string_view type) {
        if (cls) AddField(cls->Fields(), name, type, mvNone);
    };

    if (!module.GetDatabaseSupport().Empty()) {
        TFormObject& panel = form.Add("paTopPanel", "TPanel");
        panel.Integer("Height", kTopPanelHeight)
            .Value("Align", "alTop")
            .Value("BevelInner", "bvNone")
            .Value("BevelOuter", "bvNone")
            .String("Caption", "");
        panel.Add("laAlias", "TLabel").Integer("Left", 5).Integer("Top", 2).String("Caption", "Database");
        panel.Add("cbAlias", "TComboBox")
            .Integer("Left", 5)
            .Integer("Top", kTopPanelHeight - kComboHeight)
            .Integer("Width", kComboWidth)
            .Integer("Height", kComboHeight)
            .Boolean("Sorted", true)
            .String("Text", "");
        panel.Add("buCloseDatabase", "TButton")
            .Integer("Left", kComboWidth + 20)
            .Integer("Top", 8)
            .Integer("Width", 105)
            .String("Caption", "Close Database");
        field("paTopPanel", "TPanel");
        field("laAlias", "TLabel");
        field("cbAlias", "TComboBox");
        field("buCloseDatabase", "TButton");
        result.bindings.push_back(EventBinding("cbAlias", "OnChange", "cbAliasChange"));
        result.bindings.push_back(EventBinding("buCloseDatabase", "OnClick", "DoCloseDatabase"));
    }

    TFormObject& scrollBox = form.Add("sbMethodCalls", "TScrollBox");
    scrollBox.Value("Align", "alClient").Value("BorderStyle", "bsNone");
    field("sbMethodCalls", "TScrollBox");

    const TemgMethods& methods = module.MainClass().Methods();
    const TDebugFormRows rows(application);
    int offset = 0;
    bool placed = false;
    for (int i = 0; i < methods.Count(); ++i) {
        const TemgMethod& method = *methods.Items(i);
        const std::string& m = method.GetName();
        if (!rows.Has(method)) continue;
        TFormObject& row = scrollBox.Add("pa" + m + "Main", "TPanel");
        if (i == methods.Count() - 1) {
            row.Value("Align", "alClient");
        } else {
            row.Integer("Top", offset).Value("Align", "alTop");
            offset += kRowHeight;
        }
        row.Integer("Height", kRowHeight).Value("BevelOuter", "bvNone").String("Caption", "");
        field("pa" + m + "Main", "TPanel");
        if (placed) {
            scrollBox.Add("sp" + m + "Splitter", "TSplitter")
                .Integer("Top", offset)
                .Value("Align", "alTop")
                .Boolean("Beveled", true);
            field("sp" + m + "Splitter", "TSplitter");
        }
        placed = true;

        TFormObject& memoPanel = row.Add("pa" + m + "Memo", "TPanel");
        memoPanel.Value("Align", "alClient").Value("BevelOuter", "bvNone").String("Caption", "");
        memoPanel.Add("me" + m + "Description", "TMemo")
            .Integer("Top", 0)
            .Integer("Height", kRowHeight / 3)
            .Value("Align", "alClient")
            .Value("Color", "clBtnFace")
            .Value("BorderStyle", "bsNone")
            .Strings("Lines", Description(method))
            .Boolean("ReadOnly", true)
            .Value("ScrollBars", "ssVertical")
            .Boolean("TabStop", false)
            .Boolean("WordWrap", false);
        TFormObject& buttonPanel = row.Add("pa" + m + "Button", "TPanel");
        buttonPanel.Integer("Width", kButtonPanelWidth).Value("Align", "alRight").Value("BevelOuter", "bvNone");
        buttonPanel.Add("btn" + m + "Call", "TButton")
            .Integer("Left", 2)
            .Integer("Top", 2)
            .Integer("Width", kButtonPanelWidth - 2)
            .Integer("Height", 28)
            .String("Caption", "Run")
            .String("Hint", "Run method")
            .Boolean("ShowHint", true);
        field("pa" + m + "Memo", "TPanel");
        field("me" + m + "Description", "TMemo");
        field("pa" + m + "Button", "TPanel");
        field("btn" + m + "Call", "TButton");
        result.bindings.push_back(EventBinding("btn" + m + "Call", "OnClick", m + "Click"));
    }
    return result;
}

}  // namespace

TDebugFormRows::TDebugFormRows(const TemgDebugApplication& application)
    : chosen_(application.Methods().Items().size()) {
    for (const std::string& name : application.Methods().Items()) chosen_.Add(name, true);
}

bool TDebugFormRows::Has(const TemgMethod& method) const {
    return method.IsOfferedByController() && chosen_.Contains(method.GetName());
}

std::vector<std::string_view> DebugClickHandlerNames() { return {kSender, kController}; }

// Program project

namespace {

void AddDebugProgramUses(TgmcUsesModules& uses, const TemgDebugApplication& application, const TemgModule& module,
                         const IModuleResolver& resolver, std::vector<std::string>* setAside = nullptr) {
    const std::string srcPath = resolver.GetSrcPath();
    const TServerOption option = module.GetServerOption();
    if (module.GetShareMemSupport()) AddUses(uses, "ShareMem");
    AddUses(uses, "Forms");
    AddUses(uses, application.GeneratorFormUnitName(),
            application.UnitFileName(TFileKind::DebugFormGeneratorUnit, srcPath))
        ->SetFormName(application.GeneratorFormName());
    AddUses(uses, application.DeveloperFormUnitName(),
            application.UnitFileName(TFileKind::DebugFormDeveloperUnit, srcPath))
        ->SetFormName(application.DeveloperFormName());
    AddUses(uses, module.ControllerUnitName(), module.UnitFileName(TFileKind::ControllerUnit, srcPath));
    AddUses(uses, module.DatabaseSupportControllerUnitName(),
            module.UnitFileName(TFileKind::DatabaseSupportController, srcPath));
    AddRegisteredTypeUnits(uses, module, resolver);
    if (DirectOrComServer(option)) {
        AddUses(uses, module.GeneratorUnitName(), module.UnitFileName(TFileKind::GeneratorServerUnit, srcPath));
        AddUses(uses, module.DeveloperUnitName(), module.UnitFileName(TFileKind::DeveloperServerUnit, srcPath));
    }
    if (IsComOption(option))
        AddUses(uses, module.InterfaceUnitName(), module.UnitFileName(TFileKind::InterfaceUnit, srcPath));
    std::vector<const TemgModule*> done;
    AddModuleUnitBlock(uses, module, resolver, done, setAside);
}

}  // namespace

std::vector<std::string> DebugProgramUnits(const TemgDebugApplication& application, const TemgModule& module,
                                           const IModuleResolver& resolver, std::vector<std::string>* setAside) {
    TgmcProject program;
    AddDebugProgramUses(program.UsesModules(), application, module, resolver, setAside);
    std::vector<std::string> units;
    for (int i = 0; i < program.UsesModules().Count(); ++i) units.push_back(program.UsesModules().Items(i)->GetName());
    return units;
}

std::string BuildDebugProgram(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver) {
    TgmcProject program;
    program.Appellation().SetName(application.ProgramProjectName());
    AddDebugProgramUses(program.UsesModules(), application, module, resolver);
    program.SetImplementCode(JoinLines({"   " + rtl::Application + ".Initialize;",
                                        "   " + rtl::Application + ".CreateForm(" + application.DeveloperFormClassName() + ", " +
                                            application.DeveloperFormName() + ");",
                                        "   " + rtl::Application + ".Run;"}));
    return program.SrcCode(pkProgram);
}

// Generator's form unit

namespace {

// The uses clauses of the generator's form unit: its interface part's and its implementation
// part's.
void AddGeneratorFormUses(TgmcModule& unit, const TemgDebugApplication& application, const TemgModule& module,
                          const IModuleResolver& resolver, std::vector<std::string>* setAside = nullptr) {
    TgmcUsesModules& uses = unit.InterfacePart().UsesModules();
    for (const char* name : {"Classes", "Forms", "SysUtils", "Graphics"}) AddUses(uses, name);
    if (!module.GetDatabaseSupport().Empty()) {
        AddUses(uses, "DbTables");
        AddUses(uses, "eduPasswordDlg");
    }
    for (const char* name : {"ExtCtrls", "Controls", "StdCtrls"}) AddUses(uses, name);
    AddUses(uses, module.DatabaseSupportControllerUnitName());
    AddCommonTypesUnit(uses, module, resolver);
    // Debug values may name the values of the module's own enumerations.
    if (module.EnumTypes().Count() > 0) AddUses(uses, ModuleTypesUnitName(module));
    AddUses(unit.ImplementationPart().UsesModules(), application.DeveloperFormUnitName());
    // Only added units can declare what a value names beside the design: without them the form's
    // values, one a member, need not be gathered.
    if (module.AddUnits().Count() == 0) return;
    if (setAside)
        SetAsideAddedUnits(module, *setAside);
    else
        UseAddedUnitsForValues(unit, module, resolver.GetFirstModule(), DebugFormValues(application, module));
}

}  // namespace

std::vector<std::string> DebugGeneratorFormUnits(const TemgDebugApplication& application, const TemgModule& module,
                                                 const IModuleResolver& resolver, std::vector<std::string>* setAside) {
    TgmcModule unit;
    AddGeneratorFormUses(unit, application, module, resolver, setAside);
    std::vector<std::string> units;
    for (const TgmcUsesModules* uses : {&unit.InterfacePart().UsesModules(), &unit.ImplementationPart().UsesModules()})
        for (int i = 0; i < uses->Count(); ++i) units.push_back(uses->Items(i)->GetName());
    return units;
}

namespace {

// `withCode` false leaves out the bodies that walk the class's members (setting every property,
// calling every method), and the added units whose use asks about every value: for the names the
// form declares.
void FillDebugGeneratorFormUnit(TgmcModule& unit, const TemgDebugApplication& application, const TemgModule& module,
                                const IModuleResolver& resolver, bool withCode = true) {
    const bool database = !module.GetDatabaseSupport().Empty();
    unit.Appellation().SetName(application.GeneratorFormUnitName());
    std::vector<std::string> setAside;
    AddGeneratorFormUses(unit, application, module, resolver, withCode ? nullptr : &setAside);
    unit.SetIncludeResources("{$R *.DFM}");

    TgmcClass& form = *unit.InterfacePart().Classes().Add();
    form.SetName(application.GeneratorFormClassName());
    form.ParentClass().SetName("TForm");
    TgmcMethods& methods = form.Methods();

    // Through TObject: the server's class may have a member named Free of its own.
    TgmcMethod& formClose =
        *AddRoutine(methods, "FormClose", mcProcedure, mvNone, {}, "TObject(" + std::string(kController) + ").Free;");
    AddParameter(formClose.Parameters(), kSender, "TObject", pcNone);
    AddParameter(formClose.Parameters(), "Action", "TCloseAction", pcVar);

    const std::string controllerClass = module.DatabaseSupportControllerClassName();
    AddField(form.Fields(), kController, controllerClass, mvProtected);
    TgmcProperty& controller = *form.Properties().Add();
    controller.SetName("Controller");
    controller.DataType().SetName(controllerClass);
    controller.SetReadMethodName(kController);
    controller.SetVisibility(mvPublic);

    if (database) {
        TgmcMethod& onLogin = *AddRoutine(methods, "OnLogin", mcProcedure, mvPrivate, {},
                                          JoinLines({"if not " + rtl::TedPasswordDlg + ".Edit(Database.Params)", "then", "begin",
                                                     "   " + rtl::Abort + ";", "end;", "LoginParams.Text:=Database.Params.Text;"}));
        AddParameter(onLogin.Parameters(), "Database", "TDatabase", pcNone);
        AddParameter(onLogin.Parameters(), "LoginParams", "TStrings", pcNone);
        TgmcMethod& afterConnect = *AddRoutine(
            methods, "AfterConnect", mcProcedure, mvPrivate, {},
            JoinLines({"laAlias.Caption:='Database is connected';", "laAlias.Font.Style:=[" + rtl::fsBold + "];",
                       "laAlias.Font.Color:=" + rtl::clTeal + ";"}));
        AddParameter(afterConnect.Parameters(), kSender, "TObject", pcNone);
        TgmcMethod& afterDisconnect = *AddRoutine(
            methods, "AfterDisconnect", mcProcedure, mvPrivate, {},
            JoinLines({"laAlias.Caption:='Database is disconnected';", "laAlias.Font.Style:=[];",
                       "laAlias.Font.Color:=" + rtl::clDkGray + ";"}));
        AddParameter(afterDisconnect.Parameters(), kSender, "TObject", pcNone);
    }

    AddRoutine(methods, "BeforeDestruction", mcProcedure, mvPublic, {miOverride},
               database ? JoinLines({"inherited;", "FDatabase.Close;"}) : "inherited;");

    std::string setUp = "inherited;" + std::string(kCrLf);
    if (database)
        for (const std::string& line :
             {std::string("FDatabase:=TDatabase.Create(Self);"), std::string("FDatabase.DatabaseName:='DebugDB';"),
              rtl::Session + ".GetAliasNames(cbAlias.Items);", std::string("FDatabase.OnLogin:=OnLogin;"),
              std::string("FDatabase.AfterConnect:=AfterConnect;"),
              std::string("FDatabase.AfterDisconnect:=AfterDisconnect;")})
            setUp += line + std::string(kCrLf);
    setUp += ControllerCreation(module, resolver);
    TgmcMethod& afterConstruction = *AddRoutine(methods, "AfterConstruction", mcProcedure, mvPublic, {miOverride}, setUp);

    const TemgClass& mainClass = module.MainClass();
    AddRoutine(methods, "SetProperties", mcProcedure, mvProtected, {miVirtual},
               withCode ? mainClass.Properties().DebugAssignment(kController) + std::string(kCrLf) +
                              mainClass.Events().DebugAssignment(kController)
                        : std::string());

    if (database) {
        const TemgDatabaseConnection& connection = application.Connection();
        if (!connection.GetUserName().empty())
            AppendCodeLine(afterConstruction, "FDatabase.Params.Values['User Name']:=" + PascalString(connection.GetUserName()) + ";");
        if (!connection.GetPassword().empty())
            AppendCodeLine(afterConstruction, "FDatabase.Params.Values['Password']:=" + PascalString(connection.GetPassword()) + ";");
        if (!connection.GetLoginPrompt()) AppendCodeLine(afterConstruction, "FDatabase.LoginPrompt:=False;");
        if (!connection.GetAliasName().empty())
            AppendCodeLine(afterConstruction,
                           JoinLines({"cbAlias.Text:=" + PascalString(connection.GetAliasName()) + ";", "cbAliasChange(cbAlias);"}));
        std::string change;
        for (const char* line : {"FDatabase.Close;", "FDatabase.AliasName:=cbAlias.Text;", "FDatabase.Open;",
                                 "FDatabase.LoginPrompt:=True;"})
            change += std::string(line) + std::string(kCrLf);
        if (module.HasDatasetFactories())
            change += std::string(kController) + ".DatabaseName:=FDatabase.DatabaseName;" + std::string(kCrLf);
        if (module.HasOwnConnection() && module.GetConnectToHostDB())
            change += std::string(kController) +
                      ".SetDatabaseParams(cbAlias.Text, FDatabase.Params.Values['User Name'], "
                      "FDatabase.Params.Values['Password']);" +
                      std::string(kCrLf);
        change += "SetProperties;";
        TgmcMethod& aliasChange = *AddRoutine(methods, "cbAliasChange", mcProcedure, mvNone, {}, change);
        AddParameter(aliasChange.Parameters(), kSender, "TObject", pcNone);
    } else {
        AppendCodeLine(afterConstruction, "SetProperties;");
    }

    const TemgMethods& designed = mainClass.Methods();
    const TDebugFormRows rows(application);
    for (int i = 0; i < designed.Count(); ++i) {
        const TemgMethod& method = *designed.Items(i);
        if (!rows.Has(method)) continue;
        TgmcMethod& click = *AddRoutine(methods, method.GetName() + "Click", mcProcedure, mvNone, {}, {});
        AddParameter(click.Parameters(), kSender, "TObject", pcNone);
        if (withCode) click.MethodImplementation().SetCode(ClickCode(method, click));
    }

    if (database) {
        TgmcMethod& close = *AddRoutine(methods, "DoCloseDatabase", mcProcedure, mvNone, {}, "FDatabase.Close;");
        AddParameter(close.Parameters(), kSender, "TObject", pcNone);
        AddField(form.Fields(), "FDatabase", "TDatabase", mvProtected);
        TgmcProperty& property = *form.Properties().Add();
        property.SetName("Database");
        property.DataType().SetName("TDatabase");
        property.SetReadMethodName("FDatabase");
        property.SetVisibility(mvPublic);
    }
    BuildGeneratorFormObjects(application, module, &form);
}

}  // namespace

std::string BuildDebugGeneratorFormUnit(const TemgDebugApplication& application, const TemgModule& module,
                                        const IModuleResolver& resolver) {
    TgmcModule unit;
    FillDebugGeneratorFormUnit(unit, application, module, resolver);
    return unit.SrcCode();
}

std::vector<std::string> DebugGeneratorFormMembers(const TemgDebugApplication& application, const TemgModule& module,
                                                   const IModuleResolver& resolver) {
    TgmcModule unit;
    FillDebugGeneratorFormUnit(unit, application, module, resolver, false);
    const TgmcClass& form = *unit.InterfacePart().Classes().Items(0);
    std::vector<std::string> names;
    for (int i = 0; i < form.Fields().Count(); ++i) names.push_back(form.Fields().Items(i)->GetName());
    for (int i = 0; i < form.Methods().Count(); ++i) names.push_back(form.Methods().Items(i)->GetName());
    for (int i = 0; i < form.Properties().Count(); ++i) names.push_back(form.Properties().Items(i)->GetName());
    return names;
}

std::string BuildDebugGeneratorForm(const TemgDebugApplication& application, const TemgModule& module) {
    TGeneratorForm built = BuildGeneratorFormObjects(application, module, nullptr);
    InsertEventBindings(*built.form, built.bindings);
    return built.form->Text();
}

// Developer's form unit

std::string BuildDebugDeveloperFormUnit(const TemgDebugApplication& application, const TemgModule& module,
                                        const IModuleResolver& resolver) {
    TgmcModule unit;
    unit.Appellation().SetName(application.DeveloperFormUnitName());
    TgmcUsesModules& uses = unit.InterfacePart().UsesModules();
    for (const char* name : {"Classes", "Forms", "SysUtils"}) AddUses(uses, name);
    if (!module.GetDatabaseSupport().Empty()) AddUses(uses, "DbTables");
    for (const char* name : {"ExtCtrls", "Controls", "StdCtrls"}) AddUses(uses, name);
    AddUses(uses, application.GeneratorFormUnitName());
    AddCommonTypesUnit(uses, module, resolver);
    unit.SetIncludeResources("{$R *.DFM}");

    TgmcVar& variable = *unit.InterfacePart().Vars().Add();
    variable.SetName(application.DeveloperFormName());
    variable.DataType().SetName(application.DeveloperFormClassName());
    TgmcClass& form = *unit.InterfacePart().Classes().Add();
    form.SetName(application.DeveloperFormClassName());
    form.ParentClass().SetName(application.GeneratorFormClassName());
    AddRoutine(form.Methods(), "SetProperties", mcProcedure, mvProtected, {miOverride},
               "inherited;" + std::string(kCrLf));
    return unit.SrcCode();
}

std::string BuildDebugDeveloperForm(const TemgDebugApplication& application) {
    TFormObject form(application.DeveloperFormName(), application.DeveloperFormClassName(), true);
    form.String("Caption", Format("Developer's form '%s'", application.GetName()))
        .Integer("Top", 150)
        .Integer("Width", 380);
    return form.Text();
}

// Project group

std::string BuildDebugProjectGroup(const TemgDebugApplication& application, const TemgModule& module,
                                   const IModuleResolver& resolver) {
    const std::string srcPath = resolver.GetSrcPath();
    TgmcProjectGroup group;
    std::vector<std::string> projects;
    // Each entry names the file a project builds: a library for the modules, the program last.
    const TemgExternalClasses& externals = module.MainClass().ExternalClasses();
    for (int i = 0; i < externals.Count(); ++i) {
        const TemgModule* referenced = resolver.FindModule(externals.Items(i)->GetName());
        if (!referenced || !IsLibraryOption(referenced->GetServerOption())) continue;
        // Two external classes may refer to one module: it is built once.
        std::string library = ChangeExtension(referenced->UnitFileName(TFileKind::LibraryProject, srcPath), ".dll");
        if (std::find(projects.begin(), projects.end(), library) == projects.end()) projects.push_back(std::move(library));
    }
    if (IsLibraryOption(module.GetServerOption()))
        projects.push_back(ChangeExtension(module.UnitFileName(TFileKind::LibraryProject, srcPath), ".dll"));
    projects.push_back(ChangeExtension(application.UnitFileName(TFileKind::DebugProjectUnit, srcPath), ".exe"));
    group.ProjectFiles().SetItems(projects);
    return group.SrcCode();
}

std::string BuildDebugApplicationText(const TemgDebugApplication& application, const TemgModule& module,
                                      TFileKind kind, const IModuleResolver& resolver) {
    switch (kind) {
        case TFileKind::DebugProjectUnit: return BuildDebugProgram(application, module, resolver);
        case TFileKind::DebugFormGeneratorUnit: return BuildDebugGeneratorFormUnit(application, module, resolver);
        case TFileKind::DebugFormDeveloperUnit: return BuildDebugDeveloperFormUnit(application, module, resolver);
        case TFileKind::ProjectGroup: return BuildDebugProjectGroup(application, module, resolver);
        case TFileKind::LibraryProject: return module.UnitText(kind, resolver);
        case TFileKind::GeneratorServerUnit:
        case TFileKind::DeveloperServerUnit:
        case TFileKind::InterfaceUnit:
        case TFileKind::ControllerUnit:
        case TFileKind::TypesUnit:
        case TFileKind::UnitsGroup:
        case TFileKind::DatabaseSupportController:
        case TFileKind::DataModuleUnit: return {};
    }
    return {};
}

void GenerateDebugApplication(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver, IGeneratedFileWriter& writer) {
    using Content = TGeneratedFile::Content;
    const TFileEncoding encoding = resolver.FileEncoding();
    const std::string srcPath = resolver.GetSrcPath();
    const std::string unitHeader = resolver.GetUnitHeader();
    for (const TGeneratedFile& file : application.GeneratedFiles(srcPath)) {
        std::string text;
        switch (file.content) {
            case Content::RecreatedUnit:
            case Content::DeveloperUnit:
                text = GeneratedFileHeader(unitHeader, file.content == Content::RecreatedUnit) +
                       BuildDebugApplicationText(application, module, file.kind, resolver);
                break;
            case Content::Plain: text = BuildDebugApplicationText(application, module, file.kind, resolver); break;
            case Content::Form:
                text = file.kind == TFileKind::DebugFormGeneratorUnit ? BuildDebugGeneratorForm(application, module)
                                                                      : BuildDebugDeveloperForm(application);
                break;
            case Content::ProjectOptions: text = ProjectOptionsText(resolver.GetSearchPath(), srcPath); break;
        }
        TWriteRules rules = file.rules;
        rules.encoding = encoding;
        writer.Take(std::move(text), file.fileName, rules);
    }
}

void GenerateDebugApplication(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver) {
    DiskFileWriter disk;
    GenerateDebugApplication(application, module, resolver, disk);
}

}  // namespace quillon
