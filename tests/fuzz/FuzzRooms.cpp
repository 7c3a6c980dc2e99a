// Any bytes as a rooms file: parsed, and a graph that parses is walked from a few eyes as
// the level's drawing walks it each frame. A bad file must be refused or give a graph
// whose walk ends and names only its own rooms.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "scene/RoomLoader.h"

using namespace zarnhold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RoomGraph graph;
    std::string problem;
    if (!parseRoomGraph(text, graph, problem) || graph.empty()) return 0;
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 16.0f / 9.0f, 0.1f, 100.0f);
    for (const RoomGraph::Box& room : graph.rooms) {
        const glm::vec3 eye = 0.5f * (room.low + room.high);
        for (const glm::vec3& ahead : {glm::vec3(1, 0, 0), glm::vec3(0, 0, -1), glm::vec3(0, -1, 0.01f)}) {
            const glm::mat4 view = glm::lookAt(eye, eye + ahead, glm::vec3(0, 1, 0));
            if (graph.seenRooms(projection * view, eye).size() != graph.rooms.size()) std::abort();
        }
    }
    return 0;
}
