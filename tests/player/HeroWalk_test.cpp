// Walking and jumping through the real frame: the slow first steps of
// "BeginWalk", turning, stopping, the jump with its sounds, the jump cut on
// release, landing, and the knock-back and freeze that hold the controller.
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
    EXPECT_EQ(s.position.x, 104.5f);
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
    EXPECT_EQ(s.position.x, 106.5f);

    // The opposite key turns the hero at once and starts slow again.
    s = Step("press left");
    EXPECT_EQ(s.direction, -1);
    EXPECT_EQ(s.animation, "BeginWalk");
    EXPECT_EQ(s.velocity.x, -0.5f);
    // With both keys held the hero goes the way it faces: left.
    s = Step();
    EXPECT_EQ(s.velocity.x, -0.5f);
    // Releasing the key it faces stops it, though the other is still held.
    s = Step("release left");
    EXPECT_EQ(s.velocity.x, 0.0f);
    EXPECT_EQ(s.animation, "Stand");
    EXPECT_EQ(s.direction, -1);
    s = Step("release right");
    EXPECT_EQ(s.velocity.x, 0.0f);
    EXPECT_EQ(s.position.x, 105.5f);
}

TEST_F(HeroTest, PressingTowardsAWallOnTheGroundDoesNotStartAWalk) {
    Wall(10, 0, kFloorRow - 1);
    StandAt(119.0f);
    FrameState s = Step("press right");
    EXPECT_EQ(s.animation, "Stand");
    EXPECT_EQ(s.position.x, 119.0f);
    EXPECT_EQ(s.direction, 1);
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
    EXPECT_EQ(s.airborne, 1);
    EXPECT_EQ(s.velocity.y, -5.75f) << "-6, then the update's gravity";
    EXPECT_EQ(s.position.y, y0 - 5.75f);
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

    // Released again while falling: nothing changes.
    s = Step("press keyjump, release keyjump");
    EXPECT_EQ(s.velocity.y, 0.5f);

    // Down to the floor: "Land" with its sound, then "Stand" when it ends
    // (the landing update showed its first tick; [2 3] lasts 6).
    while (s.airborne) s = Step();
    EXPECT_EQ(s.animation, "Land");
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_CHAKU.WAV", 0));
    for (int i = 0; i < 4; ++i) s = Step();
    EXPECT_EQ(s.animation, "Land");
    s = Step();
    EXPECT_EQ(s.animation, "Stand");
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

    // After the knock-back a direction turns "Hurt" into "BeginWalk".
    hero().hurtTimer = 50;
    hero().gravity = true;
    s = Step("press right");
    EXPECT_EQ(s.animation, "BeginWalk");
    EXPECT_EQ(s.velocity.x, 0.5f);

    // Frozen by a refill: no input is read and nothing moves.
    game().flow.frozen = true;
    const Vector2 at = hero().position;
    s = Step("release right, press keyjump");
    EXPECT_EQ(s.position.x, at.x);
    EXPECT_EQ(s.position.y, at.y);
    EXPECT_EQ(s.velocity.y, 0.0f);
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
    ASSERT_GE(hero().counter, 25);
    game().world.heroAlive = false;  // as after its health reached 0

    FrameState s = Step("press keyjump, release keyattack1, press keyattack2, press keydash");
    EXPECT_EQ(s.hurtTimer, 101);
    EXPECT_EQ(s.airborne, 0);
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_TRUE(Objects("PlayerFX", "BusterRecoil").empty()) << "no charged shot";
    for (const GameObject* muzzle : Objects("PlayerFX", "Recoil"))
        EXPECT_GT(muzzle->lifetime, 1) << "no new shot";
    EXPECT_GE(s.counter, 25);
    for (const SoundRequest& r : s.sounds) EXPECT_EQ(r.name.find("ROOK_Jump"), std::string::npos);
    EXPECT_EQ(game().bindings[Jump].held, 1) << "the actions are still marked";
}

}  // namespace herotest
