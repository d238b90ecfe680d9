// The hero through the real frame, as scenarios: input by frame and the
// state line expected after each beat. Rook stands on a floor at y 192 (his
// frame's top at 132); walls are columns of solid cells.
#include "support/TestWorld.h"

namespace {

class Hero : public TestWorld {
protected:
    Hero() { AddHero(); }
    void Wall(int column, int fromRow, int toRow) {
        for (int row = fromRow; row <= toRow; ++row) Cell(column, row);
    }
};

TEST_F(Hero, WalksTurnsStopsAndJumps) {
    StandAt(100.0f);
    Draws({1});
    Play({
        // "BeginWalk" (2 frames of 4) lasts 9 updates at 0.5, then 2 a frame.
        {1, "press right", "anim BeginWalk vel 0.50,0.00 pos 100.50,? dir 1"},
        {7, "", "anim BeginWalk vel 0.50,0.00"},
        {1, "", "anim Walk vel 0.50,0.00"},
        {1, "", "vel 2.00,0.00 pos 106.50,?"},
        // The opposite key turns at once; releasing the facing key stops.
        {1, "press left", "dir -1 anim BeginWalk vel -0.50,0.00"},
        {1, "release left", "vel 0.00,0.00 anim Stand pos 106.00,?"},
        {1, "release right", "vel 0.00,0.00"},
        // A jump: -6 then the update's gravity, its sound and a shout.
        {1, "press keyjump",
         "anim Jump vel 0.00,-5.75 air 1 +SE_PL00\\ROOK_Jump.WAV@0 +VO_PL00\\ROOK_KIAI2.WAV@-1"},
        {1, "press keyjump", "vel 0.00,-5.50 -SE_PL00\\ROOK_Jump.WAV"},  // none in the air
        {1, "release keyjump", "vel 0.00,0.25 pos 106.00,? anim Fall"},  // the cut
        {1, "press keyjump, release keyjump", "vel 0.00,0.50"},  // no cut while falling
        {6, "", "air 1 anim Fall:1"},
        {1, "", "air 0 anim Land:0 pos 106.00,? +SE_PL00\\ROOK_CHAKU.WAV@0"},
        {4, "", "anim Land:1"},
        {1, "", "anim Stand"},
    });
    // Pressing into a wall on the ground starts no walk.
    Wall(10, 0, kHeroFloorRow - 1);
    StandAt(119.0f);
    Play({{1, "press right", "anim Stand pos 119.00,?"}});
}

TEST_F(Hero, DashFollowsItsCurve) {
    StandAt(64.0f);
    Play({
        // Five frames of wind-up, the burst of 6.6 decaying to 4.2, the
        // cruise, "DashEnd" with the brake below 12, the last decay.
        {1, "press keydash", "dash 46 vel 0.00,0.00 anim Dash +SE_PL00\\ROOK_Dash.WAV@0"},
        {4, "", "dash 42 vel 0.00,0.00 -SE_PL00\\ROOK_Dash.WAV #PlayerFXBack 0"},
        {1, "", "dash 41 vel 6.60,0.00 #PlayerFXBack 1 pos 70.60,?"},
        // An after-image on every 4th frame (frames 8, 12, ...), each for 6.
        {2, "", "#PlayerBGFX 2"},
        {2, "", "dash 37 vel 5.80,0.00 #PlayerFX 2 #PlayerBGFX 1"},
        {8, "", "dash 29 vel 4.20,0.00"},
        {1, "", "dash 28 vel 4.13,0.00"},
        {17, "", "dash 11 vel 4.13,0.00 anim DashEnd +SE_PL00\\ROOK_Brake.WAV@0"},
        {2, "", "dash 9 vel 3.98,0.00 -SE_PL00\\ROOK_Brake.WAV"},
        {7, "", "dash 2 vel 2.58,0.00"},
        {1, "", "dash 0 vel 0.00,0.00 anim Stand speed 2.00"},
    });
    EXPECT_NEAR(hero().position.x, 64.0f + 174.9733f, 1e-3f);

    // Facing left the curve is mirrored; held through a jump it keeps 4.
    StandAt(400.0f, -1);
    Play({
        {5, "press left", ""},
        {6, "press keydash", "vel -6.60,0.00"},
        {1, "press keyjump", "dash 1j vel -4.00,-5.75"},
        {45, "", "dash 1j vel -4.00,? air 1"},
        {1, "", "dash 1 air 0 vel -4.00,0.00 anim Walk"},
        {1, "", "dash 0 vel -4.00,0.00"},
        {1, "", "vel -2.00,0.00"},
    });
}

TEST_F(Hero, DashEndsOnJumpReleaseOrTheOtherWay) {
    StandAt(64.0f);
    Play({
        {1, "press right", ""},
        {6, "press keydash", "dash 41"},
        {1, "release keydash", "dash 40"},  // the facing key held: it goes on
        {1, "press keyjump", "dash 0 speed 2.00 vel 2.00,-5.75"},
        {1, "release right, release keyjump", ""},
    });
    while (hero().airborne) Step();
    StandAt(64.0f);
    Play({
        {8, "press keydash", "dash 39"},
        {1, "release keydash", "dash 0 speed 2.00 anim DashEnd vel 0.00,0.00 +SE_PL00\\ROOK_BRAKE.WAV@0"},
    });
    StandAt(200.0f);
    Play({
        {8, "press keydash", ""},
        {1, "press left", "dash 0 dir -1 anim Walk vel -2.00,0.00 +SE_PL00\\ROOK_BRAKE.WAV@0"},
        {1, "release left, release keydash", ""},
        // In the air a dash press is undone; the stick's dash ends on release
        // unless held sideways.
        {1, "press keyjump", ""},
        {1, "press keydash", "dash 0 speed 2.00"},
        {1, "release keydash, press joydash", "dash 0"},
        {1, "release keyjump, release joydash", ""},
    });
    while (hero().airborne) Step();
    Play({
        {2, "", ""},
        {1, "press joydash", "dash 46"},
        {1, "release joydash", "dash 0"},
        {1, "press joydash", ""},
        {1, "stick -20000", "dash 45"},
        {1, "release joydash", "dash 44"},
    });
}

TEST_F(Hero, SlidesDownWallsAndKicksOff) {
    Wall(10, 0, kHeroFloorRow - 1);  // touched from the left at x 119
    StandAt(119.0f);
    Draws({0});
    Play({
        // Rising never sticks; the slide starts once he falls, holds (only
        // gravity moves him) until "Slide" frame 3, then 1.4 plus gravity;
        // he faces away from the wall from its frame 1.
        {1, "press right", ""},
        {23, "press keyjump", "wall 0 anim Jump"},
        {1, "", "wall 11 anim Slide:0 vel 0.00,0.00 dir 1 speed 2.00 +SE_PL00\\ROOK_KBPETA.WAV@0"},
        {2, "", "wall 11 anim Slide:0 dir 1 pos 119.00,?"},
        {1, "", "anim Slide:1 dir -1 -SE_PL00\\ROOK_KBPETA.WAV"},
        {4, "", "anim Slide:2 vel 0.00,0.00 #PlayerFX 1"},
        {1, "", "anim Slide:3 vel 0.00,1.40 #PlayerFX 2 pos 119.00,?"},
        {3, "", "pos 119.00,?"},
        // The kick faces the wall and counts 10 frames away from it.
        {1, "press keyjump",
         "anim SlideJump wall 9 vel -2.00,-5.75 dir 1 pos 117.00,? +SE_PL00\\ROOK_KBKERI.WAV@0 "
         "+VO_PL00\\ROOK_KIAI1.WAV@-1"},
        {9, "", "wall 0 pos 99.00,?"},
        {1, "", "vel 2.00,?"},  // the countdown over, the key takes him back
    });
}

TEST_F(Hero, KicksOnTheSlidesFirstFrameAndSlidesOffAWallsEnd) {
    Wall(10, 0, kHeroFloorRow - 1);
    StandAt(119.0f);
    Play({
        {1, "press right", ""},
        {24, "press keyjump", "wall 11 anim Slide:0 dir 1"},
        {1, "press keyjump", "wall 9 anim SlideJump dir 1 pos 117.00,?"},  // still facing it
    });
    // A wall that ends at row 5: he slides off its lower end and the slide,
    // no longer renewed, ends facing the wall side again.
    EmptyStage(40, 16);
    Floor(kHeroFloorRow, 0, 39);
    Wall(10, 0, 5);
    hero().position = Vector2(119.0f, 30.0f);
    hero().velocity = Vector2(0.0f, 0.0f);
    FrameState s = Step("release keyjump");
    for (int i = 0; i < 100 && s.wallState == 11; ++i) s = Step();
    EXPECT_TRUE(Shows(s, "wall 0 dir 1 anim Fall pos 119.00,?"));
    EXPECT_GT(s.position.y + 40.0f, 96.0f) << "past the wall's end";
    Play({{1, "", "vel 2.00,?"}});
}

TEST_F(Hero, LetsGoOfAWall) {
    Wall(10, 0, kHeroFloorRow - 1);
    StandAt(119.0f);
    Play({
        {1, "press right", ""},
        {34, "press keyjump", "wall 11"},
        // Letting go drifts four frames away; a press meanwhile only waits.
        {1, "release right", "wall 3 vel -2.00,? anim Fall"},
        {1, "press right", "wall 2 dir -1"},
        {2, "", "wall 0 vel -2.00,? dir 1 pos 111.00,?"},
        {1, "", "vel 2.00,?"},
        // The stick slides too, and lets go inside its dead zone.
        {1, "release right", ""},
    });
    while (hero().airborne) Step();
    StandAt(119.0f);
    Play({
        {1, "stick 20000", ""},
        {30, "press keyjump", "wall 11"},
        {1, "stick 10001", "wall 11"},
        {1, "stick 10000", "wall 3 vel -2.00,?"},
    });
}

TEST_F(Hero, DashingIntoAWallSlideWalksAgain) {
    Wall(10, 0, kHeroFloorRow - 1);
    StandAt(60.0f);
    Play({
        {6, "press keydash", "dash 41"},
        {9, "", "dash 32"},
        {1, "", "dash 0 speed 2.00 anim DashEnd pos 119.00,? +SE_PL00\\ROOK_BRAKE.WAV@0"},
        {1, "release keydash", ""},
    });
    StandAt(60.0f);
    Play({
        {1, "press right", ""},
        {6, "press keydash", "dash 41"},
        {1, "press keyjump", "dash 1j speed 4.00"},
        {30, "", "wall 11 speed 2.00"},
    });
}

// The fire pose shows the fire sheet's picture, its opaque boxes included,
// and gives the hero his own back when it ends.
TEST_F(Hero, TheFirePoseShowsTheFireSheet) {
    StandAt(64.0f);
    auto picture = [](unsigned texture) {
        return SheetPicture{texture, texture + 1, std::make_shared<const OpaqueCells>()};
    };
    game().player.normalSheet = picture(10), game().player.fireSheet = picture(20);
    hero().anim.Show(game().player.normalSheet);
    auto shown = [this] {
        const SheetPicture& normal = game().player.normalSheet;
        const SheetPicture& fire = game().player.fireSheet;
        const AnimationSet& anim = hero().anim;
        if (anim.texture == fire.texture && anim.rectTexture == fire.rectTexture && anim.opaqueCells == fire.opaqueCells)
            return "fire";
        if (anim.texture == normal.texture && anim.rectTexture == normal.rectTexture && anim.opaqueCells == normal.opaqueCells)
            return "normal";
        return "mixed";
    };
    Play({{1, "press keyattack1, release keyattack1", "fire 19"}});
    EXPECT_STREQ(shown(), "fire");
    Play({{19, "", "fire 0"}});
    EXPECT_STREQ(shown(), "fire");
    Play({{1, "", "fire -1"}});
    EXPECT_STREQ(shown(), "normal");
}

TEST_F(Hero, FiresAndChargesTheCannon) {
    StandAt(64.0f);
    Draws({0, 0});
    Play({
        // A tap: one level 1 shot at 6 with its muzzle, the fire pose and
        // the flash row for five frames.
        {1, "press keyattack1",
         "counter 2 fire 19 palette 1 anim BeginFire #PlayerWeapons 1 +SE_PL00\\ROOK_Shot.WAV@1"},
        {1, "release keyattack1", "counter 0"},
        {1, "", "anim BeginFire:1"},
        // A second tap restarts the pose.
        {1, "press keyattack1, release keyattack1", "fire 19 anim BeginFire:0 #PlayerWeapons 2"},
        {1, "", "anim BeginFire:0"},  // from its first tick again
        {1, "", "anim BeginFire:1"},
        {2, "", "fire 15 palette 1"},  // the flash ends as the pose passes 15
        {1, "", "fire 14 palette 0 anim FireStand"},
        {14, "", "fire 0 anim Stand"},
        // Held: the charge sound at 25 on channel 1, flashing rows 6 by
        // counter / 2; released below 25 nothing more.
        {24, "press keyattack1", "counter 25 +SE_PL00\\ROOK_ENTAME.WAV@1 palette 0"},
        {2, "", "counter 27 palette 6"},
        {4, "", "counter 31 +SE_PL00\\ROOK_ENLOOP.WAV@1x-1"},
        // Released at 32: level 2, the cool-down of -15 then the update.
        {1, "release keyattack1",
         "counter -14 fire 19 anim BeginFire +SE_PL00\\ROOK_TSHT_M.WAV@1 -VO_PL00\\ROOK_KIAI7.WAV"},
        {1, "press keyattack1", "counter -13"},
        {1, "release keyattack1", "counter 0"},
        // Held to 90: the full charge flashes row 7; released, level 3
        // with both muzzles, its sound cutting the loop, and a shout.
        {89, "press keyattack1", "counter 90 palette 7"},
    });
    const GameObject* orb = Objects("PlayerFX", "ChargeOrb").at(0);
    EXPECT_EQ(orb->position, hero().position + Vector2(8.0f, 16.0f));
    EXPECT_EQ(AnimationName(orb->anim), "Charge");
    Play({
        {1, "release keyattack1",
         "anim FireRecoil fire 34 palette 1 +SE_PL00\\ROOK_TSHT_L.WAV@1 +VO_PL00\\ROOK_KIAI7.WAV@-1"},
    });
    const auto shots = Objects("PlayerWeapons", "BusterShotL");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->velocity.x, 8.0f);
    const auto glow = Objects("PlayerFX", "ChargeRecoil2");
    const auto firing = Objects("PlayerFX", "ChargeRecoil");
    ASSERT_EQ(glow.size(), 1u);
    ASSERT_EQ(firing.size(), 1u);
    EXPECT_EQ(glow[0]->parentOffset, Vector2(33.0f, 24.0f)) << "40 - 33 / 2 in whole pixels";
    EXPECT_EQ(firing[0]->parentOffset, Vector2(28.0f, 24.0f));
    EXPECT_EQ(glow[0]->anim.PaletteRow(), 16);
    EXPECT_EQ(firing[0]->anim.PaletteRow(), 2);
    EXPECT_EQ(glow[0]->weaponLevel, 0) << "only the firing muzzle carries the shot";
    Play({
        {5, "", "palette 1"},
        {1, "", "palette 0 -SE_PL00\\ROOK_ENLOOP.WAV"},
    });
}

TEST_F(Hero, MuzzlesFollowThePose) {
    // "Dash" frames: 0 for the press frame and two more, 1 for two, 2 for four.
    StandAt(64.0f);
    const struct {
        int framesBefore;
        float y;
    } rows[] = {{0, 32.0f}, {2, 32.0f}, {1, 42.0f}, {3, 46.0f}};
    Step("press keydash");
    for (const auto& row : rows) {
        for (int i = 0; i < row.framesBefore; ++i) Step();
        Step("press keyattack1, release keyattack1");
        const auto muzzles = Objects("PlayerFX", "Recoil");
        ASSERT_FALSE(muzzles.empty());
        EXPECT_EQ(muzzles.back()->parentOffset, Vector2(64.0f, row.y)) << row.framesBefore;
        EXPECT_EQ(muzzles.back()->weaponLevel, 1);
        EXPECT_EQ(muzzles.back()->anim.PaletteRow(), 2);
    }
    while (hero().dashTimer != 0) Step();
    StandAt(400.0f, -1);
    Step("press keydash");
    Step("press keyattack1, release keyattack1");
    EXPECT_EQ(Objects("PlayerFX", "Recoil").back()->parentOffset.x, -6.0f) << "7 - 13 facing left";
    EXPECT_EQ(Objects("PlayerWeapons", "BusterShot").back()->velocity.x, -6.0f);
    // Any facing a script sets, the most negative int included, aims.
    Lua("SetDirection(GetPlayer(), -2147483648)");
    Step("press keyattack1, release keyattack1");
    EXPECT_EQ(Objects("PlayerFX", "Recoil").back()->direction, INT_MIN);
}

TEST_F(Hero, SecondAttackAndWeaponKeys) {
    StandAt(64.0f);
    hero().weapons.assign(4, hero().weapons[0]);
    Step("press w");
    EXPECT_EQ(hero().currentWeapon, 2) << "index 1 is passed over";
    Step("press q, release q, press q");
    EXPECT_EQ(hero().currentWeapon, 3);
    Step("press joyprevweapon");
    EXPECT_EQ(hero().currentWeapon, 2);
    // Attack2 fires weapon 0 and charges only from its own press.
    Step("press keyattack2");
    EXPECT_EQ(Objects("PlayerFX", "Recoil").back()->weaponIndex, 0);
    Play({
        {88, "", "counter 90"},
        {1, "release keyattack2", "counter -14"},
        {24, "press keyattack2", "counter 0"},  // pressed in the cool-down: no charge
        {1, "release keyattack2, press keyattack1", "counter 2"},
    });
    EXPECT_EQ(Objects("PlayerFX", "Recoil").back()->weaponIndex, 2);
}

TEST_F(Hero, TakesHitsAndRefills) {
    StandAt(200.0f);
    hero().maxHealth = 20.0f;
    Lua("SetHealth(GetPlayer(), 20)");
    Step();
    Draws({1});
    Lua("DamagePlayer(GetPlayer(), 5)");
    // Knocked back 16 frames away from the facing without gravity (2 3 2 2
    // 1 2 1 2 1 0 1 0 1 0 0 0), then flashing row 12 by hurtTimer / 2; the
    // red bar waits for the knock-back, then drains 0.25 a frame.
    Play({
        {1, "", "hurt 72 health 15.00 gauge 20.00 pos 198.00,? anim Hurt"},
        {4, "press right", "hurt 68 pos 190.00,? gauge 20.00 palette 0"},
        {10, "", "hurt 58 pos 182.00,? gauge 20.00 anim Hurt palette 0"},
        // The knock-back over, the key held meanwhile walks him on; a jump
        // pressed in its last frame is lost.
        {1, "press keyjump", "hurt 57 pos 182.00,? gauge 19.75 palette 0 air 0"},
        {1, "release keyjump", "hurt 56 pos 184.00,? gauge 19.50 palette 0 air 0"},
        {2, "", "hurt 54 gauge 19.00 palette 12"},
        {20, "", "gauge 15.00"},
        {34, "", "hurt 0 palette 0"},
    });
    EXPECT_EQ(Played("VO_PL00\\ROOK_DAMAG2.WAV"), 1);
    // Falling to 8 or below: the pinch voice, once, after the damage voice.
    game().sounds.busyForTests.insert(2);
    Lua("DamagePlayer(GetPlayer(), 7)");
    Play({{30, "", "health 8.00 -VO_PL00\\ROOK_PINCH.WAV"}});
    game().sounds.busyForTests.clear();
    Play({{1, "", "+VO_PL00\\ROOK_PINCH.WAV@2"}, {60, "", "hurt 0"}});
    EXPECT_EQ(Played("VO_PL00\\ROOK_PINCH.WAV"), 1);
    // A refill of 4 freezes the game: half a point a frame, a tick every
    // 4th on any channel, the red bar catching up at once at the end.
    hero().health = 10.0f;
    game().player.shownHealth = 10.0f;
    Lua("AddPlayerHealth(4)");
    Play({
        {1, "", "health 10.00 frozen 1 gauge 10.00"},
        {1, "", "health 10.50 +SE_COM\\LIFEGAGE.WAV@-1"},
        {3, "", "health 12.00 -SE_COM\\LIFEGAGE.WAV"},
        {1, "", "health 12.50 +SE_COM\\LIFEGAGE.WAV@-1"},
        {3, "", "health 14.00 frozen 1"},
        {1, "", "health 14.00 frozen 0 gauge 14.00"},
    });
}

TEST_F(Hero, DiesAndVanishes) {
    StandAt(200.0f);
    Lua("DamagePlayer(GetPlayer(), 40)");
    Play({
        {1, "press keyjump", "hurt 72 air 0"},
        {1, "", "hurt 101 vel 0.00,0.00 anim Hurt:0 visible"},
        {7, "", "hurt 108 -VO_PL00\\ROOK_OUT.WAV"},
        {1, "press keyattack1, press keydash", "hurt 109 +VO_PL00\\ROOK_OUT.WAV@-1"},
        {100, "", "hurt 209 counter 0 dash 0 #PlayerWeapons 0 anim Hurt:0"},
    });
    EXPECT_EQ(Played("VO_PL00\\ROOK_OUT.WAV"), 1);
}

}  // namespace
