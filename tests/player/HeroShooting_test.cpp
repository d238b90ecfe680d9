// The cannon through the real frame: taps and charged releases, the
// cool-down, Attack2, charge sounds and flashing, the fire pose's sheet,
// muzzles while dashing, and weapon cycling.
#include "player/HeroShooting.h"

#include <algorithm>
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

    // Objects made in the frame that just ran (shots are made after their
    // list's pass, so they are not updated yet).
    std::vector<const GameObject*> New(const std::string& category, const std::string& name) {
        const int age = category == "PlayerWeapons" ? 0 : 1;
        std::vector<const GameObject*> made;
        for (const GameObject* o : Objects(category, name))
            if (o->lifetime == age) made.push_back(o);
        return made;
    }

    // Holds Attack1 so that the release finds the counter at `counter`.
    FrameState ChargeAndRelease(int counter) {
        Step("press keyattack1");
        for (int i = 1; i < counter - 1; ++i) Step();
        EXPECT_EQ(hero().counter, counter);
        return Step("release keyattack1");
    }
};

}  // namespace

TEST_F(ShootingTest, ATapFiresOneLevelOneShotInTheFirePose) {
    FrameState s = Step("press keyattack1");
    EXPECT_EQ(s.counter, 2) << "1 on the press, then the update";
    const auto muzzles = New("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->parent, &hero());
    EXPECT_EQ(muzzles[0]->parentOffset, Vector2(51.0f, 32.0f));
    EXPECT_EQ(muzzles[0]->weaponLevel, 1);
    EXPECT_EQ(muzzles[0]->direction, -1);
    EXPECT_EQ(muzzles[0]->anim.PaletteRow(), 2);
    const auto shots = New("PlayerWeapons", "BusterShot");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->velocity.x, 6.0f);
    ASSERT_EQ(s.sounds.size(), 1u);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_Shot.WAV", 1));

    // The pose: the firing sheet for 20 frames, the flash row for five,
    // "BeginFire", then "FireStand" entered part-way, then "Stand".
    for (int i = 0; i < 22; ++i) {
        if (i > 0) s = Step(i == 1 ? "release keyattack1" : "");
        SCOPED_TRACE("frame " + std::to_string(s.frame));
        const unsigned sheet = i < 20 ? kFireSheet : kNormalSheet;
        EXPECT_EQ(s.fireTimer, std::max(19 - i, -1));
        EXPECT_EQ(s.paletteRow, i < 5 ? 1 : 0);
        EXPECT_EQ(hero().anim.texture, sheet);
        EXPECT_EQ(hero().anim.rectTexture, sheet + 100);
        EXPECT_EQ(s.animation, i < 5 ? "BeginFire" : i < 19 ? "FireStand" : "Stand");
        if (i > 0) {
            EXPECT_EQ(s.counter, 0) << "a release below 25 fires nothing more";
            EXPECT_TRUE(s.sounds.empty());
        }
    }
    EXPECT_TRUE(ChargeAndRelease(24).sounds.empty());
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
}

TEST_F(ShootingTest, ReleaseAtTwentyFiveFiresLevelTwo) {
    Step("press keyattack1");
    for (int i = 1; i < 23; ++i) Step();
    FrameState s = Step();
    EXPECT_EQ(s.counter, 25);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_ENTAME.WAV", 1));

    s = Step("release keyattack1");
    const auto muzzles = New("PlayerFX", "BusterRecoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->weaponLevel, 2);
    EXPECT_EQ(muzzles[0]->parentOffset, Vector2(55.0f, 28.0f));
    EXPECT_EQ(New("PlayerWeapons", "BusterShotM").size(), 1u);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_TSHT_M.WAV", 1));
    EXPECT_EQ(s.counter, -14) << "the cool-down of -15, then the update";
    EXPECT_EQ(s.fireTimer, 19);
    EXPECT_EQ(s.animation, "BeginFire");
}

TEST_F(ShootingTest, ReleaseAtNinetyFiresLevelThreeWithBothMuzzles) {
    std::srand(9);
    const bool shout = std::rand() % 2 == 0;
    std::srand(9);
    FrameState s = ChargeAndRelease(90);
    const auto glow = New("PlayerFX", "ChargeRecoil2");
    const auto firing = New("PlayerFX", "ChargeRecoil");
    ASSERT_EQ(glow.size(), 1u);
    ASSERT_EQ(firing.size(), 1u);
    EXPECT_EQ(glow[0]->parentOffset, Vector2(33.0f, 24.0f)) << "40 - 33 / 2 in whole pixels";
    EXPECT_EQ(firing[0]->parentOffset, Vector2(28.0f, 24.0f));
    EXPECT_EQ(glow[0]->anim.PaletteRow(), 16);
    EXPECT_EQ(firing[0]->anim.PaletteRow(), 2);
    EXPECT_EQ(glow[0]->weaponLevel, 0) << "only the firing muzzle carries the shot";
    EXPECT_EQ(firing[0]->weaponLevel, 3);
    EXPECT_EQ(New("PlayerWeapons", "BusterShotL").size(), 1u);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_TSHT_L.WAV", 1));
    EXPECT_EQ(s.Played("VO_PL00\\ROOK_KIAI7.WAV", -1), shout);
    EXPECT_EQ(s.animation, "FireRecoil");
    EXPECT_EQ(s.fireTimer, 34);
    EXPECT_EQ(s.paletteRow, 1) << "the long pose flashes again after the release cleared it";
    for (int i = 0; i < 5; ++i) s = Step();
    EXPECT_EQ(s.paletteRow, 1);
    EXPECT_EQ(Step().paletteRow, 0) << "the flash ends as the pose passes 29";

    // The cool-down ignores presses; a release ends it.
    EXPECT_EQ(Step("press keyattack1").counter, -7);
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_EQ(Step("release keyattack1").counter, 0);
    EXPECT_EQ(Step().counter, 0);
}

TEST_F(ShootingTest, MuzzlesStartAtTheFiringPoint) {
    // Seen before their first update moves them to the parent offset.
    const Vector2 at = hero().position;
    HeroFire(game(), 0);
    const auto muzzles = Objects("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->position, at + Vector2(49.25f, 32.0f));
    hero().direction = -1;
    hero().counter = 90;
    HeroFire(game(), 0);
    const auto glow = Objects("PlayerFX", "ChargeRecoil2");
    const auto firing = Objects("PlayerFX", "ChargeRecoil");
    ASSERT_EQ(glow.size(), 1u);
    ASSERT_EQ(firing.size(), 1u);
    EXPECT_EQ(firing[0]->position.x, at.x + 16.75f);
    EXPECT_EQ(glow[0]->position, at + Vector2(16.75f, 24.0f));
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
    const FrameState s = Step("release keyattack1");
    EXPECT_EQ(s.animation, "Walk");
    EXPECT_EQ(hero().anim.texture, kFireSheet);
    EXPECT_EQ(New("PlayerWeapons", "BusterShotL").size(), 1u);
}

TEST_F(ShootingTest, Attack2ChargesOnlyFromItsPressAndFiresWeaponZero) {
    hero().weapons.assign(3, hero().weapons[0]);
    hero().currentWeapon = 2;
    Step("press keyattack2");
    ASSERT_EQ(New("PlayerFX", "Recoil").size(), 1u);
    EXPECT_EQ(New("PlayerFX", "Recoil")[0]->weaponIndex, 0);
    for (int i = 1; i < 89; ++i) Step();
    FrameState s = Step("release keyattack2");
    EXPECT_EQ(New("PlayerFX", "ChargeRecoil")[0]->weaponIndex, 0);

    // Pressed during the cool-down and held: back to 0 and it stays there.
    s = Step("press keyattack2");
    for (int i = 0; i < 23; ++i) s = Step();
    EXPECT_EQ(s.counter, 0);

    // Attack1 fires the current weapon; held through a cool-down it starts
    // a new charge by itself, without a shot.
    Step("release keyattack2, press keyattack1");
    EXPECT_EQ(New("PlayerFX", "Recoil")[0]->weaponIndex, 2);
    for (int i = 1; i < 89; ++i) Step();
    Step("release keyattack1");
    for (int i = 0; i < 14; ++i) s = Step(i == 0 ? "press keyattack1" : "");
    EXPECT_EQ(s.counter, 0);
    s = Step();
    EXPECT_EQ(s.counter, 2) << "1 from the held Attack1, then the update";
    EXPECT_TRUE(New("PlayerFX", "Recoil").empty());
    EXPECT_TRUE(s.sounds.empty());
}

TEST_F(ShootingTest, ChargeSoundsAndFlashingOnChannelOneUntilTheShotCutsTheLoop) {
    Step("press keyattack1");
    std::vector<SoundRequest> cannon;  // channel-1 requests
    for (int frame = 6; frame <= 93; ++frame) {
        const FrameState s = Step();
        const int c = s.counter;
        SCOPED_TRACE("counter " + std::to_string(c));
        ASSERT_EQ(c, frame - 3);
        for (const SoundRequest& r : s.sounds)
            if (r.channel == 1) cannon.push_back(r);
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_ENTAME.WAV", 1), c == 25);
        // Asked for whenever channel 1 is silent: with no device, past 30.
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_ENLOOP.WAV", 1), c > 30);
        const bool flash = (c / 2) % 2 == 1;
        if (c >= 25) {
            EXPECT_EQ(s.paletteRow, flash ? (c >= 90 ? 7 : 6) : 0);
        }
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), c >= 90 ? "Charge" : "Stand");
    }
    ASSERT_FALSE(cannon.empty());
    EXPECT_EQ(cannon.back().loops, -1);

    FrameState s = Step("release keyattack1");
    ASSERT_FALSE(s.sounds.empty());
    EXPECT_EQ(s.sounds[0].name, "SE_PL00\\ROOK_TSHT_L.WAV");
    EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Stand");
    for (int i = 0; i < 30; ++i) EXPECT_FALSE(Step().Played("SE_PL00\\ROOK_ENLOOP.WAV", 1));
}

TEST_F(ShootingTest, TheFullChargeLookWaitsWhileFrozen) {
    hero().health = 5.0f;
    game().flow.pendingHealth = 10.0f;  // a refill freezes this frame
    hero().counter = 94;
    for (int i = 0; i < 3; ++i) {
        const FrameState s = Step();
        ASSERT_TRUE(game().flow.frozen);
        EXPECT_EQ(s.counter, 95) << "no update while frozen";
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Stand");
        EXPECT_EQ(s.paletteRow, 6) << "(95 / 2) is odd: the level 2 flash";
    }
    game().flow.pendingHealth = 0.0f;
    for (int row : {7, 0, 0, 7, 7}) {  // counters 95 ... 99
        const FrameState s = Step();
        EXPECT_FALSE(game().flow.frozen);
        EXPECT_EQ(AnimationName(game().player.chargeOrb->anim), "Charge");
        EXPECT_EQ(s.paletteRow, row) << s.counter;
    }
}

TEST_F(ShootingTest, AnOrbRemovedByAScriptIsNoLongerTouched) {
    game().player.chargeOrb->health = 0.0f;  // dies in the next update
    hero().counter = 93;
    Step();
    EXPECT_EQ(game().player.chargeOrb, nullptr);
    EXPECT_TRUE(Objects("PlayerFX", "ChargeOrb").empty());
    EXPECT_EQ(Step().paletteRow, 7) << "the hero still flashes";
}

TEST_F(ShootingTest, MuzzlesReachFurtherWhileDashing) {
    Step("press keydash");
    // "Dash" frames: 0 for the press frame and two more, 1 for two, 2 for four.
    const struct {
        int stepsBefore;
        float y;
    } rows[] = {{0, 32.0f}, {2, 32.0f}, {1, 42.0f}, {3, 46.0f}};
    for (const auto& row : rows) {
        for (int i = 0; i < row.stepsBefore; ++i) Step();
        Step("press keyattack1, release keyattack1");
        const auto muzzles = New("PlayerFX", "Recoil");
        ASSERT_EQ(muzzles.size(), 1u);
        EXPECT_EQ(muzzles[0]->parentOffset, Vector2(64.0f, row.y)) << row.stepsBefore;
        EXPECT_EQ(AnimationName(hero().anim), "Dash") << "the dash pose stays";
    }
    while (hero().dashTimer != 0) Step();
    StandAt(400.0f, -1);
    Step("press keydash");
    Step("press keyattack1, release keyattack1");
    const auto muzzles = New("PlayerFX", "Recoil");
    ASSERT_EQ(muzzles.size(), 1u);
    EXPECT_EQ(muzzles[0]->parentOffset.x, -6.0f) << "7 - 13 facing left";
}

TEST(ChangeWeapon, CyclesWithWrapAroundAndPassesOverIndexOne) {
    GameObject hero;
    const struct {
        int count, from, step, expected;
    } cases[] = {
        {1, 0, 1, 0}, {1, 0, -1, 0}, {2, 0, 1, 0},  {2, 0, -1, 0}, {4, 0, 1, 2},
        {4, 2, 1, 3}, {4, 3, 1, 0},  {4, 0, -1, 3}, {4, 3, -1, 2}, {4, 2, -1, 0},
        {4, 2, 0, 2}, {3, 2, 1, 0},  {3, 0, -1, 2}, {0, 0, 1, 0},  {0, 0, -1, 0},
    };
    for (const auto& c : cases) {
        hero.weapons.assign(c.count, WeaponGroup());
        hero.currentWeapon = c.from;
        ChangeWeapon(hero, c.step);
        EXPECT_EQ(hero.currentWeapon, c.expected)
            << c.count << " weapons, from " << c.from << " by " << c.step;
    }
}

TEST_F(ShootingTest, WeaponKeysCycleTheWeapons) {
    hero().weapons.assign(4, hero().weapons[0]);
    Step("press w");
    EXPECT_EQ(hero().currentWeapon, 2);
    Step("press q, release q, press q");
    EXPECT_EQ(hero().currentWeapon, 3);
    Step("press joyprevweapon");
    EXPECT_EQ(hero().currentWeapon, 2);
}

}  // namespace herotest
