// Which form a name asks for: the window's export and kinemora-compose both
// choose through here.
#include <optional>

#include <gtest/gtest.h>

#include "export/file_format.h"

namespace kinemora {
namespace {

TEST(FileFormat, FollowsTheExtensionInAnyCase) {
  const struct {
    const char* path;
    FileFormat format;
  } cases[] = {
      {"dance.glb", FileFormat::Glb},     {"dance.gltf", FileFormat::Gltf},
      {"DANCE.GLB", FileFormat::Glb},     {"out/Dance.GlTf", FileFormat::Gltf},
      {"dance.bvh", FileFormat::Bvh},     {"dance", FileFormat::Bvh},
      {"dance.glb.bak", FileFormat::Bvh}, {"dance.gltfx", FileFormat::Bvh},
      {"dance.xglb", FileFormat::Bvh},    {"take.glb/dance", FileFormat::Bvh},
      {"", FileFormat::Bvh},
  };
  for (const auto& c : cases) EXPECT_EQ(formatOfPath(c.path), c.format) << c.path;
}

TEST(FileFormat, IsNamedByItsWordInAnyCase) {
  const struct {
    const char* word;
    std::optional<FileFormat> format;
  } cases[] = {
      {"bvh", FileFormat::Bvh}, {"glb", FileFormat::Glb}, {"gltf", FileFormat::Gltf},
      {"GLB", FileFormat::Glb}, {"Gltf", FileFormat::Gltf}, {"glbx", std::nullopt},
      {".glb", std::nullopt},   {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(formatNamed(c.word), c.format) << c.word;
}

}  // namespace
}  // namespace kinemora
