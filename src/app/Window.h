// Window: the game's one OpenGL window, its size and fullscreen.
// A window is a whole multiple of the 320 x 240 view (WindowScale); scale 0
// asks for the largest whose window fits the desktop with room to spare for
// a title bar and the desktop's panels. Fullscreen covers the desktop at its
// own size, the view at the largest whole scale that fits, between black
// bars. Leaving fullscreen restores the window. SDL 1.2 keeps the GL context
// (and so every texture) across these changes on X11.
#pragma once

#include "app/Settings.h"
#include "render/Presentation.h"

// Room left for a title bar and the desktop's panels when scale 0 picks.
constexpr int kDesktopReserve = 64;

// The window scale a setting asks for: the setting itself from 1 to 8; for
// 0, the largest scale whose window fits the desktop less the reserve in
// height, at least 1 and at most 8.
int WindowScaleFor(int setting, int desktopWidth, int desktopHeight);

class GameWindow {
public:
    // Learns the desktop's size at the first call (SDL tells it only before
    // the first window), then opens the window as the settings say. False, with one line on
    // standard output, when no window opens at all; a fullscreen that fails
    // falls back to the window.
    bool Open(const Settings& settings);

    // Into or out of fullscreen; a change that fails keeps the window as it was.
    void ToggleFullscreen();

    bool fullscreen() const { return fullscreen_; }
    Picture& picture() { return picture_; }

private:
    bool SetMode(bool fullscreen);

    int desktopWidth_ = 0;
    int desktopHeight_ = 0;
    int scale_ = 1;
    bool fullscreen_ = false;
    Picture picture_;
};
