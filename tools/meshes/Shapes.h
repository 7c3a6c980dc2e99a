#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "tools/meshes/Mesh.h"
#include "tools/meshes/Solids.h"

namespace zarnhold_assets {

// Shapes for the props (crystals, creature, sword, shield): rings of points joined into
// faceted solids. Every face is flat and wound outwards.

// `sides` points on an ellipse around `centre` in the plane across `axis` (0 = x, 1 = y,
// 2 = z), radii `radiusA` and `radiusB` along the other two axes in x, y, z order,
// starting at `startRadians`.
std::vector<glm::vec3> ring(glm::vec3 centre, int axis, float radiusA, float radiusB, int sides,
                            float startRadians = 0.0f);

// Joins consecutive rings (all of the same size) with quads, wound away from the line
// through the rings' centres. A ring of one point (or all points equal) closes the end
// to a tip. `capStart` and `capEnd` close the first and last ring with a flat face.
void addLoft(Mesh& mesh, const std::vector<std::vector<glm::vec3>>& rings, bool capStart, bool capEnd,
             const UvMap& uvMap);

// A box with independent bottom and top rectangles: a tapered block for limbs and bodies.
// Half extents are in x and z; the block runs from `bottom` up to `top` along y.
void addTaperedBlock(Mesh& mesh, glm::vec3 bottom, glm::vec2 bottomHalf, glm::vec3 top, glm::vec2 topHalf,
                     const UvMap& uvMap);

// A solid of revolution about the line through `base` along `axis` (0 = x, 1 = y, 2 = z):
// `profile` lists (radius, distance along the axis) pairs from one end of the outline to
// the other; points at radius 0 close the ends. The outline is closed along the axis,
// so its faces are wound away from the enclosed volume, whichever way it is listed.
void addLathe(Mesh& mesh, glm::vec3 base, int axis, const std::vector<glm::vec2>& profile, int sides,
              const UvMap& uvMap, float startRadians = 0.0f);

// Maps each face by projecting along its normal's strongest axis, with the box [lo, hi]
// spread over the texture rectangle [uvLow, uvHigh].
UvMap boxProjection(glm::vec3 lo, glm::vec3 hi, glm::vec2 uvLow, glm::vec2 uvHigh);

// The centre of a ring of points.
glm::vec3 centreOf(const std::vector<glm::vec3>& points);

}  // namespace zarnhold_assets
