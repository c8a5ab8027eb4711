#include "figure/skeleton.h"

namespace kinemora {

Skeleton drawSkeleton(RandomStream& stream) {
  Skeleton skeleton;
  for (int& seed : skeleton.noiseSeeds) seed = stream.draw();
  return skeleton;
}

}  // namespace kinemora
