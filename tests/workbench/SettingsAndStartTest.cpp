// The start and the settings: where the window opens, what shutting down stores and the next
// start reads, which project opens first. What the workbench asks of the desktop: files and
// folders handed to the program associated with them (and said so when there is none), the
// guide's anchors the help links open, and the directory of a new project, which may be typed
// before it exists.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QUrl>

#include "platform/ShellOpen.h"
#include "workbench/DesktopOpen.h"
#include "workbench/EditorFrames.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class SettingsAndStartTest : public WorkbenchTest {};

// The first start centres the window at its designed size (within the screen); later starts
// leave it where it was, its frame included, and apply the stored tree width and maximised state.
TEST_F(SettingsAndStartTest, FirstStartCentresTheWindowAndLaterStartsKeepItWhereItWas) {
    TfmQLN& window = OpenWindow();
    window.show();
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    const QPoint centre = window.geometry().center();
    EXPECT_LE(std::abs(centre.x() - screen.center().x()), 2);
    EXPECT_LE(std::abs(centre.y() - screen.center().y()), 2);
    EXPECT_EQ(window.size(), QSize(1000, 680).boundedTo(screen.size()));
    EXPECT_FALSE(window.isMaximized());
    EXPECT_TRUE(window.Project().IsEmpty());
    EXPECT_EQ(window.ReopenProjects().Count(), 0);
    const QRect first = window.frameGeometry();
    for (int start = 2; start <= 3; ++start) {
        OpenWindow().show();
        QApplication::processEvents();
        EXPECT_EQ(Window().frameGeometry(), first) << "start " << start;
    }

    // A stored tree width and maximised state are applied, and stored again.
    DestroyWindow();
    StoredSettings()->setValue("treewidth", 250);
    StoredSettings()->setValue("maximized", 1);
    OpenWindow();
    EXPECT_EQ(Window().findChild<QSplitter*>("spTree")->sizes().value(0), 250);
    EXPECT_TRUE(Window().windowState() & Qt::WindowMaximized);
    DestroyWindow();
    EXPECT_EQ(StoredSettings()->value("maximized").toInt(), 1);
    EXPECT_EQ(StoredSettings()->value("treewidth").toInt(), 250);
}

TEST_F(SettingsAndStartTest, ShutDownWritesEveryValueUnderItsNameAndTheNextStartReadsThem) {
    TfmQLN& window = OpenWindow();
    NewProjectIn(work.Path());
    Trigger("actSave");
    window.ReopenProjects().Add("/elsewhere/Other.qlp");
    window.setGeometry(40, 50, 900, 600);
    DestroyWindow();

    const auto stored = StoredSettings();
    EXPECT_EQ(stored->value("lastproject").toString().toStdString(), work.File("Project1.qlp"));
    EXPECT_EQ(stored->value("left").toInt(), 40);
    EXPECT_EQ(stored->value("top").toInt(), 50);
    EXPECT_EQ(stored->value("width").toInt(), 900);
    EXPECT_EQ(stored->value("height").toInt(), 600);
    EXPECT_TRUE(stored->contains("treewidth"));
    EXPECT_EQ(stored->value("maximized").toInt(), 0);
    // Saving put the project on the list; it stays there while the project is open.
    EXPECT_EQ(stored->value("reopen").toString().toStdString(),
              "/elsewhere/Other.qlp\r\n" + work.File("Project1.qlp") + "\r\n");

    // The next start reads them back, and opens the last project when first shown.
    TfmQLN& next = OpenWindow();
    EXPECT_EQ(next.ReopenProjects().Items(),
              (Names{"/elsewhere/Other.qlp", work.File("Project1.qlp")}));
    EXPECT_EQ(next.geometry(), QRect(40, 50, 900, 600));
    EXPECT_TRUE(next.Project().IsEmpty());
    next.show();
    EXPECT_EQ(next.Project().GetFileName(), work.File("Project1.qlp"));
    EXPECT_EQ(next.ReopenProjects().Items(), (Names{"/elsewhere/Other.qlp"}));

    // A new project never saved is not the last project, nor is the one open before it.
    NewProjectIn(work.File("Fresh"));
    DestroyWindow();
    EXPECT_EQ(StoredSettings()->value("lastproject").toString().toStdString(), "");
    OpenWindow().show();
    EXPECT_TRUE(Window().Project().IsEmpty());
    EXPECT_EQ(LastMessage(), "");
}

// A file on the command line is opened instead of the last project; a missing last project is
// reported and leaves the window empty.
TEST_F(SettingsAndStartTest, AFileOnTheCommandLineIsOpenedInsteadOfTheLastProject) {
    OpenWindow();
    for (const char* dir : {"Last", "Given"}) {
        NewProjectIn(work.File(dir));
        Trigger("actSave");
    }
    const struct {
        std::string last, given, opened;
    } starts[] = {{work.File("Last/Project1.qlp"), work.File("Given/Project1.qlp"), work.File("Given/Project1.qlp")},
                  {work.File("Gone.qlp"), "", ""}};
    for (const auto& start : starts) {
        DestroyWindow();
        StoredSettings()->setValue("lastproject", QString::fromStdString(start.last));
        OpenWindow(start.given).show();
        EXPECT_EQ(Window().Project().GetFileName(), start.opened);
    }
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(Window().Project().IsEmpty());
}

class DesktopTest : public WorkbenchTest {};

TEST_F(DesktopTest, AFileTheDesktopHasNoProgramForIsNamedInAMessage) {
    std::vector<QUrl> asked;
    bool opens = false;
    const ShellOpenScope shell(DesktopOpener([&](const QUrl& url) {
        asked.push_back(url);
        return opens;
    }));
    ShellOpen("/opt/quillon/guide.html#editor-module");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].toLocalFile(), "/opt/quillon/guide.html");
    EXPECT_EQ(asked[0].fragment(), "editor-module");
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"The desktop has no program to open '/opt/quillon/guide.html'"});

    opens = true;
    ShellOpen(work.Path());
    EXPECT_EQ(QDir::toNativeSeparators(asked.back().toLocalFile()).toStdString(), work.Path());
    EXPECT_FALSE(asked.back().hasFragment());
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

// Every topic an editor or dialog opens (its HelpTopic, the links of its labels) is an anchor of
// the guide: a missing one opens the guide at its top, leaving the reader to search.
TEST(HelpTopics, EveryTopicTheWorkbenchOpensIsAnAnchorOfTheGuide) {
    const auto read = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(file.readAll());
    };
    QSet<QString> anchors;
    for (const QRegularExpressionMatch& m : QRegularExpression(R"re( id="([^"]+)")re").globalMatch(read(QUILLON_SOURCE_DIR "/docs/guide.html")))
        anchors.insert(m.captured(1));
    const QDir sources(QUILLON_SOURCE_DIR "/src/workbench");
    int topics = 0;
    for (const QString& name : sources.entryList({"*.h", "*.cpp"})) {
        const QString text = read(sources.filePath(name));
        // The editor frame's own "help" link opens the current editor's topic.
        const QRegularExpression topic(R"re(HelpTopic\(\)[^\n]*QStringLiteral\("([^"]+)"\)|href=\\"([^"\\]+)\\")re");
        for (const QRegularExpressionMatch& m : topic.globalMatch(text)) {
            const QString anchor = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
            if (anchor == "help") continue;
            ++topics;
            EXPECT_TRUE(anchors.contains(anchor)) << name.toStdString() << ": " << anchor.toStdString();
        }
    }
    EXPECT_GT(topics, 20);
}

// The directory of a new project may be typed before it exists; an empty one is refused, and
// Cancel gives none.
TEST_F(DesktopTest, TheDirectoryOfANewProjectMayBeTypedBeforeItExists) {
    const std::string typed = work.File("Later/Bank");
    QtFileDialogs qt;
    int shown = 0;
    const auto play = [&](TedDirectoryName& chooser) {
        ++shown;
        EXPECT_EQ(chooser.windowTitle(), "New Project");
        chooser.DirectoryEdit().Edit().clear();
        chooser.ClickOK();  // refused: stays open
        chooser.DirectoryEdit().Edit().setText(QString::fromStdString(typed));
        shown == 1 ? chooser.ClickOK() : chooser.ClickCancel();
    };
    for (const std::optional<std::string>& expected : {std::optional(typed), std::optional<std::string>()})
        Playing<TedDirectoryName>(play,
                                  [&] { EXPECT_EQ(qt.NewDirectory(nullptr, "New Project", work.Path()), expected); });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dialogs.Messages(), Names(2, "Please, fill in the field 'Directory'"));
}

}  // namespace
}  // namespace quillon::test
