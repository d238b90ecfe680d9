#include "player/StageFlow.h"

// Not built yet.
bool StageFlow::ReadGameConfig(const std::string&) { return false; }

void StageFlow::Attach(World& world_, ScreenFade& fade_, InputBindings& bindings_, GameObject& hero_,
                       Vector2& camera_) {
    world = &world_;
    fade = &fade_;
    bindings = &bindings_;
    hero = &hero_;
    camera = &camera_;
}
