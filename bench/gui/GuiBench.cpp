// The workbench on a large project, offscreen: the time to open a 1000-module project and show
// its tree, and the time from selecting an element to the window drawn with the editor area
// showing it. It drives the main window only through OpenProjectFile, SelectObject and Tree(),
// so it measures whatever the editor area is.
//
//   quillon-gui-bench [MODULES [MEMBERS]]        (default 1000 modules of 60 members)
//   quillon-gui-bench PROJECT.qlp                an existing project instead
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "synth/SyntheticProject.h"
#include "workbench/FileDialogs.h"
#include "workbench/MainWindow.h"
#include "workbench/WorkbenchSettings.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point started) {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

// The processor time of this process so far, in milliseconds: on a busy machine the wall time
// also holds the waits for a core.
double ProcessMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The offscreen platform warns about every window size hint; nothing else is dropped.
void QuietOffscreenHints(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("propagateSizeHints")) return;
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
}

// Handles what the change posted and draws the whole window, as a screen would.
void Settle(QWidget& window) {
    QApplication::processEvents();
    const QPixmap drawn = window.grab();
    (void)drawn;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreenHints);
    QApplication app(argc, argv);
    quillon::NonInteractiveDialogs dialogs(std::cerr, quillon::DialogAnswer::No);
    const quillon::ScopedDialogs installed(dialogs);

    quillon::SyntheticShape shape{1000, 60, 1};
    const std::string first = argc > 1 ? argv[1] : "";
    const bool existing = first.size() > 4 && first.substr(first.size() - 4) == ".qlp";
    if (argc > 1 && !existing) shape.modules = std::stoi(argv[1]);
    if (argc > 2) shape.members = std::stoi(argv[2]);
    QTemporaryDir temp;
    const std::string dir = temp.path().toStdString();
    const std::string projectFile = existing ? first : quillon::WriteSyntheticProject(dir + "/project", shape);

    quillon::TfmQLN window(std::make_unique<quillon::TWorkbenchSettings>(dir + "/quillon.conf"));
    window.resize(1280, 800);
    window.show();
    Settle(window);

    const Clock::time_point opening = Clock::now();
    const double openingCpu = ProcessMilliseconds();
    window.OpenProjectFile(projectFile);
    Settle(window);
    const double openMs = MillisecondsSince(opening);
    const double openCpuMs = ProcessMilliseconds() - openingCpu;
    int nodes = 0;
    for (QTreeWidgetItemIterator it(&window.Tree()); *it; ++it) ++nodes;

    // Elements spread over the project: a module, a method, a property, an event and an external
    // property of the first, middle and last class modules, each selected in turn.
    std::vector<const quillon::TPersistent*> targets;
    const quillon::TemgpModules& modules = window.Project().Modules();
    for (int index : {1, modules.Count() / 2, modules.Count() - 1}) {
        if (index < 1 || index >= modules.Count()) continue;
        const quillon::TemgpModule& entry = *modules.Items(index);
        const quillon::TemgClass& cls = entry.Module().MainClass();
        targets.push_back(&entry);
        if (cls.Methods().Count() > 1) targets.push_back(cls.Methods().Items(cls.Methods().Count() - 1));
        if (cls.Properties().Count() > 0) targets.push_back(cls.Properties().Items(cls.Properties().Count() - 1));
        if (cls.Events().Count() > 0) targets.push_back(cls.Events().Items(0));
        if (cls.ExternalClasses().Count() > 0) targets.push_back(cls.ExternalClasses().Items(0));
    }
    std::vector<double> selectMs;
    double selectCpuMs = 0;
    int missing = 0;
    for (const quillon::TPersistent* target : targets) {
        const Clock::time_point selecting = Clock::now();
        const double selectingCpu = ProcessMilliseconds();
        if (!window.SelectObject(target)) ++missing;
        Settle(window);
        selectMs.push_back(MillisecondsSince(selecting));
        selectCpuMs = std::max(selectCpuMs, ProcessMilliseconds() - selectingCpu);
    }
    std::sort(selectMs.begin(), selectMs.end());
    const double median = selectMs.empty() ? 0 : selectMs[selectMs.size() / 2];
    const double worst = selectMs.empty() ? 0 : selectMs.back();

    std::printf("\nWorkbench on %d modules (%d tree nodes made on opening), offscreen; wall time, processor time in "
                "brackets:\n",
                modules.Count(), nodes);
    std::printf("  open + show tree         %8.1f ms (%.1f)  target < 500 ms  %s\n", openMs, openCpuMs,
                openMs < 500 ? "holds" : "MISSED");
    std::printf("  select + editor shown    %8.1f ms median, %.1f ms worst (%.1f) of %zu  target < 100 ms  %s\n",
                median, worst, selectCpuMs, selectMs.size(), worst < 100 ? "holds" : "MISSED");
    if (missing > 0) std::printf("  %d of the selected elements had no node\n", missing);
    return missing > 0 ? 1 : 0;
}
