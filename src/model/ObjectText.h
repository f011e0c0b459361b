// The object-text notation of model files: the writer and the reader of one object with its
// published properties, sub-objects, string lists and collections.
#pragma once

#include <string>
#include <string_view>

#include "model/Persistent.h"

namespace quillon {

// True when both objects write the same stored properties (the equality of collection items).
bool SameStoredProperties(const TPersistent& a, const TPersistent& b);

}  // namespace quillon
