// The type registration dialog.
#include "workbench/EditorFrames.h"

namespace quillon {

bool RunRegisterDataType(QWidget*, TemgModule&, const std::string&) { return false; }

}  // namespace quillon
