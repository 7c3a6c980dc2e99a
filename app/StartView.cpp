#include "app/StartView.h"

#include <glm/gtc/matrix_transform.hpp>

#include "app/Game.h"

StartView::StartView(Game* game) : game(game) {}

void StartView::init() {
    update(0.0);
}

void StartView::update(double) {
    game->projection = glm::perspective(glm::radians(45.0f),
                                        static_cast<float>(game->width) / static_cast<float>(game->height),
                                        0.1f, 100.0f);
    game->view = glm::lookAt(position, position + direction, up);
}
