// Which form a name asks for: the window's export and kinemora-compose both
// choose through here.
#include <optional>

#include <gtest/gtest.h>

#include "export/file_format.h"

namespace kinemora {
namespace {

struct PathCase {
  const char* path;
  FileFormat format;
};

const PathCase kPaths[] = {
    // path               format
    {"dance.glb",         FileFormat::Glb},
    {"dance.gltf",        FileFormat::Gltf},
    {"DANCE.GLB",         FileFormat::Glb},
    {"out/Dance.GlTf",    FileFormat::Gltf},
    {"dance.bvh",         FileFormat::Bvh},
    {"dance",             FileFormat::Bvh},
    {"dance.glb.bak",     FileFormat::Bvh},
    {"dance.gltfx",       FileFormat::Bvh},
    {"dance.xglb",        FileFormat::Bvh},
    {"take.glb/dance",    FileFormat::Bvh},
    {"",                  FileFormat::Bvh},
};

TEST(FileFormat, FollowsTheExtension) {
  for (const PathCase& c : kPaths) EXPECT_EQ(formatOfPath(c.path), c.format) << c.path;
}

struct WordCase {
  const char* word;
  std::optional<FileFormat> format;
};

const WordCase kWords[] = {
    {"bvh", FileFormat::Bvh}, {"glb", FileFormat::Glb}, {"gltf", FileFormat::Gltf},
    {"GLB", std::nullopt},    {".glb", std::nullopt},   {"", std::nullopt},
};

TEST(FileFormat, IsNamedByItsWordOnly) {
  for (const WordCase& c : kWords) EXPECT_EQ(formatNamed(c.word), c.format) << c.word;
}

}  // namespace
}  // namespace kinemora
