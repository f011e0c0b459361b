// The synthetic projects of the scale benchmarks: valid by construction, deterministic for a
// seed, and a round trip through the model files that keeps their quotes and UTF-8 text.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratorTestSupport.h"
#include "generator/UnitBuilder.h"
#include "model/ComponentFile.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "support/TempDir.h"
#include "synth/SyntheticProject.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

constexpr SyntheticShape kSmall{.modules = 8, .members = 18, .seed = 7};

class SyntheticProjectTest : public ::testing::Test {
protected:
    SyntheticProjectTest() : installed_(dialogs_) {}

    // Every file of the directory (not below it), by bare name, with its bytes.
    static std::map<std::string, std::string> FilesOf(const std::string& dir) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadFileBytes(entry.path().string());
        return files;
    }

    TempDir work;

private:
    ScriptedDialogs dialogs_;
    ScopedDialogs installed_;
};

TEST_F(SyntheticProjectTest, LoadsChecksWithoutErrorsAndGeneratesEveryModule) {
    const std::string file = WriteSyntheticProject(work.Path(), kSmall);
    TemgpProject project;
    project.LoadFromFile(file);
    ASSERT_EQ(project.Modules().Count(), kSmall.modules + 1);
    EXPECT_EQ(project.CheckProject().Count(), 0);

    // Every member kind and every option the benchmarks claim to cover is there.
    const TemgModule& common = project.FirstModule();
    EXPECT_GT(common.EnumTypes().Count(), 0);
    EXPECT_GT(common.ProceduralTypes().Count(), 3);  // beyond the three system types
    EXPECT_EQ(project.Releases().Count(), 2);
    std::set<TServerOption> options;
    int externals = 0, defaults = 0, varParameters = 0, constParameters = 0, bodies = 0, events = 0;
    for (const TemgModule* module : project.ClassModules()) {
        options.insert(module->GetServerOption());
        const TemgClass& cls = module->MainClass();
        EXPECT_GT(cls.Properties().Count(), 0);
        EXPECT_EQ(module->DebugApplications().Count(), 1);
        EXPECT_EQ(module->AddUnits().Count(), 2);
        EXPECT_EQ(module->CopyFiles().Count(), 1);
        EXPECT_EQ(module->RegisteredDataTypes().Count(), 1);
        events += cls.Events().Count();
        externals += cls.ExternalClasses().Count();
        for (int m = 0; m < cls.Methods().Count(); ++m) {
            const TemgMethod& method = *cls.Methods().Items(m);
            bodies += method.GetCode().find("\r\n") != std::string::npos;
            for (int p = 0; p < method.Parameters().Count(); ++p) {
                const TemgParameter& parameter = *method.Parameters().Items(p);
                defaults += !parameter.GetDefaultValue().empty();
                varParameters += parameter.GetCategory() == pcVar;
                constParameters += parameter.GetCategory() == pcConst;
            }
            EXPECT_TRUE(method.Parameters().DefaultsInOrder()) << method.GetName();
        }
    }
    EXPECT_EQ(options.size(), 4u);
    EXPECT_GT(events, 0);
    EXPECT_GT(externals, 0);
    EXPECT_GT(defaults, 0);
    EXPECT_GT(varParameters, 0);
    EXPECT_GT(constParameters, 0);
    EXPECT_GT(bodies, 0);

    project.GenerateAll();
    const std::string srcPath = project.GetSrcPath();
    EXPECT_TRUE(FileExists(common.OutputDirectory(srcPath) + common.KindFileName(TFileKind::TypesUnit)));
    for (const TemgModule* module : project.ClassModules()) {
        const std::string dir = module->OutputDirectory(srcPath);
        EXPECT_TRUE(FileExists(dir + module->KindFileName(TFileKind::GeneratorServerUnit))) << module->ModuleName();
        EXPECT_TRUE(FileExists(dir + module->KindFileName(TFileKind::ControllerUnit))) << module->ModuleName();
        EXPECT_EQ(FileExists(dir + module->KindFileName(TFileKind::InterfaceUnit)),
                  IsComOption(module->GetServerOption()))
            << module->ModuleName();
        EXPECT_EQ(FileExists(dir + module->KindFileName(TFileKind::LibraryProject)),
                  IsLibraryOption(module->GetServerOption()))
            << module->ModuleName();
    }
}

// Each design of one large class that the scale benchmark also measures is valid, generates, and
// has many of what it is about, which the plain design of properties does not have.
TEST_F(SyntheticProjectTest, EachExtraOfOneLargeClassChecksWithoutErrorsGeneratesAndHasManyOfItsPart) {
    using Extra = SyntheticShape::Extra;
    // Properties of procedural types, the first module's registered types, methods, debug form rows.
    std::map<Extra, std::array<int, 4>> counts;
    for (const Extra extra : {Extra::kNone, Extra::kProceduralProperties, Extra::kTypeUnits, Extra::kFormRows}) {
        SCOPED_TRACE(static_cast<int>(extra));
        TemgpProject project;
        project.LoadFromFile(WriteSyntheticProject(work.Path() + "/" + std::to_string(static_cast<int>(extra)),
                                                   {.modules = 1, .members = 160, .propertiesOnly = true, .extra = extra}));
        EXPECT_EQ(project.CheckProject().Count(), 0);
        const TemgClass& cls = project.ClassModules()[0]->MainClass();
        int procedural = 0;
        for (int i = 0; i < cls.Properties().Count(); ++i)
            procedural += cls.Properties().Items(i)->DataType().GetCategory() == dtProcedural;
        counts[extra] = {procedural, project.FirstModule().RegisteredDataTypes().Count(), cls.Methods().Count(),
                         project.ClassModules()[0]->DebugApplications().Items(0)->Methods().Count()};
        EXPECT_NO_THROW(project.GenerateAll());
    }
    const std::array<int, 4> plain = counts[Extra::kNone];
    const auto more = [&](Extra extra, std::size_t part) { return counts[extra][part] - plain[part]; };
    EXPECT_EQ(plain[0] + plain[3], 0);
    EXPECT_EQ(more(Extra::kProceduralProperties, 0), 10);
    EXPECT_EQ(more(Extra::kTypeUnits, 1), 16);
    EXPECT_EQ(more(Extra::kFormRows, 2), 80);
    EXPECT_EQ(more(Extra::kFormRows, 3), 80);
}

TEST_F(SyntheticProjectTest, OneSeedWritesTheSameFilesAnotherSeedOthersAndEveryModuleReadsBackAsBuilt) {
    const std::string first = work.File("first");
    const std::string again = work.File("again");
    const std::string other = work.File("other");
    WriteSyntheticProject(first, kSmall);
    WriteSyntheticProject(again, kSmall);
    WriteSyntheticProject(other, SyntheticShape{kSmall.modules, kSmall.members, kSmall.seed + 1});
    const auto firstFiles = FilesOf(first);
    EXPECT_EQ(firstFiles.size(), static_cast<std::size_t>(kSmall.modules + 2));
    EXPECT_EQ(firstFiles, FilesOf(again));
    EXPECT_NE(firstFiles, FilesOf(other));
    // The model text carries long captions, quotes, CR LF and UTF-8 in string values: what is read
    // back writes the very same text, module by module.
    TemgpProject built;
    BuildSyntheticProject(built, work.Path(), kSmall);
    built.SaveToFile(built.GetFileName());
    TemgpProject loaded;
    loaded.LoadFromFile(built.GetFileName());
    ASSERT_EQ(loaded.Modules().Count(), built.Modules().Count());
    for (int i = 0; i < built.Modules().Count(); ++i)
        EXPECT_EQ(ModelFileText(loaded.Modules().Items(i)->Module(), kModuleSignature, ""),
                  ModelFileText(built.Modules().Items(i)->Module(), kModuleSignature, ""))
            << built.Modules().Items(i)->GetFileName();
    EXPECT_EQ(ModelFileText(loaded, kProjectSignature, ""), ModelFileText(built, kProjectSignature, ""));
    EXPECT_EQ(loaded.Appellation().GetCaption(), built.Appellation().GetCaption());
}

// Keeps every file handed over in order, with the thread that handed it.
class OrderedWriter final : public IGeneratedFileWriter {
public:
    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override {
        files.push_back({fileName, std::string(text), rules.replaceExisting});
        threads.insert(std::this_thread::get_id());
        return true;
    }
    struct File {
        std::string name;
        std::string text;
        bool replace;
        bool operator==(const File&) const = default;
    };
    std::vector<File> files;
    std::set<std::thread::id> threads;
};

// The standard texts, but a failure for the units of one module, after its first unit.
class FailingBuilder final : public IUnitBuilder {
public:
    explicit FailingBuilder(std::string failing) : failing_(std::move(failing)) {}
    std::string UnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const override {
        if (module.MainClassName() == failing_ && kind != TFileKind::GeneratorServerUnit)
            throw Exception("cannot build " + failing_);
        return StandardUnitBuilder().UnitText(module, kind, resolver);
    }
    std::string FormText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const override {
        return StandardUnitBuilder().FormText(module, kind, resolver);
    }
    bool UsesCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver) const override {
        return StandardUnitBuilder().UsesCommonTypesUnit(module, resolver);
    }

private:
    std::string failing_;
};

// Worker threads build the texts; the writer still gets every file on the calling thread, in the
// order and with the texts of a one-thread run, and the progress counts up there too. The
// whole-project generation resolves external classes through its module index, one module at a
// time by walking the modules: both write the same texts.
TEST_F(SyntheticProjectTest, WorkersHandOverTheSameFilesInTheSameOrderOnTheCallingThreadAndStopAtAFailingModule) {
    TemgpProject project;
    BuildSyntheticProject(project, work.Path(), kSmall);
    OrderedWriter alone, single;
    project.GenerateAll(GenerationTools{StandardUnitBuilder(), alone}, 1, {});
    for (int i = 0; i < project.Modules().Count(); ++i)
        project.Modules().Items(i)->Module().Generate(project.GetSrcPath(), project.GetSearchPath(), false, project,
                                                      project.GetUnitHeader(), &project.FirstModule(),
                                                      GenerationTools{StandardUnitBuilder(), single});
    EXPECT_GT(alone.files.size(), static_cast<std::size_t>(kSmall.modules * 4));
    EXPECT_TRUE(single.files == alone.files);
    for (int workers : {2, 3, 16}) {
        OrderedWriter shared;
        std::vector<int> done;
        std::set<std::thread::id> progressThreads;
        project.GenerateAll(GenerationTools{StandardUnitBuilder(), shared}, workers, [&](int count, int total) {
            done.push_back(count);
            EXPECT_EQ(total, kSmall.modules + 1);
            progressThreads.insert(std::this_thread::get_id());
        });
        EXPECT_TRUE(shared.files == alone.files) << workers << " workers";
        EXPECT_EQ(shared.threads, std::set{std::this_thread::get_id()});
        EXPECT_EQ(progressThreads, std::set{std::this_thread::get_id()});
        ASSERT_EQ(done.size(), static_cast<std::size_t>(kSmall.modules + 1));
        for (std::size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], static_cast<int>(i) + 1);
    }
    // The modules point at the resolver they had before.
    for (int i = 0; i < project.Modules().Count(); ++i)
        EXPECT_EQ(project.Modules().Items(i)->Module().Resolver(), static_cast<const IModuleResolver*>(&project));
    // A module that fails stops the generation as on one thread: the files before the failure, its
    // own first unit included, are handed over, nothing after it, and the error reaches the caller.
    const FailingBuilder builder(project.Modules().Items(3)->Module().MainClassName());
    const auto run = [&](int workers) {
        OrderedWriter writer;
        EXPECT_EQ(ExceptionMessage([&] { project.GenerateAll(GenerationTools{builder, writer}, workers, {}); }),
                  "cannot build " + project.Modules().Items(3)->Module().MainClassName());
        return writer.files;
    };
    const std::vector<OrderedWriter::File> stopped = run(1);
    ASSERT_FALSE(stopped.empty());
    EXPECT_NE(stopped.back().name.find(project.Modules().Items(3)->Module().MainClassName()), std::string::npos);
    EXPECT_TRUE(run(2) == stopped);
    EXPECT_TRUE(run(4) == stopped);
}

}  // namespace
}  // namespace quillon::test
