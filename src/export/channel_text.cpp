#include "export/channel_text.h"

#include <cstring>

#include "export/bvh_number.h"
#include "figure/motion_tracks.h"

namespace kinemora {

namespace {

constexpr int kChannelDigits = 3;

constexpr std::string_view kAtRest = "0. 0. 0. ";

// The channels z, x, y, each followed by a space, into `out`; the length.
std::size_t format(const Quaternion& q, char* out) {
  const Vec3 a = channelAngles(q);
  std::size_t n = 0;
  for (const float v : {a.z, a.x, a.y}) {
    n += static_cast<std::size_t>(formatBvhNumber(v, kChannelDigits, out + n));
    out[n++] = ' ';
  }
  return n;
}

}  // namespace

ChannelText::ChannelText() : entries_(kEntries) {}

std::string_view ChannelText::of(const Quaternion& q) {
  // A joint at rest: its channels are all zero, without the trigonometry.
  if (q.x == 0.0f && q.y == 0.0f && q.z == 0.0f) return kAtRest;
  std::uint64_t key[2];
  static_assert(sizeof key == sizeof q, "a rotation is four floats");
  std::memcpy(key, &q, sizeof key);
  const std::uint64_t hash = key[0] * 0x9E3779B97F4A7C15ull ^ key[1] * 0xC2B2AE3D27D4EB4Full;
  Entry& entry = entries_[(hash >> 40) % kEntries];
  if (entry.length > 0 && entry.key[0] == key[0] && entry.key[1] == key[1]) {
    return {entry.text, entry.length};
  }
  const std::size_t n = format(q, scratch_);
  if (n <= sizeof entry.text) {
    entry.key[0] = key[0];
    entry.key[1] = key[1];
    entry.length = static_cast<std::uint8_t>(n);
    std::memcpy(entry.text, scratch_, n);
  }
  return {scratch_, n};
}

}  // namespace kinemora
