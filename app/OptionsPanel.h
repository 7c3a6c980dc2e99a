#pragma once

#include <optional>

#include "app/SettingsFile.h"

namespace zarnhold {

// The keys the options panel reads, as held this frame.
struct PanelKeys {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
};

// The options panel's rule, without a window: a fresh Up or Down chooses the row above or
// below, a fresh Left or Right lowers or raises the chosen row's setting (a step along its
// range; either flips a switch). Rows, top to bottom: sensitivity, invert look, field of
// view, volume, vsync, pause on focus loss.
class OptionsPanel {
public:
    static constexpr int rowCount = 6;

    // The panel is shown with these keys held: they count only once released and pressed
    // again.
    void show(const PanelKeys& held);
    // This frame's keys; the row whose setting changed in `settings`, if one did.
    std::optional<int> follow(const PanelKeys& held, Settings& settings);
    int chosenRow() const { return chosen; }

    // `row`'s setting one step lower (direction -1) or higher (+1) within its range.
    static void step(Settings& settings, int row, int direction);
    // `to` with `row`'s setting taken from `from`.
    static Settings withRow(Settings to, const Settings& from, int row);
    // Where `row`'s setting stands in its range, from 0 (lowest, off) to 1 (highest, on).
    static float share(const Settings& settings, int row);
    // Whether `row` is a switch (on or off) rather than a range.
    static bool isSwitch(int row);

private:
    int chosen = 0;
    PanelKeys before;
};

}  // namespace zarnhold
