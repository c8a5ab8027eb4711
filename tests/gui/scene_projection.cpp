#include "scene_projection.h"

#include <cmath>

namespace kinemora::test {

namespace {

World sub(const World& a, const World& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const World& a, const World& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
World cross(const World& a, const World& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
World unit(const World& a) {
  const double n = std::sqrt(dot(a, a));
  return {a.x / n, a.y / n, a.z / n};
}

}  // namespace

Screen project(const World& p, const ViewSetup& setup) {
  const World target{1, 1, -1};
  const World up{0, 1, 0};
  const World forward = unit(sub(target, setup.eye));
  const World side = unit(cross(forward, up));
  const World camUp = cross(side, forward);
  const World d = sub(p, setup.eye);
  // Eye space: x right, y up, looking down -z.
  double x = dot(side, d);
  const double y = dot(camUp, d);
  double z = -dot(forward, d);
  // A right-handed turn about eye-space +y.
  const double a = setup.yawDegrees * M_PI / 180.0;
  const double xr = x * std::cos(a) + z * std::sin(a);
  const double zr = -x * std::sin(a) + z * std::cos(a);
  x = xr;
  z = zr;
  // gluPerspective(90, 1, ...): cot(45 degrees) = 1 on both axes.
  const double depth = -z;
  const double ndcX = x / depth;
  const double ndcY = y / depth;
  const bool visible = depth > 1.0 && std::fabs(ndcX) < 1.0 && std::fabs(ndcY) < 1.0;
  return {(ndcX + 1.0) * 0.5 * setup.width, (ndcY + 1.0) * 0.5 * setup.height, visible};
}

}  // namespace kinemora::test
