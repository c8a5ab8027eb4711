#pragma once

#include <EGL/egl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encode/picture.h"
#include "figure/frame_store.h"
#include "view/camera.h"
#include "view/floor.h"

namespace kinemora {

// Draws scenes into pictures without a display: Mesa's EGL without a window
// system (the surfaceless platform), an OpenGL context of the compatibility
// profile, and a frame buffer object of the picture's size with colour,
// depth and stencil, read back after each scene. Its context is current in
// the thread that opened it until it is destroyed: one thread uses it, and
// that thread has no other context meanwhile.
class OffscreenRenderer {
 public:
  OffscreenRenderer() = default;
  ~OffscreenRenderer();
  OffscreenRenderer(const OffscreenRenderer&) = delete;
  OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

  // False with *error when there is no such OpenGL here.
  bool open(PictureSize size, std::string* error);
  // The scene as drawScene draws it, into *picture.
  void render(const Camera& camera, const Pose& pose, Picture* picture);
  // Each colour as this frame buffer stores it when a primitive is drawn
  // in it: the bytes a picture holds for it. Drivers round a channel that
  // lies halfway between two steps their own way.
  std::vector<Rgb> storedColours(const std::vector<Colour>& colours);

 private:
  bool openContext(std::string* error);
  bool openFramebuffer(std::string* error);

  PictureSize size_;
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLContext context_ = EGL_NO_CONTEXT;
  // OpenGL's names (GLuint) of the frame buffer and its colour and its
  // depth and stencil buffers.
  unsigned framebuffer_ = 0;
  unsigned renderbuffers_[2] = {};
  std::vector<std::uint8_t> rows_;  // as OpenGL reads them: bottom row first
};

}  // namespace kinemora
