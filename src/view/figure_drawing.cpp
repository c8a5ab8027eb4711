#include "view/figure_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "figure/skeleton.h"
#include "view/joint_pose.h"

namespace kinemora {

namespace {

constexpr int kSphereSlices = 10;
constexpr int kSphereStacks = 10;
constexpr double kBoneRadius = 0.5;       // before the bone's scaling
constexpr double kBoneThickness = 0.25;   // cross-section per unit of length
constexpr double kLeafBallRadius = 3.0;

void sphere(double radius) {
  GLUquadric* quadric = gluNewQuadric();
  gluSphere(quadric, radius, kSphereSlices, kSphereStacks);
  gluDeleteQuadric(quadric);
}

// A red ellipsoid from the parent's position to the joint at `offset`, in
// the parent's frame. Its long axis lies along X when the offset has an X
// part, along Y otherwise: every offset of the figure lies along one axis.
void drawBone(const Vec3& offset, bool root) {
  glPushMatrix();
  glTranslated(0.5 * offset.x, 0.5 * offset.y, 0.5 * offset.z);
  const double len = offset.length();
  if (offset.x > 0.0f) glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  if (offset.x < 0.0f) glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
  glScaled(kBoneThickness * len, len, kBoneThickness * len);
  glColor3f(1.0f, 0.0f, 0.0f);
  if (!root) sphere(kBoneRadius);
  glPopMatrix();
}

}  // namespace

void drawJoint(const Joint& joint, float frame) {
  const Vec3& offset = joint.offset;
  drawBone(offset, joint.isRoot());

  glPushMatrix();
  glTranslatef(offset.x, offset.y, offset.z);
  const AxisAngle r = glRotationOf(rotationAtFrame(joint.rotations, frame));
  // The identity has a zero axis; the matrix must stay as it is.
  if (r.x != 0.0f || r.y != 0.0f || r.z != 0.0f) glRotatef(r.degrees, r.x, r.y, r.z);
  if (!joint.children.empty()) {
    for (const Joint* child : joint.children) drawJoint(*child, frame);
  } else {
    glColor3f(0.0f, 1.0f, 0.0f);
    sphere(kLeafBallRadius);
  }
  glPopMatrix();
}

void Skeleton::draw(float frame) const { drawJoint(root(), frame); }

}  // namespace kinemora
