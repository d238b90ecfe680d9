#define GL_GLEXT_PROTOTYPES 1
#include "support/GlTestContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <sstream>

#include "render/Projection.h"

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

namespace {

int BitCount(unsigned long mask) {
    int bits = 0;
    for (; mask; mask >>= 1) bits += mask & 1;
    return bits;
}

void ReadBack(std::vector<unsigned char>& rgba) {
    rgba.assign(kViewWidth * kViewHeight * 4, 0);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kViewWidth, kViewHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

// The 8-bit value of one colour channel of an X pixel.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    while ((mask & 1) == 0) {
        mask >>= 1;
        pixel >>= 1;
    }
    const unsigned long value = pixel & mask;
    return static_cast<unsigned char>(mask >= 255 ? value >> (BitCount(mask) - 8)
                                                  : value * 255 / mask);
}

}  // namespace

Screenshot Screenshot::Back() {
    Screenshot shot;
    ReadBack(shot.rgba_);
    return shot;
}

Screenshot Screenshot::Window() {
    Screenshot shot;
    shot.rgba_.assign(kViewWidth * kViewHeight * 4, 0);
    glFinish();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return shot;
    info.info.x11.lock_func();
    Display* display = info.info.x11.display;
    XSync(display, False);
    XImage* image =
        XGetImage(display, info.info.x11.window, 0, 0, kViewWidth, kViewHeight, AllPlanes, ZPixmap);
    if (image) {
        for (int y = 0; y < kViewHeight; ++y) {
            for (int x = 0; x < kViewWidth; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                unsigned char* p = &shot.rgba_[((kViewHeight - 1 - y) * kViewWidth + x) * 4];
                p[0] = Channel(pixel, image->red_mask);
                p[1] = Channel(pixel, image->green_mask);
                p[2] = Channel(pixel, image->blue_mask);
                p[3] = 255;
            }
        }
        XDestroyImage(image);
    }
    info.info.x11.unlock_func();
    return shot;
}

Rgb Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= kViewWidth || y >= kViewHeight) return Rgb{-1, -1, -1};
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
            const bool near = std::abs(got.r - colour.r) <= tolerance &&
                              std::abs(got.g - colour.g) <= tolerance &&
                              std::abs(got.b - colour.b) <= tolerance;
            if (near) continue;
            if (wrong++ == 0) first << "pixel (" << column << ", " << row << ") is " << got;
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << wrong << " of " << w * h << " pixels of (" << x << ", " << y << ", " << w << " x "
           << h << ") are not " << colour << "; " << first.str();
}

bool GlTestContext::Open() {
    static bool opened = false;
    if (opened) return true;
    // A display that xvfb-run has only just started may not take
    // connections yet: try again for a few seconds.
    int tries = 0;
    while (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (++tries == 50) {
            ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
            return false;
        }
        SDL_Delay(100);
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(kViewWidth, kViewHeight, 0, SDL_OPENGL | SDL_DOUBLEBUF)) {
        ADD_FAILURE() << "SDL_SetVideoMode: " << SDL_GetError();
        return false;
    }
    opened = true;
    return true;
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

void GlTest::SetUp() {
    ASSERT_TRUE(GlTestContext::Open());
    GlTestContext::Reset();
}
