#include "tools/pictures/ScreenPictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/OptionsPanelDesign.h"
#include "tools/pictures/BmpWriter.h"
#include "tools/pictures/Noise.h"
#include "tools/pictures/Paint.h"
#include "tools/pictures/Rng.h"
#include "tools/pictures/TextRenderer.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;

namespace {

constexpr int kDesignWidth = 1600;
constexpr int kDesignHeight = 900;
constexpr int kTextureWidth = 2048;
constexpr int kTextureHeight = 1024;

// Where the emblem and the text sit in the design frame.
const glm::vec2 kCrystalCentre(800.0f, 215.0f);
constexpr float kCrystalHalfHeight = 112.0f;
constexpr float kCrystalHalfWidth = 50.0f;
constexpr int kTitleCentreY = 420;
constexpr int kLineCentreY = 610;

// The background: a gradient over a dim wall of rough stone blocks of uneven length,
// lit by the crystal.
void paintWall(Image& image, const ScreenStyle& style) {
    const Noise noise(style.seed);
    Rng rng(style.seed * 7 + 3);
    const int blockHeight = 78;
    const int rows = kDesignHeight / blockHeight + 1;
    // Each course: where its joints fall and how light each block is.
    std::vector<std::vector<int>> joints(rows);
    std::vector<std::vector<float>> shades(rows);
    for (int row = 0; row < rows; ++row) {
        int x = -static_cast<int>(rng.range(0.0f, 120.0f));
        while (x < kDesignWidth) {
            joints[row].push_back(x);
            shades[row].push_back(rng.range(0.7f, 1.2f));
            x += static_cast<int>(rng.range(110.0f, 230.0f));
        }
        joints[row].push_back(x);
    }
    for (int y = 0; y < image.height(); ++y) {
        const int row = y / blockHeight;
        const int inRowY = y % blockHeight;
        const glm::vec3 sky = glm::mix(style.skyTop, style.skyBottom, y / static_cast<float>(kDesignHeight));
        size_t block = 0;
        for (int x = 0; x < image.width(); ++x) {
            while (x >= joints[row][block + 1]) {
                ++block;
            }
            const int inBlockX = x - joints[row][block];
            const int blockWidth = joints[row][block + 1] - joints[row][block];
            // Worn, chipped arrises: the distance to the joint wanders with the noise.
            const float chip = (noise.value(x / 9.0f, y / 9.0f, 256) - 0.5f) * 7.0f;
            const float edge = static_cast<float>(std::min(
                                   {inRowY, blockHeight - 1 - inRowY, inBlockX, blockWidth - 1 - inBlockX})) +
                               chip;
            const float mortar = std::clamp((edge - 2.0f) / 5.0f, 0.0f, 1.0f);
            const float grain = noise.fbm(x / 55.0f, y / 55.0f, 5, 64);
            const float stone =
                (0.35f + 0.65f * mortar) * shades[row][block] * (0.55f + 0.9f * grain * grain);
            // The crystal lights the wall: brighter close to it, fading to the gradient.
            const glm::vec2 d = glm::vec2(x, y) - kCrystalCentre;
            const float light = std::exp(-glm::dot(d, d) / (480.0f * 480.0f));
            image.at(x, y) = sky * (0.5f + 0.5f * stone) + style.glow * (0.18f * stone * light);
        }
    }
}

// Thin shafts of light fanning out from the crystal.
void paintRays(Image& image, const ScreenStyle& style) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const glm::vec2 d = glm::vec2(x, y) - kCrystalCentre;
            const float distance = glm::length(d);
            const float angle = std::atan2(d.y, d.x);
            const float shaft = std::pow(std::max(0.0f, std::cos(angle * 9.0f + 0.4f)), 12.0f) +
                                0.5f * std::pow(std::max(0.0f, std::cos(angle * 14.0f + 1.3f)), 20.0f);
            const float falloff = std::exp(-distance / 380.0f) * std::min(1.0f, distance / 90.0f);
            image.at(x, y) += style.glow * (0.35f * shaft * falloff);
        }
    }
}

// A faceted crystal: six facets shaded from light (upper right) to dark (lower left).
void paintCrystal(Image& image, const ScreenStyle& style) {
    const glm::vec2 c = kCrystalCentre;
    const float w = kCrystalHalfWidth;
    const float h = kCrystalHalfHeight;
    auto at = [&](float fx, float fy) { return c + glm::vec2(fx * w, fy * h); };
    const std::vector<CrystalFacet> facets = crystalFacets(c, w, h);
    // The halo goes first, so the facets keep their shading on top of it.
    Mask whole(image.width(), image.height());
    for (const CrystalFacet& facet : facets) {
        fillPolygon(whole, facet.points);
    }
    addMask(image, whole.blurred(30), 0, 0, style.glow, 1.1f);
    for (const CrystalFacet& facet : facets) {
        Mask mask(image.width(), image.height());
        fillPolygon(mask, facet.points);
        blendMask(image, mask, 0, 0, glm::mix(style.crystalDark, style.crystalLight, facet.light), 0.92f);
    }
    if (style.cracked) {
        // Dark fissures across the facets: the crystal has failed the player.
        const std::vector<std::vector<glm::vec2>> cracks = {
            {at(-0.9f, -0.2f), at(-0.2f, -0.05f), at(0.1f, 0.15f), at(0.12f, 0.19f), at(-0.2f, 0.0f),
             at(-0.9f, -0.17f)},
            {at(0.1f, 0.15f), at(0.5f, -0.1f), at(0.85f, -0.15f), at(0.85f, -0.11f), at(0.5f, -0.06f),
             at(0.12f, 0.19f)},
            {at(-0.2f, -0.05f), at(-0.05f, -0.7f), at(-0.02f, -0.7f), at(-0.16f, -0.05f)},
            {at(0.3f, 0.03f), at(0.35f, 0.6f), at(0.32f, 0.6f), at(0.27f, 0.05f)},
        };
        for (const auto& crack : cracks) {
            Mask mask(image.width(), image.height());
            fillPolygon(mask, crack);
            darkenMask(image, mask, 0, 0, 0.85f);
        }
    }
    addMask(image, whole.blurred(4), 0, 0, style.glow, 0.3f);
    if (!style.cracked) {
        addRadialGlow(image, c + glm::vec2(0.35f * w, -0.55f * h), 7.0f, glm::vec3(0.8f));
    }
}

// Text with a soft drop shadow, a dark rim for contrast and a glow of `glowColour`, its
// mask's left edge at `left`.
void paintTextAt(Image& image, const Mask& text, int left, int centreY, glm::vec3 topColour,
                 glm::vec3 bottomColour, glm::vec3 glowColour, float glowStrength, int glowRadius) {
    const int top = centreY - text.height() / 2;
    darkenMask(image, text.blurred(std::max(2, glowRadius / 3)).shifted(0, glowRadius / 2), left, top, 0.85f);
    addMask(image, text.blurred(glowRadius), left, top, glowColour, glowStrength);
    darkenMask(image, text.blurred(2), left, top, 0.7f);
    blendMaskGradient(image, text, left, top, topColour, bottomColour, 1.0f);
}

// The same, centred across the image.
void paintText(Image& image, const Mask& text, int centreY, glm::vec3 topColour, glm::vec3 bottomColour,
               glm::vec3 glowColour, float glowStrength, int glowRadius) {
    paintTextAt(image, text, (image.width() - text.width()) / 2, centreY, topColour, bottomColour, glowColour,
                glowStrength, glowRadius);
}

// A thin rule under the title that fades at both ends, with a small diamond at its middle.
void paintFlourish(Image& image, const ScreenStyle& style, int y) {
    Mask rule(image.width(), image.height());
    const float halfLength = 300.0f;
    for (int x = 0; x < image.width(); ++x) {
        const float t = std::abs(x + 0.5f - image.width() * 0.5f) / halfLength;
        if (t < 1.0f) {
            const float fade = 1.0f - t * t;
            rule.at(x, y) = fade;
            rule.at(x, y + 1) = 0.5f * fade;
        }
    }
    const float cx = image.width() * 0.5f;
    fillPolygon(rule, {{cx, y - 9.0f}, {cx + 9.0f, y + 0.5f}, {cx, y + 10.0f}, {cx - 9.0f, y + 0.5f}});
    addMask(image, rule.blurred(5), 0, 0, style.glow, 0.8f);
    blendMask(image, rule, 0, 0, style.titleTop, 0.85f);
}

// An empty bar with a lit head: the run is being built.
void paintProgressBar(Image& image, const ScreenStyle& style, int y) {
    const float left = 560.0f, right = 1040.0f, height = 10.0f;
    Mask frame(image.width(), image.height());
    fillPolygon(frame, {{left, y - height}, {right, y - height}, {right, y + height}, {left, y + height}});
    Mask hollow(image.width(), image.height());
    fillPolygon(hollow, {{left + 2, y - height + 2},
                         {right - 2, y - height + 2},
                         {right - 2, y + height - 2},
                         {left + 2, y + height - 2}});
    darkenMask(image, hollow, 0, 0, 0.6f);
    for (int py = 0; py < image.height(); ++py) {
        for (int px = 0; px < image.width(); ++px) {
            frame.at(px, py) = std::max(0.0f, frame.at(px, py) - hollow.at(px, py));
        }
    }
    blendMask(image, frame, 0, 0, style.lineColour, 0.6f);
    const float fillRight = left + 0.62f * (right - left);
    Mask fill(image.width(), image.height());
    fillPolygon(fill, {{left + 4, y - height + 4},
                       {fillRight, y - height + 4},
                       {fillRight, y + height - 4},
                       {left + 4, y + height - 4}});
    addMask(image, fill.blurred(8), 0, 0, style.glow, 1.2f);
    blendMask(image, fill, 0, 0, style.crystalLight, 0.9f);
}

// Drifting motes of crystal dust.
void paintMotes(Image& image, const ScreenStyle& style) {
    Rng rng(style.seed * 31 + 11);
    for (int i = 0; i < 90; ++i) {
        // Gathered loosely around the crystal, thinning out towards the edges.
        const float angle = rng.range(0.0f, 6.2831853f);
        const float distance = 60.0f + 700.0f * rng.uniform() * rng.uniform();
        const glm::vec2 at = kCrystalCentre + glm::vec2(std::cos(angle) * distance * 1.3f,
                                                        std::sin(angle) * distance * 0.8f + 120.0f);
        const float size = rng.range(1.0f, 3.5f);
        const float brightness = rng.range(0.15f, 0.6f) * std::exp(-distance / 500.0f);
        addRadialGlow(image, at, size, style.crystalLight * brightness);
        addRadialGlow(image, at, size * 5.0f, style.glow * (brightness * 0.2f));
    }
}

// A faint per-pixel noise so the dark gradients do not band into steps of 8-bit colour.
void addGrain(Image& image, std::uint64_t seed) {
    Rng rng(seed * 131 + 7);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.at(x, y) += glm::vec3(rng.range(-0.006f, 0.006f));
        }
    }
}

}  // namespace

std::vector<std::string> controlLines() {
    return {
        "Find the goal crystal at the far end of the dungeon.",
        "W A S D walk,  the mouse looks,  Space jumps",
        "Walk past the sword to take it:  left button swings,  right button shields",
        "F1 help,  Esc quits",
    };
}

ScreenStyle introStyle() {
    ScreenStyle s;
    s.line = "Press Space to begin";
    s.notes = controlLines();
    s.skyTop = {0.030f, 0.040f, 0.070f};
    s.skyBottom = {0.010f, 0.012f, 0.022f};
    s.glow = {0.25f, 0.50f, 1.00f};
    s.titleTop = {0.95f, 0.96f, 1.00f};
    s.titleBottom = {0.62f, 0.70f, 0.85f};
    s.lineColour = {0.80f, 0.86f, 0.95f};
    s.crystalLight = {0.75f, 0.92f, 1.00f};
    s.crystalDark = {0.08f, 0.26f, 0.60f};
    s.seed = 11;
    return s;
}

ScreenStyle loadingStyle() {
    ScreenStyle s = introStyle();
    s.line = "Loading...";
    s.notes.clear();
    s.skyTop = {0.020f, 0.035f, 0.060f};
    s.glow = {0.20f, 0.60f, 0.95f};
    s.progressBar = true;
    s.seed = 23;
    return s;
}

ScreenStyle gameOverStyle() {
    ScreenStyle s;
    s.line = "Your run has ended - press Space to try again";
    s.skyTop = {0.070f, 0.015f, 0.015f};
    s.skyBottom = {0.018f, 0.004f, 0.004f};
    s.glow = {0.85f, 0.10f, 0.06f};
    s.titleTop = {1.00f, 0.86f, 0.82f};
    s.titleBottom = {0.70f, 0.30f, 0.26f};
    s.lineColour = {0.95f, 0.78f, 0.74f};
    s.crystalLight = {0.95f, 0.45f, 0.40f};
    s.crystalDark = {0.20f, 0.02f, 0.02f};
    s.cracked = true;
    s.seed = 37;
    return s;
}

ScreenStyle slainStyle() {
    ScreenStyle s = gameOverStyle();
    s.line = "A creature has slain you - press Space to try again";
    return s;
}

ScreenStyle fellStyle() {
    ScreenStyle s = gameOverStyle();
    s.line = "You fell too fast - press Space to try again";
    return s;
}

ScreenStyle wonStyle() {
    ScreenStyle s;
    s.line = "Victory! Press Enter to play again";
    s.skyTop = {0.050f, 0.055f, 0.025f};
    s.skyBottom = {0.012f, 0.020f, 0.010f};
    s.glow = {0.95f, 0.75f, 0.25f};
    s.titleTop = {1.00f, 0.95f, 0.72f};
    s.titleBottom = {0.80f, 0.60f, 0.22f};
    s.lineColour = {0.88f, 0.96f, 0.78f};
    s.crystalLight = {0.85f, 1.00f, 0.80f};
    s.crystalDark = {0.10f, 0.35f, 0.15f};
    s.rays = true;
    s.seed = 53;
    return s;
}

Image paintScreen(const ScreenStyle& style, const std::string& fontDir) {
    Image image(kDesignWidth, kDesignHeight);
    paintWall(image, style);
    addRadialGlow(image, kCrystalCentre, 330.0f, style.glow * 0.16f);
    if (style.rays) {
        paintRays(image, style);
    }
    paintMotes(image, style);
    paintCrystal(image, style);

    TextRenderer titleFont(fontDir + "/DejaVuSerif-Bold.ttf");
    TextRenderer lineFont(fontDir + "/DejaVuSerif.ttf");
    if (titleFont.ok()) {
        const Mask title = titleFont.renderLine("Zarnhold", 190, 60, 8);
        paintText(image, title, kTitleCentreY, style.titleTop, style.titleBottom, style.glow, 0.75f, 22);
    }
    paintFlourish(image, style, 530);
    // Notes push the line down: the first (the goal) a little larger than the controls.
    int lineCentreY = kLineCentreY;
    if (lineFont.ok()) {
        int y = 585;
        for (std::size_t i = 0; i < style.notes.size(); ++i) {
            const Mask note = lineFont.renderLine(style.notes[i], i == 0 ? 36 : 29, 16, 1);
            paintText(image, note, y, style.lineColour, style.lineColour * 0.9f, style.glow, 0.25f, 6);
            y += i == 0 ? 54 : 44;
            lineCentreY = y + 44;
        }
        const Mask line = lineFont.renderLine(style.line, 46, 30, 2);
        paintText(image, line, lineCentreY, style.lineColour, style.lineColour * 0.85f, style.glow, 0.45f,
                  12);
    }
    if (style.progressBar) {
        paintProgressBar(image, style, 700);
    }
    applyVignette(image, 0.75f);
    addGrain(image, style.seed);
    return image;
}

namespace {

// Dark stone with a thin lit frame, so a panel reads as a panel over the dungeon.
Image paintPanelBackground(int width, int height, const ScreenStyle& style) {
    Image image(width, height);
    const Noise noise(style.seed + 5);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float grain = noise.fbm(x / 40.0f, y / 40.0f, 4, 64);
            image.at(x, y) = glm::mix(style.skyTop, style.skyBottom, y / static_cast<float>(height)) *
                             (0.6f + 0.8f * grain);
        }
    }
    // A thin lit frame, so the panel reads as a panel over the dungeon.
    Mask frame(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int edge = std::min({x, y, width - 1 - x, height - 1 - y});
            frame.at(x, y) = edge >= 8 && edge < 11 ? 1.0f : 0.0f;
        }
    }
    addMask(image, frame.blurred(4), 0, 0, style.glow, 0.6f);
    blendMask(image, frame, 0, 0, style.lineColour, 0.7f);
    return image;
}

}  // namespace

namespace {

// A panel over a run: `title` and `lines`, from `firstLine` down, 50 apart, in the 960 x
// 540 frame it fills at the middle of a 1600 x 900 window.
Image paintTextPanel(const std::string& title, const std::vector<std::string>& lines, int firstLine,
                     const std::string& fontDir) {
    const ScreenStyle style = introStyle();
    Image image = paintPanelBackground(960, 540, style);
    TextRenderer titleFont(fontDir + "/DejaVuSerif-Bold.ttf");
    TextRenderer lineFont(fontDir + "/DejaVuSerif.ttf");
    if (titleFont.ok()) {
        paintText(image, titleFont.renderLine(title, 64, 24, 3), 78, style.titleTop, style.titleBottom,
                  style.glow, 0.6f, 12);
    }
    if (lineFont.ok()) {
        int y = firstLine;
        for (const std::string& text : lines) {
            paintText(image, lineFont.renderLine(text, 22, 12, 1), y, style.lineColour,
                      style.lineColour * 0.9f, style.glow, 0.2f, 5);
            y += 50;
        }
    }
    return image;
}

}  // namespace

Image paintHelpPanel(const std::string& fontDir) {
    std::vector<std::string> lines = controlLines();
    lines.push_back("Tab: the map of the rooms seen, and the way to the goal");
    lines.push_back("M flies through walls for the rest of the run,  F3 shows a shadow map");
    lines.push_back("Press F1 again to hide this");
    return paintTextPanel("Help", lines, 162, fontDir);
}

Image paintPausedPanel(const std::string& fontDir) {
    return paintTextPanel("Paused",
                          {"The run waits while the game's window is away.", "",
                           "Click in the window or press any key to go on;  Esc quits"},
                          230, fontDir);
}

Image paintOptionsPanel(const std::string& fontDir) {
    namespace design = optionsPanelDesign;
    const ScreenStyle style = introStyle();
    Image image = paintPanelBackground(design::width, design::height, style);
    TextRenderer titleFont(fontDir + "/DejaVuSerif-Bold.ttf");
    TextRenderer lineFont(fontDir + "/DejaVuSerif.ttf");
    if (titleFont.ok()) {
        paintText(image, titleFont.renderLine("Options", 56, 24, 3), 66, style.titleTop, style.titleBottom,
                  style.glow, 0.6f, 12);
    }
    if (!lineFont.ok()) return image;
    // The masks carry their padding: the text's left edge lands at the design's place.
    const int padding = 12;
    for (int row = 0; row < design::rowCount; ++row) {
        paintTextAt(image, lineFont.renderLine(design::rowNames[row], 24, padding, 1),
                    design::nameLeft - padding, design::rowTop(row) + design::rowHeight / 2, style.lineColour,
                    style.lineColour * 0.9f, style.glow, 0.2f, 5);
    }
    paintText(image,
              lineFont.renderLine("Up / Down choose,  Left / Right change,  F2 hides this", 22, padding, 1),
              design::footerCentre, style.lineColour, style.lineColour * 0.9f, style.glow, 0.2f, 5);
    return image;
}

bool writeScreenPictures(const std::string& modelsDir, const std::string& fontDir) {
    struct Picture {
        const char* file;
        ScreenStyle style;
    };
    const Picture pictures[] = {
        {"Intro.bmp", introStyle()},       {"Loading.bmp", loadingStyle()},
        {"GameOver.bmp", gameOverStyle()}, {"GameOverSlain.bmp", slainStyle()},
        {"GameOverFell.bmp", fellStyle()}, {"GameWin.bmp", wonStyle()},
    };
    bool ok = true;
    for (const Picture& picture : pictures) {
        const Image design = paintScreen(picture.style, fontDir);
        ok = writeBmp(modelsDir + "/" + picture.file, design.resized(kTextureWidth, kTextureHeight)) && ok;
    }
    ok = writeBmp(modelsDir + "/Options.bmp", paintOptionsPanel(fontDir).resized(1024, 512)) && ok;
    ok = writeBmp(modelsDir + "/Paused.bmp", paintPausedPanel(fontDir).resized(1024, 512)) && ok;
    return writeBmp(modelsDir + "/Help.bmp", paintHelpPanel(fontDir).resized(1024, 512)) && ok;
}

}  // namespace zarnhold_assets
