// The update of an existing developer's unit: a unit generated and then edited as a developer
// would, a design that gains and loses members and changes signatures, and the guarantees of the
// update (insertions and rewritten headings only, what a fresh unit holds, reports with file and
// line, a compiling result, a refusal that writes nothing, a second update that changes nothing).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

#include "UnitsTestSupport.h"
#include "generator/DeveloperUnitUpdate.h"
#include "generator/UnitBuilder.h"
#include "platform/Exception.h"
#include "source/TextUtils.h"
#include "support/PascalCompiler.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

using test::Typed;

// Whether the original outside the rewritten headings is a subsequence of the updated text:
// every other byte is kept, in order.
::testing::AssertionResult KeepsEveryOtherByte(const TDeveloperUnitUpdate& update) {
    std::string kept;
    std::size_t from = 0;
    for (const auto& [begin, end] : update.rewritten) {
        kept += update.original.substr(from, begin - from);
        from = end;
    }
    kept += update.original.substr(from);
    std::size_t at = 0;
    for (std::size_t i = 0; i < update.updated.size() && at < kept.size(); ++i)
        if (update.updated[i] == kept[at]) ++at;
    if (at == kept.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "kept byte " << at << " is lost";
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The line of the first occurrence of `what` in `text`.
int LineOf(const std::string& text, std::string_view what) {
    const std::size_t at = text.find(what);
    int line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) line += text[i] == '\n' ? 1 : 0;
    return line;
}

std::string Without(std::string text, std::string_view what) { return Replaced(std::move(text), what, ""); }

class DeveloperUnitUpdate : public ::testing::Test {
protected:
    DeveloperUnitUpdate() : calc(test::AddCalc(project, moServerInDll)) {
        Typed(*calc.MainClass().Methods().Add(), "Obsolete", "");
    }

    std::string Fresh() const { return BuildUnitText(calc, TFileKind::DeveloperServerUnit, project); }

    // The fresh unit as a developer leaves it: bodies filled, a private helper, a field of a record
    // type with a variant part, comments holding "end;" and method headings, a string holding
    // "end.", words in other letter cases, and a few lines that end in LF alone.
    std::string Edited() const {
        std::string text = Fresh();
        text = Replaced(text, "   PROTECTED\r\n",
                        "   private\n"
                        "   FState: record Hits: Integer; case Boolean of True: (Mark: Integer); False: (Ch: Char); END;\n"
                        "   function Helper: string; { end; }\r\n"
                        "   PROTECTED\r\n");
        text = Replaced(text, "function TdevCalc.Sum(a:Integer;b:Integer):Integer;\r\nbegin\r\n   \r\nend;",
                        "function TdevCalc.Sum(a:Integer;b:Integer):Integer;\r\n"
                        "// procedure TdevCalc.Clear; is not mine\r\n"
                        "begin\r\n"
                        "   case a of 0: Result := b; else Result := a + b; end; (* end; procedure TdevCalc.Foo; *)\r\n"
                        "END;");
        text = Replaced(text, "\r\nend.",
                        "\r\nfunction TDEVCALC.Helper: string;\n"
                        "begin\n"
                        "   Result := 'It''s the end.' + #13#10 + '{';\r\n"
                        "end;\r\n"
                        "\r\nend.");
        return text;
    }

    // The design's changes: a method, a writable property and an event of a type from another
    // unit are added, the method Obsolete is removed.
    void ChangeDesign() {
        TemgClass& design = calc.MainClass();
        Typed(*design.Methods().Add(), "Clear", "");
        Typed(*design.Properties().Add(), "Limit", "Integer");
        Typed(*design.Events().Add(), "OnRecord", "TDataSetNotifyEvent", dtRegisteredProcedural);
        design.Methods().Delete(design.Methods().Count() - 2);  // Obsolete, before Clear
    }

    test::UnitsProject project;
    TemgModule& calc;
};

TEST_F(DeveloperUnitUpdate, InsertsWhatAFreshUnitHoldsKeepsEveryByteAndRewritesTheHeadingsOfAChangedOverrideLinuxOnly) {
    const std::string edited = Edited();
    ChangeDesign();
    const TDeveloperUnitUpdate update = PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", edited);
    ASSERT_TRUE(update.Changed());
    EXPECT_TRUE(update.rewritten.empty());
    EXPECT_TRUE(KeepsEveryOtherByte(update));

    // Each added member's declaration and body as the fresh unit of the new design has them.
    const std::string fresh = Fresh();
    for (std::string_view line : {"   procedure Clear;override;\r\n", "   procedure SetLimit(const Value:Integer);override;\r\n",
                                  "   procedure SetOnRecord(const Value:TDataSetNotifyEvent);override;\r\n",
                                  "procedure TdevCalc.Clear;\r\nbegin\r\n   \r\nend;\r\n",
                                  "procedure TdevCalc.SetLimit(const Value:Integer);\r\nbegin\r\n   inherited;\r\n   \r\nend;\r\n"}) {
        EXPECT_NE(fresh.find(line), std::string::npos) << line;
        EXPECT_NE(update.updated.find(line), std::string::npos) << line;
    }
    // The setters join the PROTECTED section, the method the PUBLIC one; the bodies stand
    // before the final end.
    const std::string& text = update.updated;
    EXPECT_LT(text.find("SetOnChange(const Value:TNotifyEvent);override;"), text.find("SetLimit(const"));
    EXPECT_LT(text.find("SetOnRecord(const"), text.find("   PUBLIC"));
    EXPECT_LT(text.find("   procedure BeforeDestruction;override;"), text.find("   procedure Clear;override;"));
    EXPECT_LT(text.find("procedure Clear;override;"), text.find("   end;\r\nimplementation"));
    EXPECT_LT(text.find("Result := 'It''s the end.'"), text.find("procedure TdevCalc.Clear;\r\nbegin"));
    EXPECT_EQ(text.substr(text.size() - 12), "end;\r\n\r\nend.");
    // The event's type needs its unit in the uses.
    EXPECT_EQ(update.added, (std::vector<std::string>{"SetLimit", "SetOnRecord", "Clear", "DB"}));
    EXPECT_NE(text.find("genCalc,Classes,DB;"), std::string::npos);

    // The removed method is reported with file and line, in the unit as written and as it was, and
    // stays.
    const auto obsolete = [](const std::string& unit) { return std::vector<std::string>{"devCalc.pas(" + std::to_string(LineOf(unit, "procedure Obsolete")) + "): warning: the design has no method for the override: procedure Obsolete;override;"}; };
    EXPECT_EQ(update.findings, obsolete(update.updated));
    EXPECT_EQ(update.findingsBefore, obsolete(edited));
    EXPECT_NE(text.find("procedure TdevCalc.Obsolete;"), std::string::npos);

    // A second update finds nothing to do; once the developer took out the reported override, the
    // unit compiles.
    const TDeveloperUnitUpdate second = PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", update.updated);
    EXPECT_FALSE(second.Changed());
    EXPECT_TRUE(second.added.empty());
    const std::string kept = Without(Without(text, "   procedure Obsolete;override;\r\n"), "procedure TdevCalc.Obsolete;\r\nbegin\r\n   \r\nend;\r\n");
    EXPECT_TRUE(test::PascalCompiles({{"devCalc.pas", kept}, {"genCalc.pas", BuildUnitText(calc, TFileKind::GeneratorServerUnit, project)}}, "devCalc.pas"));
    // A changed signature of an override whose body uses its parameter: the headings of the
    // declaration and of the body take the designed form, everything else stays byte for byte, and
    // Free Pascal compiles the result but where a renamed parameter leaves the body on the old name.
    using Edits = std::vector<std::pair<std::string, std::string>>;
    // The edit of a declaration's heading and the same edit of its body's heading.
    const auto both = [](const std::string& from, const std::string& to) {
        const auto qualified = [](std::string h) { return h.insert(h.find(' ') + 1, "TdevCalc."); };
        return Edits{{"   " + from, "   " + to}, {qualified(from), qualified(to)}};
    };
    const std::string sum = "function Sum(a:Integer;b:Integer):Integer;";
    const auto sumTo = [&](const std::string& to) { return both(sum, "function Sum(" + to + ";"); };
    const auto addC = [](TemgMethod& m, TemgMethod&) { Typed(*m.Parameters().Add(), "c", "Integer"); };
    struct Case {
        const char* change;
        Edits unit;  // how the developer wrote the unit before the design changed
        std::function<void(TemgMethod& sum, TemgMethod& obsolete)> design;
        Edits result;
        std::string finding = {};  // after "devCalc.pas(LINE): ", LINE that of the body when a rename
    };
    const std::vector<Case> cases{
        {"a parameter added", {}, [](TemgMethod& m, TemgMethod&) { Typed(*m.Parameters().Add(), "Permanent", "Boolean").SetDefaultValue("False"); },
         sumTo("a:Integer;b:Integer;Permanent:Boolean=False):Integer")},
        {"a parameter removed", {}, [](TemgMethod& m, TemgMethod&) { m.Parameters().Delete(1); }, sumTo("a:Integer):Integer")},
        {"a parameter retyped", {}, [](TemgMethod& m, TemgMethod&) { m.Parameters().Items(1)->DataType().SetName("Int64"); }, sumTo("a:Integer;b:Int64):Integer")},
        {"var and const", {}, [](TemgMethod& m, TemgMethod&) { m.Parameters().Items(0)->SetCategory(pcConst), m.Parameters().Items(1)->SetCategory(pcVar); },
         sumTo("const a:Integer;var b:Integer):Integer")},
        {"a default changed", sumTo("a:Integer;b:Integer=1):Integer"), [](TemgMethod& m, TemgMethod&) { m.Parameters().Items(1)->SetDefaultValue("2"); },
         both("function Sum(a:Integer;b:Integer=1):Integer;", "function Sum(a:Integer;b:Integer=2):Integer;")},
        {"the result retyped", {}, [](TemgMethod& m, TemgMethod&) { m.DataType().SetName("Int64"); }, sumTo("a:Integer;b:Integer):Int64")},
        {"a function that becomes a procedure", {}, [](TemgMethod& m, TemgMethod&) { m.SetCategory(mcProcedure), m.DataType().SetName(""); },
         both(sum, "procedure Sum(a:Integer;b:Integer);")},
        {"a procedure that becomes a function", {}, [](TemgMethod&, TemgMethod& m) { m.SetCategory(mcFunction), m.DataType().SetName("Integer"); },
         both("procedure Obsolete;", "function Obsolete:Integer;")},
        {"a parameter renamed", {}, [](TemgMethod& m, TemgMethod&) { m.Parameters().Items(0)->SetName("Value"); },
         sumTo("Value:Integer;b:Integer):Integer"), "parameter a is now Value; the body may still use the old name"},
        {"the same signature written otherwise", {{"   " + sum, "   function SUM(A, b: integer): INTEGER;"}, {"TdevCalc.Sum(a:Integer;b:Integer):", "TdevCalc.sum(A , b :Integer) : "}},
         [](TemgMethod&, TemgMethod&) {}, {}},
        {"comments inside and after the heading",
         {{sum + "override;", "function Sum(a: Integer { first }; b: Integer): Integer; { sum } override; // mine"}, {"Sum(a:Integer;b:Integer):Integer;\r\nbegin", "Sum(a: Integer; (* second *) b: Integer): Integer;\r\nbegin"}},
         addC, {{"function Sum(a: Integer { first }; b: Integer): Integer;", "function Sum(a:Integer;b:Integer;c:Integer):Integer;"}, {"Sum(a: Integer; (* second *) b: Integer): Integer;", "Sum(a:Integer;b:Integer;c:Integer):Integer;"}}},
        {"a compiler directive inside the heading", {{"   " + sum, "   function Sum(a: Integer{$IFDEF WIDE}; b: Integer{$ENDIF}): Integer;"}}, addC, {},
         "Sum differs from the design, which declares: function Sum(a:Integer;b:Integer;c:Integer):Integer;override;"},
        {"a body heading without its parameter list", {{"TdevCalc.Sum(a:Integer;b:Integer):Integer;", "TdevCalc.Sum;"}}, addC,
         {{"   " + sum, "   function Sum(a:Integer;b:Integer;c:Integer):Integer;"}}},
        {"an overload of the name that is no override",
         {{sum + "override;", sum + "override;overload;\r\n   function Sum(s: string): Integer; overload;"},
          {"procedure TdevCalc.SetCount", "function TdevCalc.Sum(s: string): Integer;\r\nbegin\r\n   Result := Length(s);\r\nend;\r\nprocedure TdevCalc.SetCount"}},
         addC, sumTo("a:Integer;b:Integer;c:Integer):Integer")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        test::UnitsProject project;
        TemgModule& calc = test::AddCalc(project, moServerInDll);
        TemgMethod& obsolete = Typed(*calc.MainClass().Methods().Add(), "Obsolete", "");
        std::string unit = Replaced(BuildUnitText(calc, TFileKind::DeveloperServerUnit, project), "Integer;\r\nbegin\r\n   \r\n", "Integer;\r\nbegin\r\n   if a < 0 then Exit;\r\n");
        for (const auto& [from, to] : c.unit) unit = Replaced(unit, from, to);
        c.design(*calc.MainClass().Methods().Items(calc.MainClass().Methods().Count() - 2), obsolete);
        const TDeveloperUnitUpdate update = PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", unit);
        std::string expected = unit;
        for (const auto& [from, to] : c.result) expected = Replaced(expected, from, to);
        EXPECT_EQ(update.updated, expected);
        EXPECT_TRUE(KeepsEveryOtherByte(update));
        const int line = LineOf(expected, c.finding.starts_with("parameter") ? "function TdevCalc.Sum(" : "function Sum(");
        EXPECT_EQ(update.findings, c.finding.empty() ? std::vector<std::string>{} : std::vector<std::string>{"devCalc.pas(" + std::to_string(line) + "): warning: " + c.finding});
        EXPECT_FALSE(PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", update.updated).Changed());
        if (c.finding.empty()) {
            EXPECT_TRUE(test::PascalCompiles({{"devCalc.pas", update.updated}, {"genCalc.pas", BuildUnitText(calc, TFileKind::GeneratorServerUnit, project)}}, "devCalc.pas"));
        }
    }
}

// A unit written by hand with LF line ends, without a PROTECTED section, without the unit of an
// event type nor SysUtils (which a fresh unit uses and an update never adds), and with an
// initialization block "begin ... end.".
TEST_F(DeveloperUnitUpdate, AddsTheMissingSectionAndUsesWithTheUnitsLineEndsAndPutsNewBodiesBeforeTheInitialization) {
    const std::string edited =
        "unit devCalc;\n"
        "interface\n"
        "uses genCalc;\n"
        "type\n"
        "  TdevCalc = class(TgenCalc)\n"
        "  public\n"
        "    procedure AfterInitInstance; override;\n"
        "    function Sum(a, b: Integer): Integer; override;\n"
        "    procedure BeforeDestruction; override;\n"
        "  end;\n"
        "implementation\n"
        "procedure TdevCalc.AfterInitInstance; begin end;\n"
        "function TdevCalc.Sum(a, b: Integer): Integer; begin Result := a + b end;\n"
        "procedure TdevCalc.BeforeDestruction; begin inherited end;\n"
        "begin\n"
        "  IsMultiThread := True;\n"
        "end.\n";
    const TDeveloperUnitUpdate update = PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", edited);
    std::string expected = Replaced(edited, "uses genCalc;", "uses genCalc,Classes;");
    expected = Replaced(expected, "  end;\n",
                        "   procedure Obsolete;override;\n"
                        "   PROTECTED\n"
                        "   procedure SetCount(const Value:Integer);override;\n"
                        "   procedure SetOnChange(const Value:TNotifyEvent);override;\n"
                        "  end;\n");
    expected = Replaced(expected, "begin inherited end;\n",
                        "begin inherited end;\n"
                        "procedure TdevCalc.Obsolete;\nbegin\n   \nend;\n"
                        "procedure TdevCalc.SetCount(const Value:Integer);\nbegin\n   inherited;\n   \nend;\n"
                        "procedure TdevCalc.SetOnChange(const Value:TNotifyEvent);\nbegin\n   inherited;\n   \nend;\n\n");
    EXPECT_EQ(update.updated, expected);
    EXPECT_TRUE(update.findings.empty());
    // Routines with local routines, an assembler body and a forward declaration, types in the
    // implementation, and initialization and finalization sections.
    const std::string sectioned = Replaced(Fresh(), "\r\nend.",
                                           "\r\ntype TPair = record A, B: Integer; end;\r\n"
                                           "  TCallback = procedure(X: Integer) of object;\r\n"
                                           "procedure Later; forward;\r\n"
                                           "function Outer: Integer;\r\n"
                                           "  function Inner: Integer; begin Result := 1; end;\r\n"
                                           "var P: TPair;\r\n"
                                           "begin try P.A := Inner; finally Result := P.A; end; end;\r\n"
                                           "procedure Later; assembler; asm nop end;\r\n"
                                           "initialization\r\n"
                                           "  Outer;\r\n"
                                           "finalization\r\n"
                                           "  Later;\r\n"
                         "end.");
    ChangeDesign();
    const TDeveloperUnitUpdate placed = PlanDeveloperUnitUpdate(calc, project, "devCalc.pas", sectioned);
    EXPECT_TRUE(KeepsEveryOtherByte(placed));
    const std::string& text = placed.updated;
    EXPECT_LT(text.find("asm nop end;"), text.find("procedure TdevCalc.Clear;"));
    EXPECT_NE(text.find("end;\r\n\r\ninitialization\r\n"), std::string::npos);
}

TEST_F(DeveloperUnitUpdate, RefusesAUnitItCannotFollowNamingFileAndLine) {
    const std::string fresh = Fresh();
    const auto refusal = [&](const std::string& text) {
        const std::string message = test::ExceptionMessage([&] { PlanDeveloperUnitUpdate(calc, project, "/src/devCalc.pas", text); });
        return message.empty() ? "accepted" : message;
    };
    // Each edit of the fresh unit, the reason and the line (that of a text, plus lines).
    const std::tuple<std::string, std::string, std::string, std::string, int> cases[] = {
        {"type\r\n", "type\r\n   TdevCalc = class(TgenCalc) end;\r\n", "a second declaration of the class TdevCalc", "   TdevCalc = class(TgenCalc)", 1},
        {"TdevCalc = class", "TdevCalculator = class", "no declaration of the class TdevCalc", "implementation", 0},
        {"   PUBLIC\r\n", "   PUBLIC (* an open comment\r\n", "a comment that is not closed", "   PUBLIC", 0},
        {"   inherited;\r\nend;\r\n\r\nend.", "   inherited;\r\n\r\nend.", "a block that is not closed", "procedure TdevCalc.BeforeDestruction", 1},
        {"\r\nend.", "", "'end.' expected", "\r\nend.", 0},
        // Forward declarations and other classes are no declarations of the developer's class.
        {"type\r\n", "type\r\n   TdevCalc = class;\r\n   THelper = class(TObject) FData: record a: Integer; end; end;\r\n", "", "", 0}};
    for (const auto& [from, to, reason, at, plus] : cases)
        EXPECT_EQ(refusal(Replaced(fresh, from, to)), reason.empty() ? "accepted" : "The developer's unit /src/devCalc.pas is left unchanged: " + reason + " on line " + std::to_string(LineOf(fresh, at) + plus));
}

// The scan names what the unit lacks; the update writes atomically keeping the previous text and
// refuses a changed file.
TEST_F(DeveloperUnitUpdate, WritesAtomicallyKeepingThePreviousTextRefusesAChangedFileAndDiffsWithThreeLinesOfContext) {
    test::TempDir dir;
    project.srcPath = dir.Path() + "/";
    const std::string file = calc.DeveloperUnitFileName(project.srcPath);
    EXPECT_TRUE(MissingDeveloperOverrides(calc, project, project.srcPath).empty());
    const std::string edited = Edited();
    test::WriteText(file, edited);
    EXPECT_TRUE(MissingDeveloperOverrides(calc, project, project.srcPath).empty());
    ChangeDesign();
    const std::vector<std::string> missing{"Clear", "SetLimit", "SetOnRecord"};
    EXPECT_EQ(MissingDeveloperOverrides(calc, project, project.srcPath), missing);
    const TDeveloperUnitUpdate update = PlanDeveloperUnitUpdate(calc, project, project.srcPath);
    EXPECT_EQ(update.fileName, file);
    ApplyDeveloperUnitUpdate(update);
    EXPECT_EQ(test::ReadText(file), update.updated);
    EXPECT_EQ(test::ReadText(dir.File("devCalc.~pas")), edited);

    // A file edited between the plan and the write is not replaced.
    const TDeveloperUnitUpdate stale = PlanDeveloperUnitUpdate(calc, project, "x", edited);
    TDeveloperUnitUpdate moved = stale;
    moved.fileName = file;
    EXPECT_THROW(ApplyDeveloperUnitUpdate(moved), Exception);
    EXPECT_EQ(test::ReadText(file), update.updated);

    // A unit the reader cannot follow stays byte for byte, and no copy is made.
    const std::string broken = Replaced(edited, "   PUBLIC\r\n", "   PUBLIC (* open\r\n");
    test::WriteText(file, broken);
    std::filesystem::remove(dir.File("devCalc.~pas"));
    EXPECT_THROW(PlanDeveloperUnitUpdate(calc, project, project.srcPath), Exception);
    EXPECT_EQ(test::ReadText(file), broken);
    EXPECT_TRUE(MissingDeveloperOverrides(calc, project, project.srcPath).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("devCalc.~pas")));

    // The scan reads the interface part alone: what the bodies hold, even an open string that
    // stops an update, does not hide the missing declarations.
    test::WriteText(file, Replaced(edited, "\r\nimplementation\r\n", "\r\nimplementation\r\n'open\r\n"));
    EXPECT_THROW(PlanDeveloperUnitUpdate(calc, project, project.srcPath), Exception);
    EXPECT_EQ(MissingDeveloperOverrides(calc, project, project.srcPath), missing);
    const std::string before = "a\nb\nc\nd\ne\nf\ng\nh\ni\nj";
    const std::string after = "a\nb\nc\nd\nX\ne\nf\ng\nh\ni\nj;Y";
    EXPECT_EQ(UnifiedDiff(before, before, "u.pas"), "");
    EXPECT_EQ(UnifiedDiff(before, after, "u.pas"),
              "--- u.pas\n+++ u.pas\n"
              "@@ -2,9 +2,10 @@\n"
              " b\n c\n d\n+X\n e\n f\n g\n h\n i\n"
              "-j\n\\ No newline at end of file\n"
              "+j;Y\n\\ No newline at end of file\n");
}

}  // namespace
}  // namespace quillon
