// What the workbench asks of the desktop: files and folders handed to the program associated with
// them (and said so when there is none), and the directory of a new project, which may be typed
// before it exists.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QUrl>

#include "platform/ShellOpen.h"
#include "workbench/DesktopOpen.h"
#include "workbench/EditorFrames.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

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
        Playing<TedDirectoryName>(play, [&] { EXPECT_EQ(qt.NewDirectory(nullptr, "New Project", work.Path()), expected); });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dialogs.Messages(), Names(2, "Please, fill in the field 'Directory'"));
}

}  // namespace
}  // namespace quillon::test
