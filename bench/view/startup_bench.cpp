// Time from program start to the first frame of the view drawn: the program
// runs itself a few times, each run building the real main window and
// stopping once the view has drawn (glFinish included). The clock starts
// just before the run is launched, so loading the program and its libraries
// counts. Needs a display, e.g. tests/run_with_xvfb.sh.
#include <FL/Fl.H>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/application.h"
#include "app/startup.h"

namespace {

constexpr int kRuns = 7;

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// One run: prints "<ms since launch> <ms since main>".
int firstFrame(double launchedAtMs) {
  const double mainAtMs = nowMs();
  kinemora::Application app;
  kinemora::MainWindow* window = kinemora::buildMainWindow(app);
  window->show();
  while (!window->view()->valid()) Fl::wait(0.01);  // set once drawn
  window->view()->make_current();
  glFinish();
  const double doneMs = nowMs();
  std::printf("%.3f %.3f\n", doneMs - launchedAtMs, doneMs - mainAtMs);
  return 0;
}

// Starts this program in run mode with its output on a pipe, no shell in
// between, and reads the run's two figures.
bool launchRun(const char* self, double& total, double& inMain) {
  int out[2];
  if (pipe(out) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char launched[64];
  std::snprintf(launched, sizeof launched, "%.6f", nowMs());
  char* args[] = {const_cast<char*>(self), const_cast<char*>("--launched-at"), launched,
                  nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return false;
  }
  FILE* reader = fdopen(out[0], "r");
  const bool read = reader && std::fscanf(reader, "%lf %lf", &total, &inMain) == 2;
  if (reader) std::fclose(reader);
  int status = 0;
  waitpid(pid, &status, 0);
  return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--launched-at") == 0) {
    return firstFrame(std::atof(argv[2]));
  }
  char self[2048] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
  std::vector<double> total;
  std::vector<double> inMain;
  for (int i = 0; i < kRuns; ++i) {
    double t = 0, m = 0;
    if (!launchRun(self, t, m)) {
      std::fprintf(stderr, "run %d failed\n", i + 1);
      return 1;
    }
    std::printf("run %d: first frame %.1f ms after launch (%.1f ms after main)\n", i + 1, t, m);
    total.push_back(t);
    inMain.push_back(m);
  }
  std::sort(total.begin(), total.end());
  std::sort(inMain.begin(), inMain.end());
  std::printf("start to first frame: median %.1f ms, min %.1f ms, max %.1f ms "
              "(median after main: %.1f ms)\n",
              total[kRuns / 2], total.front(), total.back(), inMain[kRuns / 2]);
  return 0;
}
