// The workbench program: the main window on the project named by the first argument, or on the
// last project.
#include <QApplication>
#include <QDesktopServices>

#include <cstdio>
#include <string_view>

#include "platform/Console.h"
#include "platform/ShellOpen.h"
#include "platform/UserDialogs.h"
#include "workbench/DesktopOpen.h"
#include "workbench/FileDialogs.h"
#include "workbench/MainWindow.h"
#include "workbench/QtUserDialogs.h"
#include "workbench/WorkbenchSettings.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quillon [PROJECT.qlp]\n"
    "The Quillon workbench: design Object Pascal library servers and generate their source.\n"
    "Opens PROJECT.qlp, or else the project that was open when the workbench was last closed.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "quillon-cli works on the same project files without a window.\n";

// Answers --help and --version before Qt starts, so that they need no display; on Windows in the
// console the workbench was started from.
bool PrintInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--version") quillon::AttachToCallingConsole();
        if (arg == "-h" || arg == "--help") {
            std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
            return true;
        }
        if (arg == "--version") {
            std::printf("quillon %s\n", QUILLON_VERSION);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (PrintInformation(argc, argv)) return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 3;
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillon");
    // Desktops group the windows with the launcher of this desktop entry.
    QGuiApplication::setDesktopFileName("quillon");
    quillon::QtUserDialogs dialogs;
    quillon::ScopedDialogs installed(dialogs);
    // Files and folders the workbench opens go to the program the desktop associates with them.
    const quillon::ShellOpenScope shell(quillon::DesktopOpener(&QDesktopServices::openUrl));
    const QStringList arguments = QApplication::arguments();
    auto* window = new quillon::TfmQLN(std::make_unique<quillon::TWorkbenchSettings>(), nullptr,
                                       arguments.size() > 1 ? arguments.at(1).toStdString() : std::string());
    window->setAttribute(Qt::WA_DeleteOnClose);
    dialogs.SetParent(window);
    window->show();
    return QApplication::exec();
}
