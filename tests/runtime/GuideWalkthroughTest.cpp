// The guide's walk-through, as a reader follows it: its command blocks run verbatim in a shell,
// its file blocks are saved and its routine replaces the generated one; the design steps are done
// through the core. Only named paths are put in: the built quillon-cli, the sources' run-time
// folder and the build's Windows units (whose helper script finds them built), and Wine.
#include <gtest/gtest.h>

#include <regex>

#include "RuntimeSupport.h"
#include "support/PascalCompiler.h"
#include "source/TextUtils.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

std::string Unescaped(std::string text) {
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        text = ReplaceAll(text, entity, character);
    return text;
}

// The design steps: the module Calc with Forms unchecked (Free Pascal), its properties, event
// and function.
void Design(const std::string& projectFile) {
    TemgpProject project;
    project.LoadFromFile(projectFile);
    TemgpModule& entry = project.AddClassModule();
    project.RenameModule(entry, "Calc", "");
    entry.SetFileName(project.GetSrcPath() + "Calc.qlm");
    TemgModule& calc = entry.Module();
    calc.SetInterfaceSupport(false);
    TemgClass& design = calc.MainClass();
    Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("10");
    Typed(*design.Properties().Add(), "Total", "Integer").SetAccessTypes({atRead});
    Typed(*design.Events().Add(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    TemgMethod& add = AddFunction(design, "Add", "Integer");
    AddParameter(add, "a", "Integer", pcConst);
    AddParameter(add, "b", "Integer").SetDefaultValue("1");
    project.SaveToFile(projectFile);
}

TEST(GuideWalkthrough, ItsCommandsBuildAndRunTheLibraryAndTheHost) {
    RuntimeScenario scenario("guide-walkthrough");
    const std::string guide = ReadText(QUILLON_GUIDE);
    const std::string section = guide.substr(guide.find("<h2 id=\"walkthrough\">"));
    const std::vector<std::pair<std::string, std::string>> paths{
        {"quillon-cli ", std::string("'") + QUILLON_CLI_PROGRAM + "' "},
        {"quillon-fpc-win64-units ", std::string("'") + QUILLON_RUNTIME_UNIT_DIR + "/quillon-fpc-win64-units' "},
        {"/usr/share/quillon/runtime", QUILLON_RUNTIME_UNIT_DIR},
        {"$HOME/fpc-win64", QUILLON_WIN64_UNITS},
        {"wine ", std::string(QUILLON_WINE_RUNNER) + " "}};
    std::string folder = scenario.Dir(), output;
    int blocks = 0;
    const std::regex block(R"re(<pre class="(run|file|routine|output)"(?: data-file="([^"]*)")?>([\s\S]*?)</pre>)re");
    for (auto it = std::sregex_iterator(section.begin(), section.end(), block); it != std::sregex_iterator(); ++it, ++blocks) {
        const std::string kind = (*it)[1], file = folder + "/" + std::string((*it)[2]), text = Unescaped((*it)[3]);
        SCOPED_TRACE(text);
        if (kind == "file") WriteText(file, text);
        if (kind == "routine") {
            std::string unit = ReadText(file);
            const std::size_t begin = unit.find(text.substr(0, text.find('(') + 1)), end = unit.find("\r\nend;", begin) + 6;
            ASSERT_NE(begin, std::string::npos);
            WriteText(file, unit.replace(begin, end - begin, text));
        }
        if (kind == "output") {
            EXPECT_EQ(output, text);
        }
        if (kind != "run") continue;
        if (text.find(" generate ") != std::string::npos) Design(folder + "/Project1.qlp");
        std::string command = text;
        for (const auto& [name, path] : paths) command = ReplaceAll(command, name, path);
        int status = -1;
        output = RunShell("cd '" + folder + "' && set -e && " + command, status);
        std::erase(output, '\r');
        ASSERT_EQ(status, 0) << output;
        // A "cd" line moves the following blocks too.
        if (const std::size_t cd = text.find("cd "); cd != std::string::npos && (cd == 0 || text[cd - 1] == '\n'))
            folder += "/" + text.substr(cd + 3, text.find('\n', cd) - cd - 3);
    }
    EXPECT_EQ(blocks, 7);
}

}  // namespace
}  // namespace quillon::test
