// The workbench's icons: the tree's and the check list's image indexes mapped to our own SVG
// icons, and the icons of the commands.
#pragma once

#include <string_view>

#include <QIcon>

namespace quillon {

// The icon of a tree or check-result image index; a null icon for -1 or an index we do not draw.
QIcon ImageIcon(int imageIndex);
// The icon named `name` in the icon resource ("save", "delete", ...).
QIcon NamedIcon(std::string_view name);

}  // namespace quillon
