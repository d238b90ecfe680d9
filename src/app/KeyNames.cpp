#include "app/KeyNames.h"

#include <SDL_keysym.h>

#include <map>

#include "core/DataPath.h"

namespace {

struct KeyNameEntry {
    int code;
    const char* name;
};

// Spelled exactly as SDL 1.2's SDL_GetKeyName spells them; the "world"
// keys 160..255 are added in code.
// clang-format off
const KeyNameEntry kKeyNames[] = {
    {SDLK_BACKSPACE, "backspace"}, {SDLK_TAB, "tab"}, {SDLK_CLEAR, "clear"},
    {SDLK_RETURN, "return"}, {SDLK_PAUSE, "pause"}, {SDLK_ESCAPE, "escape"},
    {SDLK_SPACE, "space"}, {SDLK_EXCLAIM, "!"}, {SDLK_QUOTEDBL, "\""}, {SDLK_HASH, "#"},
    {SDLK_DOLLAR, "$"}, {SDLK_AMPERSAND, "&"}, {SDLK_QUOTE, "'"}, {SDLK_LEFTPAREN, "("},
    {SDLK_RIGHTPAREN, ")"}, {SDLK_ASTERISK, "*"}, {SDLK_PLUS, "+"}, {SDLK_COMMA, ","},
    {SDLK_MINUS, "-"}, {SDLK_PERIOD, "."}, {SDLK_SLASH, "/"}, {SDLK_0, "0"}, {SDLK_1, "1"},
    {SDLK_2, "2"}, {SDLK_3, "3"}, {SDLK_4, "4"}, {SDLK_5, "5"}, {SDLK_6, "6"}, {SDLK_7, "7"},
    {SDLK_8, "8"}, {SDLK_9, "9"}, {SDLK_COLON, ":"}, {SDLK_SEMICOLON, ";"}, {SDLK_LESS, "<"},
    {SDLK_EQUALS, "="}, {SDLK_GREATER, ">"}, {SDLK_QUESTION, "?"}, {SDLK_AT, "@"},
    {SDLK_LEFTBRACKET, "["}, {SDLK_BACKSLASH, "\\"}, {SDLK_RIGHTBRACKET, "]"},
    {SDLK_CARET, "^"}, {SDLK_UNDERSCORE, "_"}, {SDLK_BACKQUOTE, "`"}, {SDLK_a, "a"},
    {SDLK_b, "b"}, {SDLK_c, "c"}, {SDLK_d, "d"}, {SDLK_e, "e"}, {SDLK_f, "f"}, {SDLK_g, "g"},
    {SDLK_h, "h"}, {SDLK_i, "i"}, {SDLK_j, "j"}, {SDLK_k, "k"}, {SDLK_l, "l"}, {SDLK_m, "m"},
    {SDLK_n, "n"}, {SDLK_o, "o"}, {SDLK_p, "p"}, {SDLK_q, "q"}, {SDLK_r, "r"}, {SDLK_s, "s"},
    {SDLK_t, "t"}, {SDLK_u, "u"}, {SDLK_v, "v"}, {SDLK_w, "w"}, {SDLK_x, "x"}, {SDLK_y, "y"},
    {SDLK_z, "z"}, {SDLK_DELETE, "delete"}, {SDLK_KP0, "[0]"}, {SDLK_KP1, "[1]"},
    {SDLK_KP2, "[2]"}, {SDLK_KP3, "[3]"}, {SDLK_KP4, "[4]"}, {SDLK_KP5, "[5]"},
    {SDLK_KP6, "[6]"}, {SDLK_KP7, "[7]"}, {SDLK_KP8, "[8]"}, {SDLK_KP9, "[9]"},
    {SDLK_KP_PERIOD, "[.]"}, {SDLK_KP_DIVIDE, "[/]"}, {SDLK_KP_MULTIPLY, "[*]"},
    {SDLK_KP_MINUS, "[-]"}, {SDLK_KP_PLUS, "[+]"}, {SDLK_KP_ENTER, "enter"},
    {SDLK_KP_EQUALS, "equals"}, {SDLK_UP, "up"}, {SDLK_DOWN, "down"}, {SDLK_RIGHT, "right"},
    {SDLK_LEFT, "left"}, {SDLK_INSERT, "insert"}, {SDLK_HOME, "home"}, {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"}, {SDLK_PAGEDOWN, "page down"}, {SDLK_F1, "f1"}, {SDLK_F2, "f2"},
    {SDLK_F3, "f3"}, {SDLK_F4, "f4"}, {SDLK_F5, "f5"}, {SDLK_F6, "f6"}, {SDLK_F7, "f7"},
    {SDLK_F8, "f8"}, {SDLK_F9, "f9"}, {SDLK_F10, "f10"}, {SDLK_F11, "f11"}, {SDLK_F12, "f12"},
    {SDLK_F13, "f13"}, {SDLK_F14, "f14"}, {SDLK_F15, "f15"}, {SDLK_NUMLOCK, "numlock"},
    {SDLK_CAPSLOCK, "caps lock"}, {SDLK_SCROLLOCK, "scroll lock"},
    {SDLK_RSHIFT, "right shift"}, {SDLK_LSHIFT, "left shift"}, {SDLK_RCTRL, "right ctrl"},
    {SDLK_LCTRL, "left ctrl"}, {SDLK_RALT, "right alt"}, {SDLK_LALT, "left alt"},
    {SDLK_RMETA, "right meta"}, {SDLK_LMETA, "left meta"}, {SDLK_LSUPER, "left super"},
    {SDLK_RSUPER, "right super"}, {SDLK_MODE, "alt gr"}, {SDLK_COMPOSE, "compose"},
    {SDLK_HELP, "help"}, {SDLK_PRINT, "print screen"}, {SDLK_SYSREQ, "sys req"},
    {SDLK_BREAK, "break"}, {SDLK_MENU, "menu"}, {SDLK_POWER, "power"}, {SDLK_EURO, "euro"},
    {SDLK_UNDO, "undo"},
};
// clang-format on

const std::map<int, std::string>& NamesByCode() {
    static const std::map<int, std::string> names = [] {
        std::map<int, std::string> built;
        for (const KeyNameEntry& entry : kKeyNames) built[entry.code] = entry.name;
        for (int world = 0; world <= SDLK_WORLD_95 - SDLK_WORLD_0; ++world)
            built[SDLK_WORLD_0 + world] = "world " + std::to_string(world);
        return built;
    }();
    return names;
}

const std::map<std::string, int>& CodesByName() {
    static const std::map<std::string, int> codes = [] {
        std::map<std::string, int> built;
        for (const auto& entry : NamesByCode()) built[LowerCase(entry.second)] = entry.first;
        return built;
    }();
    return codes;
}

}  // namespace

std::string KeyName(int code) {
    auto found = NamesByCode().find(code);
    return found == NamesByCode().end() ? std::string() : found->second;
}

int KeyCodeFromName(const std::string& name) {
    auto found = CodesByName().find(LowerCase(name));
    return found == CodesByName().end() ? kNoKey : found->second;
}
