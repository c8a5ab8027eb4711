#include "composition.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace kinemora::reliability {

void perform(Composer& composer, const std::vector<std::string>& actions) {
  for (const std::string& action : actions) {
    const std::optional<Action> named = actionNamed(action);
    if (!named) throw std::invalid_argument("no such action: " + action);
    composer.perform(*named);
  }
}

std::string bvhText(const Composer& composer) {
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* stream = ::open_memstream(&data, &size);
  if (!stream) throw std::runtime_error("open_memstream failed");
  std::string error;
  bool written;
  {
    Output out(stream);
    written = composer.write(out, FileFormat::Bvh, &error);
  }
  std::fclose(stream);
  std::string text(data, size);
  std::free(data);
  if (!written) throw std::runtime_error(error);
  return text;
}

}  // namespace kinemora::reliability
