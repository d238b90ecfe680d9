// StageFlow: moves the game between stages and runs what happens around the
// hero's play: the stage opening (streaks, the ready sign, the beam-down),
// the fade to black and back, the stage switch a script asks for, enemy
// spawning at the view's edges and the frozen life refill.
#pragma once

#include <string>

#include "objects/Vector2.h"
#include "stage/Camera.h"

class World;
class InputBindings;
struct GameObject;

struct ScreenFade {
    float level = 0.0f;  // 0 clear ... 1 black
    int mode = 0;        // 0 idle, 1 fading in, 2 fading out
};

class StageFlow {
public:
    World* world = nullptr;
    ScreenFade* fade = nullptr;
    InputBindings* bindings = nullptr;
    GameObject* hero = nullptr;
    Vector2* camera = nullptr;

    bool frozen = false;         // life refill running: the game stands still
    float pendingHealth = 0.0f;  // health still to add; -1 marks the refill's end
    bool inputEnabled = false;
    int phase = 0;  // 0 play, 1 streaks and ready sign, 2 ready sign jitters, 3 teleport
    int phaseTimer = 0;
    std::string openingStage;

    GameObject* teleport = nullptr;
    GameObject* readyBack = nullptr;
    GameObject* readyFront = nullptr;
    GameObject* streaks[9] = {};

    CameraState settleCamera;  // the settle's own zone and band widening

    // Reads "Data\game.cfg"; false when the file cannot be opened.
    bool ReadGameConfig(const std::string& path);

    // Starts the opening of the loaded stage: black, input off, the hero
    // dropped onto the ground and the camera settled.
    void BeginStage();

    // One frame of stage flow, also while frozen: the opening, enemy
    // spawning, the fade and stage switch, the life refill.
    void StepStageFlow();

    void Attach(World& world, ScreenFade& fade, InputBindings& bindings, GameObject& hero,
                Vector2& camera);
};
