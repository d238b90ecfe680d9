// Script functions for sound effects, the stage flow and quitting.
#include "ScriptFixture.h"

namespace {

TEST_F(ScriptTest, PlaySoundUsesAnyFreeChannelOnce) {
    ASSERT_TRUE(
        Run("PlaySound('SE_PL00\\\\ROOK_Jump.WAV') PlaySound() PlaySound({}) PlaySound(12)"));
    ASSERT_EQ(sounds.size(), 4u);
    EXPECT_EQ(sounds[0].name, "SE_PL00\\ROOK_Jump.WAV");
    EXPECT_EQ(sounds[1].name, "");
    EXPECT_EQ(sounds[2].name, "");
    EXPECT_EQ(sounds[3].name, "12");
    for (const SoundRequest& request : sounds) {
        EXPECT_EQ(request.channel, -1);
        EXPECT_EQ(request.loops, 0);
    }
}

TEST_F(ScriptTest, FadeToStageAndQuitReachTheGame) {
    ASSERT_TRUE(Run("FadeToStage('Stage 2')"));
    EXPECT_EQ(world().nextStage, "Stage 2");
    EXPECT_EQ(game().fade.mode, 2);
    game().fade.mode = 0;
    ASSERT_TRUE(Run("FadeToStage()"));
    EXPECT_EQ(world().nextStage, "");
    EXPECT_EQ(game().fade.mode, 2);
    EXPECT_FALSE(game().quit);
    ASSERT_TRUE(Run("Quit()"));
    EXPECT_TRUE(game().quit);
}

}  // namespace
