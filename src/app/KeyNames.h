// KeyNames: SDL 1.2 key symbols by the names SDL_GetKeyName gives them
// ("left", "z", "space", "left ctrl", "[1]" on the keypad...). The table is
// our own copy because input.cfg is read before SDL starts, when SDL's own
// name table is still empty.
#pragma once

#include <string>

// The name of a key symbol; "" when the code has none.
std::string KeyName(int code);

constexpr int kNoKey = -1;

// The key symbol of a name, matched without regard to case; kNoKey when no
// key has that name.
int KeyCodeFromName(const std::string& name);
