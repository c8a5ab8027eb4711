#pragma once

#include <array>
#include <optional>

#include "motion/random_stream.h"

namespace kinemora {

// One-dimensional gradient noise with a lattice step of 10 units of x and a
// period of 2560, from two tables that a composition draws from its random
// stream once.

struct NoiseTables {
  std::array<int, 256> permutation;
  std::array<float, 256> gradient;  // (k - 256) / 256 for some k in 0..511
};

// Draws the tables: 256 gradients, then 255 swaps of the permutation.
NoiseTables drawNoiseTables(RandomStream& stream);

// |result| < 0.5, and exactly 0 wherever float(x * 0.1) is a whole number.
// Meant for x >= 0.
double perlinNoise(const NoiseTables& tables, double x);

// A composition's noise: its tables are drawn from the composition's stream
// the first time noise is asked for, whenever that comes, and kept; they
// never change once drawn.
class Noise {
 public:
  // The tables, drawn from the stream first if they are not yet.
  const NoiseTables& tables(RandomStream& stream) {
    if (!tables_) tables_ = drawNoiseTables(stream);
    return *tables_;
  }
  bool built() const { return tables_.has_value(); }
  // Forgets the tables, as before the press that first drew them. Never
  // allocates.
  void forget() { tables_.reset(); }

 private:
  std::optional<NoiseTables> tables_;
};

}  // namespace kinemora
