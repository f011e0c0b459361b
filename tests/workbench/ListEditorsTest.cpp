// The list editors: added units with their form resources, the project's releases with the
// release dialog's refusal, question and run, and a module's copy rules; each on a working copy
// that Apply writes back and Cancel forgets.
#include <filesystem>

#include "elements/AddedUnits.h"
#include "elements/ReleaseElements.h"
#include "platform/ShellOpen.h"
#include "project/Project.h"
#include "support/NativePath.h"
#include "workbench/ListEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class ListEditorTest : public WorkbenchTest {
protected:
    void SetUp() override { module = &NewProjectWithAClass().Module(); }
    TemgpProject& Project() { return Window().Project(); }

    TemgModule* module = nullptr;
};

// --- Added units -------------------------------------------------------------------------------------

class AddUnitsEditorTest : public ListEditorTest {
protected:
    TfrAddUnitsEditor& Editor() { return CurrentEditor<TfrAddUnitsEditor>(); }
    // Adds `file` through "Add to project".
    void AddFile(const std::string& file) {
        files->answers.push_back(file);
        Editor().AddButton().click();
    }
};

TEST_F(AddUnitsEditorTest, AFormUnitIsDescribedFromTheFirstLineOfItsFormFile) {
    std::filesystem::create_directories(work.File("forms"));
    WriteText(work.File("forms/Main.pas"), "unit Main;");
    WriteText(work.File("forms/Main.dfm"), "object MainForm: TMainForm\r\n  Left = 0\r\nend\r\n");
    Select(&module->AddUnits());
    Playing<TedFormDescription>(
        [](TedFormDescription& form) {
            EXPECT_EQ(form.windowTitle(), "Form Resources");
            EXPECT_EQ(form.FileNameEdit().Text(), NativePath("forms/Main.pas"));
            EXPECT_EQ(form.FormFileEdit().Text(), NativePath("forms/Main.dfm"));
            EXPECT_EQ(form.FormNameEdit().Text(), "MainForm");
            EXPECT_FALSE(form.FrameBox().isChecked());
            form.FrameBox().click();
            form.ClickOK();
        },
        [&] { AddFile(work.File("forms/Main.pas")); });
    EXPECT_EQ(files->askedDirs.back(), work.Prefix());  // the module's source directory
    EXPECT_EQ(Editor().List().List().topLevelItemCount(), 1);
    EXPECT_EQ(module->AddUnits().Count(), 0);  // not before Apply
    Editor().ClickOK();
    ASSERT_EQ(module->AddUnits().Count(), 1);
    const TemgAddUnit& unit = *module->AddUnits().Items(0);
    EXPECT_EQ(unit.GetName(), NativePath("forms/Main.pas"));
    EXPECT_EQ(unit.GetUnitType(), autForm);
    EXPECT_EQ(unit.GetFormName(), "MainForm");
    EXPECT_TRUE(unit.GetFrame());
}

// Files are added in the order chosen, those already there skipped; only a form whose form file
// is text asks for its resources, and Cancel there drops the whole choice; a form whose form file
// is not text is added with an empty form name, and a message says so.
TEST_F(AddUnitsEditorTest, FilesAreAddedInTheOrderChosenAndOnlyATextFormAsks) {
    for (const char* name : {"Tools", "Money", "Main", "Binary", "Other", "Second"})
        WriteText(work.File(std::string(name) + ".pas"), std::string("unit ") + name + ";");
    WriteText(work.File("Main.dfm"), "object MainForm: TMainForm\r\nend\r\n");
    WriteText(work.File("Binary.dfm"), std::string("TPF0\x07TBinary\0", 13));
    WriteText(work.File("Second.dfm"), "inherited Second: TSecond\n");
    Select(&module->AddUnits());
    const auto listed = [&] {  // each unit, a form with "=" and its form name
        std::string text;
        for (int i = 0; i < Editor().Working().Count(); ++i) {
            const TemgAddUnit& unit = *Editor().Working().Items(i);
            text += unit.GetName() + (unit.GetUnitType() == autForm ? "=" + unit.GetFormName() : "") + " ";
        }
        return text;
    };
    const struct {
        std::vector<std::string> chosen;
        bool ok;  // the answer to the form's resources
        int asked;
        std::string listed;
    } steps[] = {{{"Tools", "Main", "Money"}, true, 1, "Tools.pas Main.pas=MainForm Money.pas "},
                 {{"Money", "Tools"}, true, 0, "Tools.pas Main.pas=MainForm Money.pas "},
                 {{"Binary"}, true, 0, "Tools.pas Main.pas=MainForm Money.pas Binary.pas= "},
                 {{"Other", "Second"}, false, 1, "Tools.pas Main.pas=MainForm Money.pas Binary.pas= "}};
    for (const auto& step : steps) {
        int asked = 0;
        std::string chosen;
        for (const std::string& name : step.chosen) chosen += (chosen.empty() ? "" : "\n") + work.File(name + ".pas");
        {
            ScopedDialogRunner runner([&](TfmBaseDialog& dialog) {
                ++asked;
                step.ok ? dialog.ClickOK() : dialog.ClickCancel();
            });
            AddFile(chosen);
        }
        EXPECT_EQ(asked, step.asked) << step.listed;
        EXPECT_EQ(listed(), step.listed);
    }
    EXPECT_EQ(Editor().List().Selected(), 3);
    EXPECT_EQ(dialogs.Messages(), Names{"Form file '" + work.File("Binary.dfm") +
                                        "' does not begin with an object declaration; the form name stays empty"});
}

// Deleting needs no question, and Cancel forgets every list edit; editing a form unit without its
// form file says so and still opens the dialog; Apply puts copies of the working list in place of
// the module's items.
TEST_F(AddUnitsEditorTest, CancelForgetsEveryListEditAndApplyWritesThem) {
    for (const char* name : {"A.pas", "B.pas", "C.pas"}) module->AddUnits().Add()->SetName(name);
    module->AddUnits().Items(2)->SetUnitType(autForm);
    module->SetModified(false);
    Select(&module->AddUnits());
    Editor().List().Select(1);
    Editor().List().DoDelete();  // no question queued: asking would throw
    Editor().List().Select(1);
    Editor().List().DoMove(-1);
    EXPECT_TRUE(dialogs.Questions().empty());
    ASSERT_EQ(Editor().Working().Count(), 2);
    EXPECT_EQ(Editor().Working().Items(0)->GetName(), "C.pas");
    EXPECT_TRUE(Editor().Changed());
    Editor().ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    ASSERT_EQ(module->AddUnits().Count(), 3);
    EXPECT_EQ(module->AddUnits().Items(1)->GetName(), "B.pas");
    EXPECT_FALSE(module->GetModified());

    Select(&module->CopyFiles());  // the cancelled node has no editor until selected again
    Select(&module->AddUnits());
    Editor().List().Select(0);
    Editor().List().DoDelete();
    Editor().List().Select(1);
    Playing<TedFormDescription>(
        [](TedFormDescription& form) {
            EXPECT_FALSE(form.FormNameEdit().isHidden());
            form.FormNameEdit().Edit().setText("CForm");
            form.ClickOK();
        },
        [&] { Editor().List().DoEdit(); });
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("Form file '" + work.File("C.dfm") + "' cannot be read"), std::string::npos)
        << dialogs.Messages()[0];
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    EXPECT_EQ(SettledEditor(), editor);
    ASSERT_EQ(module->AddUnits().Count(), 2);
    EXPECT_EQ(module->AddUnits().Items(0)->GetName(), "B.pas");
    EXPECT_EQ(module->AddUnits().Items(1)->GetFormName(), "CForm");
    EXPECT_TRUE(module->GetModified());
}

// --- Releases ----------------------------------------------------------------------------------------

class ReleasesEditorTest : public ListEditorTest {
protected:
    void SetUp() override {
        ListEditorTest::SetUp();
        Select(&Project().Releases());
    }
    TfrReleasesEditor& Editor() { return CurrentEditor<TfrReleasesEditor>(); }
};

TEST_F(ReleasesEditorTest, TheReleaseDialogRefusesMissingFieldsAndAsksBeforeCopying) {
    std::vector<std::string> opened;
    ShellOpenScope shell([&](const std::string& path) { opened.push_back(path); });
    int round = 0;
    const auto play = [&](TedRelease& release) {
        if (round == 0) {
            EXPECT_EQ(release.windowTitle(), "Release");
            EXPECT_EQ(release.NameEdit().Text(), "Release1");
            EXPECT_EQ(release.DllSubdirEdit().Text(), "dll");
            EXPECT_TRUE(release.CopyFilesBox().isChecked());
            release.ClassOption().click();
            release.ClickOK();  // no directory yet: refused, the dialog stays open
            EXPECT_EQ(release.result(), QDialog::Rejected);
            EXPECT_EQ(LastMessage(), "Please, fill in the field 'Directory'");
            release.NameEdit().Edit().setText("Beta");
            release.VersionEdit().Edit().setText("1.2");
            release.DirectoryEdit().Edit().setText("rel");
        }
        EXPECT_EQ(release.ClassCombo().currentText(), "ExtClass1");
        dialogs.QueueAnswer(round == 0 ? DialogAnswer::No : DialogAnswer::Yes);
        release.ClickOK();
        ++round;
    };
    // No: the release is defined, nothing is copied.
    Playing<TedRelease>(play, [&] { Editor().List().DoNew(); });
    EXPECT_EQ(dialogs.Questions(), Names{"Copy files to " + work.File("rel") + "?"});
    EXPECT_FALSE(std::filesystem::exists(work.File("rel")));
    ASSERT_EQ(Editor().Working().Count(), 1);

    // Yes on an edit: the release runs and reports what it could not copy.
    Editor().List().Select(0);
    Playing<TedRelease>(play, [&] { Editor().List().DoEdit(); });
    EXPECT_TRUE(std::filesystem::is_directory(work.File("rel/dll")));
    EXPECT_EQ(opened, Names{work.File("rel")});
    EXPECT_EQ(dialogs.Log().back().kind, MessageKind::Warning);
    EXPECT_NE(dialogs.Log().back().text.find("Release 'Beta' finished with problems:\nFile '" +
                                             work.File("ExtClass1.dll") + "' not found"),
              std::string::npos)
        << dialogs.Log().back().text;

    const QTreeWidgetItem* row = Editor().List().List().topLevelItem(0);
    EXPECT_EQ(row->text(0), "Beta");
    EXPECT_EQ(row->text(1), "ExtClass1");
    EXPECT_EQ(row->text(2), "1.2");
    EXPECT_FALSE(row->text(3).isEmpty());

    EXPECT_EQ(Project().Releases().Count(), 0);
    Editor().ClickOK();
    ASSERT_EQ(Project().Releases().Count(), 1);
    const TReleaseDll& release = *Project().Releases().Items(0);
    EXPECT_EQ(release.GetName(), "Beta");
    EXPECT_EQ(release.GetCaption(), "1.2");
    EXPECT_EQ(release.GetOption(), roModule);
    EXPECT_EQ(release.GetModuleName(), "ExtClass1");
    EXPECT_EQ(release.GetPath(), "rel");
    EXPECT_GT(release.GetDateTime(), 0);
    EXPECT_TRUE(Project().GetModified());
}

// A name another release has is refused; deleting asks; Cancel keeps the project's releases.
TEST_F(ReleasesEditorTest, ATakenNameIsRefusedDeletingAsksAndCancelKeepsTheReleases) {
    Project().Releases().Add()->SetName("Beta");
    Project().Releases().Add()->SetName("Gamma");
    Project().SetModified(false);
    Select(&Project());
    Select(&Project().Releases());
    Editor().List().Select(1);
    Playing<TedRelease>(
        [&](TedRelease& release) {
            release.NameEdit().Edit().setText("beta");
            release.ClickOK();
            EXPECT_EQ(LastMessage(), "Name beta is not unique");
            release.ClickCancel();
        },
        [&] { Editor().List().DoEdit(); });
    EXPECT_EQ(Editor().Working().Items(1)->GetName(), "Gamma");

    Editor().List().Select(0);
    dialogs.QueueAnswer(DialogAnswer::No);
    Editor().List().DoDelete();
    EXPECT_EQ(Editor().Working().Count(), 2);
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Editor().List().DoDelete();
    EXPECT_EQ(Editor().Working().Count(), 1);
    EXPECT_EQ(dialogs.Questions(), (Names{"Delete 'Beta'?", "Delete 'Beta'?"}));

    Editor().ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(Project().Releases().Count(), 2);
    EXPECT_FALSE(Project().GetModified());
}

// --- Copy rules --------------------------------------------------------------------------------------

class CopyFilesEditorTest : public ListEditorTest {
protected:
    void SetUp() override {
        ListEditorTest::SetUp();
        Select(&module->CopyFiles());
    }
    TfrCopyFilesEditor& Editor() { return CurrentEditor<TfrCopyFilesEditor>(); }
};

// "Copy Files" runs the rule as the dialog shows it; a new rule needs both paths and reaches the
// module on Apply.
TEST_F(CopyFilesEditorTest, CopyFilesRunsTheRuleAndANewRuleNeedsBothPaths) {
    Playing<TedCopyFile>(
        [](TedCopyFile& rule) {
            rule.PasPathEdit().Edit().setText("pas");
            rule.DllPathEdit().Edit().setText("dll");
            rule.CopyButton().click();
            rule.ClickCancel();
        },
        [&] { Editor().List().DoNew(); });
    EXPECT_EQ(Editor().Working().Count(), 0);  // cancelled
    ASSERT_FALSE(dialogs.Log().empty());
    EXPECT_EQ(dialogs.Log().back().kind, MessageKind::Warning);
    EXPECT_NE(dialogs.Log().back().text.find("Copying 'CopyRule1' finished with problems:\nFile '" +
                                             work.File("ExtClass1.dll") + "' not found"),
              std::string::npos)
        << dialogs.Log().back().text;

    std::filesystem::create_directories(work.File("host/pas"));
    files->answers.push_back(work.File("host/pas"));
    Playing<TedCopyFile>(
        [&](TedCopyFile& rule) {
            EXPECT_EQ(rule.windowTitle(), "Copy Files");
            EXPECT_TRUE(rule.AllDllsBox().isChecked());
            rule.PasPathEdit().Button().click();  // browses for host/pas
            EXPECT_EQ(rule.PasPathEdit().Text(), NativePath("host/pas"));
            rule.ClickOK();
            EXPECT_EQ(LastMessage(), "Please, fill in the field 'DLL Path'");
            rule.DllPathEdit().Edit().setText("host/dll");
            rule.AllDllsBox().click();
            rule.ClickOK();
        },
        [&] { Editor().List().DoNew(); });
    EXPECT_EQ(module->CopyFiles().Count(), 0);
    Editor().ClickApply();
    ASSERT_EQ(module->CopyFiles().Count(), 1);
    const TCopyFileItem& rule = *module->CopyFiles().Items(0);
    EXPECT_EQ(rule.GetName(), "CopyRule1");
    EXPECT_EQ(rule.GetPasPath(), NativePath("host/pas"));
    EXPECT_EQ(rule.GetDllPath(), "host/dll");
    EXPECT_FALSE(rule.GetAllDlls());
    EXPECT_EQ(Editor().List().List().topLevelItem(0)->text(3), "No");
}

}  // namespace
}  // namespace quillon::test
