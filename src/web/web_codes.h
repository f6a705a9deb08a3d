// The numbers the page and the program must agree on (messages, modifiers,
// windows, notifications, the map list's id, and the virtual-key code of
// each physical key), handed to the page at start so it never types them.
#pragma once

#include <string>

namespace qm::web {

// The codes as one JSON object, the shape page.js's setCodes reads.
std::string page_codes();

}  // namespace qm::web
