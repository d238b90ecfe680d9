// The script tests' common ground: a Game in a small data tree of its own,
// whose sprite sets give objects real frame sizes and animations, and
// helpers that run Lua through the real host and read its globals back.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <lua.hpp>
#include <memory>
#include <string>
#include <vector>

#include "app/Game.h"
#include "support/TestSupport.h"

// A sheet of w x h pixels as a BMP under the ".png" name; the image loader
// tells the format from the file's contents.
inline void WriteSheet(const std::string& path, int w, int h) {
    WriteFile(path, "");
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00,
                                                0x000000ff, 0xff000000);
    ASSERT_NE(surface, nullptr);
    SDL_SaveBMP(surface, path.c_str());
    SDL_FreeSurface(surface);
}

// A sprite set: its ".anim" description beside the object files (one
// "data/objects" folder, found for "data/Objects" too) and its sheet.
inline void WriteSet(const std::string& root, const std::string& folder, const std::string& name,
                     int sheetW, int sheetH, const std::string& anim) {
    WriteFile(root + "/data/objects/" + folder + "/" + name + ".anim", anim);
    WriteSheet(root + "/data/img/" + folder + "/" + name + ".png", sheetW, sheetH);
}

class ScriptTest : public testing::Test {
protected:
    ScriptTest() : root_(MakeTempDir("script")) {
        // Walker: 16 x 32 frames, box (2, 4)-(14, 30); "Stand" holds, "Walk"
        // shows three frames of 2 ticks and loops back to frame 1.
        WriteSet(root_, "Enemies", "Walker", 48, 64,
                 "16 32 2 4 14 30\nStand 1 0 0\nWalk 3 [2 2 2] 1\nFall 2 1 0\n");
        WriteSet(root_, "Enemies", "Shot", 8, 8, "8 8 0 0 8 8\nFly 1 0 0\n");
        WriteSet(root_, "Player", "Rook", 32, 32, "32 32 8 4 24 32\nStand 1 0 0\n");
        WriteSet(root_, "Player", "Pellet", 8, 8, "8 8 0 0 8 8\nFly 1 0 0\n");
        WriteSet(root_, "Items", "HealthSm", 16, 16, "16 16 0 0 16 16\nSpin 1 0 0\n");
        WriteSet(root_, "Effects", "Spark", 48, 24, "24 24 0 0 24 24\nBurst 2 3 0\nFade 2 3 1\n");
        cwd_.reset(new ScopedWorkingDirectory(root_));
        game_.reset(new Game());
        game().world.sounds.log = &sounds;
    }

    Game& game() { return *game_; }
    World& world() { return game_->world; }
    lua_State* L() { return game_->world.script.State(); }
    const std::string& root() const { return root_; }

    // Runs Lua source as a chunk named "test".
    bool Run(const std::string& source) { return world().script.RunString(source, "=test"); }

    // Makes the object's handle the Lua global `name`.
    void SetHandle(const char* name, const GameObject* o) {
        lua_pushinteger(L(), static_cast<lua_Integer>(World::ToHandle(o)));
        lua_setfield(L(), LUA_GLOBALSINDEX, name);
    }
    void SetHandle(const char* name, ObjectHandle handle) {
        lua_pushinteger(L(), static_cast<lua_Integer>(handle));
        lua_setfield(L(), LUA_GLOBALSINDEX, name);
    }

    // Evaluates a Lua expression; its first value, read back.
    double Number(const std::string& expression) {
        Eval(expression);
        double value = lua_tonumber(L(), -1);
        lua_pop(L(), 1);
        return value;
    }
    bool Bool(const std::string& expression) {
        Eval(expression);
        bool value = lua_toboolean(L(), -1) != 0;
        lua_pop(L(), 1);
        return value;
    }
    std::string String(const std::string& expression) {
        Eval(expression);
        const char* text = lua_tostring(L(), -1);
        std::string value = text ? text : "<not a string>";
        lua_pop(L(), 1);
        return value;
    }
    std::string Type(const std::string& expression) {
        Eval(expression);
        std::string value = luaL_typename(L(), -1);
        lua_pop(L(), 1);
        return value;
    }
    // How many values a call returns.
    int Results(const std::string& call) {
        return static_cast<int>(Number("select('#', " + call + ")"));
    }

    GameObject* Make(const std::string& name, const std::string& category, int palette = 0) {
        return world().CreateObjectInCategory(name, palette, category);
    }

    // Takes an object through the real removal: queued as the current object
    // of its category's pass, then erased at the end of the frame.
    void Remove(GameObject* o, const std::string& category) {
        ObjectList& list = world().List(category);
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (&*it != o) continue;
            world().currentCategory = category;
            world().currentObject = o;
            world().currentPosition = it;
            world().Kill();
            world().currentObject = nullptr;
            world().RemoveQueued();
            return;
        }
        FAIL() << "object not in " << category;
    }

    std::vector<SoundRequest> sounds;

private:
    void Eval(const std::string& expression) {
        EXPECT_TRUE(Run("__value = " + expression)) << expression;
        lua_getfield(L(), LUA_GLOBALSINDEX, "__value");
    }

    std::string root_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<Game> game_;
};
