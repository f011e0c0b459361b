#include "workbench/Icons.h"

#include <QHash>
#include <QString>

// The icons live in the workbench library; a static library's resources register on request.
static void RegisterIconResource() { Q_INIT_RESOURCE(icons); }

namespace quillon {

namespace {

// The image indexes the model objects answer with. Indexes 15, 18 and 37 are ours: registered
// types (plain and procedural) and external properties, for which the model names none.
std::string_view ImageName(int imageIndex) {
    switch (imageIndex) {
        case 5: return "module_direct";
        case 6: return "property";
        case 8: return "method_function";
        case 9: return "folder";
        case 10: return "commontypes";
        case 11: return "method_procedure";
        case 12: return "project";
        case 13: return "query";
        case 14: return "enumtype";
        case 15: return "registeredtype";
        case 16: return "proctype_procedure";
        case 17: return "proctype_function";
        case 18: return "registeredproc";
        case 19: return "event";
        case 20: return "debugapp";
        case 21: return "module_dll";
        case 22: return "module_comdll";
        case 28: return "module_com";
        case 29: return "group";
        case 30: return "form";
        case 32: return "unit";
        case 33: return "library";
        case 34: return "program";
        case 35: return "units";
        case 36: return "package";
        case 37: return "external";
        case 42: return "error";
        case 43: return "warning";
        case 44: return "hint";
        default: return {};
    }
}

}  // namespace

QIcon NamedIcon(std::string_view name) {
    static QHash<QString, QIcon> cache;
    static const bool registered = (RegisterIconResource(), true);
    (void)registered;
    if (name.empty()) return {};
    const QString key = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, QIcon(":/icons/" + key + QUILLON_ICON_SUFFIX));
    return *it;
}

QIcon ImageIcon(int imageIndex) { return NamedIcon(ImageName(imageIndex)); }

}  // namespace quillon
