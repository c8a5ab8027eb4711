#include "view/camera.h"

#include <FL/Enumerations.H>

#include <gtest/gtest.h>

namespace kinemora {
namespace {

TEST(Camera, KeysOtherThanWsadAreRefusedAndMoveNothing) {
  Camera camera;
  const int others[] = {'q', 'e', 'x', 'W', ' ', '1', 0, -1, FL_Escape, FL_Up, FL_Left, FL_Enter};
  for (int key : others) {
    EXPECT_FALSE(camera.moveEyeForKey(key)) << key;
  }
  EXPECT_EQ(camera.eye, Vec3(0, 50, -175));
  EXPECT_EQ(camera.target, Vec3(1, 1, -1));
}

TEST(Camera, WsadStepTheEyeOneUnitAndTheTargetStays) {
  Camera camera;
  struct Step {
    int key;
    Vec3 eye;
  };
  const Step steps[] = {
      // key  eye afterwards
      {'w', {1, 50, -175}},
      {'w', {2, 50, -175}},
      {'s', {1, 50, -175}},
      {'a', {1, 50, -176}},
      {'d', {1, 50, -175}},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(camera.moveEyeForKey(s.key));
    EXPECT_EQ(camera.eye, s.eye) << "after '" << static_cast<char>(s.key) << "'";
  }
  EXPECT_EQ(camera.target, Vec3(1, 1, -1));
}

}  // namespace
}  // namespace kinemora
