// Two compositions compose at once, in two threads, and each writes exactly
// what it writes alone in a freshly started program: nothing random or
// cached is shared between compositions. Built with ThreadSanitizer, which
// also fails the run on any data race.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "compose/composer.h"
#include "compose/history.h"

namespace {

using kinemora::Action;

// Presses, noise, clears, undo and redo: everything that draws from the
// random stream or the noise tables, or keeps worked-out poses.
std::vector<Action> composition(unsigned seed, int length) {
  std::vector<Action> actions;
  for (int i = 0; i < length; ++i) {
    seed = seed * 1103515245u + 12345u;
    const unsigned roll = (seed >> 16) % 100;
    if (roll < 70) {
      actions.push_back({Action::Kind::Press, static_cast<kinemora::Motion>(roll % 7)});
    } else if (roll < 82) {
      actions.push_back({Action::Kind::Noise});
    } else if (roll < 85) {
      actions.push_back({Action::Kind::Clear});
    } else if (roll < 94) {
      actions.push_back({Action::Kind::Undo});
    } else {
      actions.push_back({Action::Kind::Redo});
    }
  }
  return actions;
}

// The BVH a fresh composition of the actions writes.
std::string composedFile(const std::vector<Action>& actions) {
  kinemora::Composer composer;
  kinemora::History history(composer);
  for (const Action& action : actions) history.perform(action);
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* stream = ::open_memstream(&data, &size);
  bool saved = false;
  if (stream) {
    kinemora::Output out(stream);
    std::string error;
    saved = composer.write(out, kinemora::FileFormat::Bvh, &error);
  }
  if (stream) std::fclose(stream);
  std::string text = saved ? std::string(data, size) : std::string();
  std::free(data);
  return text;
}

}  // namespace

int main() {
  const std::vector<Action> first = composition(7, 120), second = composition(8, 120);
  const std::string alone[] = {composedFile(first), composedFile(second)};
  std::string together[2];
  std::thread a([&] { together[0] = composedFile(first); });
  std::thread b([&] { together[1] = composedFile(second); });
  a.join();
  b.join();
  int failures = 0;
  for (int i = 0; i < 2; ++i) {
    const bool same = !alone[i].empty() && together[i] == alone[i];
    std::printf("composition %d: %zu bytes alone, %s in two threads\n", i + 1, alone[i].size(),
                same ? "the same" : "DIFFERENT");
    failures += same ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
