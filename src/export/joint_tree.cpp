#include "export/joint_tree.h"

namespace kinemora {

namespace {

int indexOf(const Skeleton& skeleton, const Joint& joint) {
  for (int i = 0; i < kJointCount; ++i) {
    if (&skeleton.joint(i) == &joint) return i;
  }
  return -1;  // not reached: every joint of the tree is one of the skeleton's
}

void visit(const Skeleton& skeleton, int index, int parent, const Vec3& parentPosition,
           JointTree& tree) {
  const Joint& joint = skeleton.joint(index);
  tree.parent[index] = parent;
  tree.restPosition[index] = Vec3(parentPosition.x + joint.offset.x,
                                  parentPosition.y + joint.offset.y,
                                  parentPosition.z + joint.offset.z);
  for (const Joint* child : joint.children) {
    const int c = indexOf(skeleton, *child);
    tree.children[index].push_back(c);
    visit(skeleton, c, index, tree.restPosition[index], tree);
  }
}

}  // namespace

JointTree jointTree(const Skeleton& skeleton) {
  JointTree tree;
  visit(skeleton, kRoot, -1, Vec3(), tree);
  return tree;
}

}  // namespace kinemora
