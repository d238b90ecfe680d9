// The hero as start-up builds it, without a window.
#include "app/Startup.h"

#include <gtest/gtest.h>

#include "app/Game.h"
#include "support/TestSupport.h"

TEST(Startup, CreatesTheHeroWithItsWeaponAndChargeOrb) {
    const std::string dir = MakeTempDir("startup");
    WriteFile(dir + "/data/objects/weapons/Rook Buster.weapon", "LVL1 BusterShot Speed 6 Power 1\n");
    ScopedWorkingDirectory cwd(dir);
    Game game;
    testing::internal::CaptureStdout();  // the sheets are missing here
    CreateHero(game);
    testing::internal::GetCapturedStdout();

    ASSERT_NE(game.hero, nullptr);
    EXPECT_EQ(game.hero, &game.world.List("Player").front());
    ASSERT_EQ(game.hero->weapons.size(), 1u);
    ASSERT_EQ(game.hero->weapons[0].levels.size(), 1u);
    EXPECT_EQ(game.hero->weapons[0].levels[0].objectName, "BusterShot");
    EXPECT_NE(game.world.animationSets.Find("Player\\Rook Fire"), nullptr);
    EXPECT_EQ(game.flow.hero, game.hero);
    EXPECT_EQ(game.flow.camera, &game.camera);

    ASSERT_NE(game.player.chargeOrb, nullptr);
    const GameObject& orb = *game.player.chargeOrb;
    EXPECT_EQ(&orb, &game.world.List("PlayerFX").front());
    EXPECT_EQ(orb.parent, game.hero);
    EXPECT_EQ(orb.parentOffset, Vector2(8.0f, 16.0f));
    EXPECT_FLOAT_EQ(orb.anim.paletteIndex, 5.0f / 32.0f);
}
