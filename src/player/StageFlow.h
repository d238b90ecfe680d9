// StageFlow: moves the game between stages and runs what happens around the
// hero's play: the stage opening (streaks, the ready sign, the beam-down),
// the fade to black and back, the stage switch a script asks for, enemy
// spawning at the view's edges and the frozen life refill.
//
// The opening's objects (streaks, the two ready signs, the teleport) live in
// the World's lists, where a script or a stage load may remove them at any
// time. The flow holds them only as handles and looks each one up before
// every use; an object that is gone is skipped, and a gone teleport lets the
// hero appear at once. A new opening ends whatever the previous one left
// behind, and the teleport is erased once the hero has appeared ("Player" is
// never visited by the death pass).
//
// The loops that wait for something (the hero's drop at stage begin, the
// camera settle, an enemy's drop onto the ground) stop after kStepLimit
// steps with one line on standard output.
#pragma once

#include <string>

#include "objects/ObjectHandle.h"
#include "core/Vector2.h"
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
    static constexpr int kStreakSlots = 9;

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

    // The opening's objects, 0 when there is none.
    ObjectHandle teleport = 0;
    ObjectHandle readyBack = 0;
    ObjectHandle readyFront = 0;
    ObjectHandle streaks[kStreakSlots] = {};
    int streakCount = 0;  // streaks made so far in this opening

    CameraState settleCamera;  // the settle's own zone and band widening

    // The camera as the enemy spawner saw it last; taken from the camera on
    // the spawner's first run after a stage begins, so that a stage switch
    // is no camera movement.
    Vector2 spawnCamera;
    bool spawnCameraKnown = false;

    // Reads "Data\game.cfg"; false when the file cannot be opened.
    bool ReadGameConfig(const std::string& path);

    // Starts the opening of the loaded stage: black, input off, the hero
    // dropped onto the ground and the camera settled. Ends what a previous
    // opening left and tells the scripts the stage's name (the Lua global
    // StageName).
    void BeginStage();

    // One frame of stage flow, also while frozen: the opening, enemy
    // spawning, the fade and stage switch, the life refill.
    void StepStageFlow();

    // The opening's step for the current phase.
    void RunOpening();

    // Spawns the enemy placements whose hit-box edge crossed into the view
    // since the last step, each dropped onto the ground below it.
    void SpawnEnemies();

    void Attach(World& world, ScreenFade& fade, InputBindings& bindings, GameObject& hero,
                Vector2& camera);

private:
    void RunStreaksAndReadySign();
    void RunReadyJitter();
    void RunTeleport();
    void MakeBackStreak();
    // Phase 3's end: the hero is shown and takes input, the beam and the
    // ready signs go.
    void HeroAppears();
    // Ends every object of the opening that still lives and forgets them all.
    void EndOpeningObjects();
    // The live opening object the handle names, or null; an object of another
    // name at a reused address is not ours.
    GameObject* Opening(ObjectHandle handle, const char* name) const;
    GameObject* SpawnEnemy(int placementIndex);
};
