// The stage flow through the real frame: the opening's timeline, fades and
// stage switches with the opening's objects going away under them, and the
// spawning of enemies as the view reaches their placements.
#include "support/TestWorld.h"

namespace {

// Yard: 60 x 20 with a floor at row 15 (y 240), the start at (4, 8), i.e.
// (64, 128); Yard2 starts at (10, 6); Pit has ground only under columns 0-2.
std::vector<std::vector<int>> Yard(int startColumn, int startRow, int floorTo = 59) {
    std::vector<std::vector<int>> rows = FloorRows(60, 20, 15, 0, floorTo);
    rows[startRow][startColumn] = 1;
    return rows;
}

class Flow : public TestWorld {
protected:
    Flow() {
        AddHero();
        Set("Effects/Streak", "176 16 0 0 176 16\nScreen 2 2 0\nSmall 2 2 0\nMedium 2 2 0\nLarge 2 2 0\n");
        Set("Effects/Ready", "192 30 0 0 192 30\nStand 1 0 0\n");
        Set("Player/Rook Teleport", "64 64 24 22 40 60\nStand 2 2 0\nAppear 3 2 2\n");
        Set("Enemies/Box", "64 64 24 22 40 60\nStand 1 0 0\n");
        StageFile("Yard", SimpleStage(Yard(4, 8)));
        StageFile("Yard2", SimpleStage(Yard(10, 6)));
        StageFile("Pit", SimpleStage(Yard(4, 8, 2)));
        world().LoadStage("Yard", hero());
    }
    StageFlow& flow() { return game().flow; }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Step();
    }
    bool RunToPhase(int phase) {
        for (int i = 0; i < 1000 && flow().phase != phase; ++i) Step();
        return flow().phase == phase;
    }
    int OpeningObjects() {
        int n = 0;
        for (auto& entry : world().lists)
            for (const GameObject& o : entry.second)
                n += o.name == "Streak" || o.name == "Ready" || o.name == "Rook Teleport";
        return n;
    }
};

TEST_F(Flow, TheOpeningRunsItsTimeline) {
    // Frame 90 draws no streak; frame 91 one at height 104 + 4 * 7, speed
    // 48, "Large", from the left, then seven with every draw 0 (height 104,
    // speed 24, "Small", from the right) and phase 2 begins.
    Draws({1, 0, 7, 1, 2, 1});
    Controls::Press(game().controls[Right]);  // held into the opening
    BeginStage(game());
    // In the dark the hero dropped onto the floor, the landing heard.
    EXPECT_EQ(Played("SE_PL00\\ROOK_CHAKU.WAV"), 1);
    EXPECT_EQ(world().camera.x, 160.0f) << "the stage clamp holds the left edge at 0";
    Lua("assert(StageName == 'Yard')");
    Play({
        // The charge orb is always in "PlayerFX".
        {1, "", "phase 1 fade 0.98 input 0 hidden pos 64.00,? #PlayerFX 1"},
        {46, "", "#PlayerFX 1"},
        {1, "", "#PlayerFX 2"},  // step 48: the streak across the screen
        {11, "", "#PlayerFX 2"},
        {1, "", "#PlayerFX 4"},  // step 60: the ready sign, back and front
        {30, "", "phase 1 #PlayerFXBack 0"},
        {1, "", "phase 2 #PlayerFXBack 8 pos 64.00,?"},
    });
    EXPECT_EQ(flow().phaseTimer, 105);
    const auto back = Objects("PlayerFXBack", "Streak");
    EXPECT_EQ(back[0]->position, world().camera + Vector2(-160.0f - 176.0f, -120.0f + 132.0f));
    EXPECT_EQ(back[0]->velocity, Vector2(48.0f, 0.0f));
    EXPECT_TRUE(back[0]->anim.IsPlaying("Large"));
    EXPECT_EQ(back[1]->position, world().camera + Vector2(-160.0f + 320.0f, -120.0f + 104.0f));
    EXPECT_EQ(back[1]->velocity, Vector2(-24.0f, 0.0f));
    EXPECT_TRUE(back[1]->anim.IsPlaying("Small"));
    const auto signs = Objects("PlayerFX", "Ready");
    ASSERT_EQ(signs.size(), 2u);
    const Vector2 signAt = world().camera - Vector2(96.0f, 15.0f);
    EXPECT_EQ(signs[0]->anim.PaletteRow(), 30);
    EXPECT_EQ(signs[1]->anim.PaletteRow(), 28);  // swept 18 ... 29, then 28
    Play({
        {25, "", "-SE_COM\\NA_READY.WAV"},
        {1, "", "+SE_COM\\NA_READY.WAV@-1"},  // step 131
        {7, "", "phase 2"},
    });
    EXPECT_EQ(signs[1]->anim.PaletteRow(), 29);
    EXPECT_EQ(signs[1]->position, signAt + Vector2(-2.0f, -4.0f));
    EXPECT_EQ(signs[0]->position, signAt + Vector2(1.0f, 3.0f));
    Play({
        {38, "", "phase 2"},
        {1, "", "phase 3 #Player 2 +SE_PL00\\ROOK_DISAPP.WAV@-1"},  // 177: the beam
    });
    EXPECT_EQ(signs[1]->position, signAt);
    EXPECT_EQ(signs[0]->velocity, Vector2(-16.0f, 0.0f));
    EXPECT_EQ(signs[1]->velocity, Vector2(16.0f, 0.0f));
    const GameObject* beam = Objects("Player", "Rook Teleport").at(0);
    EXPECT_EQ(beam->position, Vector2(64.0f, world().camera.y - 192.0f));
    EXPECT_EQ(beam->velocity, Vector2(0.0f, 8.0f));
    // The beam falls to the hero's floor, plays "Appear" (3 + 2 + 2 ticks)
    // and is erased as the hero shows; the key held into the opening was let
    // go, so he stands.
    Play({{1, "", "#PlayerFX 3 #PlayerFXBack 0"}});
    while (beam->airborne) Step();
    EXPECT_EQ(beam->position.y, 180.0f);
    EXPECT_TRUE(beam->anim.IsPlaying("Appear"));
    Play({
        {6, "", "phase 3 hidden"},
        {1, "", "phase 0 visible input 1 #Player 1 pos 64.00,?"},
        {1, "", "#PlayerFX 1 vel 0.00,0.00"},
    });
    EXPECT_EQ(Played("SE_COM\\NA_READY.WAV"), 1);
}

TEST_F(Flow, FadesSwitchStages) {
    BeginStage(game());
    Play({
        {1, "", "fade 0.98"},
        {49, "", "fade 0.00 phase 1"},
    });
    ASSERT_TRUE(RunToPhase(0));
    Lua("FadeToStage('Yard2')");
    Play({
        {50, "", "stage Yard input 1"},  // play goes on during the fade
        {1, "", "stage Yard2 phase 1 input 0 hidden pos 160.00,? air 0"},
    });
    EXPECT_TRUE(world().nextStage.empty());
    Lua("assert(StageName == 'Yard2')");

    // A fade with nowhere to go stays black; a stage that cannot load opens
    // the old one again from its start.
    ASSERT_TRUE(RunToPhase(0));
    game().fade.mode = 2;
    Play({{200, "", "fade 1.00 phase 0"}});
    testing::internal::CaptureStdout();
    Lua("FadeToStage('Nowhere')");
    Play({{1, "", "stage Yard2 phase 1 pos 160.00,?"}});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load map: Nowhere\n  data/Stages/Nowhere.rmap: it is missing\n");

    // A start over no ground: the drop stops and the opening goes on.
    world().LoadStage("Pit", hero());
    testing::internal::CaptureStdout();
    BeginStage(game());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "The hero did not land after 10000 steps\n");
    EXPECT_EQ(flow().phase, 1);
}

TEST_F(Flow, OpeningObjectsGoWithTheirStageOrTheirScripts) {
    BeginStage(game());
    // A switch during the opening ends its objects and starts it afresh.
    Frames(100);
    ASSERT_GE(OpeningObjects(), 3);
    Lua("FadeToStage('Yard2')");
    Frames(51);
    ASSERT_EQ(world().stageName, "Yard2");
    EXPECT_EQ(OpeningObjects(), 0);
    Play({{47, "", "#PlayerFX 1"}, {1, "", "#PlayerFX 2"}});
    // With the beam down, a switch erases it; the hero stays.
    ASSERT_TRUE(RunToPhase(3));
    world().nextStage = "Yard";
    game().fade = ScreenFade{1.0f, 2};
    Step();
    EXPECT_EQ(OpeningObjects(), 0);
    EXPECT_EQ(&world().List("Player").front(), &hero());

    // Objects ended by scripts are left alone.
    Frames(65);
    for (GameObject* o : Objects("PlayerFX"))
        if (o->name != "ChargeOrb") o->health = 0.0f;
    Step();
    ASSERT_EQ(OpeningObjects(), 0);
    ASSERT_TRUE(RunToPhase(3));
    // A beam that is gone lets the hero appear at once.
    ASSERT_TRUE(world().RemoveNow(World::ToHandle(Objects("Player", "Rook Teleport").at(0))));
    Play({{1, "", "phase 0 visible input 1"}});
    EXPECT_EQ(Played("SE_COM\\NA_READY.WAV"), 3) << "one an opening, signs or not";
}

// F5: the stage afresh from disk. Scripts, sprite sets and tile states are
// read again, every object is made anew, and the opening starts.
TEST_F(Flow, F5ReloadsTheStageFromDisk) {
    BeginStage(game());
    ASSERT_TRUE(RunToPhase(0));
    Lua("leftover = 1");
    Make("Box", "Enemies");
    File("Player/Rook.lua", "heroFile = 'read again'");
    Set("Player/Rook", "64 64 20 22 44 60\nStand 1 0 0\n");
    File("Tiles/Test States.txt", "00Z");
    const ObjectHandle old = World::ToHandle(&hero());
    Play({{1, "press f5", "stage Yard phase 1 input 0 hidden #Enemies 0 #Player 1"}});
    EXPECT_NE(World::ToHandle(&hero()), old);
    EXPECT_EQ(Eval("tostring(leftover) .. ', ' .. heroFile"), "nil, read again");
    EXPECT_EQ(hero().anim.left, 20);
    EXPECT_EQ(world().stage.tileMap.begin()->second.state, 'Z');
}

// A placement becomes an enemy, once, when an edge of its hit box (24, 22 -
// 40, 60 of "Box") crosses into the view plus 12 pixels between two steps,
// dropped onto the ground below it.
class Spawn : public Flow {
protected:
    void LoadField(const std::vector<std::vector<int>>& placements, int floorTo = 59) {
        StageFile("Field", SimpleStage(Yard(4, 8, floorTo), {"Box", "Ghost"}, placements));
        world().LoadStage("Field", hero());
    }
    void At(float x, float y) {
        world().camera = Vector2(x, y);
        SpawnEnemies(world(), flow().spawner);
    }
    GameObject* From(int placement) {
        for (GameObject& o : world().List("Enemies"))
            if (o.placementIndex == placement) return &o;
        return nullptr;
    }
    size_t Enemies() { return world().List("Enemies").size(); }
};

TEST_F(Spawn, WhenAnEdgeCrossesIntoTheView) {
    testing::internal::CaptureStdout();
    LoadField({
        {0, 550, 100},  // 0: left edge 574, just outside the right border 572
        {0, 548, 100},  // 1: left edge 572, on the border: already inside
        {0, 556, 100},  // 2: left edge 580
        {1, 552, 100},  // 3: a type whose sprite set could not be loaded
        {0, 190, 100},  // 4: right edge 230, for the move left
        {0, 400, -40},  // 5: bottom edge 20, crossed by the top border moving up
        {0, 400, -32},  // 6: bottom edge 28, on the top border before it moves: inside
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load texture: Enemies\\Ghost\n  neither data/objects/Enemies/Ghost.anim nor data/img/Enemies/Ghost.png exists\n"
              "Stage Field: the enemy Ghost at (552, 100): it has no data/Objects/Enemies/Ghost.anim\n");
    At(400, 160);  // the first step only remembers the camera
    EXPECT_EQ(Enemies(), 0u);
    At(405, 160);  // the right border moves from 572 to 577
    ASSERT_EQ(Enemies(), 1u);
    EXPECT_TRUE(world().stage.enemyPlacements[0].spawned);
    EXPECT_EQ(From(0)->position, Vector2(550.0f, 180.0f)) << "dropped onto the floor at 240";
    EXPECT_EQ(From(0)->airborne, 0);
    At(410, 160);  // 577 to 582: the third placement; the second never
    EXPECT_EQ(Enemies(), 2u);
    ASSERT_NE(From(2), nullptr);
    At(410, 160);  // standing still spawns nothing
    At(300, 160);  // left border 238 to 128: the right edge at 230 crossed
    EXPECT_EQ(Enemies(), 3u);
    ASSERT_NE(From(4), nullptr);
    At(300, 150);  // top border 28 to 18
    ASSERT_NE(From(5), nullptr);
    EXPECT_EQ(From(1), nullptr);
    EXPECT_EQ(From(3), nullptr);
    EXPECT_EQ(From(6), nullptr);
    // A dead one frees its placement.
    From(0)->health = 0.0f;
    world().UpdateAllObjects();
    EXPECT_FALSE(world().stage.enemyPlacements[0].spawned);
    At(405, 160);  // 472 to 577: the freed one and the one at 572
    EXPECT_NE(From(0), nullptr);
    EXPECT_NE(From(1), nullptr);
}

TEST_F(Spawn, OnlyWithinReachAndOntoGround) {
    LoadField({
        {0, 400, -150},  // 0: top edge -128, crossed by the bottom border moving down
        {0, 720, -150},  // 1: the same crossing 320 pixels to the side: out of reach
        {0, 850, 100},   // 2: over no ground
    }, 40);
    At(400, -300);
    At(400, -260);  // bottom border -168 to -128
    ASSERT_NE(From(0), nullptr);
    EXPECT_EQ(From(1), nullptr);
    flow().spawner.cameraKnown = false;
    At(700, 160);
    testing::internal::CaptureStdout();
    At(705, 160);  // right border 872 to 877, the left edge at 874
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The enemy Box at (850, 100) did not land after 10000 steps\n");
    EXPECT_EQ(From(2)->position.y, 100.0f + 4.0f * 10000);

    // A stage switch is no camera movement: an enemy in view at the new
    // start waits until the camera brings it across.
    LoadField({{0, 200, 100}});
    At(800, 160);
    world().nextStage = "Field";
    game().fade = ScreenFade{1.0f, 2};
    testing::internal::CaptureStdout();
    StepStageFlow(game());
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(world().camera.x, 160.0f);
    StepStageFlow(game());
    StepStageFlow(game());
    EXPECT_EQ(Enemies(), 0u);
}

}  // namespace
