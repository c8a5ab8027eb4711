#include "video/offscreen_renderer.h"

#include <EGL/eglext.h>
// Frame buffer objects, OpenGL 3.0: libGL exports them.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstring>

#include "view/figure_drawing.h"

namespace kinemora {

namespace {

bool eglFailed(const char* what, std::string* error) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(eglGetError()));
  *error = std::string("cannot draw without a display: ") + what + " (EGL error " + code + ")";
  return false;
}

}  // namespace

bool OffscreenRenderer::open(PictureSize size, std::string* error) {
  size_ = size;
  rows_.resize(static_cast<std::size_t>(size.width) * size.height * 4);
  return openContext(error) && openFramebuffer(error);
}

bool OffscreenRenderer::openContext(std::string* error) {
  display_ = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
    display_ = EGL_NO_DISPLAY;
    return eglFailed("no EGL display without a window system", error);
  }
  if (!eglBindAPI(EGL_OPENGL_API)) return eglFailed("no desktop OpenGL", error);
  const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context_ == EGL_NO_CONTEXT) return eglFailed("no OpenGL context", error);
  if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
    return eglFailed("the OpenGL context cannot be used", error);
  }
  return true;
}

bool OffscreenRenderer::openFramebuffer(std::string* error) {
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glGenRenderbuffers(2, renderbuffers_);
  const GLenum formats[] = {GL_RGBA8, GL_DEPTH24_STENCIL8};
  const GLenum attachments[] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_STENCIL_ATTACHMENT};
  for (int i = 0; i < 2; ++i) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[i]);
    glRenderbufferStorage(GL_RENDERBUFFER, formats[i], size_.width, size_.height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, renderbuffers_[i]);
  }
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "cannot draw pictures of " + std::to_string(size_.width) + " x " +
             std::to_string(size_.height) + " pixels here";
    return false;
  }
  glViewport(0, 0, size_.width, size_.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  return true;
}

void OffscreenRenderer::render(const Camera& camera, const Pose& pose, Picture* picture) {
  drawScene(camera, pose);
  glReadPixels(0, 0, size_.width, size_.height, GL_RGBA, GL_UNSIGNED_BYTE, rows_.data());
  // OpenGL counts rows from the bottom, pictures from the top.
  const std::size_t rowBytes = static_cast<std::size_t>(size_.width) * 4;
  picture->size = size_;
  picture->rgba.resize(rows_.size());
  for (int y = 0; y < size_.height; ++y) {
    std::memcpy(&picture->rgba[y * rowBytes], &rows_[(size_.height - 1 - y) * rowBytes],
                rowBytes);
  }
}

std::vector<Rgb> OffscreenRenderer::storedColours(const std::vector<Colour>& colours) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glShadeModel(GL_FLAT);  // as drawScene draws
  std::vector<Rgb> stored;
  for (const Colour& c : colours) {
    glColor3f(c.r, c.g, c.b);
    glRecti(-1, -1, 1, 1);  // the whole buffer
    std::uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    stored.push_back({pixel[0], pixel[1], pixel[2]});
  }
  return stored;
}

OffscreenRenderer::~OffscreenRenderer() {
  if (display_ == EGL_NO_DISPLAY) return;
  if (framebuffer_) {
    glDeleteRenderbuffers(2, renderbuffers_);
    glDeleteFramebuffers(1, &framebuffer_);
  }
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
  eglTerminate(display_);
  eglReleaseThread();
}

}  // namespace kinemora
