// Groups whose only nested groups are ignorable destinations ("{\*..."), such as smart-tag
// marks and revision data that word processors put around ordinary words.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// `group` (beginning with its "{") with every nested "{\*...}" group removed, the text around
// them kept. Returns false when `group` holds a nested group of another kind (or its braces do
// not balance); `flat` is then unspecified.
bool RemoveIgnorableGroups(std::string_view group, std::string& flat);

}  // namespace tessarine
