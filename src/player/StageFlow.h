// StageFlow: moves the game between stages and runs what happens around the
// hero's play, once a frame: the stage opening (StageOpening.h), enemy
// spawning at the view's edges (EnemySpawner.h), the fade to black and back
// with the stage switch a script asks for (StageFade.cpp), and the frozen
// life refill (HeroHealth.h).
//
// The loops that wait for something (the hero's drop at stage begin, the
// camera settle, an enemy's drop onto the ground) stop after kStepLimit
// steps with one line on standard output.
#pragma once

#include <string>

#include "player/EnemySpawner.h"
#include "player/StageOpening.h"
#include "stage/Camera.h"

struct GameState;

struct ScreenFade {
    float level = 0.0f;  // 0 clear ... 1 black
    int mode = 0;        // 0 idle, 1 fading in, 2 fading out
};

struct StageFlow {
    bool frozen = false;         // life refill running: the game stands still
    float pendingHealth = 0.0f;  // health still to add; -1 marks the refill's end
    bool inputEnabled = false;
    int phase = 0;  // 0 play, 1 streaks and ready sign, 2 ready sign jitters, 3 teleport
    int phaseTimer = 0;
    std::string openingStage;

    StageOpening opening;
    CameraState settleCamera;  // the settle's own zone and band widening
    EnemySpawner spawner;

    // Reads "Data\game.cfg"; false when the file cannot be opened.
    bool ReadGameConfig(const std::string& path);
};

// Starts the opening of the loaded stage: black, input off, the hero
// dropped onto the ground and the camera settled. Ends what a previous
// opening left and tells the scripts the stage's name (the Lua global
// StageName).
void BeginStage(GameState& game);

// One frame of stage flow, also while frozen: the opening, enemy spawning,
// the fade and stage switch, the life refill.
void StepStageFlow(GameState& game);

// The fade's step, and the switch to the stage a script asked for once the
// fade-out is black (StageFade.cpp).
void StepFadeAndSwitch(GameState& game);

// The life gauge is hidden while the opening's streaks and ready sign run
// (phases 1 and 2).
bool GaugeShown(const StageFlow& flow);

// The stage wipe's width in pixels while it runs (phase 1, 72 < phaseTimer
// < 88, 15 pixels a frame), else -1.
int WipeWidth(const StageFlow& flow);
