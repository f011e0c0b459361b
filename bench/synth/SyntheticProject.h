// Synthetic projects for the scale benchmarks and their tests: a project of any number of class
// modules with any number of members each, built through the core's own classes (so it is valid
// by construction) and saved through the project's save path. The same shape and seed always
// give the same files, byte for byte.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

class TemgpProject;

struct SyntheticShape {
    // Class modules, besides the common types module.
    int modules = 10;
    // Members of each class module: properties, events, methods and external properties.
    int members = 30;
    std::uint32_t seed = 1;
    // Every member a property: one class of many properties, as a large data class has them.
    bool propertiesOnly = false;
    // With `propertiesOnly`, what else the design has many of: designs whose check once grew with
    // the product of two of its sizes. One property in sixteen typed by one of the first module's
    // procedural types; the first module's registered types, one for every ten members, each
    // declared in a unit of its own; or every other member a method, each shown in a row of the
    // debug form.
    enum class Extra { kNone, kProceduralProperties, kTypeUnits, kFormRows };
    Extra extra = Extra::kNone;
};

// Fills `project` as a new project "Project1" in `dir` of `shape`: a common types module with
// enumerated and procedural types, then the class modules, which cycle through the four server
// options. Every module has properties (registered, enumerated and its own registered types,
// default and debug values), events (of the common procedural types and of TNotifyEvent),
// methods (procedures and functions with plain, const and var parameters, trailing defaults and
// multi-line bodies), a registered type, added units, a copy rule and a debug application; a
// library server also has external properties of earlier library servers. The project has a
// release of the whole project and one of a single module. Captions are long and, like default
// values and bodies, hold quotes and non-ASCII text (UTF-8). External properties refer only to
// library servers of the module's own group of 20 modules, as the subsystems of a large project
// do. Nothing is written.
void BuildSyntheticProject(TemgpProject& project, const std::string& dir, const SyntheticShape& shape);

// Builds the project in `dir` (created when missing) and saves it; returns the project file.
std::string WriteSyntheticProject(const std::string& dir, const SyntheticShape& shape);

}  // namespace quillon
