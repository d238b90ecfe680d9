// Script functions on health and damage, the hero's refill included.
#include <cstdlib>

#include "ScriptFixture.h"

namespace {

TEST_F(ScriptTest, HealthCallsInSequence) {
    GameObject* walker = Make("Walker", "Enemies");  // cap 20
    SetHandle("w", walker);
    walker->health = 10.0f;
    struct Step {
        const char* call;
        float health, maxHealth;
        bool flash;
    };
    const Step steps[] = {
        {"AddHealth(w, 4) AddHealth(w, 0)", 14.0f, 20.0f, false},
        {"AddHealth(w, 100)", 20.0f, 20.0f, false},  // capped
        {"AddHealth(w, -30)", -10.0f, 20.0f, false},  // no floor
        {"AddHealth(w, 2.5)", -7.5f, 20.0f, false},
        {"SetHealth(w, 7.5) AddHealth(w, 1)", 7.5f, 7.5f, false},  // sets the cap too
        {"SetHealth(w, '12')", 12.0f, 12.0f, false},  // numbers in strings convert
        {"SetHealth(w, 'lots')", 0.0f, 0.0f, false},
        {"SetHealth(w, 5) SetHealth(w, {})", 0.0f, 0.0f, false},
        {"SetHealth(w, 20) TakeDamage(w, 0) TakeDamage(w, 1e-50)", 20.0f, 20.0f, false},
        {"TakeDamage(w, -5)", 25.0f, 20.0f, true},  // negative damage heals past the cap
        {"TakeDamage(w, 2.5)", 22.5f, 20.0f, true},
    };
    for (const Step& s : steps) {
        walker->hitFlash = false;
        ASSERT_TRUE(Run(s.call));
        EXPECT_EQ(walker->health, s.health) << s.call;
        EXPECT_EQ(walker->maxHealth, s.maxHealth) << s.call;
        EXPECT_EQ(walker->hitFlash, s.flash) << s.call;
        EXPECT_EQ(Number("GetHealth(w)"), s.health) << s.call;
    }
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
        EXPECT_EQ(sounds[0].name, voice == 0 ? "VO_PL00\\ROOK_DAMAG1.WAV" : "VO_PL00\\ROOK_DAMAG2.WAV");
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
    for (const auto& c : {std::make_pair("AddPlayerHealth(4)", 4.0f),
                          std::make_pair("AddPlayerHealth(2.5)", 2.5f),
                          std::make_pair("AddPlayerHealth()", 0.0f)}) {
        ASSERT_TRUE(Run(c.first));
        EXPECT_EQ(game().flow.pendingHealth, c.second) << c.first;
    }
}

}  // namespace
