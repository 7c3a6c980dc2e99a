#pragma once

#include "app/AppState.h"

class Game;

// Stands in for the player until the player can walk: writes the game's camera matrices
// for an eye at the player's start looking down the start hall, and gives the lit draw
// that eye as the player's position.
class StartView : public AppState {
public:
    explicit StartView(Game* game);

    void init() override;
    void update(double elapsedMs) override;
    void render(glm::mat4, glm::mat4, std::vector<Light*>) override {}

    // Render frame: the eye 0.2 above the body's start (0, 0, 6.5), looking towards +z.
    glm::vec3 position{0.0f, -0.2f, -6.5f};
    glm::vec3 direction{0.0f, 0.0f, 1.0f};
    glm::vec3 up{0.0f, -1.0f, 0.0f};
    Game* game;
};
