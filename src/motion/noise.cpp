#include "motion/noise.h"

#include <utility>

#include "motion/random_stream.h"

namespace kinemora {

namespace {

int noisePermutation[256];
float noiseGradient[256];  // (k - 256) / 256 for some k in 0..511
bool noiseTablesPending = true;

}  // namespace

void initNoiseTables() {
  for (int i = 0; i < 256; ++i) {
    noisePermutation[i] = i;
    noiseGradient[i] = static_cast<float>((drawRandom() % 512) - 256) / 256.0f;
  }
  // j runs over the whole table, not just 0..i: that is how the tables were
  // always shuffled, and stored files depend on it.
  for (int i = 255; i > 0; --i) {
    const int j = drawRandom() % 256;
    std::swap(noisePermutation[i], noisePermutation[j]);
  }
}

bool noiseTablesBuilt() { return !noiseTablesPending; }

void resetNoiseTables() { noiseTablesPending = true; }

double perlinNoise(double x) {
  if (noiseTablesPending) {
    noiseTablesPending = false;
    initNoiseTables();
  }
  const float v = static_cast<float>(x * 0.1);
  const double t = static_cast<double>(v) + 4096.0;  // keeps truncation a floor
  if (!(t >= 0.0 && t < 2147483647.0)) return 0.0;  // far outside any use
  const int n = static_cast<int>(t);
  const int b0 = n & 255;
  const int b1 = (b0 + 1) & 255;
  const double r0 = t - n;
  const double r1 = r0 - 1.0;
  const float u = static_cast<float>(r0 * noiseGradient[noisePermutation[b0]]);
  const double w = r1 * noiseGradient[noisePermutation[b1]];
  const double s = r0 * r0 * (3.0 - 2.0 * r0);
  return u + s * (w - u);
}

}  // namespace kinemora
