// The message of the Exception an action raises, for tests that compare refusals by their text.
#pragma once

#include <functional>
#include <string>

#include "platform/Exception.h"

namespace quillon::test {

// The message `action` raises, or "" when it raises nothing.
inline std::string ExceptionMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace quillon::test
