#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// Small painting operations for the designed pictures. Positions are in pixels of the
// target image, row 0 at the top.

// Fills the polygon `points` (any winding) into `mask`, antialiased by 4 x 4 samples
// per pixel; coverage is added to what the mask holds, capped at 1.
void fillPolygon(Mask& mask, const std::vector<glm::vec2>& points);

// Blends `colour` over the image where the mask (placed with its top left at left, top)
// covers, by coverage x opacity.
void blendMask(Image& image, const Mask& mask, int left, int top, glm::vec3 colour, float opacity);

// Blends a colour that runs from `topColour` at the mask's first row to `bottomColour`
// at its last, over the image, by coverage x opacity.
void blendMaskGradient(Image& image, const Mask& mask, int left, int top, glm::vec3 topColour,
                       glm::vec3 bottomColour, float opacity);

// Adds `colour` x coverage x strength: light, such as a glow.
void addMask(Image& image, const Mask& mask, int left, int top, glm::vec3 colour, float strength);

// Darkens the image by coverage x strength: a shadow.
void darkenMask(Image& image, const Mask& mask, int left, int top, float strength);

// Adds a round glow of `colour` centred on `centre`, falling off as exp(-(d / radius)^2).
void addRadialGlow(Image& image, glm::vec2 centre, float radius, glm::vec3 colour);

// Multiplies the picture towards black at its edges and corners.
void applyVignette(Image& image, float strength);

// One facet of the game's light crystal as the pictures draw it: its outline and how much
// light it catches (0 dark, 1 lit).
struct CrystalFacet {
    std::vector<glm::vec2> points;
    float light;
};

// The six facets of a crystal centred on `centre`, `halfWidth` across and `halfHeight` up
// and down, lit from the upper right.
std::vector<CrystalFacet> crystalFacets(glm::vec2 centre, float halfWidth, float halfHeight);

}  // namespace zarnhold_assets
