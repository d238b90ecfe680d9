// VerticalSync: whether buffer swaps can pace the game.
//
// EnableVerticalSync asks the GLX driver for a swap interval of 1 (through
// GLX_EXT_swap_control, GLX_MESA_swap_control or GLX_SGI_swap_control, the
// first one offered) and reads the display's refresh rate from XRandR. The
// game is paced by the swap only when the interval could be set and the rate
// is 50 or 60 Hz; otherwise the clock paces it (and an interval already set
// stays set, so each swap still waits for the vertical blank). Needs the GL
// window to exist.
#pragma once

// Prints "Refresh rate, in hertz: N" once the rate is known, or
// "EnumDisplaySettings failed:N" when the display mode cannot be read
// (N = 1 without the RandR extension, 2 when the screen's configuration
// cannot be read).
bool EnableVerticalSync();

// The pacing rule on its own: the interval could be set and the rate is 50 or 60.
bool VerticalSyncPaces(bool intervalSet, int refreshRate);

// Whether a GLX extension string names the extension as a whole word.
bool HasExtension(const char* list, const char* name);
