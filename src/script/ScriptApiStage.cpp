// Script functions that steer the stage flow and the program.
#include "player/GameState.h"
#include "script/ScriptApi.h"

namespace scriptapi {

// Quit(): the main loop ends after this frame's stage-flow step.
int Quit(lua_State* L) {
    if (GameState* game = GameOf(L)) game->quit = true;
    return 0;
}

// FadeToStage(stageName): the stage flow fades out, then loads that stage.
int FadeToStage(lua_State* L) {
    GameState* game = GameOf(L);
    if (!game) return 0;
    game->world.nextStage = StringArg(L, 1);
    game->fade.mode = 2;
    return 0;
}

}  // namespace scriptapi
