#pragma once

#include "math/vec3.h"
#include "view/trackball.h"

namespace kinemora {

// The view's first size, at which the camera's aspect is 1.
constexpr int kFirstViewWidth = 690;
constexpr int kFirstViewHeight = 550;

// The aspect for a picture of w x h that keeps the proportions of the
// picture at the first size (firstW x firstH), as the window's view keeps
// them when it is stretched: 1 at the first size.
float aspectAt(int w, int h, int firstW = kFirstViewWidth, int firstH = kFirstViewHeight);

// The view's camera: an eye that the keys move, a fixed target, and the
// trackball that turns the whole scene about the eye.
class Camera {
 public:
  // Loads the projection and the model-view matrix (needs a current context).
  void apply() const;
  void moveEye(Vec3 d);
  // "w" and "s" step the eye along X, "a" and "d" along Z; false for any
  // other key, which leaves the eye where it is.
  bool moveEyeForKey(int key);

  Trackball trackball;
  Vec3 eye{0.0f, 50.0f, -175.0f};
  Vec3 target{1.0f, 1.0f, -1.0f};
  float fieldOfView = 90.0f;  // vertical, degrees
  float aspect = 1.0f;        // 1 at the view's first size, whatever its shape
};

}  // namespace kinemora
