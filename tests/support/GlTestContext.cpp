#define GL_GLEXT_PROTOTYPES 1
#include "support/GlTestContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <cstdlib>
#include <sstream>

#include "render/Projection.h"

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Screenshot Screenshot::Back() {
    Screenshot shot;
    shot.rgba_.assign(kViewWidth * kViewHeight * 4, 0);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kViewWidth, kViewHeight, GL_RGBA, GL_UNSIGNED_BYTE, shot.rgba_.data());
    return shot;
}

Rgb Screenshot::At(int x, int y) const {
    // GL's origin is the bottom-left corner.
    const unsigned char* p = &rgba_[((kViewHeight - 1 - y) * kViewWidth + x) * 4];
    return Rgb{p[0], p[1], p[2]};
}

::testing::AssertionResult Screenshot::RegionIs(int x, int y, int w, int h, Rgb colour,
                                                int tolerance) const {
    int wrong = 0;
    std::ostringstream first;
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            const Rgb got = At(column, row);
            if (std::abs(got.r - colour.r) <= tolerance && std::abs(got.g - colour.g) <= tolerance &&
                std::abs(got.b - colour.b) <= tolerance)
                continue;
            if (wrong++ == 0) first << "pixel (" << column << ", " << row << ") is " << got;
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " of " << w * h << " pixels of (" << x << ", "
                                         << y << ", " << w << " x " << h << ") are not " << colour
                                         << "; " << first.str();
}

bool GlTestContext::Open() {
    static bool opened = false;
    if (opened) return true;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
        return false;
    }
    if (!Window().Open(Settings())) {
        ADD_FAILURE() << "SDL_SetVideoMode: " << SDL_GetError();
        return false;
    }
    opened = true;
    return true;
}

GameWindow& GlTestContext::Window() {
    static GameWindow window;
    return window;
}

void GlTestContext::Reset() {
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    for (GLenum target : {GL_TEXTURE_1D, GL_TEXTURE_2D, GL_TEXTURE_RECTANGLE_ARB})
        glBindTexture(target, 0);
    glMatrixMode(GL_MODELVIEW);
    SetScreenProjection();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_RECTANGLE_ARB);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
