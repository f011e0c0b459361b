// Opening a folder or file in the desktop's file browser. The workbench installs a handler that
// asks the desktop (xdg-open), the command-line program one that prints the path; without one
// the request is ignored, so that batch use and tests never start a program.
#pragma once

#include <functional>
#include <string>

namespace quillon {

using ShellOpenHandler = std::function<void(const std::string& path)>;

// Hands `path` to the installed handler, if any.
void ShellOpen(const std::string& path);

// Installs `handler` for its lifetime and puts the previous one back afterwards.
class ShellOpenScope {
public:
    explicit ShellOpenScope(ShellOpenHandler handler);
    ~ShellOpenScope();
    ShellOpenScope(const ShellOpenScope&) = delete;
    ShellOpenScope& operator=(const ShellOpenScope&) = delete;

private:
    ShellOpenHandler previous_;
};

}  // namespace quillon
