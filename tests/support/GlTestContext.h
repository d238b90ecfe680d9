// GlTestContext: the game's OpenGL window, 320 x 240, for pixel tests (run
// under Xvfb with Mesa). The window opens once per test program and stays
// open; Reset returns to the GL state start-up leaves (screen projection, no
// depth test, GL_TEXTURE_2D on, white colour, no program) with a black back
// buffer. Pixels are read back from the back buffer and
// addressed like the game's view: x right, y down from the top-left corner.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "app/Window.h"

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

// A copy of the back buffer: what is being drawn.
class Screenshot {
public:
    static Screenshot Back();
    Rgb At(int x, int y) const;
    // Every pixel of the rectangle has the colour (within tolerance per channel).
    ::testing::AssertionResult RegionIs(int x, int y, int w, int h, Rgb colour,
                                        int tolerance = 0) const;

private:
    std::vector<unsigned char> rgba_;  // bottom row first, as GL reads it
};

class GlTestContext {
public:
    // Opens the window on first use; false (with a failure) when it cannot.
    static bool Open();
    // The game's window, opened as it opens at start-up.
    static GameWindow& Window();
    // Back to start-up state and a black back buffer.
    static void Reset();
};
