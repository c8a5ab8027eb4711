#pragma once

namespace kinemora {

// One-dimensional gradient noise with a lattice step of 10 units of x and a
// period of 2560. |result| < 0.5, and it is exactly 0 wherever float(x * 0.1)
// is a whole number. Meant for x >= 0. The tables are drawn from the random
// stream on the first call, whenever that comes, and kept for the run.
double perlinNoise(double x);

// Fills the tables from the random stream. Only perlinNoise calls it.
void initNoiseTables();

// Whether the tables have been drawn yet.
bool noiseTablesBuilt();

// Forget the tables, so that the next perlinNoise builds them again, as in a
// freshly started program, or as before the press that first built them.
void resetNoiseTables();

}  // namespace kinemora
