// The module-level choices that decide what the elements contribute to generated units: the
// server option, the database support with its dataset factory table, and the kinds of the
// generated files. They live here, below the generator, so that elements and module share them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/Published.h"

namespace quillon {

// How a host reaches a module's server.
enum class TServerOption : std::uint8_t { moServerInDll, moDirectUsesServer, moComServerInDll, moComServer };
using enum TServerOption;
extern const EnumTypeInfo ServerOptionNames;

// moComServerInDll and moComServer.
constexpr bool IsComOption(TServerOption option) { return option == moComServerInDll || option == moComServer; }
// moServerInDll and moComServerInDll: a library project is written for them.
constexpr bool IsLibraryOption(TServerOption option) {
    return option == moServerInDll || option == moComServerInDll;
}

enum class TDatabaseSupportComponent : std::uint8_t { dbsQuery, dbsTable, dbsStoredProc, dbsSetDatabaseParams };
using enum TDatabaseSupportComponent;
using TDatabaseSupport = TSet<TDatabaseSupportComponent>;
extern const EnumTypeInfo DatabaseSupportComponentNames;

// The module has a generated data module of its own: exactly [dbsSetDatabaseParams].
constexpr bool HasOwnConnection(TDatabaseSupport support) { return support == TDatabaseSupport{dbsSetDatabaseParams}; }
// The module offers dataset-creating methods: any of dbsQuery, dbsTable, dbsStoredProc.
constexpr bool HasDatasetFactories(TDatabaseSupport support) {
    return !(support * TDatabaseSupport{dbsQuery, dbsTable, dbsStoredProc}).Empty();
}

// One row of the dataset factory table: the routine variable through which a server creates a
// dataset of the host, its procedural type, the host's factory method and the dataset class.
struct TDatasetFactory {
    TDatabaseSupportComponent component;
    std::string_view routineVariable;
    std::string_view routineType;
    std::string_view factoryMethod;
    std::string_view datasetClass;
};

inline constexpr std::array<TDatasetFactory, 3> kDatasetFactories{{
    {dbsQuery, "CreateQueryMethod", "TCreateQueryMethod", "CreateQuery", "TQuery"},
    {dbsTable, "CreateTableMethod", "TCreateTableMethod", "CreateTable", "TTable"},
    {dbsStoredProc, "CreateStoredProcMethod", "TCreateStoredProcMethod", "CreateStoredProc", "TStoredProc"},
}};

// The generated-file kinds, numbered as the workbench's tree of generated units shows them.
enum class TFileKind : std::uint8_t {
    GeneratorServerUnit = 0,
    DeveloperServerUnit = 1,
    InterfaceUnit = 2,
    LibraryProject = 3,
    ControllerUnit = 4,
    DebugProjectUnit = 5,
    DebugFormGeneratorUnit = 6,
    DebugFormDeveloperUnit = 7,
    TypesUnit = 8,
    UnitsGroup = 9,
    ProjectGroup = 10,
    DatabaseSupportController = 11,
    DataModuleUnit = 12,
};

// The caption of a kind in the tree ("Server Unit recreated by Generator", ...).
std::string_view FileKindCaption(TFileKind kind);

}  // namespace quillon
