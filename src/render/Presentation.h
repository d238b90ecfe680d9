// Presentation: the 320 x 240 logical frame in a window of any size.
// Every frame is composed as always, one logical pixel per GL pixel, in the
// window's bottom-left 320 x 240 corner. A window of exactly that size shows
// it as it is. A larger one (a scaled window, fullscreen) shows it at the
// largest whole-number scale that fits, each logical pixel a square block
// (nearest filtering), centred between black bars.
#pragma once

#include "core/View.h"

// Where the logical frame lands in the window, in window pixels from the
// top left.
struct Picture {
    int windowWidth = kViewWidth;
    int windowHeight = kViewHeight;
    int scale = 1;
    int left = 0;
    int top = 0;
    unsigned texture = 0;  // holds the composed frame for scaling; made on demand

    // The window shows the composed frame as it is.
    bool Direct() const { return windowWidth == kViewWidth && windowHeight == kViewHeight; }
};

// The largest whole scale (at least 1) at which the view fits width x height,
// centred.
Picture FitPicture(int windowWidth, int windowHeight);

// Restores the composing state after a change of window: the viewport of
// the logical view in the bottom-left corner.
void UseLogicalViewport();

// Shows the composed frame in the window as the picture says: copies it
// into the picture's texture (made at the first call) and draws it scaled
// over a black window. Changes no GL state a frame's composition relies on.
// Nothing for a direct picture.
void PresentPicture(Picture& picture);
