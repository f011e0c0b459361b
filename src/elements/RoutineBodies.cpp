#include "elements/RoutineBodies.h"

#include "elements/RunTimeIdentifiers.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

void AddParameter(TgmcParameters& target, std::string_view name, std::string_view type, TParameterCategory category) {
    TgmcParameter* parameter = target.Add();
    parameter->SetName(name);
    parameter->DataType().SetName(type);
    parameter->SetCategory(category);
}

std::string ResultAssignment(TMethodCategory category) { return category == mcFunction ? "Result:=" : ""; }

}  // namespace

void AddInstanceParameters(TgmcParameters& target) {
    AddParameter(target, "aInstanceID", "Integer", pcConst);
    AddParameter(target, "VErrorMessage", "string", pcVar);
}

std::string ExportWrapperCode(TMethodCategory category, std::string_view className, std::string_view calledName,
                              std::string_view callList, bool capture) {
    const std::string call = ResultAssignment(category) + "(FindInstance(aInstanceID) as " + std::string(className) +
                             ")." + std::string(calledName) + std::string(callList) + ";";
    if (!capture) return call;
    return JoinLines({"try",
                      "   " + call,
                      "except",
                      "   on E:" + rtl::Exception + " do",
                      "   begin",
                      "      VErrorMessage:=E.Message;",
                      "   end;",
                      "end;"});
}

std::string AddLibraryCall(TgmcMethod& method) {
    const std::string& name = method.GetName();
    const std::string pointer = "F" + name + "Method";
    std::string arguments = "FInstanceID,sErrorMessage";
    for (int i = 0; i < method.Parameters().Count(); ++i) arguments += "," + method.Parameters().Items(i)->GetName();

    TgmcVar* message = method.MethodImplementation().LocalVars().Add();
    message->SetName("sErrorMessage");
    message->DataType().SetName("string");
    return JoinLines({
        "if not " + rtl::Assigned + "(" + pointer + ")",
        "then",
        "begin",
        "   " + pointer + ":=" + rtl::GetProcAddress + "(FLibrary,'" + name + "');",
        "   Win32Check(@" + pointer + " <> nil);",
        "end;",
        ResultAssignment(method.GetCategory()) + pointer + "(" + arguments + ");",
        "if sErrorMessage<>''",
        "then",
        "begin",
        "   raise " + rtl::Exception + ".Create(sErrorMessage);",
        "end;",
    });
}

}  // namespace quillon
