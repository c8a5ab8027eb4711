#pragma once

#include "math/vec3.h"

namespace kinemora {

// How the figure looks, for every picture of it: the view's OpenGL drawing
// and the mesh a glTF file carries. Plain numbers, free of OpenGL.
//
// Each bone is a red ellipsoid from the parent's position to the joint's,
// in the parent's frame; each leaf joint carries a green ball in its own
// frame. Both are spheres of kSphereSlices slices round their pole axis
// (local Z) and kSphereStacks stacks from pole to pole, as gluSphere makes
// them.

// A colour as glColor3f takes it: each channel 0..1.
struct FigureColour {
  float r;
  float g;
  float b;
};
constexpr FigureColour kBoneColour{1.0f, 0.0f, 0.0f};
constexpr FigureColour kLeafColour{0.0f, 1.0f, 0.0f};

constexpr int kSphereSlices = 10;
constexpr int kSphereStacks = 10;
constexpr double kLeafBallRadius = 3.0;
constexpr double kBoneRadius = 0.5;      // of the sphere, before the bone's scaling
constexpr double kBoneThickness = 0.25;  // cross-section per unit of length

// Where a bone's sphere goes in the parent's frame: moved to `centre`,
// turned about Z, then scaled. Every offset of the figure lies along one
// axis, so a bone lies along X or along Y.
struct BonePlacement {
  Vec3 centre;        // half the offset
  float turnDegrees;  // about Z: 90 for an offset towards +X, -90 towards -X, else 0
  double across;      // scale on X and Z before the turn: kBoneThickness * length
  double along;       // scale on Y before the turn: the offset's length
};
BonePlacement bonePlacement(const Vec3& offset);

// Whether a joint (a JointIndex) has a bone to draw: not the root (its
// offset is where the figure stands) and not a joint sitting on its parent
// (a zero offset).
bool hasBone(int joint);

}  // namespace kinemora
