#pragma once

#include <cstddef>
#include <vector>

namespace zarnhold {

// Depth cubes kept from one run to the next. Every run's lights need the same twenty
// 24 MB cubes; fresh ones at each restart leave the software driver holding a few of the
// deleted ones for a while, and resident memory wanders 50-100 MB above the first run's.
// Reused, their storage is made once. The game keeps one pool for all its runs and gives it
// to each light as the light is set up.
class DepthCubePool {
public:
    DepthCubePool() = default;
    DepthCubePool(const DepthCubePool&) = delete;
    DepthCubePool& operator=(const DepthCubePool&) = delete;
    ~DepthCubePool();

    // A square depth cube of `size` texels a side, linear filtering and clamped edges: one
    // not lent since takeBackAll, else a new one. Its depths are whatever was last drawn.
    unsigned int take(int size);

    // Every cube lent since the last call is free for the next run. The cubes themselves
    // live as long as the context, or until releaseAll.
    void takeBackAll() { lent = 0; }
    // Deletes every cube (a test's pool, before its context goes). GL context current.
    void releaseAll();

    // Which of `sizes` (the sizes held, the first `lent` of them lent) a request for `size`
    // takes: the first free one of that size, or sizes.size() when a new one is needed.
    static std::size_t pick(const std::vector<int>& sizes, std::size_t lent, int size);

private:
    struct Cube {
        unsigned int name = 0;
        int size = 0;
    };

    // The first `lent` are in use by the current run.
    std::vector<Cube> cubes;
    std::size_t lent = 0;
};

}  // namespace zarnhold
