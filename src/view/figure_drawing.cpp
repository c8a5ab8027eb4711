#include "view/figure_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "figure/figure_look.h"
#include "figure/skeleton.h"
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

}  // namespace

void drawJoint(const Joint& joint, float frame) {
  const Vec3& offset = joint.offset;
  if (hasBone(joint)) drawBone(offset);

  glPushMatrix();
  glTranslatef(offset.x, offset.y, offset.z);
  const AxisAngle r = glRotationOf(rotationAtFrame(joint.rotations, frame));
  // The identity has a zero axis; the matrix must stay as it is.
  if (r.x != 0.0f || r.y != 0.0f || r.z != 0.0f) glRotatef(r.degrees, r.x, r.y, r.z);
  if (!joint.children.empty()) {
    for (const Joint* child : joint.children) drawJoint(*child, frame);
  } else {
    glColor3f(kLeafColour.r, kLeafColour.g, kLeafColour.b);
    sphere(kLeafBallRadius);
  }
  glPopMatrix();
}

void Skeleton::draw(float frame) const { drawJoint(root(), frame); }

}  // namespace kinemora
