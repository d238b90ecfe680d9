// The hero's test world: Rook with the demo's frame timing, his muzzles,
// effects and weapon, the demo's keys, a stage of solid cells, and the input
// harness driving the real frame.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/DataPath.h"
#include "app/Game.h"
#include "app/Startup.h"
#include "support/InputHarness.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace herotest {

inline const char* kRookAnim =
    "64 64 24 22 40 60\n"
    "Stand 3 [90 5 30] 0\n"
    "BeginWalk 2 4 0\n"
    "Walk 10 2 0\n"
    "Jump 3 [2 3 0] 2\n"
    "Fall 2 [4 0] 1\n"
    "Land 2 [2 3] 0\n"
    "Dash 4 [3 2 4 0] 3\n"
    "DashEnd 3 [3 3 4] 0\n"
    "Slide 5 [2 2 3 4 4] 3\n"
    "SlideJump 2 [4 0] 1\n"
    "Hurt 3 4 1\n"
    "BeginFire 2 2 0\n"
    "FireStand 1 34 0\n"
    "FireRecoil 3 [3 6 25] 0\n";

inline const char* kInputCfg =
    "keyleft=left\nkeyright=right\nkeyup=up\nkeydown=down\n"
    "keyjump=z\nkeyattack1=x\nkeydash=c\nkeyattack2=a\nkeyprevweapon=q\nkeynextweapon=w\n"
    "joyjump=0\njoyattack1=1\njoydash=2\njoyattack2=3\njoyprevweapon=4\njoynextweapon=5\n";

constexpr int kFloorRow = 12;
constexpr float kFloorY = kFloorRow * 16.0f;

class HeroTest : public testing::Test {
protected:
    HeroTest() : root_(MakeTempDir("hero")), cwd_(new ScopedWorkingDirectory(root_)) {
        WriteFile(root_ + "/input.cfg", kInputCfg);
        Set("Player/Rook", kRookAnim, 512, 384);
        Set("Player/Rook Fire", kRookAnim, 512, 384);
        Set("Effects/ChargeOrb", "48 48 16 16 32 32\nStand 1 0 0\nCharge 6 2 0\n");
        // Heights 16, 24, 33: muzzle offsets' y is 40 - height / 2.
        Muzzle("Recoil", 16, true);
        Muzzle("BusterRecoil", 24, true);
        Muzzle("ChargeRecoil", 33, true);
        Muzzle("ChargeRecoil2", 33, false);
        for (const char* effect : {"Effects/DashSmoke", "Effects/DashThruster",
                                   "Effects/SlideSpark", "Effects/SlideSmoke", "Player/CopyRook"}) {
            Set(effect, "32 32 0 0 32 32\nStand 2 3 0\n");
            WriteFile(root_ + "/data/objects/" + effect + ".script", "KillOnEndAnim\n");
        }
        for (const char* shot : {"Player/BusterShot", "Player/BusterShotM", "Player/BusterShotL"})
            Set(shot, "16 16 0 0 16 16\nStand 1 0 0\n");
        WriteFile(root_ + "/data/objects/weapons/Rook Buster.weapon",
                  "LVL1 BusterShot Speed 6 Power 1 Palette 2\n"
                  "LVL2 BusterShotM Speed 7 Power 2 Palette 2\n"
                  "LVL3 BusterShotL Speed 8 Power 4 Palette 16\n");

        game_.reset(new Game());
        EXPECT_TRUE(game().bindings.ReadInputConfig("input.cfg"));
        CreateHero(game());
        game().flow.inputEnabled = true;
        hero().visible = true;
        Stage(40, 16);
        Floor(kFloorRow, 0, 39);
        harness_.reset(new InputHarness(game()));
    }
    ~HeroTest() override {
        harness_.reset();
        game_.reset();
        cwd_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    Game& game() { return *game_; }
    World& world() { return game_->world; }
    GameObject& hero() { return *game_->hero; }
    InputHarness& harness() { return *harness_; }

    FrameState Step(const std::string& events = "") { return harness_->Step(events); }

    void Stage(int width, int height) {
        StageMap& stage = world().stage;
        stage.mainLayer = TileLayer();
        stage.mainLayer.width = width;
        stage.mainLayer.height = height;
        stage.mainLayer.tiles.assign(static_cast<size_t>(width) * height, 0);
        stage.tileMap.clear();
    }
    void Solid(int column, int row) {
        world().stage.tileMap[std::make_pair(column, row)] = TileInfo{2, '1'};
    }
    void Floor(int row, int fromColumn, int toColumn) {
        for (int column = fromColumn; column <= toColumn; ++column) Solid(column, row);
    }
    void Wall(int column, int fromRow, int toRow) {
        for (int row = fromRow; row <= toRow; ++row) Solid(column, row);
    }

    // Settled standing on the floor at x.
    void StandAt(float x, int direction = 1) {
        hero().position = Vector2(x, kFloorY - 60.0f);
        hero().velocity = Vector2(0.0f, 0.0f);
        hero().airborne = 0;
        hero().direction = direction;
        hero().anim.ChangeAnimation("Stand");
        for (int i = 0; i < 4; ++i) Step();
        ASSERT_EQ(hero().airborne, 0);
        ASSERT_EQ(AnimationName(hero().anim), "Stand");
    }

    void HoldInAir(float x, float y, int direction = 1) {
        hero().position = Vector2(x, y);
        hero().velocity = Vector2(0.0f, 0.0f);
        hero().airborne = 1;
        hero().direction = direction;
    }

    std::vector<const GameObject*> Objects(const std::string& category,
                                           const std::string& name = "") {
        std::vector<const GameObject*> found;
        for (const GameObject& o : world().List(category))
            if (name.empty() || o.name == name) found.push_back(&o);
        return found;
    }

private:
    void Set(const std::string& setName, const std::string& anim, int sheetW = 64,
             int sheetH = 64) {
        WriteFile(root_ + "/data/Objects/" + setName + ".anim", anim);
        WritePng(root_ + "/data/img/" + setName + ".png", TestImage(sheetW, sheetH));
    }
    void Muzzle(const std::string& name, int height, bool fires) {
        Set("Effects/" + name, "32 " + std::to_string(height) + " 0 0 32 " +
                                   std::to_string(height) + "\nStand 3 2 0\n");
        WriteFile(root_ + "/data/objects/Effects/" + name + ".script", "KillOnEndAnim\n");
        if (fires)
            WriteFile(root_ + "/data/objects/Effects/" + name + ".lua",
                      "function " + name +
                          "Update(self)\n"
                          "  if GetLifetime(self) == 0 then FireWeapon(self) end\n"
                          "end\n");
    }

    std::string root_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<InputHarness> harness_;
};

}  // namespace herotest
