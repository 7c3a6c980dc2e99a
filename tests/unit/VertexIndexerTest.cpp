#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/VertexIndexer.h"
#include "tests/WeldComparison.h"

using namespace zarnhold;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

void expectSameWeld(const WeldCorners& corners, const std::string& what) {
    const Welded fast = weld(corners);
    const Welded linear = weldLinear(corners);
    ASSERT_TRUE(fast.ok) << what;
    EXPECT_EQ(fast.indices, linear.indices) << what;
    EXPECT_TRUE(sameBits(fast.positions, linear.positions)) << what;
    EXPECT_TRUE(sameBits(fast.uvs, linear.uvs)) << what;
    EXPECT_TRUE(sameBits(fast.normals, linear.normals)) << what;
    EXPECT_TRUE(sameBits(fast.tangents, linear.tangents)) << what;
    EXPECT_TRUE(sameBits(fast.bitangents, linear.bitangents)) << what;
}

void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

bool allFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

TEST(NearlyEqual, ComparesTheFloatDifferenceStrictlyBelowOneHundredth) {
    EXPECT_TRUE(nearlyEqual(1.0f, 1.0f));
    EXPECT_TRUE(nearlyEqual(0.0f, 0.009f));
    EXPECT_TRUE(nearlyEqual(0.009f, 0.0f));
    EXPECT_TRUE(nearlyEqual(-0.0099f, 0.0f));
    EXPECT_FALSE(nearlyEqual(0.0f, 0.011f));
    EXPECT_FALSE(nearlyEqual(-0.011f, 0.0f));
    // 0.01f itself is not below 0.01f.
    EXPECT_FALSE(nearlyEqual(0.01f, 0.0f));
    EXPECT_TRUE(nearlyEqual(std::nextafter(0.01f, 0.0f), 0.0f));
}

TEST(NearlyEqual, NaNAndInfinityNeverCompareEqual) {
    EXPECT_FALSE(nearlyEqual(kNaN, kNaN));
    EXPECT_FALSE(nearlyEqual(kNaN, 0.0f));
    EXPECT_FALSE(nearlyEqual(0.0f, kNaN));
    EXPECT_FALSE(nearlyEqual(kInf, kInf));
    EXPECT_FALSE(nearlyEqual(-kInf, -kInf));
    EXPECT_FALSE(nearlyEqual(kInf, 3.0e38f));
    // A difference that overflows is infinite, not small.
    EXPECT_FALSE(nearlyEqual(3.0e38f, -3.0e38f));
}

TEST(ComputeTangents, GivesTheUvFrameOfEachTriangleOnAllThreeCorners) {
    WeldCorners c;
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    // u along x, v along y, scaled by 2 in uv space: T = (0.5, 0, 0), B = (0, 0.5, 0).
    c.add({0, 0, 0}, {0, 0}, n);
    c.add({1, 0, 0}, {2, 0}, n);
    c.add({0, 1, 0}, {0, 2}, n);
    std::vector<glm::vec3> tangents, bitangents;
    computeTangents(c.positions, c.uvs, c.normals, tangents, bitangents);
    ASSERT_EQ(tangents.size(), 3u);
    ASSERT_EQ(bitangents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        // The tangent is normalised; the bitangent keeps its length.
        expectVec3Near(tangents[i], {1, 0, 0});
        expectVec3Near(bitangents[i], {0, 0.5f, 0});
    }
}

TEST(ComputeTangents, RemovesTheNormalPartAndFlipsForMirroredUvs) {
    WeldCorners c;
    // A normal leaning towards x: the raw tangent (1, 0, 0) loses its part along it.
    const glm::vec3 leaning(0.6f, 0.0f, 0.8f);
    c.add({0, 0, 0}, {0, 0}, leaning);
    c.add({1, 0, 0}, {1, 0}, leaning);
    c.add({0, 1, 0}, {0, 1}, leaning);
    // Mirrored in u: the raw tangent is (-1, 0, 0), which makes a left-handed frame.
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    c.add({0, 0, 0}, {0, 0}, n);
    c.add({1, 0, 0}, {-1, 0}, n);
    c.add({0, 1, 0}, {0, 1}, n);
    std::vector<glm::vec3> tangents, bitangents;
    computeTangents(c.positions, c.uvs, c.normals, tangents, bitangents);
    ASSERT_EQ(tangents.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        expectVec3Near(tangents[i], {0.8f, 0.0f, -0.6f});
        expectVec3Near(bitangents[i], {0, 1, 0});
    }
    for (int i = 3; i < 6; ++i) {
        expectVec3Near(tangents[i], {1, 0, 0});
        expectVec3Near(bitangents[i], {0, 1, 0});
    }
}

TEST(ComputeTangents, DegenerateTrianglesGiveNonFiniteFramesThatSpreadThroughTheWeld) {
    WeldCorners c;
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    // Zero uv area.
    c.add({0, 0, 0}, {0.5f, 0.5f}, n);
    c.add({1, 0, 0}, {0.5f, 0.5f}, n);
    c.add({0, 1, 0}, {0.5f, 0.5f}, n);
    // Tangent parallel to the normal: nothing is left after Gram-Schmidt.
    const glm::vec3 alongX(1.0f, 0.0f, 0.0f);
    c.add({0, 0, 0}, {0, 0}, alongX);
    c.add({1, 0, 0}, {1, 0}, alongX);
    c.add({0, 1, 0}, {0, 1}, alongX);
    // A sound triangle sharing its first corner with the first one.
    c.add({0, 0, 0}, {0.5f, 0.5f}, n);
    c.add({1, 0, 0}, {1.5f, 0.5f}, n);
    c.add({0, 1, 0}, {0.5f, 1.5f}, n);
    std::vector<glm::vec3> tangents, bitangents;
    computeTangents(c.positions, c.uvs, c.normals, tangents, bitangents);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(allFinite(tangents[i])) << "corner " << i;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(allFinite(bitangents[i])) << "corner " << i;
    }
    for (int i = 6; i < 9; ++i) {
        EXPECT_TRUE(allFinite(tangents[i])) << "corner " << i;
    }

    c.tangents = tangents;
    c.bitangents = bitangents;
    const Welded w = weld(c);
    ASSERT_TRUE(w.ok);
    // Corner 6 joins corner 0's vertex, whose sum is then non-finite too.
    EXPECT_EQ(w.indices[6], w.indices[0]);
    EXPECT_FALSE(allFinite(w.tangents[w.indices[6]]));
}

TEST(ComputeTangents, AppendsNothingForAnEmptyMesh) {
    const std::vector<glm::vec3> none3;
    const std::vector<glm::vec2> none2;
    std::vector<glm::vec3> tangents, bitangents;
    computeTangents(none3, none2, none3, tangents, bitangents);
    EXPECT_TRUE(tangents.empty());
    EXPECT_TRUE(bitangents.empty());
    const Welded w = weld(WeldCorners{});
    EXPECT_TRUE(w.ok);
    EXPECT_TRUE(w.indices.empty());
    EXPECT_TRUE(w.positions.empty());
    EXPECT_TRUE(w.tangents.empty());
}

TEST(WeldVertices, TwoTrianglesSharingAnEdgeGiveFourVerticesAndSummedTangents) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    const glm::vec3 p[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    const glm::vec2 uv[4] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    const glm::vec3 t1(1.0f, 0.0f, 0.0f), b1(0.0f, 1.0f, 0.0f);
    const glm::vec3 t2(0.0f, 2.0f, 0.0f), b2(0.0f, 0.0f, 3.0f);
    WeldCorners c;
    for (int k : {0, 1, 2}) c.add(p[k], uv[k], n, t1, b1);
    for (int k : {1, 3, 2}) c.add(p[k], uv[k], n, t2, b2);

    const Welded w = weld(c);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
    ASSERT_EQ(w.positions.size(), 4u);
    ASSERT_EQ(w.uvs.size(), 4u);
    ASSERT_EQ(w.normals.size(), 4u);
    EXPECT_EQ(w.positions[3], p[3]);
    EXPECT_EQ(w.uvs[3], uv[3]);
    EXPECT_EQ(w.tangents[0], t1);
    EXPECT_EQ(w.tangents[1], t1 + t2);
    EXPECT_EQ(w.tangents[2], t1 + t2);
    EXPECT_EQ(w.tangents[3], t2);
    EXPECT_EQ(w.bitangents[0], b1);
    EXPECT_EQ(w.bitangents[1], b1 + b2);
    EXPECT_EQ(w.bitangents[2], b1 + b2);
    EXPECT_EQ(w.bitangents[3], b2);
}

TEST(WeldVertices, MergesWithinOneHundredthInEveryComponentAndNotBeyond) {
    const glm::vec3 basePosition(1.0f, 2.0f, 3.0f);
    const glm::vec2 baseUv(0.25f, 0.75f);
    const glm::vec3 baseNormal(0.0f, 1.0f, 0.0f);
    // Components 0-2 position, 3-4 uv, 5-7 normal.
    for (int component = 0; component < 8; ++component) {
        for (float offset : {0.009f, -0.009f, 0.011f, -0.011f}) {
            glm::vec3 p = basePosition;
            glm::vec2 uv = baseUv;
            glm::vec3 n = baseNormal;
            if (component < 3) {
                p[component] += offset;
            } else if (component < 5) {
                uv[component - 3] += offset;
            } else {
                n[component - 5] += offset;
            }
            WeldCorners c;
            c.add(basePosition, baseUv, baseNormal);
            c.add(p, uv, n);
            const Welded w = weld(c);
            const bool merges = std::fabs(offset) < 0.01f;
            EXPECT_EQ(w.positions.size(), merges ? 1u : 2u)
                << "component " << component << " offset " << offset;
            EXPECT_EQ(w.indices[1], merges ? 0 : 1) << "component " << component << " offset " << offset;
        }
    }
}

TEST(WeldVertices, TextureSeamKeepsCornersWithTheSamePositionApart) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    WeldCorners c;
    c.add({1, 1, 1}, {0.50f, 0.5f}, n);
    c.add({1, 1, 1}, {0.52f, 0.5f}, n);
    c.add({1, 1, 1}, {0.50f, 0.5f}, n);
    const Welded w = weld(c);
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{0, 1, 0}));
    EXPECT_EQ(w.positions.size(), 2u);
}

TEST(WeldVertices, ACornerJoinsTheLowestNumberedMatchEvenWhenALaterOneIsCloser) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    WeldCorners c;
    c.add({0.000f, 0, 0}, {0, 0}, n);
    c.add({0.015f, 0, 0}, {0, 0}, n);
    // Within 0.01 of both welded vertices, nearer to the second.
    c.add({0.008f, 0, 0}, {0, 0}, n);
    // Within 0.01 of the second only.
    c.add({0.022f, 0, 0}, {0, 0}, n);
    const Welded w = weld(c);
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{0, 1, 0, 1}));
}

TEST(WeldVertices, AppendsToListsThatAlreadyHoldVertices) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    Welded w;
    w.indices = {7};
    w.positions = {{5, 5, 5}};
    w.uvs = {{0, 0}};
    w.normals = {n};
    w.tangents = {{1, 0, 0}};
    w.bitangents = {{0, 1, 0}};
    WeldCorners c;
    c.add({0, 0, 0}, {0, 0}, n);
    c.add({5, 5, 5}, {0, 0}, n, {2, 0, 0}, {0, 2, 0});
    ASSERT_TRUE(weldVertices(c.positions, c.uvs, c.normals, c.tangents, c.bitangents, w.indices, w.positions,
                             w.uvs, w.normals, w.tangents, w.bitangents));
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{7, 1, 0}));
    ASSERT_EQ(w.positions.size(), 2u);
    EXPECT_EQ(w.tangents[0], glm::vec3(3, 0, 0));
    EXPECT_EQ(w.bitangents[0], glm::vec3(0, 3, 0));
}

TEST(WeldVertices, NonFiniteCornersNeverMerge) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    WeldCorners c;
    c.add({kNaN, 0, 0}, {0, 0}, n);
    c.add({kNaN, 0, 0}, {0, 0}, n);
    c.add({kInf, 0, 0}, {0, 0}, n);
    c.add({kInf, 0, 0}, {0, 0}, n);
    c.add({0, 0, 0}, {kNaN, 0}, n);
    c.add({0, 0, 0}, {kNaN, 0}, n);
    c.add({0, 0, 0}, {0, 0}, {0, 0, -kInf});
    c.add({0, 0, 0}, {0, 0}, {0, 0, -kInf});
    const Welded w = weld(c);
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(WeldVertices, MeshNeedingMoreThan65536VerticesIsLeftEmptyWithOneLine) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    // Distinct corners 0.1 apart on a 256 x 256 grid: exactly 65536 vertices.
    WeldCorners fits;
    for (int i = 0; i < 65536; ++i) {
        fits.add({0.1f * static_cast<float>(i % 256), 0.1f * static_cast<float>(i / 256), 0.0f}, {0, 0}, n);
    }
    fits.add(fits.positions[0], {0, 0}, n);
    fits.add(fits.positions[65535], {0, 0}, n);

    testing::internal::CaptureStdout();
    const Welded full = weld(fits);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.positions.size(), 65536u);
    ASSERT_EQ(full.indices.size(), 65538u);
    EXPECT_EQ(full.indices[65535], 65535);
    EXPECT_EQ(full.indices[65536], 0);
    EXPECT_EQ(full.indices[65537], 65535);

    // One more distinct corner, then one that would have merged.
    WeldCorners over = fits;
    over.add({-1.0f, -1.0f, 0.0f}, {0, 0}, n);
    over.add(fits.positions[0], {0, 0}, n);
    testing::internal::CaptureStdout();
    const Welded rejected = weld(over);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Mesh needs more than 65536 vertices: it is left empty\n");
    EXPECT_FALSE(rejected.ok);
    EXPECT_TRUE(rejected.indices.empty());
    EXPECT_TRUE(rejected.positions.empty());
    EXPECT_TRUE(rejected.uvs.empty());
    EXPECT_TRUE(rejected.normals.empty());
    EXPECT_TRUE(rejected.tangents.empty());
    EXPECT_TRUE(rejected.bitangents.empty());
}

TEST(WeldVertices, RejectedMeshLeavesVerticesAlreadyInTheListsUntouched) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    Welded w;
    w.positions = {{0, 0, 0}};
    w.uvs = {{0, 0}};
    w.normals = {n};
    w.tangents = {{1, 0, 0}};
    w.bitangents = {{0, 1, 0}};
    w.indices = {0};
    WeldCorners c;
    // Merges into the vertex already there, then 65536 new ones: one too many.
    c.add({0, 0, 0}, {0, 0}, n, {5, 0, 0}, {0, 5, 0});
    for (int i = 1; i <= 65536; ++i) {
        c.add({0.1f * static_cast<float>(i % 256), 0.1f * static_cast<float>(i / 256), 1.0f}, {0, 0}, n);
    }
    testing::internal::CaptureStdout();
    const bool ok = weldVertices(c.positions, c.uvs, c.normals, c.tangents, c.bitangents, w.indices,
                                 w.positions, w.uvs, w.normals, w.tangents, w.bitangents);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Mesh needs more than 65536 vertices: it is left empty\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(w.indices, (std::vector<std::uint16_t>{0}));
    ASSERT_EQ(w.positions.size(), 1u);
    EXPECT_EQ(w.tangents[0], glm::vec3(1, 0, 0));
    EXPECT_EQ(w.bitangents[0], glm::vec3(0, 1, 0));
}

TEST(WeldVertices, AcceleratedSearchMatchesTheLinearSearchOnRandomMeshes) {
    std::mt19937 random(20240613u);
    for (int mesh = 0; mesh < 20; ++mesh) {
        // Positions on a fine lattice inside a small box, so near matches abound; a few uv
        // and normal values so position-equal corners still differ.
        std::uniform_int_distribution<int> lattice(-60, 60);
        std::uniform_int_distribution<int> small(0, 3);
        std::uniform_real_distribution<float> jitter(-0.012f, 0.012f);
        const float step = mesh % 2 == 0 ? 0.005f : 0.0137f;
        WeldCorners c;
        for (int i = 0; i < 3000; ++i) {
            glm::vec3 p(step * lattice(random), step * lattice(random), step * lattice(random));
            if (i % 3 == 0) {
                p.x += jitter(random);
            }
            const glm::vec2 uv(0.01f * small(random), 0.5f);
            const glm::vec3 n(0.0f, 1.0f, 0.006f * small(random));
            c.add(p, uv, n, {jitter(random), 1.0f, 0.0f}, {0.0f, jitter(random), 1.0f});
        }
        expectSameWeld(c, "random mesh " + std::to_string(mesh));
    }
}

TEST(WeldVertices, AcceleratedSearchMatchesTheLinearSearchOnAdversarialCorners) {
    const glm::vec3 n(0.0f, 0.0f, 1.0f);
    const glm::vec2 uv(0.5f, 0.5f);

    // Points on and around likely cell borders (multiples of 0.01, so of 0.02, 0.05 and
    // 0.1 too), a weld distance either side of them, and their neighbouring floats.
    WeldCorners borders;
    for (int k = -30; k <= 30; ++k) {
        const float border = 0.01f * static_cast<float>(k);
        for (float x : {border, border + 0.01f, border - 0.01f, std::nextafter(border, 1.0f),
                        std::nextafter(border, -1.0f), border + 0.0099f, border - 0.0099f, border + 0.0101f,
                        border - 0.0101f}) {
            borders.add({x, 0.0f, 0.0f}, uv, n);
            borders.add({0.0f, x, -x}, uv, n);
            borders.add({x, x, x}, uv, n);
        }
    }
    expectSameWeld(borders, "cell borders");

    // Near duplicates along each axis, and chains of 0.009 steps that do not merge
    // transitively.
    WeldCorners near;
    const glm::vec3 bases[3] = {{0.0f, 0.0f, 0.0f}, {0.3f, -0.7f, 1.1f}, {100.01f, 0.02f, -5.0f}};
    for (const glm::vec3& base : bases) {
        for (int axis = 0; axis < 3; ++axis) {
            for (float offset : {0.009f, -0.009f, 0.011f, -0.011f, 0.0099999f, 0.01f, 0.02f}) {
                glm::vec3 p = base;
                p[axis] += offset;
                near.add(base, uv, n);
                near.add(p, uv, n);
            }
            for (int step = 0; step < 8; ++step) {
                glm::vec3 p = base;
                p[axis] += 0.009f * static_cast<float>(step);
                near.add(p, uv, n);
            }
        }
    }
    expectSameWeld(near, "near duplicates");

    // NaN and infinite components anywhere, mixed with finite corners at the same place.
    WeldCorners nonFinite;
    const float specials[] = {kNaN, kInf, -kInf, 0.0f};
    for (float s : specials) {
        nonFinite.add({s, 0, 0}, uv, n);
        nonFinite.add({0, s, 0}, uv, n);
        nonFinite.add({0, 0, s}, uv, n);
        nonFinite.add({0, 0, 0}, {s, 0.5f}, n);
        nonFinite.add({0, 0, 0}, {0.5f, s}, n);
        nonFinite.add({0, 0, 0}, uv, {s, 0, 1});
        nonFinite.add({0, 0, 0}, uv, {0, 0, s});
        nonFinite.add({s, s, s}, {s, s}, {s, s, s});
        nonFinite.add({0, 0, 0}, uv, n, {s, 0, 0}, {0, s, 0});
    }
    expectSameWeld(nonFinite, "NaN and infinity");

    // Large coordinates: where floats are more than 0.01 apart, where the spatial hash
    // clamps its cell numbers, and at the ends of the float range.
    WeldCorners large;
    const float bigs[] = {131072.0f,
                          131071.99f,
                          104857.55f,
                          209714.8f,
                          1.0e6f,
                          2.2e10f,
                          1.0e20f,
                          3.4e38f,
                          std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::denorm_min()};
    for (float big : bigs) {
        for (float sign : {1.0f, -1.0f}) {
            const float v = sign * big;
            for (float w : {v, std::nextafter(v, 0.0f), std::nextafter(v, v * 2.0f)}) {
                large.add({w, 0, 0}, uv, n);
                large.add({0, w, w}, uv, n);
                large.add({w, -w, w}, uv, n);
                large.add({w, 0, 0}, uv, n);
            }
        }
    }
    expectSameWeld(large, "large coordinates");

    // Runs of neighbouring floats (under 0.01 apart out here) across the coordinates
    // where the spatial hash stops numbering cells one by one.
    WeldCorners outskirts;
    for (float start : {104857.3f, 104857.5f, 104857.7f, 209714.7f, 1.0e7f}) {
        for (float sign : {1.0f, -1.0f}) {
            float x = sign * start;
            for (int step = 0; step < 40; ++step) {
                outskirts.add({x, 0, 0}, uv, n);
                outskirts.add({0, x, 0}, uv, n);
                outskirts.add({0, 0, x}, uv, n);
                x = std::nextafter(x, sign * kInf);
            }
        }
    }
    expectSameWeld(outskirts, "outermost cells");
}
