// Database support of a module: the database support controller (the host's side of the dataset
// factories), the generated data module of an own connection with its form file, and the lines
// that the generator's server unit takes for the own connection.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;
class TgmcMethods;
class TgmcModule;
class TgmcUsesModules;

// The own connection's session: "Session4" + DatabaseName.
std::string OwnConnectionSessionName(const TemgModule& module);

// The database support controller unit N (kind 11), for every module.
void BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver, TgmcModule& unit);
std::string DatabaseSupportControllerText(const TemgModule& module, const IModuleResolver& resolver);

// The data module unit "gen_dmu" + D (kind 12) and its form file; empty without an own connection.
void BuildDataModuleUnit(const TemgModule& module, const IModuleResolver& resolver, TgmcModule& unit);
std::string DataModuleUnitText(const TemgModule& module, const IModuleResolver& resolver);
std::string DataModuleFormText(const TemgModule& module);

// Adds the module's types unit to `uses` when the module's units use it.
void AddCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver, TgmcUsesModules& uses);

// --- The generator's server unit with an own connection -------------------------------------
// Each does nothing (or answers empty) when the module has no own connection.

// Interface uses: the data module unit.
void AddDataModuleUses(const TemgModule& module, TgmcUsesModules& uses);
// The protected virtual ChangeConnection(const aAliasName, aUserName, aPassword: string) that
// keeps the connection values the data module reports.
void AddChangeConnectionMethod(const TemgModule& module, TgmcMethods& methods);
// Appended to AfterConstruction after a line break: creates the shared data module when still
// unassigned and hooks its OnChangeConnection.
std::string DataModuleCreationCode(const TemgModule& module);
// Appended to BeforeDestruction after a line break: frees the shared data module and clears the
// variable, so that a later instance creates a fresh one instead of using a freed object.
std::string DataModuleDestructionCode(const TemgModule& module);

}  // namespace quillon
