#include "app/OptionsPanel.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

namespace {

enum Row { sensitivityRow, invertLookRow, fieldOfViewRow, volumeRow, vsyncRow, pauseRow };

// Sensitivity in steps of 1/5000 radian a pixel (the default, 0.001, is the fifth).
constexpr double sensitivitySteps = 5000.0;
constexpr float fieldOfViewStep = 5.0f;
constexpr float volumeStep = 10.0f;

// `value` moved to the step `direction` away from the one nearest it, kept in [low, high].
double stepped(double value, double low, double high, double step, int direction) {
    const double next = (std::round(value / step) + direction) * step;
    return std::clamp(next, low, high);
}

}  // namespace

void OptionsPanel::show(const PanelKeys& held) {
    before = held;
}

std::optional<int> OptionsPanel::follow(const PanelKeys& held, Settings& settings) {
    const PanelKeys fresh{held.up && !before.up, held.down && !before.down, held.left && !before.left,
                          held.right && !before.right};
    before = held;
    if (fresh.up) chosen = (chosen + rowCount - 1) % rowCount;
    if (fresh.down) chosen = (chosen + 1) % rowCount;
    const int direction = (fresh.right ? 1 : 0) - (fresh.left ? 1 : 0);
    if (direction == 0) return std::nullopt;
    const Settings was = settings;
    step(settings, chosen, direction);
    if (settings == was) return std::nullopt;
    return chosen;
}

void OptionsPanel::step(Settings& settings, int row, int direction) {
    switch (row) {
        case sensitivityRow:
            // Counted in whole steps, so the default comes back exactly.
            settings.sensitivity =
                stepped(settings.sensitivity * sensitivitySteps, lowestSensitivity * sensitivitySteps,
                        highestSensitivity * sensitivitySteps, 1.0, direction) /
                sensitivitySteps;
            break;
        case fieldOfViewRow:
            settings.fieldOfViewDegrees =
                static_cast<float>(stepped(settings.fieldOfViewDegrees, narrowestFieldOfView,
                                           widestFieldOfView, fieldOfViewStep, direction));
            break;
        case volumeRow:
            settings.volume = static_cast<float>(stepped(settings.volume, 0.0, 100.0, volumeStep, direction));
            break;
        case invertLookRow: settings.invertLook = !settings.invertLook; break;
        case vsyncRow: settings.vsync = !settings.vsync; break;
        case pauseRow: settings.pauseOnFocusLoss = !settings.pauseOnFocusLoss; break;
        default: break;
    }
}

Settings OptionsPanel::withRow(Settings to, const Settings& from, int row) {
    switch (row) {
        case sensitivityRow: to.sensitivity = from.sensitivity; break;
        case invertLookRow: to.invertLook = from.invertLook; break;
        case fieldOfViewRow: to.fieldOfViewDegrees = from.fieldOfViewDegrees; break;
        case volumeRow: to.volume = from.volume; break;
        case vsyncRow: to.vsync = from.vsync; break;
        case pauseRow: to.pauseOnFocusLoss = from.pauseOnFocusLoss; break;
        default: break;
    }
    return to;
}

float OptionsPanel::share(const Settings& settings, int row) {
    switch (row) {
        case sensitivityRow:
            return static_cast<float>((settings.sensitivity - lowestSensitivity) /
                                      (highestSensitivity - lowestSensitivity));
        case fieldOfViewRow:
            return (settings.fieldOfViewDegrees - narrowestFieldOfView) /
                   (widestFieldOfView - narrowestFieldOfView);
        case volumeRow: return settings.volume / 100.0f;
        case invertLookRow: return settings.invertLook ? 1.0f : 0.0f;
        case vsyncRow: return settings.vsync ? 1.0f : 0.0f;
        case pauseRow: return settings.pauseOnFocusLoss ? 1.0f : 0.0f;
        default: return 0.0f;
    }
}

bool OptionsPanel::isSwitch(int row) {
    return row == invertLookRow || row == vsyncRow || row == pauseRow;
}

}  // namespace zarnhold
