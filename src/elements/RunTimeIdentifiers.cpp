#include "elements/RunTimeIdentifiers.h"

#include <algorithm>

#include "platform/Text.h"

namespace quillon {

namespace rtl {

const std::vector<std::string_view>& QualifiedIdentifiers() {
    static const std::vector<std::string_view> identifiers{
        Application, Assigned, PChar,    Exception, FileExists,     ExcludeTrailingBackslash, Abort,
        LoadLibrary, FreeLibrary, GetProcAddress, DLLServers, CreateComObject, TComObjectFactory,
        ComServer,   Session,  TedPasswordDlg, fsBold, clTeal, clDkGray};
    return identifiers;
}

}  // namespace rtl

const std::vector<std::string_view>& QualifyingUnits() {
    static const std::vector<std::string_view> units = [] {
        std::vector<std::string_view> found;
        for (std::string_view identifier : rtl::QualifiedIdentifiers()) {
            const std::string_view unit = identifier.substr(0, identifier.find('.'));
            if (std::none_of(found.begin(), found.end(), [&](std::string_view u) { return SameText(u, unit); }))
                found.push_back(unit);
        }
        return found;
    }();
    return units;
}

std::string QualifierTaker(std::string_view name) {
    for (std::string_view unit : QualifyingUnits())
        if (SameText(unit, name)) return "the unit " + std::string(unit);
    if (SameText(name, rtl::kUnqualifiedWin32Check)) return "the run-time routine " + std::string(rtl::kUnqualifiedWin32Check);
    return {};
}

}  // namespace quillon
