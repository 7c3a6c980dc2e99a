#include "scene/RoomLoader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "scene/FilePath.h"

namespace zarnhold {

namespace {

// Far more than a level drawn with 16-bit indices can use; a file beyond it is not ours.
constexpr std::size_t kMostRooms = 4096;
constexpr std::size_t kMostPortals = 16384;
// Files larger than this are not a rooms file.
constexpr long kLargestFile = 16L * 1024 * 1024;

bool readFloat(std::istringstream& words, float& value) {
    std::string word;
    if (!(words >> word)) return false;
    char* end = nullptr;
    errno = 0;
    const float parsed = std::strtof(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool readPoint(std::istringstream& words, glm::vec3& point) {
    return readFloat(words, point.x) && readFloat(words, point.y) && readFloat(words, point.z);
}

bool readRoomNumber(std::istringstream& words, int& number) {
    std::string word;
    if (!(words >> word) || word.empty() || word.size() > 9) return false;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
    }
    number = std::atoi(word.c_str());
    return true;
}

bool nothingLeft(std::istringstream& words) {
    std::string extra;
    return !(words >> extra);
}

// One line into the graph; an empty string when it is sound, else why not.
std::string readLine(const std::string& line, RoomGraph& graph) {
    std::istringstream words(line);
    std::string keyword;
    if (!(words >> keyword) || keyword[0] == '#') return "";
    if (keyword == "room") {
        RoomGraph::Box box;
        if (!readPoint(words, box.low) || !readPoint(words, box.high) || !nothingLeft(words)) {
            return "a room needs six finite numbers";
        }
        if (box.low.x > box.high.x || box.low.y > box.high.y || box.low.z > box.high.z) {
            return "a room's low corner lies above its high corner";
        }
        if (graph.rooms.size() == kMostRooms) return "too many rooms";
        graph.rooms.push_back(box);
        return "";
    }
    if (keyword == "portal") {
        RoomGraph::Portal portal;
        if (!readRoomNumber(words, portal.a) || !readRoomNumber(words, portal.b)) {
            return "a portal needs two room numbers";
        }
        for (glm::vec3& corner : portal.corners) {
            if (!readPoint(words, corner)) return "a portal needs four corners of finite numbers";
        }
        if (!nothingLeft(words)) return "a portal has more than four corners";
        if (graph.portals.size() == kMostPortals) return "too many portals";
        graph.portals.push_back(portal);
    }
    return "";
}

std::string readAll(std::FILE* file, bool& ok) {
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (static_cast<long>(text.size()) > kLargestFile) {
            ok = false;
            return "";
        }
    }
    ok = std::ferror(file) == 0;
    return text;
}

}  // namespace

bool parseRoomGraph(const std::string& text, RoomGraph& graph, std::string& problem) {
    RoomGraph read;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string why = readLine(line, read);
        if (!why.empty()) {
            problem = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    for (const RoomGraph::Portal& portal : read.portals) {
        const int count = static_cast<int>(read.rooms.size());
        if (portal.a >= count || portal.b >= count) {
            problem = "a portal joins room " + std::to_string(std::max(portal.a, portal.b)) + " of " +
                      std::to_string(count);
            return false;
        }
    }
    graph = std::move(read);
    return true;
}

RoomGraph readRoomGraph(const std::string& path) {
    RoomGraph graph;
    std::FILE* file = openGameFile(path, "rb");
    if (file == nullptr) {
        std::printf("Cannot open %s: the whole level is drawn\n", path.c_str());
        return graph;
    }
    bool ok = false;
    const std::string text = readAll(file, ok);
    std::fclose(file);
    std::string problem = "it is too large or cannot be read";
    if (!ok || !parseRoomGraph(text, graph, problem)) {
        std::printf("Cannot read %s (%s): the whole level is drawn\n", path.c_str(), problem.c_str());
    }
    return graph;
}

}  // namespace zarnhold
