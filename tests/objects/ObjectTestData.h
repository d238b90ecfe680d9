// Small data trees for the object tests: sprite sets (a ".anim" description
// and a blank PNG sheet, so that sets get their frame size and hit box),
// object files, a Game whose working directory is the tree, and a way to read
// values back out of the Lua state.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <lua.hpp>

#include "app/DataPath.h"
#include "app/Game.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace objtest {

// A data tree in a temporary folder that is the working directory while the
// tree lives, with a Game (and its World) built inside it.
class DataTree {
public:
    explicit DataTree(const std::string& tag)
        : root_(MakeTempDir(tag)), cwd_(new ScopedWorkingDirectory(root_)) {}
    ~DataTree() {
        game_.reset();
        cwd_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::string& Root() const { return root_; }

    // A sprite set: "data/Objects/<set>.anim" and a blank "data/img/<set>.png".
    // setName uses "/" between folders ("Enemies/Walker").
    void Set(const std::string& setName, const std::string& anim, int sheetW = 64, int sheetH = 64) {
        WriteFile(root_ + "/data/Objects/" + setName + ".anim", anim);
        WritePng(root_ + "/data/img/" + setName + ".png", TestImage(sheetW, sheetH));
        ClearDataPathCache();
    }

    // An object file under "data/objects/": File("Enemies/Walker.lua", "...").
    void File(const std::string& path, const std::string& text) {
        WriteFile(root_ + "/data/objects/" + path, text);
    }

    // The game, built on first use (after the files it should see).
    Game& game() {
        if (!game_) {
            game_.reset(new Game());
            game_->world.sounds.log = &sounds;
        }
        return *game_;
    }
    World& world() { return game().world; }

    // Runs Lua in the game's state; fails the test on an error.
    void Lua(const std::string& source) {
        ASSERT_TRUE(world().script.RunString(source, "=test")) << source;
    }

    // The value of a Lua expression, as a string ("nil" for nil).
    std::string Eval(const std::string& expression) {
        lua_State* L = world().script.State();
        const std::string chunk = "return tostring(" + expression + ")";
        if (luaL_loadstring(L, chunk.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0) {
            std::string message = lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
            lua_pop(L, 1);
            return "error: " + message;
        }
        std::string value = lua_tostring(L, -1) ? lua_tostring(L, -1) : "";
        lua_pop(L, 1);
        return value;
    }

    // Names of the sounds played so far.
    std::vector<std::string> SoundNames() const {
        std::vector<std::string> names;
        for (const SoundRequest& r : sounds) names.push_back(r.name);
        return names;
    }

    std::vector<SoundRequest> sounds;

private:
    std::string root_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<Game> game_;
};

inline std::string Handle(const GameObject* o) { return std::to_string(World::ToHandle(o)); }

// Places a collision tile of the given state at (column, row).
inline void SolidTile(World& world, int column, int row, char state = '1') {
    world.stage.tileMap[std::make_pair(column, row)] = TileInfo{2, state};
}

}  // namespace objtest
