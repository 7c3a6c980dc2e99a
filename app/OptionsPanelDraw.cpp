#include "app/OptionsPanelDraw.h"

#include <algorithm>
#include <cmath>

#include <GL/glew.h>

#include "app/OptionsPanel.h"
#include "app/OptionsPanelDesign.h"

namespace zarnhold {

namespace {

// A rectangle of the design frame (y down) in window pixels (y up).
PixelRect fromDesign(const PixelRect& panel, int left, int top, int width, int height) {
    const float sx = panel.width / static_cast<float>(optionsPanelDesign::width);
    const float sy = panel.height / static_cast<float>(optionsPanelDesign::height);
    const int x0 = panel.x + static_cast<int>(std::lround(left * sx));
    const int x1 = panel.x + static_cast<int>(std::lround((left + width) * sx));
    const int yTop = panel.y + panel.height - static_cast<int>(std::lround(top * sy));
    const int yBottom = panel.y + panel.height - static_cast<int>(std::lround((top + height) * sy));
    return {x0, yBottom, x1 - x0, yTop - yBottom};
}

}  // namespace

OptionsPanelLayout layoutOptionsPanel(const PixelRect& panel, const Settings& settings, int chosenRow) {
    namespace design = optionsPanelDesign;
    OptionsPanelLayout layout;
    for (int row = 0; row < design::rowCount; ++row) {
        const int barTop = design::rowTop(row) + (design::rowHeight - design::barHeight) / 2;
        const int barWidth = OptionsPanel::isSwitch(row) ? design::barWidth / 5 : design::barWidth;
        const PixelRect bar = fromDesign(panel, design::barLeft, barTop, barWidth, design::barHeight);
        const int border = std::max(1, bar.height / 6);
        const int inner = std::max(0, bar.width - 2 * border);
        const float share = std::clamp(OptionsPanel::share(settings, row), 0.0f, 1.0f);
        layout.bars.push_back(bar);
        layout.fills.push_back({bar.x + border, bar.y + border, static_cast<int>(std::lround(inner * share)),
                                std::max(0, bar.height - 2 * border)});
    }
    const int markTop = design::rowTop(chosenRow) + (design::rowHeight - design::markSize) / 2;
    layout.mark = fromDesign(panel, design::markLeft, markTop, design::markSize, design::markSize);
    return layout;
}

void drawOptionsPanel(const OptionsPanelLayout& layout) {
    glEnable(GL_SCISSOR_TEST);
    for (std::size_t row = 0; row < layout.bars.size(); ++row) {
        clearPixelRect(layout.bars[row], 0.16f, 0.14f, 0.10f);
        clearPixelRect(layout.fills[row], 0.95f, 0.75f, 0.25f);
    }
    clearPixelRect(layout.mark, 0.88f, 0.96f, 0.78f);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace zarnhold
