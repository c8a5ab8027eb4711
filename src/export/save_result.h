#pragma once

#include <string>

namespace kinemora {

// How a save went. On failure `message` names the path and the reason.
struct SaveResult {
  bool ok = true;
  std::string message;
  explicit operator bool() const { return ok; }
};

}  // namespace kinemora
