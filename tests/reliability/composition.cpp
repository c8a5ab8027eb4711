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
  const SaveResult result = composer.save(stream);
  std::fclose(stream);
  std::string text(data, size);
  std::free(data);
  if (!result) throw std::runtime_error(result.message);
  return text;
}

}  // namespace kinemora::reliability
