// How a module reaches the project it belongs to: the project's paths and unit header, its first
// module and its modules by class name. The project implements it; generation, release and the
// module's element context look other modules up through it.
#pragma once

#include <string>
#include <string_view>

#include "generator/GeneratedFiles.h"

namespace quillon {

class TemgModule;

class IModuleResolver {
public:
    virtual ~IModuleResolver() = default;

    // The project's source path: the directory of the project file with a trailing separator.
    virtual std::string GetSrcPath() const = 0;
    // Directories separated by ";" that the library project options name.
    virtual std::string GetSearchPath() const = 0;
    // The text every generated file begins with.
    virtual std::string GetUnitHeader() const = 0;
    // The project's first module (the common types module), or nullptr when the project has no
    // modules; never raises.
    virtual const TemgModule* GetFirstModule() const = 0;
    // The module whose class is named `className` (without regard to case), or nullptr.
    virtual const TemgModule* FindModule(std::string_view className) const = 0;
    // The encoding the project's generated files are written in.
    virtual TFileEncoding FileEncoding() const { return {}; }
};

}  // namespace quillon
