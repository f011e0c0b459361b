// Text and paths beyond ASCII through the command line: a project in a folder named beyond ASCII
// with a caption beyond it, in each encoding of generated files; network names on Windows.
#include <gtest/gtest.h>

#include <functional>

#include "CliRun.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

// A folder and a caption beyond ASCII: the generated files hold both in the project's encoding
// byte for byte, a second run writes nothing, and the model files stay ASCII.
TEST(CliText, GeneratesTextBeyondAsciiInTheProjectsEncodingOnce) {
    TempDir dir;
    const std::string project = dir.File("J\xC3\xBCrgen/Project1.qlp");
    ASSERT_EQ(RunCommand({"new", dir.File("J\xC3\xBCrgen")}).status, 0);
    std::string moduleFile;
    const auto edit = [&](const std::function<void(TemgpProject&)>& change, const std::string& file = {}) {
        std::unique_ptr<TemgpProject> loaded = cli::LoadProject(file.empty() ? project : file);
        change(*loaded);
        loaded->SaveToFile(loaded->GetFileName());
    };
    edit([&](TemgpProject& p) {
        TemgpModule& entry = p.AddClassModule();
        entry.Module().MainClass().SetCaption("\xC3\x9C" "berweisung");
        moduleFile = entry.GetFileName();
    });
    EXPECT_NE(ReadText(moduleFile).find("Caption = #220'berweisung'"), std::string::npos);
    const std::string unit = dir.File("J\xC3\xBCrgen/genExtClass1.pas");
    const std::string library = dir.File("J\xC3\xBCrgen/ExtClass1.dpr");
    const struct {
        TGeneratedFileEncoding encoding;
        std::string caption, folder;
    } encodings[] = {{geAnsi, "\xDC" "berweisung", "J\xFCrgen"}, {geUtf8Bom, "\xC3\x9C" "berweisung", "J\xC3\xBCrgen"}};
    for (const auto& e : encodings) {
        edit([&](TemgpProject& p) { p.SetGeneratedFileEncoding(e.encoding); });
        EXPECT_EQ(RunCommand({"generate", project}).status, 0);
        const Outcome again = RunCommand({"generate", project});
        EXPECT_EQ(again.out, "Wrote 0 files\n") << again.err;
        EXPECT_EQ(RunCommand({"generate", project, "--check"}).status, 0);
        EXPECT_EQ(ReadText(unit).starts_with("\xEF\xBB\xBF"), e.encoding == geUtf8Bom);
        EXPECT_NE(ReadText(unit).find("{" + e.caption + "}"), std::string::npos);
        EXPECT_NE(ReadText(library).find(e.folder), std::string::npos);
    }
    EXPECT_TRUE(IsAscii(ReadText(project)) && IsAscii(ReadText(moduleFile)));

    // Cyrillic has no place in the Western code page: the check names the folder; UTF-8 holds it.
    const std::string cyrillic = dir.File("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82\xD1\x8B/Project1.qlp");
    ASSERT_EQ(RunCommand({"new", ExtractFilePath(cyrillic)}).status, 0);
    const Outcome check = RunCommand({"check", cyrillic});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("error: " + ExtractFilePath(cyrillic) + " cannot be written in code page 1252"),
              std::string::npos)
        << check.out;
    edit([](TemgpProject& p) { p.SetGeneratedFileEncoding(geUtf8Bom); }, cyrillic);
    EXPECT_EQ(RunCommand({"check", cyrillic}).status, 0);
}

#ifdef _WIN32
// A network name stays whole (Wine has no such share, so it is not found under its own name).
TEST(CliText, ExpandsANetworkNameAsAWhole) {
    EXPECT_EQ(RunCommand({"show", "\\\\srv\\share\\Bank\\Project1.qlp"}).err,
              "quillon-cli: File '\\\\srv\\share\\Bank\\Project1.qlp' not found\n");
}
#endif

}  // namespace
}  // namespace quillon::test
