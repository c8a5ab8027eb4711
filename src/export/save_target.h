#pragma once

#include <functional>
#include <memory>
#include <string>

#include "export/output.h"
#include "export/replacing_file.h"
#include "export/save_result.h"

namespace kinemora {

// Where a save goes, opened once at the top: a file, replaced whole or not
// at all (ReplacingFile), or "-", standard output. A writer writes to its
// output; commit() ends the save, and a target given up on (destroyed
// uncommitted) leaves the file as it was.
class SaveTarget {
 public:
  // False with *message ("cannot save 'PATH': reason").
  bool open(const std::string& path, std::string* message);
  Output& output() { return *output_; }
  // What a failure of the writer says, for its reason.
  SaveResult failure(const std::string& reason) const;
  // Flushes the output and, for a file, moves it into place.
  SaveResult commit();

 private:
  std::string path_;
  ReplacingFile file_;  // unused for standard output
  std::unique_ptr<Output> output_;
};

// Writes a whole file: its content, or false with *reason.
using FileContent = std::function<bool(Output& out, std::string* reason)>;

// The content to `path` ("-": standard output) through a SaveTarget: on
// failure an existing file is left as it was.
SaveResult save(const std::string& path, const FileContent& content);

}  // namespace kinemora
