// The stage opening, frame by frame through the real game frame: the drop,
// the streaks, the ready sign and its sweep and jitter, the ready sound, the
// beam-down and the hero's appearance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "player/StageFlowTestData.h"

namespace {

using flowtest::FlowTest;

const Vector2 kViewHalf(160.0f, 120.0f);

// One back streak as the opening draws it from rand().
struct StreakDraw {
    int frame;  // frames after BeginStage
    float yOffset;
    float speed;
    const char* size;
    bool reversed;
};

// Phase 1's draws from frame 90 on with rand() seeded: the loop's draw, then
// height, speed, size, side.
std::vector<StreakDraw> PredictStreaks(unsigned seed, int& phaseTwoFrame) {
    static const char* const sizes[] = {"Small", "Medium", "Large"};
    std::srand(seed);
    std::vector<StreakDraw> draws;
    int count = 1;
    for (int frame = 90;; ++frame) {
        while (std::rand() % 4 == 0 && count < 9) {
            StreakDraw d;
            d.frame = frame;
            d.yOffset = static_cast<float>(104 + 4 * (std::rand() % 8));
            d.speed = std::rand() % 2 != 0 ? 48.0f : 24.0f;
            d.size = sizes[std::rand() % 3];
            d.reversed = std::rand() % 2 == 0;
            draws.push_back(d);
            ++count;
        }
        if (count == 9) {
            phaseTwoFrame = frame;
            return draws;
        }
    }
}

}  // namespace

TEST_F(FlowTest, OpeningRunsItsTimelineFrameByFrame) {
    hero->visible = true;
    flow().inputEnabled = true;
    flow().BeginStage();
    // In the dark, the hero dropped from its start (64, 128) onto the floor;
    // the landing heard on the muted movement channel; the camera settled.
    EXPECT_EQ(1, game().fade.mode);
    EXPECT_EQ(1.0f, game().fade.level);
    EXPECT_FALSE(flow().inputEnabled);
    EXPECT_FALSE(hero->visible);
    EXPECT_EQ(1, flow().phase);
    EXPECT_EQ(0, hero->airborne);
    EXPECT_EQ(64.0f, hero->position.x);
    EXPECT_EQ(240, static_cast<int>(hero->position.y) + 60);
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ("SE_PL00\\ROOK_CHAKU.WAV", sounds.back().name);
    EXPECT_EQ(0, sounds.back().channel);
    Vector2 again = game().camera;
    CameraState state = flow().settleCamera;
    UpdateCamera(stage(), *hero, again, state);
    EXPECT_EQ(game().camera, again);
    EXPECT_EQ(160.0f, game().camera.x) << "the stage clamp holds the left edge at 0";
    Lua("assert(StageName == 'Yard', tostring(StageName))");

    const unsigned seed = 20261206;
    int phaseTwoFrame = 0;
    const std::vector<StreakDraw> draws = PredictStreaks(seed, phaseTwoFrame);
    ASSERT_EQ(8u, draws.size());

    int frame = 0;
    Vector2 camera;  // the camera the stage flow saw in the last frame
    auto Step = [&]() {
        camera = game().camera;
        ++frame;
        ASSERT_TRUE(Frame());
    };

    // Phase 1: nothing until step 48, then the screen-wide streak.
    for (int i = 1; i <= 47; ++i) {
        Step();
        ASSERT_TRUE(Named("PlayerFX", "Streak").empty()) << "frame " << frame;
    }
    Step();
    EXPECT_EQ(48, flow().phaseTimer);
    std::vector<GameObject*> first = Named("PlayerFX", "Streak");
    ASSERT_EQ(1u, first.size());
    EXPECT_EQ(camera - kViewHalf + Vector2(-288.0f, 112.0f), first[0]->position);
    EXPECT_EQ(Vector2(32.0f, 0.0f), first[0]->velocity);
    EXPECT_TRUE(first[0]->anim.IsPlaying("Screen"));

    // The ready sign at 60: the back one first, both at camera - (96, 15).
    for (int i = 49; i <= 59; ++i) Step();
    EXPECT_TRUE(Named("PlayerFX", "Ready").empty());
    Step();
    std::vector<GameObject*> ready = Named("PlayerFX", "Ready");
    ASSERT_EQ(2u, ready.size());
    GameObject& back = *ready[0];
    GameObject& front = *ready[1];
    const Vector2 signAt = camera - Vector2(96.0f, 15.0f);
    EXPECT_EQ(signAt, back.position);
    EXPECT_EQ(signAt, front.position);
    EXPECT_EQ(30, back.anim.PaletteRow());
    EXPECT_EQ(17, front.anim.PaletteRow());

    // The front sign's colour sweep: rows 18 ... 29, then 28 to step 89.
    for (int t = 61; t <= 89; ++t) {
        Step();
        ASSERT_EQ(t <= 72 ? t - 43 : 28, front.anim.PaletteRow()) << "step " << t;
        ASSERT_EQ(30, back.anim.PaletteRow());
    }
    EXPECT_TRUE(Named("PlayerFXBack", "Streak").empty());

    // From 90 the eight back streaks, drawn from the seeded rand().
    std::srand(seed);
    size_t made = 0;
    while (frame < phaseTwoFrame) {
        Step();
        std::vector<GameObject*> streaks = Named("PlayerFXBack", "Streak");
        while (made < draws.size() && draws[made].frame == frame) {
            const StreakDraw& d = draws[made];
            ASSERT_LT(made, streaks.size()) << "frame " << frame;
            const GameObject& s = *streaks[made];
            const Vector2 from = camera - kViewHalf + Vector2(-176.0f, d.yOffset);
            EXPECT_EQ(d.reversed ? from + Vector2(496.0f, 0.0f) : from, s.position) << made;
            EXPECT_EQ(Vector2(d.reversed ? -d.speed : d.speed, 0.0f), s.velocity) << made;
            EXPECT_TRUE(s.anim.IsPlaying(d.size)) << made;
            ++made;
        }
        ASSERT_EQ(made, streaks.size()) << "frame " << frame;
    }
    // Phase 2 begins in the frame of the ninth streak.
    EXPECT_EQ(2, flow().phase);
    EXPECT_EQ(105, flow().phaseTimer);

    // The ready sound, once, 26 frames after phase 2 began; the jitter.
    struct Jitter {
        int step;
        Vector2 front, back;  // offsets from where the signs were made
    };
    const Jitter jitter[] = {
        {131, {0, 0}, {0, 0}},   {132, {-1, -1}, {0, 0}}, {133, {-1, -1}, {0, 1}},
        {134, {-1, -2}, {0, 1}}, {135, {-1, -2}, {1, 2}}, {136, {-2, -3}, {1, 2}},
        {137, {-2, -3}, {1, 3}}, {138, {-2, -4}, {1, 3}}, {169, {-2, -4}, {1, 3}},
        {170, {-2, -3}, {1, 3}}, {171, {-2, -3}, {1, 2}}, {172, {-1, -2}, {1, 2}},
        {173, {-1, -2}, {0, 1}}, {174, {-1, -1}, {0, 1}}, {175, {-1, -1}, {0, 0}},
        {176, {0, 0}, {0, 0}},
    };
    const int phaseTwoStart = frame;
    size_t row = 0;
    for (int t = 106; t <= 176; ++t) {
        Step();
        ASSERT_EQ(t, flow().phaseTimer);
        ASSERT_EQ(t >= 131 ? 1 : 0, SoundsNamed("SE_COM\\NA_READY.WAV")) << "step " << t;
        if (t == 131) {
            EXPECT_EQ(26, frame - phaseTwoStart);
            EXPECT_EQ(29, front.anim.PaletteRow());
            EXPECT_EQ(-1, sounds.back().channel);
        }
        if (row < sizeof jitter / sizeof jitter[0] && jitter[row].step <= t) {
            while (row + 1 < sizeof jitter / sizeof jitter[0] && jitter[row + 1].step <= t) ++row;
            ASSERT_EQ(signAt + jitter[row].front, front.position) << "step " << t;
            ASSERT_EQ(signAt + jitter[row].back, back.position) << "step " << t;
        }
    }

    // 177: the streaks end, the signs fly apart, the beam comes down.
    const size_t soundsBefore = sounds.size();
    Step();
    EXPECT_EQ(3, flow().phase);
    EXPECT_EQ(0, flow().phaseTimer);
    EXPECT_EQ(29, back.anim.PaletteRow());
    EXPECT_EQ(Vector2(-16.0f, 0.0f), back.velocity);
    EXPECT_EQ(Vector2(16.0f, 0.0f), front.velocity);
    for (GameObject* s : Named("PlayerFX", "Streak")) EXPECT_EQ(0.0f, s->health);
    for (GameObject* s : Named("PlayerFXBack", "Streak")) EXPECT_EQ(0.0f, s->health);
    std::vector<GameObject*> beams = Named("Player", "Rook Teleport");
    ASSERT_EQ(1u, beams.size());
    GameObject& beam = *beams[0];
    EXPECT_EQ(Vector2(hero->position.x, camera.y - 192.0f), beam.position);
    EXPECT_EQ(Vector2(0.0f, 8.0f), beam.velocity);
    ASSERT_EQ(soundsBefore + 1, sounds.size());
    EXPECT_EQ("SE_PL00\\ROOK_DISAPP.WAV", sounds.back().name);
    EXPECT_EQ(-1, sounds.back().channel);

    // Phase 3: the beam falls to the hero's floor and plays "Appear".
    Step();
    EXPECT_TRUE(Named("PlayerFX", "Streak").empty());
    EXPECT_TRUE(Named("PlayerFXBack", "Streak").empty());
    int guard = 0;
    while (beam.airborne != 0 && ++guard < 100) {
        ASSERT_TRUE(beam.anim.IsPlaying("Stand"));
        Step();
    }
    EXPECT_EQ(240, static_cast<int>(beam.position.y) + 60);
    EXPECT_TRUE(beam.anim.IsPlaying("Appear")) << "switched in the landing frame";
    // "Appear" lasts 3 + 2 + 2 ticks; the hero shows in the frame it ends.
    for (int tick = 1; tick <= 6; ++tick) {
        Step();
        ASSERT_FALSE(hero->visible) << "tick " << tick;
        ASSERT_EQ(3, flow().phase);
    }
    Step();
    EXPECT_EQ(0, flow().phase);
    EXPECT_TRUE(hero->visible);
    EXPECT_TRUE(flow().inputEnabled);
    EXPECT_EQ(1u, world().List("Player").size()) << "the beam is erased, the hero stays";
    for (GameObject* sign : Named("PlayerFX", "Ready")) EXPECT_EQ(0.0f, sign->health);
    Step();
    EXPECT_TRUE(Named("PlayerFX", "Ready").empty());
    EXPECT_EQ(1, SoundsNamed("SE_COM\\NA_READY.WAV"));
}

TEST_F(FlowTest, AKeyHeldIntoTheOpeningDoesNotWalkTheHiddenHero) {
    InputBindings::Press(game().bindings[Right]);
    flow().BeginStage();
    const float x = hero->position.x;
    Frames(60);
    EXPECT_EQ(0, game().bindings[Right].held);
    EXPECT_EQ(x, hero->position.x);
    EXPECT_FALSE(hero->visible);
}
