#include "player/StageFlow.h"

#include "app/ConfigFile.h"

bool StageFlow::ReadGameConfig(const std::string& path) {
    return ReadConfigFile(path, [this](const std::string& key, const std::string& value) {
        if (key == "OpeningStage") openingStage = FirstWord(value);
    });
}

void StageFlow::Attach(World& world_, ScreenFade& fade_, InputBindings& bindings_,
                       GameObject& hero_, Vector2& camera_) {
    world = &world_;
    fade = &fade_;
    bindings = &bindings_;
    hero = &hero_;
    camera = &camera_;
}

// Not built yet: no opening, fades or spawning.
void StageFlow::BeginStage() {}
void StageFlow::StepStageFlow() {}
