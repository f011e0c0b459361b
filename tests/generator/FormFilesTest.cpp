// Form files as component trees: nesting, value spelling, and the event bindings that the form
// builders collect and the writer inserts into the blocks of their components.
#include <gtest/gtest.h>

#include "generator/FormFiles.h"
#include "support/Lines.h"
#include "support/PascalCompiler.h"

namespace quillon {
namespace {

using test::Lines;

TFormObject SampleForm() {
    TFormObject form("Form1", "TForm1");
    form.String("Caption", "Tom's").Integer("Top", -5);
    TFormObject& panel = form.Add("Panel1", "TPanel");
    panel.Value("Align", "alTop").Strings("Lines", {});
    panel.Add("Button1", "TButton").Boolean("Default", true);
    form.Add("Panel2", "TPanel", true);
    return form;
}

}  // namespace

TEST(FormFiles, WritesNestedBlocksAndInsertsBindingsIntoTheNamedComponentsLinuxOnly) {
    TFormObject form = SampleForm();
    InsertEventBindings(form, {EventBinding("button1", "OnClick", "Button1Click"), "Form1=OnClose = FormClose",
                               "Missing=OnClick = Gone", "NoEventHere"});
    const std::string text = form.Text();
    EXPECT_EQ(text, Lines({"object Form1: TForm1", "  Caption = 'Tom'#39's'", "  Top = -5", "  OnClose = FormClose",
                           "  object Panel1: TPanel", "    Align = alTop", "    Lines.Strings = ()",
                           "    object Button1: TButton", "      Default = True", "      OnClick = Button1Click",
                           "    end", "  end", "  inherited Panel2: TPanel", "  end", "end", ""}));
    EXPECT_TRUE(test::FormTextAccepted(text));
}

TEST(FormFiles, ABindingIsSplitAtItsFirstEqualsSign) {
    TFormObject form("Form1", "TForm1");
    InsertEventBindings(form, {"Form1=OnClose = Close=Now"});
    EXPECT_EQ(form.Text(), Lines({"object Form1: TForm1", "  OnClose = Close=Now", "end", ""}));
}

}  // namespace quillon
