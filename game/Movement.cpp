#include "game/Movement.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

namespace {

constexpr float speedCap = 7.0f;
// A quarter turn as the game writes it.
constexpr double quarterTurn = 1.57;

}  // namespace

glm::vec3 walkImpulse(glm::vec3 velocity, double h, double v, MoveKeys keys, double elapsedMs) {
    const float sinH = static_cast<float>(std::sin(h)), cosH = static_cast<float>(std::cos(h));
    const float cosV = static_cast<float>(std::cos(v));
    const float sideX = static_cast<float>(std::sin(h - quarterTurn));
    const float sideZ = static_cast<float>(-std::cos(h - quarterTurn));
    const glm::vec3 forward(sinH * cosV, 0.0f, -cosH * cosV);
    const glm::vec3 side(sideX, 0.0f, sideZ);
    const glm::vec3 start = velocity;
    const float share = static_cast<float>(elapsedMs / walkPushPeriodMs);
    // Each key reads the velocity the pushes before it left.
    const auto push = [&](bool held, glm::vec3 impulse) {
        if (held && glm::length(velocity) < speedCap) velocity += impulse * share;
    };
    push(keys.forward, forward);
    push(keys.backward, -forward);
    push(keys.left, side);
    push(keys.right, -side);
    if (keys.jump && std::abs(velocity.y) < 0.01f) velocity.y += 7.0f;
    return velocity - start;
}

glm::vec3 flightStep(glm::vec3 direction, glm::vec3 up, double elapsedMs, MoveKeys keys) {
    glm::vec3 step(0.0f);
    const float ms = static_cast<float>(elapsedMs);
    if (keys.forward) {
        step += direction * 0.006f * ms;
    } else if (keys.backward) {
        step -= direction * 0.006f * ms;
    }
    const glm::vec3 side = glm::cross(direction, up);
    if (keys.left) {
        step -= side * 0.003f * ms;
    } else if (keys.right) {
        step += side * 0.003f * ms;
    }
    return step;
}

void turnByCursor(double& h, double& v, glm::vec2 centreMinusCursor, bool invertMouseY,
                  double radiansPerPixel) {
    const float dx = centreMinusCursor.x, dy = centreMinusCursor.y;
    h = h - radiansPerPixel * dx;
    v = invertMouseY ? v + radiansPerPixel * dy : v - radiansPerPixel * dy;
    v = std::clamp(v, -quarterTurn, quarterTurn);
}

ViewVectors viewVectors(double h, double v) {
    ViewVectors out;
    out.direction = glm::vec3(std::cos(v) * std::sin(h), std::sin(v), std::cos(v) * std::cos(h));
    out.right = glm::vec3(std::sin(h - quarterTurn), 0.0, std::cos(h - quarterTurn));
    out.up = glm::cross(out.direction, out.right);
    return out;
}

}  // namespace zarnhold
