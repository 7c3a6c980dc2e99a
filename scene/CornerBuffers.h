#pragma once

#include <vector>

// The unindexed corner lists that things with their own draw (the shield, the sword) keep
// in GL: one buffer a list, recorded in the active ledger so the run that made it frees it.
// Need a current GL context.

// A new GL_STATIC_DRAW array buffer holding `floats`; left bound to GL_ARRAY_BUFFER.
unsigned int makeCornerBuffer(const std::vector<float>& floats);
// Feeds attribute `location` from `buffer`, `size` floats a corner, tightly packed.
void bindCornerAttribute(unsigned int location, unsigned int buffer, int size);
