// render-frame: one frame of the actions, composed from a fresh start as
// kinemora-compose composes them, drawn off the screen through the view's
// first camera at WIDTHxHEIGHT; a binary PPM on standard output. What a
// video's picture of that frame must show.
//   render-frame WIDTHxHEIGHT FRAME ACTION...
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "compose/composer.h"
#include "video/offscreen_renderer.h"

int main(int argc, char** argv) {
  using namespace kinemora;
  PictureSize size;
  if (argc < 3 || std::sscanf(argv[1], "%dx%d", &size.width, &size.height) != 2) return 2;
  const int frame = std::atoi(argv[2]);
  Composer composer;
  for (int i = 3; i < argc; ++i) {
    const std::optional<Action> action = actionNamed(argv[i]);
    if (!action) return 2;
    composer.perform(*action);
  }
  OffscreenRenderer renderer;
  std::string error;
  if (frame < 0 || frame >= composer.frameCount() || !renderer.open(size, &error)) return 1;
  Camera camera;
  camera.aspect = aspectAt(size.width, size.height);
  Picture picture;
  renderer.render(camera, composer.frames()[frame], &picture);
  std::printf("P6\n%d %d\n255\n", size.width, size.height);
  for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
    std::fwrite(&picture.rgba[i], 1, 3, stdout);
  }
  return 0;
}
