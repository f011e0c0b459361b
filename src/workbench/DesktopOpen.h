// Files and folders handed to the program the desktop associates with them.
#pragma once

#include <functional>

#include "platform/ShellOpen.h"

class QUrl;

namespace quillon {

// A ShellOpen handler that passes each path as an address to `openUrl` (the desktop's opener); a
// "#topic" after a file name (the user guide's sections) becomes the address's fragment. When
// `openUrl` fails, which it does when the desktop has no program for the file, an error message
// names the file.
ShellOpenHandler DesktopOpener(std::function<bool(const QUrl&)> openUrl);

}  // namespace quillon
