// TestWorld: the one fixture of the engine tests. A data tree in a temporary
// folder that is the working directory while the test runs, a Game built in
// it on first use, and the ways the tests add data and look inside: sprite
// sets, object files, stages as bytes, tiles, the hero with his muzzles and
// weapon, Lua run in the game's state, and frames stepped through the input
// harness.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Game.h"
#include "support/InputHarness.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

// Stage file bytes, written field by field (little-endian).
class Rmap {
public:
    Rmap& Raw(const std::string& bytes);
    Rmap& U8(unsigned v);
    Rmap& U16(unsigned v) { return U8(v).U8(v >> 8); }
    Rmap& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Rmap& Header(const std::string& tileset, uint32_t layers);
    Rmap& Layer(unsigned kind, const std::vector<std::vector<int>>& rows);
    Rmap& Zone(int flags, int32_t x, int32_t y, int32_t w, int32_t h);
    Rmap& Types(const std::vector<std::string>& names);
    Rmap& Placement(int32_t type, int32_t x, int32_t y);
    const std::string& Bytes() const { return out_; }

private:
    std::string out_;
};

// A width x height grid of code 0 with row `floorRow` of code 2 (a solid
// tile in TestStates()) from column `from` to `to`.
std::vector<std::vector<int>> FloorRows(int width, int height, int floorRow, int from, int to);

// A one-layer stage on tileset "Tiles\Test" with the given enemy placements
// ({type, x, y}) and no camera zones.
std::string SimpleStage(const std::vector<std::vector<int>>& rows,
                        const std::vector<std::string>& types = {},
                        const std::vector<std::vector<int>>& placements = {});

// The tile states of "Tiles\Test": codes 2..14 are "13456200ABCDZ", the rest '0'.
std::string TestStates();

class TestWorld : public testing::Test {
protected:
    TestWorld();
    ~TestWorld() override;

    const std::string& Root() const { return root_; }
    // "data/Objects/<set>.anim" and a blank "data/img/<set>.png".
    void Set(const std::string& setName, const std::string& anim, int sheetW = 64,
             int sheetH = 64);
    // A file under "data/objects/": File("Enemies/Walker.lua", "...").
    void File(const std::string& path, const std::string& text);
    void StageFile(const std::string& name, const std::string& bytes);

    Game& game();
    World& world() { return game().world; }
    GameObject& hero() { return *world().Hero(); }

    // Lua in the game's state: Lua fails the test on an error; Eval gives
    // tostring(expression), or "error: ..." when it fails.
    void Lua(const std::string& source);
    std::string Eval(const std::string& expression);
    static std::string Handle(const GameObject* o);

    GameObject* Make(const std::string& name, const std::string& category, int palette = 0);
    std::vector<GameObject*> Objects(const std::string& category, const std::string& name = "");
    int Played(const std::string& name);  // requests of this sound so far

    // The main layer as an empty width x height grid, and solid cells in it.
    void EmptyStage(int width, int height);
    void Cell(int column, int row, char state = '1');
    void Floor(int row, int fromColumn, int toColumn);

    // Rook as the game creates him (with his muzzles, effects, shots and the
    // "Rook Buster"), the demo's keys, input on, on an empty stage 40 x 16
    // with a floor at row 12; then frames run through the input harness.
    void AddHero();
    void StandAt(float x, int direction = 1);  // settled on the floor at x
    FrameState Step(const std::string& events = "");
    void Play(const std::vector<Beat>& beats);
    // The next random draws the game makes, in order; 0 once they run out.
    // Without a call the draws come from the harness's seeded rand().
    void Draws(const std::vector<int>& draws);

    std::vector<SoundRequest> sounds;  // every sound requested so far

private:
    InputHarness& Harness();

    std::string root_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<InputHarness> harness_;
};

constexpr int kHeroFloorRow = 12;
constexpr float kHeroFloorY = kHeroFloorRow * 16.0f;
