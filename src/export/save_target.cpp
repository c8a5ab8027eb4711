#include "export/save_target.h"

#include <cstring>

#include "export/shown_text.h"

namespace kinemora {

namespace {

constexpr const char* kStandardOutput = "-";

}  // namespace

bool SaveTarget::open(const std::string& path, std::string* message) {
  path_ = path;
  if (path == kStandardOutput) {
    output_ = std::make_unique<Output>(stdout);
    return true;
  }
  if (!file_.open(path, message)) return false;
  output_ = std::make_unique<Output>(file_.stream());
  return true;
}

SaveResult SaveTarget::failure(const std::string& reason) const {
  if (path_ == kStandardOutput) return {false, "cannot write: " + reason};
  return {false, "cannot save '" + shownText(path_) + "': " + reason};
}

SaveResult SaveTarget::commit() {
  if (!output_->flush()) return failure(std::strerror(output_->error()));
  if (path_ == kStandardOutput) return {};
  std::string message;
  if (!file_.commit(&message)) return {false, message};
  return {};
}

SaveResult save(const std::string& path, const FileContent& content) {
  SaveTarget target;
  std::string message;
  if (!target.open(path, &message)) return {false, message};
  if (!content(target.output(), &message)) return target.failure(message);
  return target.commit();
}

}  // namespace kinemora
