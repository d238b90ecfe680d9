// Our key-name table against SDL's own, which exists only once video is up
// (the tests run with SDL's dummy video driver).
#include "app/KeyNames.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

TEST(KeyNames, SpelledAsSdlSpellsThem) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    int named = 0;
    for (int code = 0; code < SDLK_LAST; ++code) {
        std::string sdlName = SDL_GetKeyName(static_cast<SDLKey>(code));
        if (sdlName == "unknown key") sdlName.clear();
        EXPECT_EQ(KeyName(code), sdlName) << "code " << code;
        if (!sdlName.empty()) {
            ++named;
            EXPECT_EQ(KeyCodeFromName(sdlName), code) << sdlName;
        }
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(named, 231);
}

TEST(KeyNames, LookupIgnoresCaseOnly) {
    EXPECT_EQ(KeyCodeFromName("LEFT CTRL"), SDLK_LCTRL);
    EXPECT_EQ(KeyCodeFromName("Page Down"), SDLK_PAGEDOWN);
    EXPECT_EQ(KeyCodeFromName("F12"), SDLK_F12);
    EXPECT_EQ(KeyCodeFromName("left  ctrl"), -1);
    EXPECT_EQ(KeyCodeFromName(" left"), -1);
    EXPECT_EQ(KeyCodeFromName(""), -1);
    EXPECT_EQ(KeyCodeFromName("unknown key"), -1);
    EXPECT_EQ(KeyName(-1), "");
    EXPECT_EQ(KeyName(SDLK_LAST), "");
}
