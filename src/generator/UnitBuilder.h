// The one place where the texts of a module's generated files are built: a dispatch over the
// generated-file kinds to the unit builders. Generation and release ask an IUnitBuilder, so
// that tests can hand in their own and watch which kinds are requested.
#pragma once

#include <string>

#include "elements/ModuleOptions.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

class IUnitBuilder {
public:
    virtual ~IUnitBuilder() = default;
    // The text of `kind` for `module`, without header; empty for a kind without text.
    virtual std::string UnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const = 0;
    // The form file that goes with `kind` (the data module's), empty for a kind without one.
    virtual std::string FormText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const = 0;
    // Whether the module's units use the common types unit of the project's first module.
    virtual bool UsesCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver) const = 0;
};

// The builders of this system; it answers through the functions below.
const IUnitBuilder& StandardUnitBuilder();

// The text of one of a module's kinds: each kind's builder, or empty for a kind whose builder
// does not exist (yet).
std::string BuildUnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver);
// The form file of a kind: the data module's form for kind 12, else empty.
std::string BuildFormText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver);
// The referenced-types walk that decides whether a module's units use the common types unit.
bool UsesCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
