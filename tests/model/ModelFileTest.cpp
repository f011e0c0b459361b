#include <gtest/gtest.h>
#include <signal.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <filesystem>
#include <functional>
#include <tuple>
#include <vector>

#include "SampleModel.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/Lines.h"

namespace quillon::test {
namespace {

std::string CommaTextOf(std::vector<std::string> strings) {
    TStringList list;
    list.SetItems(std::move(strings));
    return list.CommaText();
}

class ModelFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("Calc.qlm");
};

// A file begins with header and options objects without names. What was written reads back; a
// file of another signature (compared exactly), a missing one and one that cannot be created are
// refused by name, the model and options left untouched.
TEST_F(ModelFile, BeginsWithHeaderAndCommaTextOptionsReadsBackAndRefusesOtherSignaturesAndMissingFiles) {
    TSampleModel model, copy;
    WriteModelFile(model, path, kModuleSignature, "");
    EXPECT_EQ(ReadText(path), CrLf({"object TModelFileHeader",
                                    "  Signature = 'MIF'",
                                    "end",
                                    "object TModelFileOptions",
                                    "end",
                                    "object TSampleModel"}) +
                                  PropertiesToText(model, 1) + "end\r\n");
    WriteModelFile(model, path, kModuleSignature, "a,\"b c\"");
    EXPECT_NE(ReadText(path).find(CrLf({"object TModelFileOptions", "  Options = 'a,\"b c\"'", "end"})),
              std::string::npos);
    FillSampleModel(model, 2);
    WriteModelFile(model, path, kModuleSignature, "x,y");
    std::string options;
    ReadModelFile(copy, path, kModuleSignature, options);
    EXPECT_EQ(options, "x,y");
    EXPECT_EQ(ObjectToText(copy), ObjectToText(model));
    TSampleModel project, fresh;
    project.SetTitle("project");
    WriteModelFile(project, path, kProjectSignature, "");
    for (const auto& [file, signature, error] : {std::tuple{path, kModuleSignature, std::string("Error file format")},
                                                 {path, "pif", "Error file format"},
                                                 {dir.File("Gone.qlm"), kModuleSignature, "Cannot open file " + dir.File("Gone.qlm")}}) {
        options = "kept";
        EXPECT_EQ(test::ExceptionMessage([&] { ReadModelFile(fresh, file, signature, options); }), error);
        EXPECT_EQ(fresh.GetTitle(), "");
        EXPECT_EQ(options, "kept");
    }
    WriteText(dir.File("plain"), "a file, not a directory");
    const std::string impossible = dir.File("plain/Calc.qlm");
    const std::string error = test::ExceptionMessage([&] { WriteModelFile(TSampleModel(), impossible, kModuleSignature, ""); });
    EXPECT_EQ(error.rfind("Cannot create file " + impossible, 0), 0u) << error;
    // The options of a model file are a comma text: entries with blanks, control characters,
    // commas or quotes are quoted, and what is written reads back.
    EXPECT_EQ(CommaTextOf({"a", "b"}), "a,b");
    EXPECT_EQ(CommaTextOf({"a b", "c,d", "say \"hi\"", "tab\there", "plain"}),
              "\"a b\",\"c,d\",\"say \"\"hi\"\"\",\"tab\there\",plain");
    EXPECT_EQ(CommaTextOf({}), "");
    EXPECT_EQ(CommaTextOf({""}), "\"\"");
    EXPECT_EQ(CommaTextOf({"a", "", "b"}), "a,,b");
    // Reading separates at unquoted blanks and tolerates an unclosed quote.
    TStringList list;
    list.SetCommaText("  one two , \"three");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"one", "two", "three"}));
    for (const std::vector<std::string>& strings :
         std::vector<std::vector<std::string>>{{"a b", "c,d", "say \"hi\"", "", "x"}, {""}, {"", ""}, {"a", ""}, {}}) {
        list.SetItems({"stale"});
        list.SetCommaText(CommaTextOf(strings));
        EXPECT_EQ(list.Items(), strings) << CommaTextOf(strings);
    }
}

#ifndef _WIN32
// Limits the size of files this process may write, for the lifetime of the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);  // a failing write() instead of a signal
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    sighandler_t previousHandler_;
};

TEST_F(ModelFile, KeepsTheOldFileIntactWhenWritingFailsAndMarksFilesSavedTogetherWrittenInPlaceLinuxOnly) {
    TSampleModel small;
    WriteModelFile(small, path, kModuleSignature, "");
    const std::string before = ReadText(path);
    TSampleModel large;
    FillSampleModel(large, 200);
    std::string error;
    {
        FileSizeLimit limit(4096);
        error = test::ExceptionMessage([&] { WriteModelFile(large, path, kModuleSignature, ""); });
    }
    EXPECT_EQ(error.rfind("Cannot create file " + path, 0), 0u) << error;
    EXPECT_EQ(ReadText(path), before);
    // No temporary file is left behind.
    EXPECT_EQ(FileNames(dir.Path()).size(), 1u);
    // Files saved together are marked written only once in place.
    const std::string first = dir.File("First.qlm"), second = dir.File("Second.qlm");
    std::vector<std::string> written;
    {
        ModelFilesSave save;
        save.Add(first, "first", [&] { written.push_back("First"); });
        save.Add(second, "second", [&] { written.push_back("Second"); });
        EXPECT_TRUE(written.empty());
        // Second.qlm turns into a directory with an entry, which no file can replace (Wine
        // replaces it).
        std::filesystem::create_directories(second + "/inside");
        EXPECT_EQ(test::ExceptionMessage([&] { save.Commit(); }).rfind("Cannot create file " + second + " (", 0), 0u);
    }
    // The file in place counts as written; the other does not.
    EXPECT_EQ(written, std::vector<std::string>{"First"});
    EXPECT_EQ(ReadText(first), "first");
    EXPECT_EQ(FileNames(dir.Path()).size(), 3u);
}

#endif

}  // namespace
}  // namespace quillon::test
