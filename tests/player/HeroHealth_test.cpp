// The hero's health through the real game frame: a hit's knock-back and
// recovery with the lagging red bar and the flashing, the frozen life refill
// with its ticks, the low-health voice, and death with the restart a Death
// hook asks for.
#include "player/HeroHealth.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "player/StageFlowTestData.h"

namespace {

using flowtest::FlowTest;

const char* const kTick = "SE_COM\\LIFEGAGE.WAV";
const char* const kPinch = "VO_PL00\\ROOK_PINCH.WAV";
const char* const kOut = "VO_PL00\\ROOK_OUT.WAV";

class HealthTest : public FlowTest {
protected:
    HealthTest() {
        hero->position = Vector2(400.0f, flowtest::kStandingY);
        Frame();  // standing on the floor
        SetHealth(20.0f, 20.0f);
    }

    void SetHealth(float health, float maximum) {
        hero->health = health;
        hero->maxHealth = maximum;
        game().player.shownHealth = health;
        game().player.previousHealth = health;
    }

    float Shown() { return game().player.shownHealth; }
    int PaletteRow() { return hero->anim.PaletteRow(); }
};

}  // namespace

TEST_F(HealthTest, AHitKnocksBackThenFlashesWhileTheRedBarDrains) {
    const int knockBack[16] = {2, 3, 2, 2, 1, 2, 1, 2, 1, 0, 1, 0, 1, 0, 0, 0};
    for (int facing : {1, -1}) {
        SCOPED_TRACE(facing);
        hero->direction = facing;
        SetHealth(20.0f, 20.0f);
        sounds.clear();
        Lua("DamagePlayer(GetPlayer(), 5)");
        EXPECT_EQ(15.0f, hero->health) << "the green bar drops at once";
        EXPECT_EQ(73, hero->hurtTimer);
        EXPECT_FALSE(hero->gravity);
        ASSERT_EQ(1u, sounds.size());
        EXPECT_EQ(2, sounds[0].channel);

        float x = hero->position.x;
        for (int frame = 1; frame <= 73; ++frame) {
            Frame();
            ASSERT_EQ(73 - frame, hero->hurtTimer) << "frame " << frame;
            if (frame <= 16) {
                // Knock-back: away from the facing, no gravity, red bar still.
                const float vx = static_cast<float>(-facing * knockBack[frame - 1]);
                ASSERT_EQ(vx, hero->velocity.x) << "frame " << frame;
                ASSERT_EQ(0.0f, hero->velocity.y) << "frame " << frame;
                x += vx;
                ASSERT_EQ(x, hero->position.x) << "frame " << frame;
                ASSERT_FALSE(hero->gravity) << "frame " << frame;
                // The controller's animation half is back in the 16th frame.
                if (frame < 16) {
                    ASSERT_TRUE(hero->anim.IsPlaying("Hurt")) << "frame " << frame;
                }
                ASSERT_EQ(0, PaletteRow()) << "frame " << frame;
            } else {
                ASSERT_TRUE(hero->gravity) << "frame " << frame;
                ASSERT_EQ(x, hero->position.x) << "frame " << frame << ": standing still";
                const int timer = 73 - frame;
                if (timer != 0) {
                    ASSERT_EQ((timer / 2) % 2 == 1 ? 12 : 0, PaletteRow()) << "frame " << frame;
                }
            }
            // The red bar waits for the knock-back to end (hurtTimer below
            // 58 from frame 16), then drains a quarter a frame to 15.
            const float shown = frame < 16 ? 20.0f : std::max(15.0f, 20.0f - 0.25f * (frame - 15));
            ASSERT_EQ(shown, Shown()) << "frame " << frame;
        }
        Frame();
        EXPECT_EQ(0, hero->hurtTimer);
        EXPECT_EQ(15.0f, Shown());
        EXPECT_EQ(15.0f, hero->health);
    }
}

TEST_F(HealthTest, ADirectHitDuringTheKnockBackStartsItAgain) {
    Lua("DamagePlayer(GetPlayer(), 2)");
    Frames(5);
    EXPECT_EQ(68, hero->hurtTimer);
    Lua("DamagePlayer(GetPlayer(), 2)");
    EXPECT_EQ(73, hero->hurtTimer);
    EXPECT_EQ(16.0f, hero->health);
    Frame();
    EXPECT_EQ(-2.0f, hero->velocity.x) << "the table from its start";
    Lua("DamagePlayer(GetPlayer(), 0) DamagePlayer(GetPlayer(), -3)");
    EXPECT_EQ(72, hero->hurtTimer);
    EXPECT_EQ(16.0f, hero->health);
}

TEST_F(HealthTest, TheRefillFreezesTheGameAndAddsHalfAPointAFrame) {
    SetHealth(10.0f, 20.0f);
    GameObject& drifting = Box(100.0f, 100.0f, "EnemyFX");
    drifting.velocity = Vector2(1.0f, 0.0f);
    Lua("AddPlayerHealth(4)");
    sounds.clear();

    struct Row {
        int frame;
        float health, pending;
        bool frozen, tick;
        float driftX;
    };
    const Row rows[] = {
        {1, 10.0f, 4.0f, true, false, 101.0f},  // the update ran, then the freeze
        {2, 10.5f, 3.5f, true, true, 101.0f},    {3, 11.0f, 3.0f, true, false, 101.0f},
        {4, 11.5f, 2.5f, true, false, 101.0f},   {5, 12.0f, 2.0f, true, false, 101.0f},
        {6, 12.5f, 1.5f, true, true, 101.0f},    {7, 13.0f, 1.0f, true, false, 101.0f},
        {8, 13.5f, 0.5f, true, false, 101.0f},   {9, 14.0f, -1.0f, true, false, 101.0f},
        {10, 14.0f, 0.0f, false, false, 101.0f},  // the marker ends the freeze
        {11, 14.0f, 0.0f, false, false, 102.0f},
    };
    for (const Row& r : rows) {
        const size_t before = sounds.size();
        Frame();
        ASSERT_EQ(r.health, hero->health) << "frame " << r.frame;
        ASSERT_EQ(r.pending, flow().pendingHealth) << "frame " << r.frame;
        ASSERT_EQ(r.frozen, flow().frozen) << "frame " << r.frame;
        ASSERT_EQ(r.driftX, drifting.position.x) << "frame " << r.frame;
        const bool ticked = sounds.size() > before && sounds.back().name == kTick;
        ASSERT_EQ(r.tick, ticked) << "frame " << r.frame;
        if (ticked) {
            EXPECT_EQ(-1, sounds.back().channel);
        }
        // The red bar stands with the game and catches up upward at once.
        ASSERT_EQ(r.frame < 10 ? 10.0f : 14.0f, Shown()) << "frame " << r.frame;
    }
    EXPECT_EQ(2, SoundsNamed(kTick));
}

TEST_F(HealthTest, ARefillStopsAtTheMaximumAndDoesNothingWhenFull) {
    struct Case {
        float health, maximum, amount;
        int frozenFrames;  // frames that end frozen
        float end;
    };
    const Case cases[] = {
        {20.0f, 20.0f, 4.0f, 0, 20.0f},  // full: nothing to fill
        {32.0f, 20.0f, 4.0f, 0, 32.0f},  // above the maximum, as after a stage load
        {19.0f, 20.0f, 4.0f, 3, 20.0f},  // 19.5, 20, then 20.5 clamps and ends at once
        {10.0f, 20.0f, 1.3f, 4, 11.3f},  // 10.5, 11, then the last 0.3 and the marker
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.health + c.amount);
        SetHealth(c.health, c.maximum);
        flow().pendingHealth = c.amount;
        int frozenFrames = 0;
        for (int frame = 0; frame < 20; ++frame) {
            Frame();
            ASSERT_LE(hero->health, std::max(c.health, c.maximum));
            frozenFrames += flow().frozen;
        }
        EXPECT_EQ(c.frozenFrames, frozenFrames);
        EXPECT_FLOAT_EQ(c.end, hero->health);
        EXPECT_FALSE(flow().frozen);
        EXPECT_EQ(0.0f, flow().pendingHealth);
    }
}

TEST_F(HealthTest, AFreezeWithNothingLeftToAddEnds) {
    SetHealth(10.0f, 20.0f);
    flow().pendingHealth = 4.0f;
    Frames(3);
    ASSERT_TRUE(flow().frozen);
    flow().pendingHealth = 0.0f;  // replaced mid-refill, as AddPlayerHealth(0) would
    Frame();
    EXPECT_FALSE(flow().frozen);
    EXPECT_EQ(11.0f, hero->health);
}

TEST_F(HealthTest, ThePinchVoiceComesOncePerFallToEightOrBelow) {
    SetHealth(9.0f, 20.0f);
    Lua("DamagePlayer(GetPlayer(), 6)");
    // The damage voice holds channel 2 (the mixer would say so).
    world().sounds.busyForTests.insert(2);
    Frames(20);
    EXPECT_EQ(0, SoundsNamed(kPinch)) << "waits for the damage voice";
    world().sounds.busyForTests.clear();
    Frame();
    ASSERT_EQ(1, SoundsNamed(kPinch));
    EXPECT_EQ(2, sounds.back().channel);
    EXPECT_EQ(0, sounds.back().loops);
    Frames(60);  // the hurt ends; health stays at 3
    EXPECT_EQ(1, SoundsNamed(kPinch));

    hero->health = 8.5f;
    Frame();
    hero->health = 8.0f;  // 8 is low already
    Frame();
    EXPECT_EQ(2, SoundsNamed(kPinch));
    hero->health = 5.0f;
    Frames(3);
    EXPECT_EQ(2, SoundsNamed(kPinch)) << "staying low repeats nothing";
}

TEST_F(HealthTest, DeathHidesTheHeroAndADeathHookThatFadesRestartsTheStage) {
    flow().BeginStage();
    for (int i = 0; i < 400 && flow().phase != 0; ++i) Frame();
    ASSERT_EQ(0, flow().phase);
    Lua("function RookDeath(self) FadeToStage(StageName) end");
    sounds.clear();

    Lua("DamagePlayer(GetPlayer(), 40)");  // 32 - 40
    Frame();                               // the object update finds him dead and calls the hook
    EXPECT_FALSE(world().heroAlive);
    EXPECT_EQ(72, hero->hurtTimer);
    EXPECT_EQ(2, game().fade.mode);

    for (int frame = 2; frame <= 20; ++frame) {
        Frame();
        // Dying: from 100, one up a frame; held still on "Hurt" frame 0
        // (the step sets tick 0, the object update's playback makes it 1).
        ASSERT_EQ(99 + frame, hero->hurtTimer) << "frame " << frame;
        ASSERT_EQ(Vector2(0.0f, 0.0f), hero->velocity);
        ASSERT_TRUE(hero->anim.IsPlaying("Hurt"));
        ASSERT_EQ(0, hero->anim.currentFrame);
        ASSERT_EQ(1, hero->anim.frameTick);
        // The voice as the count passes 108; from then on he is not drawn.
        ASSERT_EQ(frame >= 10 ? 1 : 0, SoundsNamed(kOut)) << "frame " << frame;
        ASSERT_EQ(frame >= 10, hero->hurtTimer > 108) << "frame " << frame;
    }

    // Black, then the stage again with a living hero.
    int frames = 20;
    while (world().heroAlive == false && frames < 200) {
        Frame();
        ++frames;
    }
    ASSERT_TRUE(world().heroAlive);
    EXPECT_EQ(1, flow().phase);
    EXPECT_EQ(32.0f, hero->health);
    EXPECT_EQ(0, hero->hurtTimer);
    EXPECT_TRUE(hero->gravity);
    EXPECT_FALSE(hero->visible);
    for (int i = 0; i < 400 && flow().phase != 0; ++i) Frame();
    ASSERT_EQ(0, flow().phase);
    Frames(10);
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(0, hero->hurtTimer) << "the death check does not strike again";
    EXPECT_EQ(0, hero->airborne);
    EXPECT_EQ(240, static_cast<int>(hero->position.y) + 60) << "standing, not floating";
    EXPECT_EQ(1, SoundsNamed(kOut));
}

TEST_F(HealthTest, WithoutAHookDeathIsForGood) {
    Lua("DamagePlayer(GetPlayer(), 25)");
    Frames(300);
    EXPECT_FALSE(world().heroAlive);
    EXPECT_EQ(99 + 300, hero->hurtTimer) << "still counting";
    EXPECT_EQ(1, SoundsNamed(kOut));
    EXPECT_EQ(0, game().fade.mode);
}
