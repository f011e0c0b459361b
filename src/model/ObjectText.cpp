#include "model/ObjectText.h"

namespace quillon {

// Placeholder until the writer lands: compares nothing.
bool SameStoredProperties(const TPersistent&, const TPersistent&) { return false; }

}  // namespace quillon
