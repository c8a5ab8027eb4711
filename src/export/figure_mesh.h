#pragma once

#include <cstdint>
#include <vector>


namespace kinemora {

// The figure as triangles for a skinned mesh, in the rest pose: the shapes
// of figure/figure_look.h, each vertex bound wholly to one joint, a bone to
// its parent joint (it is drawn in the parent's frame) and a leaf ball to
// its leaf.

// The triangles of one colour.
struct MeshPart {
  std::vector<float> positions;        // x, y, z per vertex, in the world
  std::vector<std::uint8_t> joints;    // per vertex: the joint index it follows
  std::vector<std::uint16_t> indices;  // three per triangle, counter-clockwise seen from outside
  int vertexCount() const { return static_cast<int>(joints.size()); }
};

struct FigureMesh {
  MeshPart bones;      // in kBoneColour
  MeshPart leafBalls;  // in kLeafColour
};

FigureMesh figureMesh();

}  // namespace kinemora
