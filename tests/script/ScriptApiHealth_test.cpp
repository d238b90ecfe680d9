// Script functions on health and damage, the hero's refill included.
#include <cstdlib>

#include "ScriptFixture.h"

namespace {

TEST_F(ScriptTest, AddHealthIsCappedAndHasNoFloor) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    walker->health = 10.0f;
    ASSERT_TRUE(Run("AddHealth(w, 4)"));
    EXPECT_EQ(walker->health, 14.0f);
    ASSERT_TRUE(Run("AddHealth(w, 0)"));
    EXPECT_EQ(walker->health, 14.0f);
    ASSERT_TRUE(Run("AddHealth(w, 100)"));
    EXPECT_EQ(walker->health, 20.0f);
    ASSERT_TRUE(Run("AddHealth(w, -30)"));
    EXPECT_EQ(walker->health, -10.0f);
    ASSERT_TRUE(Run("AddHealth(w, 2.5)"));
    EXPECT_EQ(walker->health, -7.5f);
    EXPECT_EQ(walker->maxHealth, 20.0f);
}

TEST_F(ScriptTest, SetHealthSetsHealthAndItsCap) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    ASSERT_TRUE(Run("SetHealth(w, 7.5)"));
    EXPECT_EQ(walker->health, 7.5f);
    EXPECT_EQ(walker->maxHealth, 7.5f);
    EXPECT_EQ(Number("GetHealth(w)"), 7.5);
    ASSERT_TRUE(Run("AddHealth(w, 1)"));
    EXPECT_EQ(walker->health, 7.5f);

    // Numbers in strings convert; anything else reads 0.
    ASSERT_TRUE(Run("SetHealth(w, '12')"));
    EXPECT_EQ(walker->health, 12.0f);
    ASSERT_TRUE(Run("SetHealth(w, 'lots')"));
    EXPECT_EQ(walker->health, 0.0f);
    ASSERT_TRUE(Run("SetHealth(w, 5) SetHealth(w, {})"));
    EXPECT_EQ(walker->health, 0.0f);
}

TEST_F(ScriptTest, TakeDamageOfZeroDoesNothingAndNegativeDamageHeals) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    ASSERT_TRUE(Run("TakeDamage(w, 0)"));
    EXPECT_EQ(walker->health, 20.0f);
    EXPECT_FALSE(walker->hitFlash);
    ASSERT_TRUE(Run("TakeDamage(w, 1e-50)"));  // 0 as a 32-bit float
    EXPECT_EQ(walker->health, 20.0f);
    EXPECT_FALSE(walker->hitFlash);

    ASSERT_TRUE(Run("TakeDamage(w, -5)"));
    EXPECT_EQ(walker->health, 25.0f);  // no cap
    EXPECT_TRUE(walker->hitFlash);

    walker->hitFlash = false;
    ASSERT_TRUE(Run("TakeDamage(w, 2.5)"));
    EXPECT_EQ(walker->health, 22.5f);
    EXPECT_TRUE(walker->hitFlash);
    EXPECT_EQ(Number("GetHealth(w)"), 22.5);
}

TEST_F(ScriptTest, DamagePlayerHurtsAndPlaysOneOfTheTwoVoices) {
    GameObject* rook = Make("Rook", "Player");
    SetHandle("rook", rook);
    bool heard[2] = {false, false};
    for (unsigned seed = 1; seed <= 16; ++seed) {
        rook->health = 20.0f;
        rook->hurtTimer = 0;
        rook->gravity = true;
        sounds.clear();
        std::srand(seed);
        const int voice = std::rand() % 2;
        heard[voice] = true;
        std::srand(seed);
        ASSERT_TRUE(Run("DamagePlayer(rook, 3)"));
        EXPECT_EQ(rook->health, 17.0f);
        EXPECT_EQ(rook->hurtTimer, 73);
        EXPECT_FALSE(rook->gravity);
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].name,
                  voice == 0 ? "VO_PL00\\ROOK_DAMAG1.WAV" : "VO_PL00\\ROOK_DAMAG2.WAV");
        EXPECT_EQ(sounds[0].channel, 2);
        EXPECT_EQ(sounds[0].loops, 0);
    }
    EXPECT_TRUE(heard[0] && heard[1]);

    rook->health = 20.0f;
    rook->hurtTimer = 0;
    rook->gravity = true;
    sounds.clear();
    ASSERT_TRUE(Run("DamagePlayer(rook, 0) DamagePlayer(rook, -2) DamagePlayer(rook)"));
    EXPECT_EQ(rook->health, 20.0f);
    EXPECT_EQ(rook->hurtTimer, 0);
    EXPECT_TRUE(rook->gravity);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(ScriptTest, AddPlayerHealthReplacesThePendingAmount) {
    ASSERT_TRUE(Run("AddPlayerHealth(4)"));
    EXPECT_EQ(game().flow.pendingHealth, 4.0f);
    ASSERT_TRUE(Run("AddPlayerHealth(2.5)"));
    EXPECT_EQ(game().flow.pendingHealth, 2.5f);
    ASSERT_TRUE(Run("AddPlayerHealth()"));
    EXPECT_EQ(game().flow.pendingHealth, 0.0f);
}

}  // namespace
