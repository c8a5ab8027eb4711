#include "view/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace kinemora {

namespace {

struct EyeKey {
  int key;
  Vec3 step;
};

// One unit per press. The target stays put, so "w" and "s" also swing the
// line of sight, while "a" and "d" move away from the figure and back.
const EyeKey kEyeKeys[] = {
    // key  step
    {'w', { 1.0f, 0.0f,  0.0f}},
    {'s', {-1.0f, 0.0f,  0.0f}},
    {'a', { 0.0f, 0.0f, -1.0f}},
    {'d', { 0.0f, 0.0f,  1.0f}},
};

constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 100000.0;

}  // namespace

void Camera::apply() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, aspect, kNearPlane, kFarPlane);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Before the look-at, so the trackball turns the scene in eye space.
  float rotation[16];
  trackball.viewMatrix(rotation);
  glMultMatrixf(rotation);
  gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0, 1.0, 0.0);
}

float aspectAt(int w, int h, int firstW, int firstH) {
  return static_cast<float>(static_cast<double>(w) * firstH /
                            (static_cast<double>(h) * firstW));
}

void Camera::moveEye(Vec3 d) {
  eye.x += d.x;
  eye.y += d.y;
  eye.z += d.z;
}

bool Camera::moveEyeForKey(int key) {
  for (const EyeKey& k : kEyeKeys) {
    if (k.key == key) {
      moveEye(k.step);
      return true;
    }
  }
  return false;
}

}  // namespace kinemora
