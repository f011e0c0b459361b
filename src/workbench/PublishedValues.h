// The published values of a model object as (name, text) rows for the editor area: sub-objects
// give dotted names ("Appellation.Name"), collections their item count, sets and enumerations
// their identifiers.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quillon {

class TPersistent;

using PublishedRow = std::pair<std::string, std::string>;

std::vector<PublishedRow> PublishedValues(const TPersistent& object);

}  // namespace quillon
