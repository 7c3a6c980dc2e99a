#pragma once

#include <cstddef>
#include <vector>

// Depth cubes kept from one run to the next. Every run's lights need the same twenty
// 24 MB cubes; fresh ones at each restart leave the software driver holding a few of the
// deleted ones for a while, and resident memory wanders 50-100 MB above the first run's.
// Reused, their storage is made once. While a pool is active, lights take their cubes from
// it; with none active they make their own and record them in the active GlLedger.
class DepthCubePool {
public:
    DepthCubePool() = default;
    DepthCubePool(const DepthCubePool&) = delete;
    DepthCubePool& operator=(const DepthCubePool&) = delete;
    ~DepthCubePool();

    // Makes this pool the one lights take from; returns the one it replaces.
    DepthCubePool* activate();
    // Stops lending from this pool (only if it is the active one).
    void deactivate();
    static DepthCubePool* active();

    // A square depth cube of `size` texels a side, linear filtering and clamped edges;
    // from the active pool when there is one. Its depths are whatever was last drawn.
    static unsigned int take(int size);

    // Every cube lent since the last call is free for the next run. The cubes themselves
    // live as long as the context.
    void takeBackAll() { lent = 0; }

private:
    struct Cube {
        unsigned int name;
        int size;
    };
    unsigned int lend(int size);

    // The first `lent` are in use by the current run.
    std::vector<Cube> cubes;
    std::size_t lent = 0;
};
