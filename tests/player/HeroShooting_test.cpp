// The cannon through the real frame: a tap, releases at counter 24, 25 and
// 90, the cool-down, Attack2 charging only from its press, the charge sounds
// on channel 1 and the flashing, the fire pose's texture swap, muzzles while
// dashing, and weapon cycling.
#include "player/HeroShooting.h"

#include <cstdlib>

#include "HeroTestData.h"

namespace herotest {
namespace {

constexpr unsigned kNormalSheet = 3;
constexpr unsigned kFireSheet = 7;

class ShootingTest : public HeroTest {
protected:
    ShootingTest() {
        // Texture names as a GL context would have given them.
        game().player.normalTexture = kNormalSheet;
        game().player.normalRectTexture = kNormalSheet + 100;
        game().player.fireTexture = kFireSheet;
        game().player.fireRectTexture = kFireSheet + 100;
        hero().anim.texture = kNormalSheet;
        hero().anim.rectTexture = kNormalSheet + 100;
        StandAt(64.0f);
    }

    // The objects of that name made in the frame that just ran: updated once
    // since, or, for shots (made by a muzzle after their own list's pass),
    // not yet.
    std::vector<const GameObject*> New(const std::string& category, const std::string& name) {
        const int age = category == "PlayerWeapons" ? 0 : 1;
        std::vector<const GameObject*> made;
        for (const GameObject* o : Objects(category, name))
            if (o->lifetime == age) made.push_back(o);
        return made;
    }

    // Holds Attack1 from the next frame until its counter reads `counter`
    // when the release is handled, and releases it then.
    FrameState ChargeAndRelease(int counter) {
        Step("press keyattack1");
        for (int i = 1; i < counter - 1; ++i) Step();
        EXPECT_EQ(hero().counter, counter) << "as the release will find it";
        return Step("release keyattack1");
    }
};

}  // namespace

TEST_F(ShootingTest, ATapFiresOneLevelOneShotInTheFirePose) {
    FrameState s = Step("press keyattack1");
    EXPECT_EQ(s.counter, 2) << "1 on the press, then the update";
    const auto muzzles = New("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    const GameObject& muzzle = *muzzles[0];
    EXPECT_EQ(muzzle.parent, &hero());
    EXPECT_EQ(muzzle.parentOffset.x, 51.0f);
    EXPECT_EQ(muzzle.parentOffset.y, 32.0f) << "40 - 16 / 2";
    EXPECT_EQ(muzzle.position.x, hero().position.x + 51.0f);
    EXPECT_EQ(muzzle.weaponIndex, 0);
    EXPECT_EQ(muzzle.weaponLevel, 1);
    EXPECT_EQ(muzzle.direction, -1);
    EXPECT_FALSE(muzzle.dieOnWall);
    EXPECT_EQ(muzzle.anim.PaletteRow(), 2);
    // Its script fired the weapon's level 1 shot, flying the way the hero faces.
    const auto shots = New("PlayerWeapons", "BusterShot");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->velocity.x, 6.0f);
    ASSERT_EQ(s.sounds.size(), 1u);
    EXPECT_EQ(s.sounds[0].name, "SE_PL00\\ROOK_Shot.WAV");
    EXPECT_EQ(s.sounds[0].channel, 1);
    EXPECT_EQ(s.sounds[0].loops, 0);

    // The pose: the firing sheet for 20 frames, the flash row for five,
    // "BeginFire" then "FireStand" entered part-way, back to "Stand".
    struct PoseRow {
        int fireTimer;
        int paletteRow;
        unsigned texture;
        const char* animation;
    };
    const PoseRow pose[] = {
        {19, 1, kFireSheet, "BeginFire"}, {18, 1, kFireSheet, "BeginFire"},
        {17, 1, kFireSheet, "BeginFire"}, {16, 1, kFireSheet, "BeginFire"},
        {15, 1, kFireSheet, "BeginFire"}, {14, 0, kFireSheet, "FireStand"},
        {13, 0, kFireSheet, "FireStand"}, {12, 0, kFireSheet, "FireStand"},
        {11, 0, kFireSheet, "FireStand"}, {10, 0, kFireSheet, "FireStand"},
        {9, 0, kFireSheet, "FireStand"},  {8, 0, kFireSheet, "FireStand"},
        {7, 0, kFireSheet, "FireStand"},  {6, 0, kFireSheet, "FireStand"},
        {5, 0, kFireSheet, "FireStand"},  {4, 0, kFireSheet, "FireStand"},
        {3, 0, kFireSheet, "FireStand"},  {2, 0, kFireSheet, "FireStand"},
        {1, 0, kFireSheet, "FireStand"},  {0, 0, kFireSheet, "Stand"},
        {-1, 0, kNormalSheet, "Stand"},   {-1, 0, kNormalSheet, "Stand"},
    };
    for (size_t i = 0; i < sizeof pose / sizeof pose[0]; ++i) {
        if (i > 0) s = Step(i == 1 ? "release keyattack1" : "");
        SCOPED_TRACE("frame " + std::to_string(s.frame));
        EXPECT_EQ(s.fireTimer, pose[i].fireTimer);
        EXPECT_EQ(s.paletteRow, pose[i].paletteRow);
        EXPECT_EQ(hero().anim.texture, pose[i].texture);
        EXPECT_EQ(hero().anim.rectTexture, pose[i].texture + 100);
        EXPECT_EQ(s.animation, pose[i].animation);
        if (i > 0) {
            EXPECT_EQ(s.counter, 0) << "the release below 25 fires nothing and stops the charge";
            EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
            EXPECT_TRUE(New("PlayerWeapons", "BusterShot").empty());
            EXPECT_TRUE(s.sounds.empty());
        }
    }
}

TEST_F(ShootingTest, ReleaseAtTwentyFourFiresNothingMore) {
    const FrameState s = ChargeAndRelease(24);
    EXPECT_EQ(s.counter, 0);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_TRUE(New("PlayerFX", "BusterRecoil").empty());
    EXPECT_TRUE(s.sounds.empty());
}

TEST_F(ShootingTest, ReleaseAtTwentyFiveFiresLevelTwo) {
    Step("press keyattack1");
    for (int i = 1; i < 23; ++i) Step();
    // The counter reached 25 in this update: the level 2 sound.
    FrameState s = Step();
    EXPECT_EQ(s.counter, 25);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_ENTAME.WAV", 1));
    EXPECT_EQ(s.paletteRow, 0) << "(25 / 2) is even";

    s = Step("release keyattack1");
    const auto muzzles = New("PlayerFX", "BusterRecoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->weaponLevel, 2);
    EXPECT_EQ(muzzles[0]->parentOffset.x, 55.0f);
    EXPECT_EQ(muzzles[0]->parentOffset.y, 28.0f) << "40 - 24 / 2";
    EXPECT_EQ(muzzles[0]->anim.PaletteRow(), 2);
    EXPECT_EQ(New("PlayerWeapons", "BusterShotM").size(), 1u);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_TSHT_M.WAV", 1));
    EXPECT_EQ(s.counter, -14) << "the cool-down of -15, then the update";
    EXPECT_EQ(s.paletteRow, 0);
    EXPECT_EQ(s.fireTimer, 19);
    EXPECT_EQ(s.animation, "BeginFire") << "fired from \"Stand\"";
}

TEST_F(ShootingTest, ReleaseAtNinetyFiresLevelThreeWithBothMuzzles) {
    Step("press keyattack1");
    for (int i = 1; i < 89; ++i) Step();
    ASSERT_EQ(hero().counter, 90);
    ASSERT_EQ(AnimationName(hero().anim), "Stand");
    std::srand(9);
    const bool shout = std::rand() % 2 == 0;
    std::srand(9);
    const Vector2 at = hero().position;

    FrameState s = Step("release keyattack1");
    const auto glow = New("PlayerFX", "ChargeRecoil2");
    const auto firing = New("PlayerFX", "ChargeRecoil");
    ASSERT_EQ(glow.size(), 1u);
    ASSERT_EQ(firing.size(), 1u);
    EXPECT_EQ(glow[0]->parentOffset.x, 33.0f);
    EXPECT_EQ(firing[0]->parentOffset.x, 28.0f);
    EXPECT_EQ(glow[0]->parentOffset.y, 24.0f) << "40 - 33 / 2 in whole pixels";
    EXPECT_EQ(firing[0]->parentOffset.y, 24.0f);
    EXPECT_EQ(glow[0]->anim.PaletteRow(), 16);
    EXPECT_EQ(firing[0]->anim.PaletteRow(), 2);
    EXPECT_EQ(glow[0]->weaponLevel, 0) << "only the firing muzzle carries the shot";
    EXPECT_EQ(firing[0]->weaponLevel, 3);
    EXPECT_EQ(glow[0]->direction, -1);
    EXPECT_FALSE(glow[0]->dieOnWall);
    EXPECT_EQ(New("PlayerWeapons", "BusterShotL").size(), 1u);
    EXPECT_EQ(glow[0]->position.x, at.x + 33.0f) << "following the hero";

    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_TSHT_L.WAV", 1));
    EXPECT_EQ(s.Played("VO_PL00\\ROOK_KIAI7.WAV", -1), shout);
    EXPECT_EQ(s.animation, "FireRecoil");
    EXPECT_EQ(s.fireTimer, 34);
    EXPECT_EQ(s.paletteRow, 1) << "the long pose flashes again after the release cleared it";
    EXPECT_EQ(hero().anim.texture, kFireSheet);
    for (int i = 0; i < 5; ++i) s = Step();
    EXPECT_EQ(s.fireTimer, 29);
    EXPECT_EQ(s.paletteRow, 1);
    s = Step();
    EXPECT_EQ(s.fireTimer, 28);
    EXPECT_EQ(s.paletteRow, 0) << "the flash ends as the pose passes 29";
}

TEST_F(ShootingTest, MuzzlesStartAtTheFiringPoint) {
    // Seen before their first update moves them to the parent offset.
    const Vector2 at = hero().position;
    HeroFire(game(), 0);
    const auto muzzles = Objects("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->position.x, at.x + 49.25f);
    EXPECT_EQ(muzzles[0]->position.y, at.y + 32.0f);
    hero().direction = -1;
    hero().counter = 90;
    HeroFire(game(), 0);
    const auto glow = Objects("PlayerFX", "ChargeRecoil2");
    const auto firing = Objects("PlayerFX", "ChargeRecoil");
    ASSERT_EQ(glow.size(), 1u);
    ASSERT_EQ(firing.size(), 1u);
    EXPECT_EQ(firing[0]->position.x, at.x + 16.75f);
    EXPECT_EQ(glow[0]->position.x, at.x + 16.75f);
    EXPECT_EQ(glow[0]->position.y, at.y + 24.0f);
    EXPECT_EQ(glow[0]->parentOffset.x, 1.0f);
    EXPECT_EQ(firing[0]->parentOffset.x, 6.0f);
    EXPECT_EQ(glow[0]->direction, 1);
}

TEST_F(ShootingTest, ALevelThreeShotWhileWalkingKeepsTheWalk) {
    Step("press keyattack1");
    for (int i = 1; i < 60; ++i) Step();
    Step("press right");
    for (int i = 0; i < 28; ++i) Step();
    ASSERT_EQ(hero().counter, 90);
    ASSERT_EQ(AnimationName(hero().anim), "Walk");
    const FrameState s = Step("release keyattack1");
    EXPECT_EQ(s.animation, "Walk");
    EXPECT_EQ(hero().anim.texture, kFireSheet);
    EXPECT_EQ(New("PlayerWeapons", "BusterShotL").size(), 1u);
}

TEST_F(ShootingTest, TheCoolDownIgnoresPressesAndAReleaseEndsIt) {
    ChargeAndRelease(90);
    ASSERT_EQ(hero().counter, -14);
    FrameState s = Step("press keyattack1");
    EXPECT_EQ(s.counter, -13);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_FALSE(s.Played("SE_PL00\\ROOK_Shot.WAV", 1));
    s = Step("release keyattack1");
    EXPECT_EQ(s.counter, 0);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Step().counter, 0);
}

TEST_F(ShootingTest, Attack2ChargesOnlyFromItsPressAndFiresWeaponZero) {
    hero().weapons.push_back(hero().weapons[0]);
    hero().weapons.push_back(hero().weapons[0]);
    hero().currentWeapon = 2;
    Step("press keyattack2");
    const auto muzzles = New("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->weaponIndex, 0);
    for (int i = 1; i < 89; ++i) Step();
    FrameState s = Step("release keyattack2");
    EXPECT_EQ(New("PlayerFX", "ChargeRecoil")[0]->weaponIndex, 0);
    EXPECT_EQ(s.counter, -14);

    // Pressed during the cool-down and held: the counter comes back to 0
    // and stays there.
    s = Step("press keyattack2");
    EXPECT_EQ(s.counter, -13);
    for (int i = 0; i < 13; ++i) s = Step();
    EXPECT_EQ(s.counter, 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Step().counter, 0);

    // Attack1 fires the current weapon; held through a cool-down it starts
    // a new charge by itself, without a shot.
    s = Step("release keyattack2, press keyattack1");
    EXPECT_EQ(New("PlayerFX", "Recoil")[0]->weaponIndex, 2);
    for (int i = 1; i < 89; ++i) Step();
    Step("release keyattack1");
    s = Step("press keyattack1");
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    for (int i = 0; i < 13; ++i) s = Step();
    EXPECT_EQ(s.counter, 0);
    s = Step();
    EXPECT_EQ(s.counter, 2) << "1 from the held Attack1, then the update";
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_TRUE(s.sounds.empty());
}

TEST_F(ShootingTest, ChargeSoundsAndFlashingOnChannelOneUntilTheShotCutsTheLoop) {
    Step("press keyattack1");
    std::vector<SoundRequest> cannon;  // every channel-1 request from here on
    for (int frame = 6; frame <= 93; ++frame) {
        const FrameState s = Step();
        const int c = s.counter;
        SCOPED_TRACE("counter " + std::to_string(c));
        ASSERT_EQ(c, frame - 3);
        for (const SoundRequest& r : s.sounds)
            if (r.channel == 1) cannon.push_back(r);
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_ENTAME.WAV", 1), c == 25);
        // The loop is asked for whenever channel 1 is silent; without a sound
        // device that is every frame past 30.
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_ENLOOP.WAV", 1), c > 30);
        const bool flash = (c / 2) % 2 == 1;
        if (c >= 90) {
            EXPECT_EQ(s.paletteRow, flash ? 7 : 0);
        } else if (c >= 25) {
            EXPECT_EQ(s.paletteRow, flash ? 6 : 0);
        }
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), c >= 90 ? "Charge" : "Stand");
    }
    ASSERT_FALSE(cannon.empty());
    EXPECT_EQ(cannon.back().name, "SE_PL00\\ROOK_ENLOOP.WAV");
    EXPECT_EQ(cannon.back().loops, -1);

    FrameState s = Step("release keyattack1");
    ASSERT_FALSE(s.sounds.empty());
    EXPECT_EQ(s.sounds[0].name, "SE_PL00\\ROOK_TSHT_L.WAV");
    EXPECT_EQ(s.sounds[0].channel, 1);
    EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Stand");
    for (int i = 0; i < 30; ++i) {
        s = Step();
        EXPECT_FALSE(s.Played("SE_PL00\\ROOK_ENLOOP.WAV", 1));
    }
}

TEST_F(ShootingTest, TheFullChargeLookWaitsWhileFrozen) {
    // A refill freezes the game in this frame's stage-flow step.
    hero().health = 5.0f;
    game().flow.pendingHealth = 10.0f;
    hero().counter = 94;
    for (int i = 0; i < 3; ++i) {
        const FrameState s = Step();
        ASSERT_TRUE(game().flow.frozen);
        EXPECT_EQ(s.counter, 95) << "no update while frozen";
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Stand");
        EXPECT_EQ(s.paletteRow, 6) << "(95 / 2) is odd: the level 2 flash";
    }
    // Nothing left to add: the refill ends in the next stage-flow step.
    game().flow.pendingHealth = 0.0f;
    const int rows[] = {7, 0, 0, 7, 7};  // counters 95 ... 99
    for (int row : rows) {
        const FrameState s = Step();
        EXPECT_FALSE(game().flow.frozen);
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Charge");
        EXPECT_EQ(s.paletteRow, row) << s.counter;
    }
}

TEST_F(ShootingTest, AnOrbRemovedByAScriptIsNoLongerTouched) {
    GameObject* orb = game().player.chargeOrb;
    orb->health = 0.0f;  // dies in the next update's death pass
    hero().counter = 93;
    Step();
    EXPECT_EQ(game().player.chargeOrb, nullptr);
    EXPECT_TRUE(Objects("PlayerFX", "ChargeOrb").empty());
    const FrameState s = Step();
    EXPECT_EQ(s.paletteRow, 7) << "the hero still flashes";
}

TEST_F(ShootingTest, MuzzlesReachFurtherWhileDashing) {
    Step("press keydash");
    // "Dash" frames: 0 for the press frame and two more, 1 for two, 2 for four.
    struct Row {
        int stepsBefore;
        float x, y;
    };
    const Row rows[] = {{0, 64.0f, 32.0f}, {2, 64.0f, 32.0f}, {1, 64.0f, 42.0f}, {3, 64.0f, 46.0f}};
    for (const Row& row : rows) {
        for (int i = 0; i < row.stepsBefore; ++i) Step();
        const int frame = hero().anim.currentFrame;
        Step("press keyattack1, release keyattack1");
        const auto muzzles = New("PlayerFX", "Recoil");
        ASSERT_EQ(muzzles.size(), 1u);
        EXPECT_EQ(muzzles[0]->parentOffset.x, row.x) << "dash frame " << frame;
        EXPECT_EQ(muzzles[0]->parentOffset.y, row.y) << "dash frame " << frame;
        EXPECT_EQ(AnimationName(hero().anim), "Dash") << "the dash pose stays";
    }
}

TEST_F(ShootingTest, MuzzlesReachFurtherForwardWhileDashingLeft) {
    StandAt(400.0f, -1);
    Step("press keydash");
    Step("press keyattack1, release keyattack1");
    const auto muzzles = New("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->parentOffset.x, 7.0f - 13.0f);
    EXPECT_EQ(muzzles[0]->direction, 1);
}

TEST(ChangeWeapon, CyclesWithWrapAroundAndPassesOverIndexOne) {
    GameObject hero;
    struct Case {
        int count;
        int from;
        int step;
        int expected;
    };
    const Case cases[] = {
        {1, 0, 1, 0}, {1, 0, -1, 0}, {2, 0, 1, 0},  {2, 0, -1, 0}, {4, 0, 1, 2},
        {4, 2, 1, 3}, {4, 3, 1, 0},  {4, 0, -1, 3}, {4, 3, -1, 2}, {4, 2, -1, 0},
        {4, 2, 0, 2}, {3, 2, 1, 0},  {3, 0, -1, 2}, {0, 0, 1, 0},  {0, 0, -1, 0},
    };
    for (const Case& c : cases) {
        hero.weapons.assign(c.count, WeaponGroup());
        hero.currentWeapon = c.from;
        ChangeWeapon(hero, c.step);
        EXPECT_EQ(hero.currentWeapon, c.expected)
            << c.count << " weapons, from " << c.from << " by " << c.step;
    }
}

TEST_F(ShootingTest, WeaponKeysCycleTheWeapons) {
    Step("press w");
    EXPECT_EQ(hero().currentWeapon, 0) << "the one start-up weapon";
    hero().weapons.assign(4, hero().weapons[0]);
    Step("release w, press w");
    EXPECT_EQ(hero().currentWeapon, 2);
    Step("press q, release q, press q");
    EXPECT_EQ(hero().currentWeapon, 3) << "two steps back from 2 over index 1";
    Step("press keynextweapon");
    EXPECT_EQ(hero().currentWeapon, 0);
    Step("press joyprevweapon");
    EXPECT_EQ(hero().currentWeapon, 3);
}

}  // namespace herotest
