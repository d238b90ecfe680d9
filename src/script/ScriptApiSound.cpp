// Script function for sound effects.
#include "player/GameState.h"
#include "script/ScriptApi.h"

namespace scriptapi {

// PlaySound(fileName): a file under the sound folder, on any free channel,
// played once.
int PlaySound(lua_State* L) {
    GameState* game = GameOf(L);
    if (!game) return 0;
    game->world.PlaySound(StringArg(L, 1), -1, 0);
    return 0;
}

}  // namespace scriptapi
