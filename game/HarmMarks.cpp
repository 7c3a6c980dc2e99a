#include "game/HarmMarks.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

namespace {

constexpr double pi = 3.14159265358979323846;

// `angle` brought into (-pi, pi].
double wrapped(double angle) {
    angle = std::fmod(angle, 2.0 * pi);
    if (angle > pi) angle -= 2.0 * pi;
    if (angle <= -pi) angle += 2.0 * pi;
    return angle;
}

// Harms within this of a mark's bearing renew that mark rather than adding one.
constexpr double sameWay = pi / 8.0;

}  // namespace

double HarmMarks::bearing(glm::vec3 from, glm::vec3 to) {
    return std::atan2(static_cast<double>(to.x - from.x), static_cast<double>(to.z - from.z));
}

HarmMarks::Side HarmMarks::sideOf(double bearing, double horizontalAngle) {
    const double relative = wrapped(bearing - horizontalAngle);
    const int eighth = static_cast<int>(std::lround(relative / (pi / 4.0)));
    return static_cast<Side>((eighth + sideCount) % sideCount);
}

void HarmMarks::harmFrom(double bearing, bool newContact) {
    Mark* chosen = nullptr;
    for (Mark& mark : marks) {
        const bool live = mark.ageMs < fullMs + fadeMs;
        if (live && std::abs(wrapped(mark.bearing - bearing)) < sameWay) chosen = &mark;
    }
    if (chosen == nullptr) {
        chosen = &*std::max_element(marks.begin(), marks.end(),
                                    [](const Mark& a, const Mark& b) { return a.ageMs < b.ageMs; });
    }
    chosen->bearing = bearing;
    chosen->ageMs = 0.0;
    if (newContact) flashLeftMs = flashMs;
}

void HarmMarks::advance(double ms) {
    for (Mark& mark : marks) mark.ageMs = std::min(mark.ageMs + ms, fullMs + fadeMs);
    flashLeftMs = std::max(0.0, flashLeftMs - ms);
}

std::array<float, HarmMarks::sideCount> HarmMarks::sides(double horizontalAngle) const {
    std::array<float, sideCount> strength{};
    for (const Mark& mark : marks) {
        const double fading = std::clamp((mark.ageMs - fullMs) / fadeMs, 0.0, 1.0);
        float& side = strength[sideOf(mark.bearing, horizontalAngle)];
        side = std::max(side, static_cast<float>(1.0 - fading));
    }
    return strength;
}

float HarmMarks::flash() const {
    return static_cast<float>(flashLeftMs / flashMs);
}

}  // namespace zarnhold
