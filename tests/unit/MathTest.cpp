// The game's rotations and node traversal.
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "scene/Node.h"
#include "scene/Rotation.h"

using namespace zarnhold;

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

glm::vec3 apply(const glm::mat4& m, const glm::vec3& p) {
    return glm::vec3(m * glm::vec4(p, 1.0f));
}

}  // namespace

TEST(Rotation, ZeroAnglesGiveTheIdentity) {
    EXPECT_EQ(rotateX(0.0f), glm::mat4(1.0f));
    EXPECT_EQ(rotateY(0.0f), glm::mat4(1.0f));
    EXPECT_EQ(rotateZ(0.0f), glm::mat4(1.0f));
}

TEST(Rotation, QuarterTurnsAreRightHanded) {
    const float quarter = 1.5707963f;
    expectNear(apply(rotateY(quarter), {1, 0, 0}), {0, 0, -1});
    expectNear(apply(rotateZ(quarter), {1, 0, 0}), {0, 1, 0});
    expectNear(apply(rotateX(quarter), {0, 1, 0}), {0, 0, 1});
    // The game's rotations agree with GLM's for the same axis and angle.
    const glm::mat4 glmTurn = glm::rotate(glm::mat4(1.0f), 0.7f, glm::vec3(0, 1, 0));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(rotateY(0.7f)[c][r], glmTurn[c][r], 1e-6f);
}

TEST(Rotation, TheLevelsHalfTurnMapsPhysicsToRenderFrame) {
    // 3.14 is a hair short of a half turn: (x, y, z) lands within 0.002 of (x, -y, -z).
    expectNear(apply(rotateX(3.14f), {5, 2, -30}), {5, -2, 30}, 0.05f);
    expectNear(apply(rotateX(3.14f), {0, 1, 0}), {0, -1, 0.0016f}, 1e-4f);
}

namespace {

class RecordingNode : public Node {
public:
    RecordingNode(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    void drawDepth(unsigned int program) override { log.push_back(name + ":" + std::to_string(program)); }
    std::string name;
    std::vector<std::string>& log;
};

}  // namespace

TEST(NodeTree, DepthDrawVisitsParentsBeforeChildrenInListOrder) {
    std::vector<std::string> log;
    RecordingNode root("root", log), a("A", log), b("B", log), c("C", log);
    root.children = {&a, &b};
    a.children = {&c};
    drawSubtreeDepth(root, 7);
    EXPECT_EQ(log, (std::vector<std::string>{"root:7", "A:7", "C:7", "B:7"}));
}

TEST(NodeTree, PlainNodeCollectsNothingOfItsOwn) {
    Node node;
    std::vector<glm::vec3> vertices = {{1, 2, 3}};
    const std::vector<glm::vec3> copy = node.collectVertices(vertices);
    EXPECT_EQ(copy, vertices);
    EXPECT_EQ(vertices.size(), 1u);
    EXPECT_EQ(node.modelMatrix, glm::mat4(1.0f));
}
