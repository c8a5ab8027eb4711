#include "view/figure_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "figure/figure_look.h"
#include "motion/joint_table.h"
#include "view/clear_view.h"
#include "view/floor.h"
#include "view/joint_pose.h"

namespace kinemora {

namespace {

void sphere(double radius) {
  GLUquadric* quadric = gluNewQuadric();
  gluSphere(quadric, radius, kSphereSlices, kSphereStacks);
  gluDeleteQuadric(quadric);
}

// The joint's bone, in the parent's frame (figure/figure_look.h).
void drawBone(const Vec3& offset) {
  const BonePlacement bone = bonePlacement(offset);
  glPushMatrix();
  glTranslated(bone.centre.x, bone.centre.y, bone.centre.z);
  if (bone.turnDegrees != 0.0f) glRotatef(bone.turnDegrees, 0.0f, 0.0f, 1.0f);
  glScaled(bone.across, bone.along, bone.across);
  glColor3f(kBoneColour.r, kBoneColour.g, kBoneColour.b);
  sphere(kBoneRadius);
  glPopMatrix();
}

// This joint's bone and its subtree, in the parent's frame.
void drawJoint(const Pose& pose, int joint) {
  const Vec3& offset = kFigureJoints[joint].offset;
  if (hasBone(joint)) drawBone(offset);

  glPushMatrix();
  glTranslatef(offset.x, offset.y, offset.z);
  const AxisAngle r = glRotationOf(pose.rotations[joint]);
  // The identity has a zero axis; the matrix must stay as it is.
  if (r.x != 0.0f || r.y != 0.0f || r.z != 0.0f) glRotatef(r.degrees, r.x, r.y, r.z);
  if (isLeaf(joint)) {
    glColor3f(kLeafColour.r, kLeafColour.g, kLeafColour.b);
    sphere(kLeafBallRadius);
  } else {
    for (int child = joint + 1; child < kJointCount; ++child) {
      if (kFigureJoints[child].parent == joint) drawJoint(pose, child);
    }
  }
  glPopMatrix();
}

}  // namespace

void drawFigure(const Pose& pose) { drawJoint(pose, kRoot); }

void drawScene(const Camera& camera, const Pose& pose) {
  // Each primitive in its one colour: interpolating a constant colour
  // rounds channels that lie halfway between two steps (the floor's 0.3
  // and 0.7) one way or the other by where the pixel is, and differently
  // in a window and in an off-screen buffer.
  glShadeModel(GL_FLAT);
  clearView();
  camera.apply();
  glEnable(GL_DEPTH_TEST);
  // Sent afresh with every paint: a display list measured no faster under
  // Mesa's software renderer.
  emitFloorQuads();
  drawFigure(pose);
}

std::vector<Colour> sceneColours() {
  const auto colour = [](const FigureColour& c) { return Colour{c.r, c.g, c.b}; };
  return {kBackground, kFloorLight, kFloorDark, colour(kBoneColour), colour(kLeafColour)};
}

}  // namespace kinemora
