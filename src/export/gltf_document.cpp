#include "export/gltf_document.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

#include "export/figure_mesh.h"
#include "figure/figure_look.h"

namespace kinemora {

namespace {

using Json = nlohmann::ordered_json;

// glTF's numbers for component types and buffer targets (OpenGL's).
constexpr int kUnsignedByte = 5121;
constexpr int kUnsignedShort = 5123;
constexpr int kFloat = 5126;
constexpr int kNoTarget = 0;
constexpr int kVertexData = 34962;
constexpr int kIndexData = 34963;

constexpr double kFramesPerSecond = 30.0;
constexpr std::uint64_t kTimeBytes = sizeof(float);
constexpr int kMeshNode = kJointCount;  // the joints are nodes 0..19

constexpr const char* kUnlit = "KHR_materials_unlit";
// The start of the .gltf's buffer URI; its base64 data follows.
constexpr const char* kGltfDataUri = "data:application/octet-stream;base64,";

// The buffer as it is laid out: its views and accessors, and the bytes of
// its head.
struct Layout {
  Json views = Json::array();
  Json accessors = Json::array();
  std::vector<std::uint8_t> head;
};

int addView(Layout& layout, std::uint64_t offset, std::uint64_t length, int target) {
  Json view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", length}};
  if (target != kNoTarget) view["target"] = target;
  layout.views.push_back(view);
  return static_cast<int>(layout.views.size()) - 1;
}

// A view over bytes appended to the head, at a four-byte boundary.
int appendView(Layout& layout, const void* data, std::size_t size, int target) {
  layout.head.resize((layout.head.size() + 3) / 4 * 4, 0);
  const std::size_t offset = layout.head.size();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  layout.head.insert(layout.head.end(), bytes, bytes + size);
  return addView(layout, offset, size, target);
}

// Returns the new accessor's index; `extra` adds bounds or normalisation.
int addAccessor(Layout& layout, int view, std::uint64_t offset, int componentType,
                std::size_t count, const char* type, const Json& extra = Json::object()) {
  Json accessor = {{"bufferView", view},
                   {"byteOffset", offset},
                   {"componentType", componentType},
                   {"count", count},
                   {"type", type}};
  accessor.update(extra);
  layout.accessors.push_back(accessor);
  return static_cast<int>(layout.accessors.size()) - 1;
}

// The "min" and "max" of x, y, z positions, as glTF requires for them.
Json positionBounds(const std::vector<float>& xyz) {
  Json min = Json::array(), max = Json::array();
  for (std::size_t axis = 0; axis < 3; ++axis) {
    float lo = xyz[axis], hi = xyz[axis];
    for (std::size_t i = axis; i < xyz.size(); i += 3) {
      lo = std::min(lo, xyz[i]);
      hi = std::max(hi, xyz[i]);
    }
    min.push_back(lo);
    max.push_back(hi);
  }
  return {{"min", min}, {"max", max}};
}

// One primitive: positions, each vertex's one joint at full weight, and
// the triangles.
Json primitive(Layout& layout, const MeshPart& part, int material) {
  const std::size_t n = part.joints.size();
  std::vector<std::uint8_t> joints(4 * n, 0), weights(4 * n, 0);
  for (std::size_t v = 0; v < n; ++v) {
    joints[4 * v] = part.joints[v];
    weights[4 * v] = 255;  // 1.0, normalised
  }
  const std::size_t positionBytes = part.positions.size() * sizeof(float);
  const std::size_t indexBytes = part.indices.size() * sizeof(std::uint16_t);
  const int positionView = appendView(layout, part.positions.data(), positionBytes, kVertexData);
  const int jointView = appendView(layout, joints.data(), joints.size(), kVertexData);
  const int weightView = appendView(layout, weights.data(), weights.size(), kVertexData);
  const int indexView = appendView(layout, part.indices.data(), indexBytes, kIndexData);
  const Json attributes = {
      {"POSITION",
       addAccessor(layout, positionView, 0, kFloat, n, "VEC3", positionBounds(part.positions))},
      {"JOINTS_0", addAccessor(layout, jointView, 0, kUnsignedByte, n, "VEC4")},
      {"WEIGHTS_0",
       addAccessor(layout, weightView, 0, kUnsignedByte, n, "VEC4", {{"normalized", true}})},
  };
  const int indices =
      addAccessor(layout, indexView, 0, kUnsignedShort, part.indices.size(), "SCALAR");
  return {{"attributes", attributes}, {"indices", indices}, {"material", material}};
}

// The view draws with no lighting: flat colour, which unlit materials keep.
Json material(const char* name, const FigureColour& c) {
  return {{"name", name},
          {"pbrMetallicRoughness",
           {{"baseColorFactor", {c.r, c.g, c.b, 1.0f}},
            {"metallicFactor", 0.0},
            {"roughnessFactor", 1.0}}},
          {"extensions", {{kUnlit, Json::object()}}}};
}

Json jointNodes() {
  Json nodes = Json::array();
  for (int i = 0; i < kJointCount; ++i) {
    const JointLayout& joint = kFigureJoints[i];
    Json node = {{"name", joint.name},
                 {"translation", {joint.offset.x, joint.offset.y, joint.offset.z}}};
    Json children = Json::array();
    for (int c = 0; c < kJointCount; ++c) {
      if (kFigureJoints[c].parent == i) children.push_back(c);
    }
    if (!children.empty()) node["children"] = children;
    nodes.push_back(node);
  }
  return nodes;
}

// The inverse of each joint's rest transform, a pure translation, column
// by column.
int inverseBindMatrices(Layout& layout) {
  std::vector<float> matrices;
  for (const Vec3& p : restPositions()) {
    const float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -p.x, -p.y, -p.z, 1};
    matrices.insert(matrices.end(), m, m + 16);
  }
  const int view = appendView(layout, matrices.data(), matrices.size() * sizeof(float), kNoTarget);
  return addAccessor(layout, view, 0, kFloat, kJointCount, "MAT4");
}

// Views over the frames' data after the head; one rotation channel per
// joint, a key per frame, LINEAR.
Json animation(Layout& layout, int frameCount) {
  const std::uint64_t frames = static_cast<std::uint64_t>(frameCount);
  const std::uint64_t at = layout.head.size();
  const Json bounds = {{"min", {0.0f}}, {"max", {gltfFrameTime(frameCount - 1)}}};
  const int input = addAccessor(layout, addView(layout, at, kTimeBytes * frames, kNoTarget), 0,
                                kFloat, frames, "SCALAR", bounds);
  const std::uint64_t perJoint = kGltfRotationBytes * frames;
  const int rotations =
      addView(layout, at + kTimeBytes * frames, perJoint * kJointCount, kNoTarget);
  Json channels = Json::array(), samplers = Json::array();
  for (int j = 0; j < kJointCount; ++j) {
    const int output = addAccessor(layout, rotations, perJoint * j, kFloat, frames, "VEC4");
    samplers.push_back({{"input", input}, {"interpolation", "LINEAR"}, {"output", output}});
    channels.push_back({{"sampler", j}, {"target", {{"node", j}, {"path", "rotation"}}}});
  }
  return {{"name", "Composition"}, {"channels", channels}, {"samplers", samplers}};
}

}  // namespace

float gltfFrameTime(int frame) { return static_cast<float>(frame / kFramesPerSecond); }

GltfDocument gltfDocument(int frameCount, bool embedded) {
  const FigureMesh mesh = figureMesh();
  Layout layout;
  Json nodes = jointNodes();
  nodes.push_back({{"name", "Figure"}, {"mesh", 0}, {"skin", 0}});
  std::vector<int> joints(kJointCount);
  for (int i = 0; i < kJointCount; ++i) joints[i] = i;

  Json doc = {{"asset", {{"version", "2.0"}, {"generator", "Kinemora " KINEMORA_VERSION}}},
              {"extensionsUsed", {kUnlit}},
              {"scene", 0},
              {"scenes", {{{"nodes", {kRoot, kMeshNode}}}}},
              {"nodes", nodes}};
  doc["skins"] = {{{"inverseBindMatrices", inverseBindMatrices(layout)},
                   {"joints", joints},
                   {"skeleton", kRoot}}};
  doc["meshes"] = {
      {{"name", "Figure"},
       {"primitives", {primitive(layout, mesh.bones, 0), primitive(layout, mesh.leafBalls, 1)}}}};
  doc["materials"] = {material("Bone", kBoneColour), material("Leaf ball", kLeafColour)};
  layout.head.resize((layout.head.size() + 3) / 4 * 4, 0);
  // glTF has no empty animation: without frames the figure stands at rest.
  if (frameCount > 0) doc["animations"] = {animation(layout, frameCount)};

  GltfDocument out;
  const std::uint64_t frames = static_cast<std::uint64_t>(std::max(frameCount, 0));
  out.bufferLength = layout.head.size() + (kTimeBytes + kGltfRotationBytes * kJointCount) * frames;
  doc["accessors"] = layout.accessors;
  doc["bufferViews"] = layout.views;
  doc["buffers"] = {{{"byteLength", out.bufferLength}}};
  if (embedded) doc["buffers"][0]["uri"] = kGltfDataUri;
  out.json = doc.dump();
  if (embedded) out.dataAt = out.json.find(kGltfDataUri) + std::strlen(kGltfDataUri);
  out.head = std::move(layout.head);
  return out;
}

}  // namespace kinemora
