// The identifiers that generated code takes from a unit of the run-time library, the VCL or the
// shipped run-time unit, each written qualified by its unit: a member, parameter, type, value or
// module of the design named like one of them cannot hide it, so those names stay free. The
// units that qualify them are the names no qualifier can help (QualifyingUnits).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::rtl {

inline const std::string Application = "Forms.Application";
inline const std::string Assigned = "System.Assigned";
inline const std::string PChar = "System.PChar";
inline const std::string Exception = "SysUtils.Exception";
inline const std::string FileExists = "SysUtils.FileExists";
inline const std::string ExcludeTrailingBackslash = "SysUtils.ExcludeTrailingBackslash";
inline const std::string Abort = "SysUtils.Abort";
inline const std::string LoadLibrary = "Windows.LoadLibrary";
inline const std::string FreeLibrary = "Windows.FreeLibrary";
inline const std::string GetProcAddress = "Windows.GetProcAddress";
inline const std::string DLLServers = "DLLServerCollection.DLLServers";
inline const std::string CreateComObject = "ComObj.CreateComObject";
inline const std::string TComObjectFactory = "ComObj.TComObjectFactory";
inline const std::string ComServer = "ComServ.ComServer";
inline const std::string Session = "DBTables.Session";
inline const std::string TedPasswordDlg = "eduPasswordDlg.TedPasswordDlg";
inline const std::string fsBold = "Graphics.fsBold";
inline const std::string clTeal = "Graphics.clTeal";
inline const std::string clDkGray = "Graphics.clDkGray";

// The one routine written without its unit: the target keeps it in SysUtils, where Free Pascal
// has it on Windows only, so the compile tests' stand-in lives in Windows and no qualifier fits
// both. A name of the design like it is refused instead.
inline constexpr std::string_view kUnqualifiedWin32Check = "Win32Check";

// Every identifier above, qualified.
const std::vector<std::string_view>& QualifiedIdentifiers();

}  // namespace quillon::rtl

namespace quillon {

// The units that qualify the identifiers of rtl::QualifiedIdentifiers, each once: a name of the
// design like one of them would be read in place of the unit.
const std::vector<std::string_view>& QualifyingUnits();

// "the unit SysUtils" when `name` is one of QualifyingUnits, "the run-time routine Win32Check" for
// the unqualified routine, else empty. Compared without regard to case.
std::string QualifierTaker(std::string_view name);

}  // namespace quillon
