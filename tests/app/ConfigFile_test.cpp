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
    WriteFile(dir + "/data/game.cfg", text);  // read as "Data\game.cfg"
    ScopedWorkingDirectory cwd(dir);
    StageFlow flow;
    flow.openingStage = "unset";
    EXPECT_TRUE(flow.ReadGameConfig("Data\\game.cfg"));
    return flow.openingStage;
}

// The bindings read from this input.cfg; `output` gets what was printed.
InputBindings ReadBindings(const std::string& text, std::string* output = nullptr) {
    const std::string dir = MakeTempDir("inputcfg");
    WriteFile(dir + "/input.cfg", text);
    ScopedWorkingDirectory cwd(dir);
    InputBindings bindings;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(bindings.ReadInputConfig("input.cfg"));
    const std::string printed = testing::internal::GetCapturedStdout();
    if (output) {
        *output = printed;
    } else {
        EXPECT_EQ(printed, "") << text;
    }
    return bindings;
}

using Map = std::map<int, int>;

}  // namespace

TEST(GameConfig, LineRules) {
    const std::string longName(400, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {"OpeningStage=Foundry\n", "Foundry"},
        {"OpeningStage=Foundry", "Foundry"},  // no final newline
        {";OpeningStage=Commented\n", "unset"},
        {"OpeningStage=   \t\n", ""},
        {"OpeningStage=  Foundry2 extra words\n", "Foundry2"},
        {" OpeningStage=Spaced\n", "unset"},
        {"OpeningStage =Spaced\n", "unset"},
        {"openingstage=Lower\n", "unset"},  // keys are case-sensitive
        {"OpeningStage Foundry\n\n", "unset"},
        {"OpeningStage=First\nOpeningStage=Second\n", "Second"},
        {"OpeningStage=A=B\n", "A=B"},  // only the first '=' splits
        {"OpeningStage=Foundry\r\n", "Foundry"},
        {"Unknown=1\nOpeningStage=Foundry\n", "Foundry"},
        // Long lines never spill into the next line.
        {";" + std::string(600, 'x') + "OpeningStage=Spilled\nOpeningStage=Foundry\n", "Foundry"},
        {"OpeningStage=" + longName + "\n", longName},
        {std::string(300, 'j') + "\nOpeningStage=After\n", "After"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadOpeningStage(c.first), c.second) << c.first;
}

TEST(GameConfig, MissingFileIsReported) {
    ScopedWorkingDirectory cwd(MakeTempDir("gamecfg-missing"));
    StageFlow flow;
    EXPECT_FALSE(flow.ReadGameConfig("Data\\game.cfg"));
    InputBindings bindings;
    EXPECT_FALSE(bindings.ReadInputConfig("input.cfg"));
    EXPECT_TRUE(bindings.keys.empty());
}

TEST(InputConfig, EveryEntryBindsItsActionByNumberOrName) {
    InputBindings b = ReadBindings(
        "keyup=1000\nkeydown=1001\nkeyleft=1002\nkeyright=1003\nkeydash=1004\nkeyjump=1005\n"
        "keyattack1=1006\nkeyattack2=1007\nkeyprevweapon=1008\nkeynextweapon=1009\n"
        "joydash=1\njoyjump=2\njoyattack1=3\njoyattack2=4\njoyprevweapon=5\njoynextweapon=6\n");
    EXPECT_EQ(b.keys, (Map{{1000, Up}, {1001, Down}, {1002, Left}, {1003, Right},
                           {1004, Dash}, {1005, Jump}, {1006, Attack1}, {1007, Attack2},
                           {1008, PrevWeapon}, {1009, NextWeapon}}));
    EXPECT_EQ(b.joystickButtons, (Map{{1, Dash}, {2, Jump}, {3, Attack1}, {4, Attack2},
                                      {5, PrevWeapon}, {6, NextWeapon}}));

    b = ReadBindings("keyjump=122\nkeyattack1= 120 trailing words\nkeydash=+99\nkeyup=-5\n"
                     "keyleft=276abc\njoyattack1=  7\n");
    EXPECT_EQ(b.keys, (Map{{122, Jump}, {120, Attack1}, {99, Dash}, {-5, Up}, {276, Left}}));
    EXPECT_EQ(b.joystickButtons, (Map{{7, Attack1}}));

    // Key names in any case; a later line rebinds; several codes per action.
    b = ReadBindings("keyjump=Z\nkeyleft=left\nkeyright=RIGHT\nkeydash=Left Ctrl\n"
                     "keyattack1=space ; the fire key\nkeyattack2=page   up\n"
                     "keyprevweapon=[1]\nkeynextweapon=-\nkeyup=world 7\n"
                     "keydown=z\nkeydown=x\n");
    EXPECT_EQ(b.keys, (Map{{SDLK_z, Down}, {SDLK_x, Down}, {SDLK_LEFT, Left}, {SDLK_RIGHT, Right},
                           {SDLK_LCTRL, Dash}, {SDLK_SPACE, Attack1}, {SDLK_PAGEUP, Attack2},
                           {SDLK_KP1, PrevWeapon}, {SDLK_MINUS, NextWeapon},
                           {SDLK_WORLD_7, Up}}));

    EXPECT_TRUE(ReadBindings(" keyjump=122\nkeyjump =123\n;keyjump=124\nkeyjump\n").keys.empty());
}

TEST(InputConfig, UnknownNamesBindNothingAndSayOneLineEach) {
    std::string output;
    const InputBindings b = ReadBindings("keyjump=jumpkey\nkeydash=\njoyjump=z\nkeyattack1=x\n",
                                         &output);
    EXPECT_EQ(b.keys, (Map{{SDLK_x, Attack1}}));
    EXPECT_TRUE(b.joystickButtons.empty());
    EXPECT_EQ(output,
              "input.cfg: unknown key name \"jumpkey\" (keyjump binds nothing)\n"
              "input.cfg: unknown key name \"\" (keydash binds nothing)\n"
              "input.cfg: \"z\" is not a joystick button number (joyjump binds nothing)\n");
}

TEST(InputConfig, ShippedFilesBindTheDocumentedKeys) {
    ScopedWorkingDirectory cwd(GameDir());
    InputBindings bindings;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(bindings.ReadInputConfig("input.cfg"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bindings.keys, (Map{{SDLK_LEFT, Left}, {SDLK_RIGHT, Right}, {SDLK_UP, Up},
                                  {SDLK_DOWN, Down}, {SDLK_z, Jump}, {SDLK_x, Attack1},
                                  {SDLK_c, Dash}, {SDLK_a, Attack2}, {SDLK_q, PrevWeapon},
                                  {SDLK_w, NextWeapon}}));
    StageFlow flow;
    ASSERT_TRUE(flow.ReadGameConfig("Data\\game.cfg"));
    EXPECT_EQ(flow.openingStage, "Foundry");
}
