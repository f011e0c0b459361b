// Random designs for the design fuzzer: a seed gives one project, built through the same core
// operations the editors call (new project, add class module, rename, add members and types), so
// each is a design a user could make. Names are drawn from a pool that holds what users
// plausibly type, reserved words and the names the generated code declares included; captions
// hold quotes, comment brackets, line breaks and UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

class TemgpProject;

// Kinds of risky input a campaign can leave out while their rules are being written elsewhere.
enum DesignRisk : unsigned {
    kRiskCaptions = 1,        // captions with "}" or a leading "$"
    kRiskReservedWords = 2,   // names that are reserved words
    kRiskGeneratedNames = 4,  // names the generated code declares, Get/Set/F + a member's name
    kRiskUnitNames = 8,       // names of units of the run-time library and the VCL
    kRiskNotIdentifiers = 16, // names in hand-edited files that are no identifiers
    kRiskPrivateMethods = 32, // methods of visibility private
    kRiskReadOnlyDebugValues = 64,  // debug values of properties without a setter
    kRiskParamsBesideDatasets = 128,  // dbsSetDatabaseParams beside a dataset kind
};

struct DesignShape {
    std::uint32_t seed = 1;
    // Class modules at most (at least one).
    int maxModules = 4;
    // DesignRisk flags of the kinds left out.
    unsigned leaveOut = 0;
};

// Fills `project` as a new project in `dir` (which exists) and writes the source files of the
// units the design adds, as their developer would have them. The project is not saved.
void BuildRandomDesign(TemgpProject& project, const std::string& dir, const DesignShape& shape);

}  // namespace quillon
