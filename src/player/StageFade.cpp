// The fade to black and back, and the stage switch: a script's FadeToStage
// names the next stage and starts the fade-out; once it is black the stage
// loads, the camera jumps to the hero and the new stage's opening begins
// under the fade-in. A fade-out with no stage to go to stays black.
#include <algorithm>

#include "core/View.h"
#include "player/GameState.h"

namespace {

constexpr float kFadeStep = 0.02f;

}  // namespace

void StepFadeAndSwitch(GameState& game) {
    ScreenFade& fade = game.fade;
    World& world = game.world;
    if (fade.mode == 2)
        fade.level = std::min(fade.level + kFadeStep, 1.0f);
    else if (fade.mode == 1)
        fade.level = std::max(fade.level - kFadeStep, 0.0f);

    if (fade.mode == 2 && fade.level == 1.0f && !world.nextStage.empty()) {
        GameObject& hero = *world.Hero();
        const std::string next = world.nextStage;
        world.LoadStage(next, hero);
        world.nextStage.clear();
        fade.mode = 1;
        world.camera = hero.position - Vector2(static_cast<float>(kViewHalfWidth),
                                               static_cast<float>(kViewHalfHeight));
        BeginStage(game);
    }
    if (fade.mode == 1 && fade.level == 0.0f) fade.mode = 0;
}
