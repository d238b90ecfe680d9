// The stage flow's and the hero health's test world: the stage "Yard" (60 x
// 20 tiles, a floor whose top is y 240, the hero's start at (64, 128)), the
// sprite sets of the hero and of the opening's objects, and the hero "Rook"
// attached to the stage flow as start-up attaches it. Frames run through the
// real RunGameFrame with an empty event queue.
#pragma once

#include <string>
#include <vector>

#include "app/GameFrame.h"
#include "player/EventPump.h"
#include "stage/StageTestData.h"

namespace flowtest {

constexpr int kYardWidth = 60;
constexpr int kYardHeight = 20;
constexpr int kFloorRow = 15;         // its top is y 240
constexpr float kStandingY = 180.0f;  // a 64 x 64 frame whose feet (60) are on the floor

// The Yard's main layer: the floor from `from` to `to`, the start cell at
// column 4, row 8.
inline std::vector<std::vector<int>> YardRows(int from = 0, int to = kYardWidth - 1) {
    std::vector<std::vector<int>> rows(kYardHeight, std::vector<int>(kYardWidth, 0));
    for (int column = from; column <= to; ++column) rows[kFloorRow][column] = 2;
    rows[8][4] = 1;
    return rows;
}

// A stage file with the Yard's layer, no zones and the given enemies (type
// index, x, y) of the types.
inline std::string YardStage(const std::vector<std::string>& types = {},
                             const std::vector<std::vector<int>>& placements = {},
                             const std::vector<std::vector<int>>& rows = YardRows()) {
    stagetest::Rmap map;
    map.Header("Tiles\\Test", 1)
        .Layer(0, rows)
        .U32(0)
        .Types(types)
        .U32(static_cast<uint32_t>(placements.size()));
    for (const std::vector<int>& p : placements) map.Placement(p[0], p[1], p[2]);
    return map.Bytes();
}

class FlowTest : public stagetest::StageTest {
protected:
    FlowTest() {
        Sprite("Player/Rook",
               "64 64 24 22 40 60\nStand 1 0 0\nLand 1 0 0\nWalk 1 0 0\nFall 1 0 0\n"
               "Hurt 3 4 0\nBeginWalk 2 2 0\n");
        Sprite("Effects/Streak",
               "176 16 0 0 176 16\nScreen 2 2 0\nSmall 2 2 0\nMedium 2 2 0\nLarge 2 2 0\n");
        Sprite("Effects/Ready", "192 30 0 0 192 30\nStand 1 0 0\n");
        // "Appear": three frames of 2 ticks (the first 3), ended on its 7th tick.
        Sprite("Player/Rook Teleport", "64 64 24 22 40 60\nStand 2 2 0\nAppear 3 2 2\n");
        WriteStage("Yard", YardStage());

        hero = world().CreateObjectInCategory("Rook", 0, "Player");
        hero->dieOnWall = false;
        hero->gravity = true;
        game().hero = hero;
        game().flow.Attach(world(), game().fade, game().bindings, *hero, game().camera);
        world().LoadStage("Yard", *hero);
        game().player.shownHealth = hero->health;
        game().player.previousHealth = hero->health;
    }

    // A sprite set: its description and a 64 x 64 sheet.
    void Sprite(const std::string& set, const std::string& anim) {
        WriteFile(root() + "/data/Objects/" + set + ".anim", anim);
        WritePng(root() + "/data/img/" + set + ".png", TestImage(64, 64));
    }

    // A script file of an object (path under data/objects/, no extension).
    void Script(const std::string& object, const std::string& lua) {
        WriteFile(root() + "/data/objects/" + object + ".lua", lua);
    }

    // One game frame; false when the game quits.
    bool Frame() { return RunGameFrame(game(), events); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }

    void Lua(const std::string& source) { ASSERT_TRUE(world().script.RunString(source, "test")); }

    // The objects of a category with that name, in list order.
    std::vector<GameObject*> Named(const std::string& category, const std::string& name) {
        std::vector<GameObject*> found;
        for (GameObject& o : world().List(category))
            if (o.name == name) found.push_back(&o);
        return found;
    }

    int SoundsNamed(const std::string& name) const {
        int n = 0;
        for (const SoundRequest& s : sounds) n += s.name == name;
        return n;
    }

    StageFlow& flow() { return game().flow; }

    GameObject* hero = nullptr;
    EventSource events = EventSource::Queue();
};

}  // namespace flowtest
