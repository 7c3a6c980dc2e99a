#include "app/HealthBarLayout.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

HealthBarLayout layoutHealthBar(int width, int height, float health, float trail) {
    const float unit = height / 900.0f;
    HealthBarLayout layout;
    layout.frame = {static_cast<int>(std::lround(24 * unit)), static_cast<int>(std::lround(24 * unit)),
                    std::min(width, static_cast<int>(std::lround(300 * unit))),
                    std::max(4, static_cast<int>(std::lround(18 * unit)))};
    const int border = std::max(1, static_cast<int>(std::lround(3 * unit)));
    const int inner = layout.frame.width - 2 * border;
    const float share = std::clamp(health / 1000.0f, 0.0f, 1.0f);
    layout.fill = {layout.frame.x + border, layout.frame.y + border,
                   static_cast<int>(std::lround(inner * share)), layout.frame.height - 2 * border};
    const float trailShare = std::clamp(trail / 1000.0f, share, 1.0f);
    const int trailEnd = static_cast<int>(std::lround(inner * trailShare));
    layout.lost = {layout.fill.x + layout.fill.width, layout.fill.y, trailEnd - layout.fill.width,
                   layout.fill.height};
    return layout;
}

}  // namespace zarnhold
