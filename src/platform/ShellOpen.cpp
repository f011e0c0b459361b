#include "platform/ShellOpen.h"

#include <utility>

namespace quillon {

namespace {

ShellOpenHandler& InstalledHandler() {
    static ShellOpenHandler handler;
    return handler;
}

}  // namespace

void ShellOpen(const std::string& path) {
    if (const ShellOpenHandler& handler = InstalledHandler()) handler(path);
}

ShellOpenScope::ShellOpenScope(ShellOpenHandler handler)
    : previous_(std::exchange(InstalledHandler(), std::move(handler))) {}

ShellOpenScope::~ShellOpenScope() { InstalledHandler() = std::move(previous_); }

}  // namespace quillon
