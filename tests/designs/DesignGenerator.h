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
    kRiskHandWritten = 256,   // the spaces of DesignSpace, drawn as designs written by hand
};

// The spaces of input that designs written by hand reach outside the editors' pools; a design
// records those it drew from, so that a campaign counts per space the designs the check accepted.
enum DesignSpace : unsigned {
    kSpaceTypes = 1,           // types nothing declares or the common types module's, units of registered types
    kSpaceValues = 2,          // default and debug values as Object Pascal expressions
    kSpaceAddedUnits = 4,      // added units whose file names are identifiers or not
    kSpaceGuids = 8,           // COM modules without GUID, without braces, in small letters, two of one GUID
    kSpaceDataModuleNames = 16,  // data module names with a blank or a digit first
    kSpaceLongNames = 32,      // member names near the compilers' identifier length
    kSpaceRunTimeNames = 64,   // names the run-time library declares, and the units qualifying them
    kSpaceUnitHeaders = 128,   // unit headers of comments, directives, or plain text
    kSpaceRoutineNames = 256,  // names and values the debug forms and system methods write around
};
inline constexpr int kDesignSpaceCount = 9;
// The name of a DesignSpace bit, by its index.
const char* DesignSpaceName(int index);

struct DesignShape {
    std::uint32_t seed = 1;
    // Class modules at most (at least one).
    int maxModules = 4;
    // DesignRisk flags of the kinds left out.
    unsigned leaveOut = 0;
};

// Fills `project` as a new project in `dir` (which exists) and writes the source files of the
// units the design adds, as their developer would have them. The project is not saved.
// Returns the DesignSpace bits of the spaces the design drew from.
unsigned BuildRandomDesign(TemgpProject& project, const std::string& dir, const DesignShape& shape);

}  // namespace quillon
