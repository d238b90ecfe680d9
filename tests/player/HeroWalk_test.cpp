// Walking and jumping through the real frame, and the states that hold the
// controller: knock-back, freeze and death.
#include <cstdlib>

#include "HeroTestData.h"

namespace herotest {

TEST_F(HeroTest, WalkStartsSlowTurnsAtOnceAndStopsOnRelease) {
    StandAt(100.0f);
    // "BeginWalk" (2 frames of delay 4) lasts 9 updates at 0.5 a frame.
    FrameState s = Step("press right");
    for (int i = 0; i < 9; ++i) {
        if (i > 0) s = Step();
        EXPECT_EQ(s.animation, i < 8 ? "BeginWalk" : "Walk") << i;
        EXPECT_EQ(s.velocity.x, 0.5f) << i;
    }
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
    EXPECT_EQ(s.position.x, 106.5f);

    // The opposite key turns at once; with both held the facing one wins;
    // releasing the facing key stops the hero though the other is held.
    s = Step("press left");
    EXPECT_EQ(s.direction, -1);
    EXPECT_EQ(s.animation, "BeginWalk");
    EXPECT_EQ(Step().velocity.x, -0.5f);
    s = Step("release left");
    EXPECT_EQ(s.velocity.x, 0.0f);
    EXPECT_EQ(s.animation, "Stand");
    EXPECT_EQ(s.position.x, 105.5f);

    // Pressing into a wall on the ground starts no walk.
    Step("release right");
    Wall(10, 0, kFloorRow - 1);
    StandAt(119.0f);
    s = Step("press right");
    EXPECT_EQ(s.animation, "Stand");
    EXPECT_EQ(s.position.x, 119.0f);
}

TEST_F(HeroTest, JumpRisesAtSixAndReleasingWhileRisingCutsIt) {
    StandAt(100.0f);
    std::srand(5);
    const int pick = std::rand() % 3;
    std::srand(5);
    const char* const voices[3] = {"VO_PL00\\ROOK_KIAI1.WAV", "VO_PL00\\ROOK_KIAI2.WAV",
                                   "VO_PL00\\ROOK_KIAI5.WAV"};
    const float y0 = hero().position.y;

    FrameState s = Step("press keyjump");
    EXPECT_EQ(s.animation, "Jump");
    EXPECT_EQ(s.velocity.y, -5.75f) << "-6, then the update's gravity";
    ASSERT_EQ(s.sounds.size(), 2u);
    EXPECT_EQ(s.sounds[0].name, "SE_PL00\\ROOK_Jump.WAV");
    EXPECT_EQ(s.sounds[0].channel, 0);
    EXPECT_EQ(s.sounds[1].name, voices[pick]);
    EXPECT_EQ(s.sounds[1].channel, -1);

    s = Step("press keyjump");  // no second jump in the air
    EXPECT_EQ(s.velocity.y, -5.5f);
    EXPECT_TRUE(s.sounds.empty());
    s = Step("release keyjump");
    EXPECT_EQ(s.velocity.y, 0.25f) << "cut to 0, then gravity";
    EXPECT_EQ(s.position.y, y0 - 11.0f);
    EXPECT_EQ(s.animation, "Fall");
    EXPECT_EQ(Step("press keyjump, release keyjump").velocity.y, 0.5f) << "no cut when falling";

    // "Land" [2 3] with its sound from the landing update, "Stand" after 6 ticks.
    while (s.airborne) s = Step();
    EXPECT_EQ(s.animation, "Land");
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_CHAKU.WAV", 0));
    for (int i = 0; i < 4; ++i) s = Step();
    EXPECT_EQ(s.animation, "Land");
    EXPECT_EQ(Step().animation, "Stand");
}

TEST_F(HeroTest, ControlsWaitForTheKnockBackAndTheFreeze) {
    StandAt(100.0f);
    hero().hurtTimer = 60;  // knock-back: the controller does not run
    hero().anim.ChangeAnimation("Hurt");
    FrameState s = Step("press keydash");
    EXPECT_EQ(s.dashTimer, 47) << "the press is taken, its countdown waits";
    EXPECT_EQ(s.animation, "Hurt");
    Step("release keydash");
    hero().dashTimer = 0;

    hero().hurtTimer = 50;  // after the knock-back
    hero().gravity = true;
    s = Step("press right");
    EXPECT_EQ(s.animation, "BeginWalk");
    EXPECT_EQ(s.velocity.x, 0.5f);

    // Frozen by a refill: no input is read and nothing moves.
    game().flow.frozen = true;
    const Vector2 at = hero().position;
    s = Step("release right, press keyjump");
    EXPECT_EQ(s.position, at);
    EXPECT_EQ(game().bindings[Right].held, 1);
    game().flow.frozen = false;
    s = Step();
    EXPECT_EQ(s.velocity.y, -5.75f) << "the queued events arrive once the game goes on";
    EXPECT_EQ(game().bindings[Right].held, 0);
}

TEST_F(HeroTest, ADyingHeroNeitherJumpsNorFires) {
    StandAt(100.0f);
    Step("press keyattack1");
    for (int i = 0; i < 30; ++i) Step();
    game().world.heroAlive = false;  // as after its health reached 0

    FrameState s = Step("press keyjump, release keyattack1, press keyattack2, press keydash");
    EXPECT_EQ(s.hurtTimer, 101);
    EXPECT_EQ(s.airborne, 0);
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_TRUE(Objects("PlayerFX", "BusterRecoil").empty()) << "no charged shot";
    for (const GameObject* muzzle : Objects("PlayerFX", "Recoil"))
        EXPECT_GT(muzzle->lifetime, 1) << "no new shot";
    for (const SoundRequest& r : s.sounds) EXPECT_EQ(r.name.find("ROOK_Jump"), std::string::npos);
}

}  // namespace herotest
