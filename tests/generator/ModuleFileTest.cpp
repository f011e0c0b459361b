// The module in its file notation: a switched-on login prompt is kept, and a module with every
// value set reads back to the same text. (What a module stores by default the canonical module
// file of the command-line tests pins.)
#include <gtest/gtest.h>

#include "generator/Module.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"

#include "GeneratorTestSupport.h"

namespace quillon {
namespace {

TEST(ModuleFile, AModuleWithEveryValueSetReadsBackToTheSameTextAndFile) {
    TemgModule module;
    test::FillEveryField(module);
    const std::string text = ObjectToText(module);

    TemgModule copy;
    ObjectFromText(text, copy);
    EXPECT_EQ(ObjectToText(copy), text);
    // Spot checks that the values arrived, not only their text.
    EXPECT_EQ(copy.MainClassName(), "Account");
    EXPECT_EQ(copy.DebugApplications().Items(0)->Methods().Count(), 2);
    EXPECT_EQ(copy.DebugApplications().Module(), &copy);
    EXPECT_TRUE(copy.GetLibraryPathSameExe());
    EXPECT_EQ(copy.GetDatabaseSupport(), TDatabaseSupport{dbsSetDatabaseParams});
    // A fresh module's connection asks for no login while the stored default of a connection is
    // to ask: the module's connection writes its login prompt either way, so switching it on
    // survives.
    EXPECT_TRUE(copy.Connection().GetLoginPrompt());
    ObjectFromText(ObjectToText(TemgModule()), copy);
    EXPECT_FALSE(copy.Connection().GetLoginPrompt());
    // Written to a file and read, it gives the same file.
    test::TempDir dir;
    WriteModelFile(module, dir.File("Account.qlm"), kModuleSignature, "");
    TemgModule loaded;
    std::string options;
    ReadModelFile(loaded, dir.File("Account.qlm"), kModuleSignature, options);
    EXPECT_EQ(ModelFileText(loaded, kModuleSignature, ""), test::ReadText(dir.File("Account.qlm")));
}

}  // namespace
}  // namespace quillon
