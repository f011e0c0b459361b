#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/ReopenProjects.h"

namespace quillon {
namespace {

using Paths = std::vector<std::string>;

TReopenProjects ListOf(const Paths& mostRecentFirst) {
    TReopenProjects list;
    for (auto it = mostRecentFirst.rbegin(); it != mostRecentFirst.rend(); ++it) list.Add(*it);
    return list;
}

// New names go on top, empty ones are ignored, a name listed in other letter case moves to the
// top; an eleventh distinct project, or a lower maximum, drops the oldest.
TEST(ReopenProjects, PutNamesOnTopOnceKeepTheMostRecentMatchWithoutRegardToCaseAndReadBack) {
    TReopenProjects list = ListOf({"/p/C.qlp", "/p/B.qlp", "/p/A.qlp"});
    list.Add("");
    list.Add("/P/a.QLP");
    list.Add("/p/D.qlp");
    EXPECT_EQ(list.Items(), (Paths{"/p/D.qlp", "/p/A.qlp", "/p/C.qlp", "/p/B.qlp"}));
    for (int i = 1; i <= 11; ++i) list.Add("/p/P" + std::to_string(i) + ".qlp");
    ASSERT_EQ(list.Count(), 10);
    EXPECT_EQ(list.Items().front(), "/p/P11.qlp");
    EXPECT_EQ(list.Items().back(), "/p/P2.qlp");
    list.SetMaxCount(3);
    EXPECT_EQ(list.Items(), (Paths{"/p/P11.qlp", "/p/P10.qlp", "/p/P9.qlp"}));
    list.Add("/6");
    EXPECT_EQ(list.Items(), (Paths{"/6", "/p/P11.qlp", "/p/P10.qlp"}));
    list = ListOf({"/p/A.qlp", "/p/B.qlp"});
    list.Remove("/P/B.QLP");
    list.Remove("/p/none.qlp");
    list.Rename("/p/a.qlp", "/q/A2.qlp");
    list.Rename("/p/none.qlp", "/q/X.qlp");
    EXPECT_EQ(list.Items(), (Paths{"/q/A2.qlp"}));
    // Opening calls the handler with the entry and ignores a stale index.
    list = ListOf({"/p/A.qlp", "/p/B.qlp"});
    std::vector<std::string> opened;
    list.OnOpenProject = [&](const std::string& name) {
        opened.push_back(name);
        list.Remove(name);  // what the workbench does when it opens the file
    };
    list.OpenEntry(1);
    list.OpenEntry(1);  // the menu still shows two entries; the list has one
    list.OpenEntry(-1);
    EXPECT_EQ(opened, (Paths{"/p/B.qlp"}));
    // The text stores entries with trailing CR LF and reads them back in order.
    list = ListOf({"/p/A.qlp", "/p/B.qlp"});
    EXPECT_EQ(list.GetText(), "/p/A.qlp\r\n/p/B.qlp\r\n");

    TReopenProjects read;
    read.SetText("/x/1.qlp\r\n/x/2.qlp\n\n/x/3.qlp");
    EXPECT_EQ(read.Items(), (Paths{"/x/1.qlp", "/x/2.qlp", "/x/3.qlp"}));
    read.SetText("");
    EXPECT_EQ(read.Count(), 0);
}

}  // namespace
}  // namespace quillon
