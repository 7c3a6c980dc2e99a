// zarnhold_assets <gameDir> [floorPlan.bmp]
// zarnhold_assets --icon <icon.png>
// Writes every model, picture and sound the game opens into <gameDir>/External/Models/,
// or only the desktop icon (which the game never opens, so it stays out of the game
// folder). The output depends on nothing but this program: two runs give the same bytes.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "scene/VertexIndexer.h"
#include "tools/level/FloorPlan.h"
#include "tools/level/LevelBuilder.h"
#include "tools/level/RoomFile.h"
#include "tools/meshes/ObjWriter.h"
#include "tools/pictures/BmpWriter.h"
#include "tools/pictures/GameIcon.h"
#include "tools/pictures/PngWriter.h"
#include "tools/pictures/ScreenPictures.h"
#include "tools/pictures/StoneTexture.h"
#include "tools/props/EnemyModel.h"
#include "tools/props/PropModels.h"
#include "tools/props/PropTextures.h"
#include "tools/props/ScreenModel.h"
#include "tools/sounds/GameSounds.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;
namespace {

// How many vertices the game keeps of this mesh, welded by the game's own weld; none when
// it needs more than the game's 16-bit indices address (the weld then says so itself).
std::optional<std::size_t> weldedVertexCount(const Mesh& mesh) {
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> uvs;
    for (const MeshTriangle& t : mesh.triangles()) {
        for (const Corner& c : t.corners) {
            positions.push_back(c.position);
            uvs.push_back(c.uv);
            normals.push_back(t.normal);
        }
    }
    // Tangents take no part in the weld, only in its sums.
    const std::vector<glm::vec3> noTangents(positions.size(), glm::vec3(0.0f));
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> weldedPositions, weldedNormals, weldedTangents, weldedBitangents;
    std::vector<glm::vec2> weldedUvs;
    if (!weldVertices(positions, uvs, normals, noTangents, noTangents, indices, weldedPositions, weldedUvs,
                      weldedNormals, weldedTangents, weldedBitangents)) {
        return std::nullopt;
    }
    return weldedPositions.size();
}

// The level and, when asked for, its floor plan; prints the counts that the game's
// 16-bit indices limit.
bool writeLevel(const std::string& modelsDir, const char* planPath) {
    const Mesh level = buildLevel();
    const std::optional<std::size_t> welded = weldedVertexCount(level);
    if (welded) {
        std::printf("Level: %zu triangles, %zu welded vertices\n", level.triangleCount(), *welded);
    } else {
        std::printf("Level: %zu triangles, more than %zu welded vertices\n", level.triangleCount(),
                    kMaxWeldedVertices);
    }
    bool ok = writeObj(modelsDir + "/Levels/Level1n.obj", level, "Zarnhold level one");
    ok = writeRoomFile(modelsDir + "/Levels/Level1n.rooms", findRooms(zarnholdLayout())) && ok;
    const StoneTexture stone = paintStoneTexture();
    ok = writeBmp(modelsDir + "/Levels/level.bmp", stone.colour) && ok;
    ok = writeBmp(modelsDir + "/Levels/levelnormals.bmp", stone.normals) && ok;
    if (planPath != nullptr) {
        ok = writeBmp(planPath, drawFloorPlan(level, zarnholdLayout(), levelPlaces(), ZARNHOLD_FONT_DIR)) &&
             ok;
    }
    return ok;
}

// The light crystal, the goal crystal and the goal crystal's six face pictures.
bool writeCrystals(const std::string& m) {
    bool ok = writeObj(m + "Lightcrystal.obj", buildLightCrystalModel(), "Zarnhold light crystal");
    const TexturePair lightCrystal = paintLightCrystalTexture();
    ok = writeBmp(m + "lightcrystal.bmp", lightCrystal.colour) && ok;
    ok = writeBmp(m + "lightcrystalnormals.bmp", lightCrystal.normals) && ok;
    ok = writeObj(m + "crystal.obj", buildGoalCrystalModel(), "Zarnhold goal crystal") && ok;
    struct Face {
        const char* name;
        glm::vec3 tint;
        glm::vec3 glow;
    };
    // Each face its own hue, so the spinning crystal shimmers.
    const Face faces[] = {
        {"posX", {0.3f, 0.8f, 0.9f}, {0.5f, 1.0f, 1.0f}},
        {"posY", {0.75f, 0.85f, 1.0f}, {0.9f, 0.95f, 1.0f}},
        {"posZ", {0.2f, 0.7f, 0.6f}, {0.4f, 1.0f, 0.8f}},
        {"negX", {0.2f, 0.35f, 0.9f}, {0.4f, 0.6f, 1.0f}},
        {"negY", {0.5f, 0.3f, 0.85f}, {0.8f, 0.5f, 1.0f}},
        {"negZ", {0.15f, 0.25f, 0.6f}, {0.3f, 0.7f, 1.0f}},
    };
    std::uint64_t seed = 700;
    for (const Face& face : faces) {
        ok = writeBmp(m + "cubeMap/" + face.name + ".bmp", paintCrystalFace(seed++, face.tint, face.glow)) &&
             ok;
    }
    return ok;
}

// The creature, its arms and the picture and normal map they share.
bool writeCreature(const std::string& m) {
    bool ok = writeObj(m + "Enemy.obj", buildEnemyModel(), "Zarnhold creature");
    ok = writeObj(m + "Arms.obj", buildArmsModel(), "Zarnhold creature arms") && ok;
    const TexturePair enemy = paintEnemyTexture();
    ok = writeBmp(m + "enemy.bmp", enemy.colour) && ok;
    ok = writeBmp(m + "enemynormals.bmp", enemy.normals) && ok;
    return ok;
}

bool writeWeapons(const std::string& m) {
    bool ok = writeObj(m + "sword.obj", buildSwordModel(), "Zarnhold sword");
    ok = writeBmp(m + "sword.bmp", paintSwordTexture()) && ok;
    ok = writeObj(m + "shield.obj", buildShieldModel(), "Zarnhold shield") && ok;
    ok = writeBmp(m + "shield.bmp", paintShieldTexture()) && ok;
    return ok;
}

bool writeAll(const std::string& modelsDir, const char* planPath) {
    bool ok = writeObj(modelsDir + "/Screen.obj", buildScreenModel(), "Zarnhold picture box");
    ok = writeScreenPictures(modelsDir, ZARNHOLD_FONT_DIR) && ok;
    ok = writeCrystals(modelsDir + "/") && ok;
    ok = writeCreature(modelsDir + "/") && ok;
    ok = writeWeapons(modelsDir + "/") && ok;
    ok = writeLevel(modelsDir, planPath) && ok;
    ok = writeGameSounds(modelsDir + "/Sounds") && ok;
    return ok;
}

bool writeIcon(const char* path) {
    const IconPicture icon = paintGameIcon();
    if (!writePng(path, icon.colour, icon.alpha)) {
        std::printf("Cannot write %s\n", path);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace zarnhold_assets

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf(
            "usage: zarnhold_assets <gameDir> [floorPlan.bmp]\n"
            "       zarnhold_assets --icon <icon.png>\n");
        return 2;
    }
    if (std::string(argv[1]) == "--icon") {
        if (argc != 3) {
            std::printf("usage: zarnhold_assets --icon <icon.png>\n");
            return 2;
        }
        return zarnhold_assets::writeIcon(argv[2]) ? 0 : 1;
    }
    const std::string modelsDir = std::string(argv[1]) + "/External/Models";
    std::error_code error;
    std::filesystem::create_directories(modelsDir + "/Levels", error);
    std::filesystem::create_directories(modelsDir + "/cubeMap", error);
    std::filesystem::create_directories(modelsDir + "/Sounds", error);
    if (error) {
        std::printf("Cannot create %s\n", modelsDir.c_str());
        return 1;
    }
    if (!zarnhold_assets::writeAll(modelsDir, argc >= 3 ? argv[2] : nullptr)) {
        std::printf("Some assets could not be written to %s\n", modelsDir.c_str());
        return 1;
    }
    return 0;
}
