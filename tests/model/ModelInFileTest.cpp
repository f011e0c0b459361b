#include <gtest/gtest.h>

#include <filesystem>

#include "SampleModel.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

// Sets a file's modification time `seconds` away from its current one.
void ShiftFileTime(const std::string& path, int seconds) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

// A collection of sample entries that records the order of ItemLoaded calls.
class TRecordingEntries : public TSampleEntries {
public:
    std::vector<std::string> loaded;

protected:
    void ItemLoaded(TModelInFile& item) override { loaded.push_back(item.GetFileName()); }
};

class ModelInFile : public ::testing::Test {
protected:
    // Writes a module file `name` whose model has the title `title`.
    std::string WriteModule(const std::string& name, const std::string& title, const std::string& options = "") {
        TSampleModel model;
        model.SetTitle(title);
        WriteModelFile(model, dir.File(name), kModuleSignature, options);
        return dir.File(name);
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    ScopedDialogs installed{dialogs};
    TRecordingEntries entries;
};

TEST_F(ModelInFile, LoadsAndSavesTheBareFileNameInTheGivenDirectoryOrReportsItMissing) {
    const std::string path = WriteModule("Calc.qlm", "calc", "one,\"two words\"");
    TSampleEntry& entry = *entries.Add();
    entry.SetFileName("C:\\Elsewhere\\Calc.qlm");
    entry.LoadFromDir(dir.Path());
    EXPECT_EQ(entry.GetFileName(), path);
    EXPECT_EQ(entry.SampleModel().GetTitle(), "calc");
    EXPECT_EQ(entry.Options().Items(), (std::vector<std::string>{"one", "two words"}));
    EXPECT_EQ(entry.GetFileDate(), *FileAge(path));
    EXPECT_FALSE(entry.SampleModel().GetModified());
    EXPECT_TRUE(dialogs.Log().empty());
    TSampleEntry& gone = *entries.Add();
    gone.SetFileName("/old/Gone.qlm");
    gone.LoadFromDir(dir.Path());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.Log()[0].text, "File '" + dir.File("Gone.qlm") + "' not found");
    EXPECT_EQ(gone.GetFileName(), "/old/Gone.qlm");
    EXPECT_EQ(gone.GetFileDate(), 0);
    // Saving to the directory keeps the file name and clears the modified flag.
    TSampleEntry& created = *entries.Add();
    created.SetFileName("/elsewhere/New.qlm");
    created.Options().Add("a b");
    created.SampleModel().SetTitle("new");
    ASSERT_TRUE(created.SampleModel().GetModified());
    EXPECT_TRUE(created.SaveToDir(dir.Path()));
    EXPECT_EQ(created.GetFileName(), "/elsewhere/New.qlm");
    EXPECT_FALSE(created.SampleModel().GetModified());
    EXPECT_EQ(created.GetFileDate(), *FileAge(dir.File("New.qlm")));
    TSampleModel copy;
    std::string options;
    ReadModelFile(copy, dir.File("New.qlm"), kModuleSignature, options);
    EXPECT_EQ(copy.GetTitle(), "new");
    EXPECT_EQ(options, "\"a b\"");
}

class ReplaceQuestion : public ModelInFile {
protected:
    void SetUp() override {
        path = WriteModule("Calc.qlm", "on disk");
        entry.SetFileName(path);
        entry.LoadFromDir(dir.Path());
        remembered = entry.GetFileDate();
        entry.SampleModel().SetTitle("edited");
        ShiftFileTime(path, 60);  // another program saved the file
        onDisk = ReadText(path);
    }
    std::string ExpectedQuestion() const {
        return "File '" + path + "' has another version. File has been changed " + DateTimeToText(*FileAge(path)) +
               ". Replace it with the version of " + DateTimeToText(remembered);
    }

    std::string path;
    TSampleEntry& entry = *entries.Add();
    TDateTime remembered = 0;
    std::string onDisk;
};

TEST_F(ReplaceQuestion, CancelAbortsNoKeepsTheFileAndTheModelYesWritesTheFileAndNoneIsAskedElsewhere) {
    const std::string question = ExpectedQuestion();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    EXPECT_THROW(entry.SaveToDir(dir.Path()), EAbort);
    EXPECT_EQ(ReadText(path), onDisk);
    dialogs.QueueAnswer(DialogAnswer::No);
    EXPECT_FALSE(entry.SaveToDir(dir.Path()));
    EXPECT_EQ(ReadText(path), onDisk);
    EXPECT_TRUE(entry.SampleModel().GetModified());
    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(entry.SaveToDir(dir.Path()));
    EXPECT_EQ(dialogs.Questions(), std::vector<std::string>(3, question));
    EXPECT_EQ(dialogs.Log()[0].buttons, AskButtons::YesNoCancel);
    EXPECT_NE(ReadText(path), onDisk);
    EXPECT_FALSE(entry.SampleModel().GetModified());
    // Not asked when the file is saved elsewhere or gone.
    ShiftFileTime(path, 60);
    TempDir other;
    EXPECT_TRUE(entry.SaveToDir(other.Path()));
    fs::remove(path);
    entry.SampleModel().SetTitle("again");
    EXPECT_TRUE(entry.SaveToDir(dir.Path()));
    EXPECT_EQ(dialogs.Questions().size(), 3u);
}

TEST_F(ReplaceQuestion, ChangedFileIsReloadedOnYes) {
    dialogs.QueueAnswer(DialogAnswer::No);
    EXPECT_TRUE(entry.CheckFileChanged());
    EXPECT_EQ(entry.SampleModel().GetTitle(), "edited");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(entry.CheckFileChanged());
    EXPECT_EQ(dialogs.Questions(), std::vector<std::string>(2, "File '" + path + "' is changed. Update?"));
    EXPECT_EQ(entry.SampleModel().GetTitle(), "on disk");
    EXPECT_FALSE(entry.CheckFileChanged());  // the reload remembered the new time
    EXPECT_EQ(dialogs.Questions().size(), 2u);
}

TEST_F(ModelInFile, LoadAllLoadsInOrderSaveAllWritesOnlyModifiedModelsAndTheCollectionForwardsFlags) {
    const std::string first = WriteModule("A.qlm", "a");
    const std::string second = WriteModule("B.qlm", "b");
    entries.Add()->SetFileName("A.qlm");
    entries.Add()->SetFileName("B.qlm");
    entries.LoadAll(dir.Path());
    EXPECT_EQ(entries.loaded, (std::vector<std::string>{first, second}));
    EXPECT_FALSE(entries.GetModified());

    static_cast<TSampleEntry*>(entries.Items(1))->SampleModel().SetTitle("b2");
    EXPECT_TRUE(entries.GetModified());
    // An hour-old time on the unmodified file shows whether it was rewritten.
    ShiftFileTime(first, -3600);
    const auto firstTime = fs::last_write_time(first);
    entries.SaveAll(dir.Path());
    EXPECT_EQ(fs::last_write_time(first), firstTime);
    TSampleModel written;
    std::string options;
    ReadModelFile(written, second, kModuleSignature, options);
    EXPECT_EQ(written.GetTitle(), "b2");
    EXPECT_FALSE(entries.GetModified());
    EXPECT_TRUE(dialogs.Log().empty());
    TSampleEntry& entry = *entries.Add();
    entry.SampleModel().SetTitle("x");
    EXPECT_TRUE(entries.GetModified());
    entries.SetModified(false);
    EXPECT_FALSE(entry.SampleModel().GetModified());
    entries.SetItemModified(entry.Index(), true);
    EXPECT_TRUE(entry.GetModified());
    EXPECT_TRUE(entry.SampleModel().GetModified());
    TSampleEntry target;
    entry.SetFileName("/p/A.qlm");
    target.Assign(entry);
    EXPECT_EQ(target.GetFileName(), "/p/A.qlm");
    EXPECT_EQ(target.SampleModel().GetTitle(), "");
    EXPECT_FALSE(target.GetModified());
}

}  // namespace
}  // namespace quillon::test
