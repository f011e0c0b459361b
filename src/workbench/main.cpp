// The workbench program: the main window on the project named by the first argument, or on the
// last project.
#include <QApplication>
#include <QDesktopServices>

#include "platform/ShellOpen.h"
#include "platform/UserDialogs.h"
#include "workbench/DesktopOpen.h"
#include "workbench/FileDialogs.h"
#include "workbench/MainWindow.h"
#include "workbench/QtUserDialogs.h"
#include "workbench/WorkbenchSettings.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillon");
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
