#include "motion/noise.h"

#include <utility>

namespace kinemora {

NoiseTables drawNoiseTables(RandomStream& stream) {
  NoiseTables tables;
  for (int i = 0; i < 256; ++i) {
    tables.permutation[i] = i;
    tables.gradient[i] = static_cast<float>((stream.draw() % 512) - 256) / 256.0f;
  }
  // j runs over the whole table, not just 0..i: that is how the tables were
  // always shuffled, and stored files depend on it.
  for (int i = 255; i > 0; --i) {
    const int j = stream.draw() % 256;
    std::swap(tables.permutation[i], tables.permutation[j]);
  }
  return tables;
}

double perlinNoise(const NoiseTables& tables, double x) {
  const float v = static_cast<float>(x * 0.1);
  const double t = static_cast<double>(v) + 4096.0;  // keeps truncation a floor
  if (!(t >= 0.0 && t < 2147483647.0)) return 0.0;  // far outside any use
  const int n = static_cast<int>(t);
  const int b0 = n & 255;
  const int b1 = (b0 + 1) & 255;
  const double r0 = t - n;
  const double r1 = r0 - 1.0;
  const float u = static_cast<float>(r0 * tables.gradient[tables.permutation[b0]]);
  const double w = r1 * tables.gradient[tables.permutation[b1]];
  const double s = r0 * r0 * (3.0 - 2.0 * r0);
  return u + s * (w - u);
}

}  // namespace kinemora
