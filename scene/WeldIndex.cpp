#include "scene/WeldIndex.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "scene/VertexIndexer.h"

namespace zarnhold {

namespace {

// Cells per unit of length: a cell is 0.1 wide, ten times the weld distance, so a vertex
// is listed in few cells and a cell rarely holds many. A float times 10 is exact in double.
constexpr double kCellsPerUnit = 10.0;
// Cell numbers are clamped to +-(2^20 - 2), so that a cell and its neighbours fit in 21
// bits and huge coordinates cannot overflow. Clamping keeps the cells of matching points
// adjacent, so points beyond about 100 km still weld exactly; they merely share the
// outermost cells.
constexpr std::int64_t kCellLimit = (std::int64_t{1} << 20) - 2;
constexpr std::int64_t kKeyBias = std::int64_t{1} << 20;
// Beyond this (in cells) a point is simply in the outermost cell.
constexpr double kFar = 2.0 * static_cast<double>(kCellLimit);
// Cell borders lie half-way between multiples of 0.1, where modelled corners seldom sit,
// so most vertices are listed in one cell only. The 2^21 keeps every shifted value
// positive, so truncating it is a floor.
constexpr std::int64_t kFloorBias = std::int64_t{1} << 21;
constexpr double kShift = 0.5 + static_cast<double>(kFloorBias);
// The weld distance in cells (0.01 * 10), a little wider: the shift rounds by under 1e-9
// of a cell, and a wider reach can only list a vertex in more cells.
constexpr double kReach = 0.1 + 1e-6;
static_assert(kReach < 0.5, "a match must lie at most one cell away");

// A point's cell along one axis, and whether a point within 0.01 may lie in the cell
// below or above (the relation is symmetric, so this serves both directions).
struct AxisCell {
    std::int64_t cell;
    bool reachesBelow;
    bool reachesAbove;
};

AxisCell axisCell(float coordinate) {
    const double scaled = static_cast<double>(coordinate) * kCellsPerUnit;
    if (scaled >= kFar) {
        return {kCellLimit, true, true};
    }
    if (scaled <= -kFar) {
        return {-kCellLimit, true, true};
    }
    const double shifted = scaled + kShift;
    const auto whole = static_cast<std::int64_t>(shifted);
    const std::int64_t cell = whole - kFloorBias;
    // Clamped cells reach both ways, so the cells of matching points stay adjacent.
    if (cell > kCellLimit) {
        return {kCellLimit, true, true};
    }
    if (cell < -kCellLimit) {
        return {-kCellLimit, true, true};
    }
    const double fraction = shifted - static_cast<double>(whole);  // exact
    return {cell, fraction <= kReach, fraction >= 1.0 - kReach};
}

// The cell alone, as axisCell gives it.
std::int64_t cellOf(float coordinate) {
    const double scaled = static_cast<double>(coordinate) * kCellsPerUnit;
    if (scaled >= kFar) {
        return kCellLimit;
    }
    if (scaled <= -kFar) {
        return -kCellLimit;
    }
    const std::int64_t cell = static_cast<std::int64_t>(scaled + kShift) - kFloorBias;
    return std::clamp(cell, -kCellLimit, kCellLimit);
}

std::uint64_t packKey(std::int64_t x, std::int64_t y, std::int64_t z) {
    return static_cast<std::uint64_t>(x + kKeyBias) << 42 | static_cast<std::uint64_t>(y + kKeyBias) << 21 |
           static_cast<std::uint64_t>(z + kKeyBias);
}

std::size_t hashKey(std::uint64_t key) {
    // A 64-bit finaliser, so that neighbouring cells spread over the whole table.
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDull;
    key ^= key >> 33;
    key *= 0xC4CEB9FE1A85EC53ull;
    key ^= key >> 33;
    return static_cast<std::size_t>(key);
}

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool isFinite(const glm::vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

}  // namespace

WeldIndex::WeldIndex(const std::vector<glm::vec3>& weldedPositions, const std::vector<glm::vec2>& weldedUvs,
                     const std::vector<glm::vec3>& weldedNormals, std::size_t expectedCorners)
    : positions(weldedPositions), uvs(weldedUvs), normals(weldedNormals) {
    // Meshes weld to a fraction of their corners, most listed in one cell; the table is
    // kept at most half full.
    std::size_t capacity = 1024;
    const std::size_t wanted = std::min<std::size_t>(expectedCorners / 4, 1 << 20);
    while (capacity < wanted) {
        capacity *= 2;
    }
    slots.resize(capacity);
}

const WeldIndex::Slot* WeldIndex::findSlot(std::uint64_t key) const {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hashKey(key) & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.first == kNone) {
            return nullptr;
        }
        if (slot.key == key) {
            return &slot;
        }
    }
}

WeldIndex::Slot& WeldIndex::slotFor(std::uint64_t key) {
    // Keep the table at most half full, so probe runs stay short.
    if ((usedSlots + 1) * 2 > slots.size()) {
        grow();
    }
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hashKey(key) & mask;; i = (i + 1) & mask) {
        Slot& slot = slots[i];
        if (slot.first == kNone) {
            slot.key = key;
            ++usedSlots;
            return slot;
        }
        if (slot.key == key) {
            return slot;
        }
    }
}

void WeldIndex::grow() {
    std::vector<Slot> old(slots.size() * 2);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.first == kNone) {
            continue;
        }
        std::size_t i = hashKey(slot.key) & mask;
        while (slots[i].first != kNone) {
            i = (i + 1) & mask;
        }
        slots[i] = slot;
    }
}

void WeldIndex::insert(std::uint32_t vertex) {
    assert(vertex < positions.size());
    const glm::vec3& position = positions[vertex];
    if (!isFinite(position) || !isFinite(uvs[vertex]) || !isFinite(normals[vertex])) {
        return;
    }
    const AxisCell axes[3] = {axisCell(position.x), axisCell(position.y), axisCell(position.z)};
    std::int64_t cells[3][3];
    int cellCount[3];
    for (int a = 0; a < 3; ++a) {
        int n = 0;
        cells[a][n++] = axes[a].cell;
        if (axes[a].reachesBelow) {
            cells[a][n++] = axes[a].cell - 1;
        }
        if (axes[a].reachesAbove) {
            cells[a][n++] = axes[a].cell + 1;
        }
        cellCount[a] = n;
    }
    // Every cell from which a corner may match this vertex lists it.
    for (int ix = 0; ix < cellCount[0]; ++ix) {
        for (int iy = 0; iy < cellCount[1]; ++iy) {
            for (int iz = 0; iz < cellCount[2]; ++iz) {
                Slot& slot = slotFor(packKey(cells[0][ix], cells[1][iy], cells[2][iz]));
                const auto entry = static_cast<std::uint32_t>(entries.size());
                entries.push_back({vertex, kNone});
                if (slot.first == kNone) {
                    slot.first = entry;
                } else {
                    assert(entries[slot.last].vertex < vertex);
                    entries[slot.last].next = entry;
                }
                slot.last = entry;
            }
        }
    }
}

std::int64_t WeldIndex::findLowest(const glm::vec3& position, const glm::vec2& uv,
                                   const glm::vec3& normal) const {
    if (!isFinite(position) || !isFinite(uv) || !isFinite(normal)) {
        return -1;
    }
    const Slot* slot = findSlot(packKey(cellOf(position.x), cellOf(position.y), cellOf(position.z)));
    if (slot == nullptr) {
        return -1;
    }
    // The cell lists every vertex that can match, lowest first.
    for (std::uint32_t entry = slot->first; entry != kNone; entry = entries[entry].next) {
        const std::uint32_t v = entries[entry].vertex;
        if (weldMatches(position, uv, normal, positions[v], uvs[v], normals[v])) {
            return v;
        }
    }
    return -1;
}

}  // namespace zarnhold
