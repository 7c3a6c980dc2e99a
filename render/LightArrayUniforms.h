#pragma once

#include <vector>

struct Light;

// Writes "lights[k].color", ".position", ".luminocity", ".cAtt", ".lAtt" and ".eAtt" of the
// first lights of `lights`, at most `capacity` (the shader's array size), into `program`,
// which must be current, and "lightCount" as the number written: the shader reads exactly
// the entries written. Returns that number.
int sendLightArray(unsigned int program, const std::vector<Light*>& lights, int capacity);
