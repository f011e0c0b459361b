// The member rules of the check: what the editors refuse while typing is refused again for files
// edited by hand.
#include <gtest/gtest.h>

#include "checking/MemberChecks.h"
#include "generator/Module.h"
#include "generator/UnitsTestSupport.h"

namespace quillon {
namespace {

class MemberCheck : public ::testing::Test {
protected:
    MemberCheck() { module.MainClass().SetName("Calc"); }

    TemgMethod& Method(std::string_view name) {
        TemgMethod& method = *module.MainClass().Methods().Add();
        method.SetName(name);
        return method;
    }

    static TemgParameter& Parameter(TemgMethod& method, std::string_view name, std::string_view defaultValue = {}) {
        TemgParameter& parameter = test::Typed(*method.Parameters().Add(), name, "Integer");
        parameter.SetDefaultValue(defaultValue);
        return parameter;
    }

    using Results = std::vector<std::pair<std::string, const TPersistent*>>;
    // Caption and object of each result.
    Results Check() {
        TCheckCollection results;
        CheckMembers(module, results);
        Results found;
        for (int i = 0; i < results.Count(); ++i) {
            EXPECT_EQ(results.Items(i)->GetCategory(), cicError);
            found.emplace_back(results.Items(i)->GetCaption(), results.Items(i)->GetObjectReference());
        }
        return found;
    }

    TemgModule module;
};

// A name repeated in any case across member kinds is refused on the later member; parameters
// follow the parameter list's rule.
TEST_F(MemberCheck, RepeatedNamesAndParametersAgainstTheParameterListsRuleAreRefused) {
    TemgProperty& count = *module.MainClass().Properties().Add();
    count.SetName("Count");
    Method("Total");
    TemgMethod& repeated = Method("COUNT");
    TemgExternalClass& external = *module.MainClass().ExternalClasses().Add();
    external.SetName("Ledger");
    external.SetPropertyName("total");
    TemgMethod& order = Method("Order");
    Parameter(order, "a", "1");
    Parameter(order, "b");
    TemgMethod& byReference = Method("ByReference");
    Parameter(byReference, "a", "1").SetCategory(pcVar);
    TemgMethod& twice = Method("Twice");
    Parameter(twice, "a");
    TemgParameter& second = Parameter(twice, "A");
    EXPECT_EQ(Check(), (Results{{"Name COUNT is not unique", &repeated},
                                {"Name total is not unique", &external},
                                {"Parameter with default value has wrong order", &order},
                                {"Parameter a is a var parameter and cannot have a default value", &byReference},
                                {"Name A is not unique", &second}}));
}

}  // namespace
}  // namespace quillon
