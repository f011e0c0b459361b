// The platform's small services: messages formatted, names hashed without regard to case, new
// GUIDs, arguments quoted for the shell, folders opened through the installed handler, and text
// to standard output.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Guid.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"

namespace quillon {
namespace {

TEST(Services, FormatIndexGuidsShellAndStandardText) {
    EXPECT_EQ(Format("File '%s' not found", "/a/b.qlm"), "File '/a/b.qlm' not found");
    EXPECT_EQ(Format("%s on line %d", "String expected", 12), "String expected on line 12");
    EXPECT_EQ(Format("100%% of %d", -3), "100% of -3");
    EXPECT_EQ(Format("File  name for %s not assigned", std::string("Calc")), "File  name for Calc not assigned");
    EXPECT_THROW(Format("%s and %s", "one"), Exception);
    EXPECT_THROW(Format("%d", "text"), Exception);
    EXPECT_THROW(Format("%s", 5), Exception);
    EXPECT_THROW(Format("trailing %"), Exception);
    EXPECT_THROW(Format("%x", 5), Exception);
    // ASCII letters fold, nothing else does. The index keeps the first number of each name
    // through its growth from sixteen slots.
    EXPECT_EQ(TextHash{}("FGetShadeMethod"), TextHash{}("fgetSHADEmethod"));
    EXPECT_NE(TextHash{}("Shade"), TextHash{}("Shades"));
    // Bytes beyond ASCII are not folded.
    EXPECT_FALSE(SameTextEqual{}("\xC3\xA4", "\xC3\x84"));

    std::vector<std::string> names;
    TextIndex index;
    const auto nameOf = [&](std::uint32_t i, std::string_view name) { return SameText(names[i], name); };
    for (int i = 0; i < 1000; ++i) {
        names.push_back("Name" + std::to_string(i % 500) + (i < 500 ? "" : "X"));
        names.push_back("NAME" + std::to_string(i % 500));
        EXPECT_EQ(index.Insert(names[names.size() - 2], static_cast<std::uint32_t>(names.size() - 2), nameOf),
                  names.size() - 2);
        EXPECT_EQ(index.Insert(names.back(), static_cast<std::uint32_t>(names.size() - 1), nameOf),
                  i < 500 ? names.size() - 2 : static_cast<std::size_t>(2 * (i % 500)));
    }
    EXPECT_EQ(index.Find("name499x", nameOf), 1998u);
    EXPECT_EQ(index.Find("Name500", nameOf), TextIndex::kNone);
    // A map keeps its own copy of every name (the strings it was given are gone), of any length,
    // and answers the value first added under a name.
    TextMap<std::uint32_t> map;
    for (std::uint32_t i = 0; i < 600; ++i) {
        std::string name = std::string(i % 30, i < 300 ? 'k' : 'K') + std::to_string(i % 300);
        EXPECT_EQ(map.Add(name, i), i < 300) << name;
        name.assign(name.size(), '?');
    }
    EXPECT_EQ(map.ValueOf(std::string(29, 'K') + "299", 9999), 299u);
    EXPECT_EQ(map.ValueOf("0"), 0u);
    EXPECT_TRUE(map.Contains("KKKKKKKKKKKKKKKKKKKKKKKKK25"));
    EXPECT_FALSE(map.Contains("k") || map.Contains("") || map.Contains("kkkkkkkkkkkkkkkkkkkkkkkkkkkkk300"));
    EXPECT_EQ(map.ValueOf("nothing", 7u), 7u);
    const std::string first = CreateGuidString();
    const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
    EXPECT_TRUE(std::regex_match(first, form)) << first;
    EXPECT_NE(CreateGuidString(), first);
    // An argument written for the system's shell comes back as one argument, quoted only where the
    // shell needs it.
    struct Case {
        std::string argument, posix, cmd;
    };
    const Case cases[] = {
        {"/work/Proj/Project1.qlp", "/work/Proj/Project1.qlp", "/work/Proj/Project1.qlp"},
        {R"(Z:\x\With Space\Project1.qlp)", R"('Z:\x\With Space\Project1.qlp')", R"("Z:\x\With Space\Project1.qlp")"},
        {"Bob's $HOME/a&b(1);*.qlp", R"('Bob'\''s $HOME/a&b(1);*.qlp')", R"("Bob's $HOME/a&b(1);*.qlp")"},
        {"", "''", R"("")"},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        EXPECT_EQ(ShellQuoted(c.argument), c.cmd);
#else
        EXPECT_EQ(ShellQuoted(c.argument), c.posix);
        FILE* shell = popen(("printf '[%s]' " + ShellQuoted(c.argument)).c_str(), "r");
        ASSERT_NE(shell, nullptr);
        std::string echoed;
        for (int ch; (ch = std::fgetc(shell)) != EOF;) echoed += static_cast<char>(ch);
        pclose(shell);
        EXPECT_EQ(echoed, "[" + c.argument + "]");
#endif
    }
    // Scopes of handlers nest and restore.
    ShellOpen("/nowhere");  // no handler installed: nothing happens
    std::vector<std::string> outer;
    std::vector<std::string> inner;
    {
        const ShellOpenScope outerScope([&](const std::string& path) { outer.push_back(path); });
        {
            const ShellOpenScope innerScope([&](const std::string& path) { inner.push_back(path); });
            ShellOpen("/a");
        }
        ShellOpen("/b");
    }
    ShellOpen("/c");
    EXPECT_EQ(inner, std::vector<std::string>{"/a"});
    EXPECT_EQ(outer, std::vector<std::string>{"/b"});
    // Standard output as text: whole UTF-8 characters to the console, Windows line ends when
    // redirected without doubling a CR LF (a unified diff of CR LF files).
    bool afterCr = false;
    EXPECT_EQ(WindowsLineEnds("a\nb\r\nc\r", afterCr), "a\r\nb\r\nc\r");
    EXPECT_EQ(WindowsLineEnds("\nd\n\n", afterCr), "\nd\r\n\r\n");
    std::vector<std::string> pieces;
    {
        Utf8TextBuffer buffer([&](std::string_view text) {
            pieces.emplace_back(text);
            return true;
        });
        std::ostream out(&buffer);
        out << "J\xC3" << std::flush << "\xBCrgen \xE2\x82" << std::flush << "\xAC\n" << std::flush;
        out << std::string(5000, 'x') << "\xD0";
    }
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0], "J");
    EXPECT_EQ(pieces[1], "\xC3\xBCrgen ");
    EXPECT_EQ(pieces[2], "\xE2\x82\xAC\n");
    EXPECT_EQ(pieces[3] + pieces[4], std::string(5000, 'x') + "\xD0");

    Utf8TextBuffer failing([](std::string_view) { return false; });
    std::ostream broken(&failing);
    broken << "x" << std::flush;
    EXPECT_TRUE(broken.bad());
}

}  // namespace
}  // namespace quillon
