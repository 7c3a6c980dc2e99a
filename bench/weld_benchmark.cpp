// Welding time of a terrain-like mesh: the plain linear search against the spatial hash
// weldVertices uses. Both must give the same output, which is checked once per size
// before any timing.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "scene/VertexIndexer.h"
#include "tests/WeldComparison.h"

using namespace zarnhold;

namespace {

float heightAt(float x, float z) {
    return 0.8f * std::sin(0.37f * x) * std::cos(0.23f * z);
}

// A rolling height field of shared-corner quads, 0.5 apart, two triangles each, with
// every 16th triangle also written a second time with a 0.004 wobble, as exporters do
// for overlapping pieces. `corners` is rounded down to whole triangles.
WeldCorners makeTerrain(int corners) {
    const int triangles = corners / 3;
    // Grid side so that the quads plus the duplicates give the corner count.
    const int side = static_cast<int>(std::ceil(std::sqrt(triangles * 16.0 / 17.0 / 2.0)));
    WeldCorners mesh;
    auto addCorner = [&](int gx, int gz, float wobble) {
        const float x = 0.5f * static_cast<float>(gx);
        const float z = 0.5f * static_cast<float>(gz);
        const float h = heightAt(x, z);
        const glm::vec3 normal = glm::normalize(glm::vec3(heightAt(x - 0.5f, z) - heightAt(x + 0.5f, z), 1.0f,
                                                          heightAt(x, z - 0.5f) - heightAt(x, z + 0.5f)));
        mesh.positions.push_back({x + wobble, h, z - wobble});
        mesh.uvs.push_back({static_cast<float>(gx) / side, static_cast<float>(gz) / side});
        mesh.normals.push_back(normal);
    };
    int written = 0;
    for (int gz = 0; gz < side && written < triangles; ++gz) {
        for (int gx = 0; gx < side && written < triangles; ++gx) {
            const int quad[2][3][2] = {{{gx, gz}, {gx + 1, gz}, {gx, gz + 1}},
                                       {{gx + 1, gz}, {gx + 1, gz + 1}, {gx, gz + 1}}};
            for (const auto& triangle : quad) {
                const int copies = written % 16 == 15 ? 2 : 1;
                for (int copy = 0; copy < copies && written < triangles; ++copy) {
                    for (const auto& corner : triangle) {
                        addCorner(corner[0], corner[1], copy == 0 ? 0.0f : 0.004f);
                    }
                    ++written;
                }
            }
        }
    }
    computeTangents(mesh.positions, mesh.uvs, mesh.normals, mesh.tangents, mesh.bitangents);
    return mesh;
}

const int kSizes[] = {10000, 30000, 60000};

void BM_WeldLinear(benchmark::State& state) {
    const WeldCorners mesh = makeTerrain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Welded w = weldLinear(mesh);
        benchmark::DoNotOptimize(w.indices.data());
    }
    state.counters["corners"] = static_cast<double>(mesh.positions.size());
}

void BM_WeldAccelerated(benchmark::State& state) {
    const WeldCorners mesh = makeTerrain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Welded w = weld(mesh);
        benchmark::DoNotOptimize(w.indices.data());
    }
    state.counters["corners"] = static_cast<double>(mesh.positions.size());
}

BENCHMARK(BM_WeldLinear)->Arg(10000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeldAccelerated)->Arg(10000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    for (int size : kSizes) {
        const WeldCorners mesh = makeTerrain(size);
        const Welded fast = weld(mesh);
        const Welded linear = weldLinear(mesh);
        const bool same = sameWeld(fast, linear);
        std::printf("%zu corners, %zu welded vertices: outputs %s\n", mesh.positions.size(),
                    linear.positions.size(), same ? "identical" : "DIFFER");
        if (!same) {
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
