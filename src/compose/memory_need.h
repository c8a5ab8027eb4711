#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compose/actions.h"

namespace kinemora {

// What a composition will need before it is composed, from its words alone,
// so that one too large for the machine is refused with a message instead
// of running the machine out of memory part way.

// The most frames the words have stored at any moment as they are performed
// in order: every press in effect counts, also those a "clear" emptied
// (their frames are kept so that the clear can be undone).
std::uint64_t framesStoredBy(const std::vector<Action>& actions);

// The memory the system can give without swapping (MemAvailable in
// /proc/meminfo), in bytes; nothing when it cannot tell.
std::optional<std::uint64_t> availableMemory();

// Why the words cannot be composed here: how many frames they make and what
// those need, against what is available. Nothing when they fit, or when the
// available memory is unknown.
std::optional<std::string> memoryRefusal(const std::vector<Action>& actions,
                                         std::optional<std::uint64_t> available);

}  // namespace kinemora
