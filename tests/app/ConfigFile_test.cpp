// The two configuration files: the shared line rules through game.cfg, the
// bindings and key names through input.cfg.
#include <SDL_keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "app/InputBindings.h"
#include "player/StageFlow.h"
#include "support/TestSupport.h"

namespace {

std::string ReadOpeningStage(const std::string& text) {
    const std::string dir = MakeTempDir("gamecfg");
    WriteFile(dir + "/data/game.cfg", text);
    ScopedWorkingDirectory cwd(dir);
    StageFlow flow;
    flow.openingStage = "unset";
    EXPECT_TRUE(flow.ReadGameConfig("Data\\game.cfg"));
    return flow.openingStage;
}

struct InputResult {
    InputBindings bindings;
    std::string output;
};

void ReadBindings(const std::string& text, InputResult& result) {
    const std::string dir = MakeTempDir("inputcfg");
    WriteFile(dir + "/input.cfg", text);
    ScopedWorkingDirectory cwd(dir);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(result.bindings.ReadInputConfig("input.cfg"));
    result.output = testing::internal::GetCapturedStdout();
}

int ActionOfKey(const InputBindings& bindings, int code) {
    auto found = bindings.keys.find(code);
    return found == bindings.keys.end() ? -1 : found->second;
}

}  // namespace

TEST(GameConfig, LineRules) {
    // Written as "data/game.cfg", read as "Data\game.cfg".
    EXPECT_EQ(ReadOpeningStage("OpeningStage=Foundry\n"), "Foundry");
    EXPECT_EQ(ReadOpeningStage("OpeningStage=Foundry"), "Foundry") << "no final newline";
    EXPECT_EQ(ReadOpeningStage(";OpeningStage=Commented\n"), "unset");
    EXPECT_EQ(ReadOpeningStage("OpeningStage=\n"), "");
    EXPECT_EQ(ReadOpeningStage("OpeningStage=   \t\n"), "");
    EXPECT_EQ(ReadOpeningStage("OpeningStage=  Foundry2 extra words\n"), "Foundry2");
    EXPECT_EQ(ReadOpeningStage(" OpeningStage=Spaced\n"), "unset");
    EXPECT_EQ(ReadOpeningStage("OpeningStage =Spaced\n"), "unset");
    EXPECT_EQ(ReadOpeningStage("openingstage=Lower\n"), "unset") << "keys are case-sensitive";
    EXPECT_EQ(ReadOpeningStage("OpeningStage Foundry\n\n"), "unset") << "no '='";
    EXPECT_EQ(ReadOpeningStage("OpeningStage=First\nOpeningStage=Second\n"), "Second");
    EXPECT_EQ(ReadOpeningStage("OpeningStage=A=B\n"), "A=B") << "only the first '=' splits";
    EXPECT_EQ(ReadOpeningStage("OpeningStage=Foundry\r\n"), "Foundry");
    EXPECT_EQ(ReadOpeningStage("Unknown=1\nOpeningStage=Foundry\n"), "Foundry");
}

TEST(GameConfig, LongLinesNeverSpillIntoTheNextLine) {
    const std::string longComment = ";" + std::string(600, 'x') + "OpeningStage=Spilled\n";
    EXPECT_EQ(ReadOpeningStage(longComment + "OpeningStage=Foundry\n"), "Foundry");
    const std::string longName(400, 'n');
    EXPECT_EQ(ReadOpeningStage("OpeningStage=" + longName + "\n"), longName);
    const std::string longJunk = std::string(300, 'j') + "\nOpeningStage=After\n";
    EXPECT_EQ(ReadOpeningStage(longJunk), "After");
}

TEST(GameConfig, MissingFileIsReported) {
    const std::string dir = MakeTempDir("gamecfg-missing");
    ScopedWorkingDirectory cwd(dir);
    StageFlow flow;
    EXPECT_FALSE(flow.ReadGameConfig("Data\\game.cfg"));
    EXPECT_EQ(flow.openingStage, "");
    InputBindings bindings;
    EXPECT_FALSE(bindings.ReadInputConfig("input.cfg"));
    EXPECT_TRUE(bindings.keys.empty());
}

TEST(InputConfig, NumbersBindKeysAndButtons) {
    InputResult r;
    ReadBindings(
        "keyjump=122\n"
        "keyattack1= 120 trailing words\n"
        "keydash=+99\n"
        "keyup=-5\n"
        "keyleft=276abc\n"
        "joyjump=0\n"
        "joyattack1=  7\n"
        "joynextweapon=12\n",
        r);
    EXPECT_EQ(ActionOfKey(r.bindings, 122), Jump);
    EXPECT_EQ(ActionOfKey(r.bindings, 120), Attack1);
    EXPECT_EQ(ActionOfKey(r.bindings, 99), Dash);
    EXPECT_EQ(ActionOfKey(r.bindings, -5), Up);
    EXPECT_EQ(ActionOfKey(r.bindings, 276), Left);
    EXPECT_EQ(r.bindings.keys.size(), 5u);
    EXPECT_EQ(r.bindings.joystickButtons,
              (std::map<int, int>{{0, Jump}, {7, Attack1}, {12, NextWeapon}}));
    EXPECT_EQ(r.output, "");
}

TEST(InputConfig, EveryKeyOfTheFileDrivesItsAction) {
    InputResult r;
    ReadBindings(
        "keyup=1000\nkeydown=1001\nkeyleft=1002\nkeyright=1003\nkeydash=1004\nkeyjump=1005\n"
        "keyattack1=1006\nkeyattack2=1007\nkeyprevweapon=1008\nkeynextweapon=1009\n"
        "joydash=1\njoyjump=2\njoyattack1=3\njoyattack2=4\njoyprevweapon=5\njoynextweapon=6\n",
        r);
    EXPECT_EQ(r.bindings.keys, (std::map<int, int>{{1000, Up},
                                                   {1001, Down},
                                                   {1002, Left},
                                                   {1003, Right},
                                                   {1004, Dash},
                                                   {1005, Jump},
                                                   {1006, Attack1},
                                                   {1007, Attack2},
                                                   {1008, PrevWeapon},
                                                   {1009, NextWeapon}}));
    EXPECT_EQ(
        r.bindings.joystickButtons,
        (std::map<int, int>{
            {1, Dash}, {2, Jump}, {3, Attack1}, {4, Attack2}, {5, PrevWeapon}, {6, NextWeapon}}));
}

TEST(InputConfig, RebindingAndSeveralCodesForOneAction) {
    InputResult r;
    ReadBindings("keyjump=122\nkeydash=122\nkeyattack1=120\nkeyattack1=32\n", r);
    EXPECT_EQ(r.bindings.keys, (std::map<int, int>{{122, Dash}, {120, Attack1}, {32, Attack1}}));

    InputResult spaced;
    ReadBindings(" keyjump=122\nkeyjump =123\n;keyjump=124\nkeyjump\n", spaced);
    EXPECT_TRUE(spaced.bindings.keys.empty());
    EXPECT_EQ(spaced.output, "");
}

TEST(InputConfig, KeyNamesInAnyCase) {
    InputResult r;
    ReadBindings(
        "keyjump=Z\n"
        "keyleft=left\n"
        "keyright=RIGHT\n"
        "keydash=Left Ctrl\n"
        "keyattack1=space ; the fire key\n"
        "keyattack2=page   up\n"
        "keyprevweapon=[1]\n"
        "keynextweapon=-\n"
        "keyup=world 7\n",
        r);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_z), Jump);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_LEFT), Left);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_RIGHT), Right);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_LCTRL), Dash);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_SPACE), Attack1);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_PAGEUP), Attack2);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_KP1), PrevWeapon);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_MINUS), NextWeapon);
    EXPECT_EQ(ActionOfKey(r.bindings, SDLK_WORLD_7), Up);
    EXPECT_EQ(r.bindings.keys.size(), 9u);
    EXPECT_EQ(r.output, "");
}

TEST(InputConfig, UnknownNamesBindNothingAndSayOneLineEach) {
    InputResult r;
    ReadBindings("keyjump=jumpkey\nkeydash=\njoyjump=z\nkeyattack1=x\n", r);
    EXPECT_EQ(r.bindings.keys, (std::map<int, int>{{SDLK_x, Attack1}}));
    EXPECT_TRUE(r.bindings.joystickButtons.empty());
    EXPECT_EQ(r.output,
              "input.cfg: unknown key name \"jumpkey\" (keyjump binds nothing)\n"
              "input.cfg: unknown key name \"\" (keydash binds nothing)\n"
              "input.cfg: \"z\" is not a joystick button number (joyjump binds nothing)\n");
}

TEST(InputConfig, ShippedFileBindsTheDocumentedKeys) {
    ScopedWorkingDirectory cwd(GameDir());
    InputBindings bindings;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(bindings.ReadInputConfig("input.cfg"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bindings.keys, (std::map<int, int>{{SDLK_LEFT, Left},
                                                 {SDLK_RIGHT, Right},
                                                 {SDLK_UP, Up},
                                                 {SDLK_DOWN, Down},
                                                 {SDLK_z, Jump},
                                                 {SDLK_x, Attack1},
                                                 {SDLK_c, Dash},
                                                 {SDLK_a, Attack2},
                                                 {SDLK_q, PrevWeapon},
                                                 {SDLK_w, NextWeapon}}));
    StageFlow flow;
    ASSERT_TRUE(flow.ReadGameConfig("Data\\game.cfg"));
    EXPECT_EQ(flow.openingStage, "Foundry");
}
