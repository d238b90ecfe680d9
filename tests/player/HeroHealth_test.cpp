// The hero's health through the real frame: knock-back and the lagging red
// bar, the frozen refill, the low-health voice, death and a Death hook.
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
        Frame();
        SetHealth(20.0f, 20.0f);
    }

    void SetHealth(float health, float maximum) {
        hero->health = health;
        hero->maxHealth = maximum;
        game().player.shownHealth = health;
        game().player.previousHealth = health;
    }

    float Shown() { return game().player.shownHealth; }
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
        ASSERT_EQ(1u, sounds.size());
        EXPECT_EQ(2, sounds[0].channel);

        float x = hero->position.x;
        for (int frame = 1; frame <= 73; ++frame) {
            SCOPED_TRACE(frame);
            Frame();
            const int timer = 73 - frame;
            ASSERT_EQ(timer, hero->hurtTimer);
            if (frame <= 16) {  // away from the facing, no gravity
                x -= facing * knockBack[frame - 1];
                ASSERT_EQ(x, hero->position.x);
                ASSERT_EQ(0.0f, hero->velocity.y);
                ASSERT_FALSE(hero->gravity);
                ASSERT_EQ(0, hero->anim.PaletteRow());
            } else {
                ASSERT_TRUE(hero->gravity);
                ASSERT_EQ(x, hero->position.x);
                if (timer != 0) {
                    ASSERT_EQ((timer / 2) % 2 == 1 ? 12 : 0, hero->anim.PaletteRow());
                }
            }
            // The red bar waits for the knock-back, then drains 0.25 a frame.
            ASSERT_EQ(frame < 16 ? 20.0f : std::max(15.0f, 20.0f - 0.25f * (frame - 15)), Shown());
        }
    }

    // A hit during the knock-back starts it again; 0 or less does nothing.
    Lua("DamagePlayer(GetPlayer(), 2)");
    Frames(5);
    Lua("DamagePlayer(GetPlayer(), 2)");
    EXPECT_EQ(73, hero->hurtTimer);
    EXPECT_EQ(11.0f, hero->health);
    Frame();
    EXPECT_EQ(2.0f, hero->velocity.x) << "the table from its start, facing left";
    Lua("DamagePlayer(GetPlayer(), 0) DamagePlayer(GetPlayer(), -3)");
    EXPECT_EQ(72, hero->hurtTimer);
    EXPECT_EQ(11.0f, hero->health);
}

TEST_F(HealthTest, TheRefillFreezesTheGameAndAddsHalfAPointAFrame) {
    SetHealth(10.0f, 20.0f);
    GameObject& drifting = Box(100.0f, 100.0f, "EnemyFX");
    drifting.velocity = Vector2(1.0f, 0.0f);
    Lua("AddPlayerHealth(4)");
    sounds.clear();
    // Frame 1 updates, then freezes; a tick every 4th; -1 marks the end.
    const struct {
        float health, pending;
        bool tick;
    } rows[] = {
        {10.0f, 4.0f, false}, {10.5f, 3.5f, true},  {11.0f, 3.0f, false}, {11.5f, 2.5f, false},
        {12.0f, 2.0f, false}, {12.5f, 1.5f, true},  {13.0f, 1.0f, false}, {13.5f, 0.5f, false},
        {14.0f, -1.0f, false}, {14.0f, 0.0f, false}, {14.0f, 0.0f, false},
    };
    for (int frame = 1; frame <= 11; ++frame) {
        SCOPED_TRACE(frame);
        const size_t before = sounds.size();
        Frame();
        ASSERT_EQ(rows[frame - 1].health, hero->health);
        ASSERT_EQ(rows[frame - 1].pending, flow().pendingHealth);
        ASSERT_EQ(frame < 10, flow().frozen);
        ASSERT_EQ(frame < 11 ? 101.0f : 102.0f, drifting.position.x);
        const bool ticked = sounds.size() > before && sounds.back().name == kTick;
        ASSERT_EQ(rows[frame - 1].tick, ticked);
        // The red bar stands with the game and catches up upward at once.
        ASSERT_EQ(frame < 10 ? 10.0f : 14.0f, Shown());
    }
    EXPECT_EQ(-1, sounds.back().channel);
}

TEST_F(HealthTest, ARefillStopsAtTheMaximumAndDoesNothingWhenFull) {
    const struct {
        float health, maximum, amount;
        int frozenFrames;
        float end;
    } cases[] = {
        {20.0f, 20.0f, 4.0f, 0, 20.0f},  // full: nothing to fill
        {32.0f, 20.0f, 4.0f, 0, 32.0f},  // above the maximum, as after a stage load
        {19.0f, 20.0f, 4.0f, 3, 20.0f},  // 19.5, 20, then 20.5 clamps and ends at once
        {10.0f, 20.0f, 1.3f, 4, 11.3f},  // 10.5, 11, then the last 0.3 and the marker
    };
    for (const auto& c : cases) {
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
        EXPECT_EQ(0.0f, flow().pendingHealth);
    }
    // A freeze whose amount is replaced by 0 mid-refill ends.
    SetHealth(10.0f, 20.0f);
    flow().pendingHealth = 4.0f;
    Frames(3);
    ASSERT_TRUE(flow().frozen);
    flow().pendingHealth = 0.0f;
    Frame();
    EXPECT_FALSE(flow().frozen);
    EXPECT_EQ(11.0f, hero->health);
}

TEST_F(HealthTest, ThePinchVoiceComesOncePerFallToEightOrBelow) {
    SetHealth(9.0f, 20.0f);
    Lua("DamagePlayer(GetPlayer(), 6)");
    world().sounds.busyForTests.insert(2);  // the damage voice holds channel 2
    Frames(20);
    EXPECT_EQ(0, SoundsNamed(kPinch)) << "waits for the damage voice";
    world().sounds.busyForTests.clear();
    Frame();
    ASSERT_EQ(1, SoundsNamed(kPinch));
    EXPECT_EQ(2, sounds.back().channel);
    Frames(60);
    EXPECT_EQ(1, SoundsNamed(kPinch));

    hero->health = 8.5f;
    Frame();
    hero->health = 8.0f;  // 8 is low already
    Frame();
    hero->health = 5.0f;
    Frames(3);
    EXPECT_EQ(2, SoundsNamed(kPinch));
}

TEST_F(HealthTest, DeathHidesTheHeroAndADeathHookThatFadesRestartsTheStage) {
    flow().BeginStage();
    for (int i = 0; i < 400 && flow().phase != 0; ++i) Frame();
    ASSERT_EQ(0, flow().phase);
    Lua("function RookDeath(self) FadeToStage(StageName) end");
    sounds.clear();

    Lua("DamagePlayer(GetPlayer(), 40)");
    Frame();  // the update finds him dead and calls the hook
    EXPECT_FALSE(world().heroAlive);
    EXPECT_EQ(72, hero->hurtTimer);
    EXPECT_EQ(2, game().fade.mode);
    for (int frame = 2; frame <= 20; ++frame) {
        SCOPED_TRACE(frame);
        Frame();
        // From 100 up one a frame, held on "Hurt" frame 0; the voice and
        // the vanishing as the count passes 108.
        ASSERT_EQ(99 + frame, hero->hurtTimer);
        ASSERT_EQ(Vector2(0.0f, 0.0f), hero->velocity);
        ASSERT_TRUE(hero->anim.IsPlaying("Hurt"));
        ASSERT_EQ(0, hero->anim.currentFrame);
        ASSERT_EQ(frame >= 10 ? 1 : 0, SoundsNamed(kOut));
    }

    for (int i = 0; i < 200 && !world().heroAlive; ++i) Frame();
    ASSERT_TRUE(world().heroAlive);
    EXPECT_EQ(1, flow().phase);
    EXPECT_EQ(32.0f, hero->health);
    EXPECT_EQ(0, hero->hurtTimer);
    EXPECT_TRUE(hero->gravity);
    for (int i = 0; i < 400 && flow().phase != 0; ++i) Frame();
    Frames(10);
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(0, hero->hurtTimer) << "the death check does not strike again";
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
