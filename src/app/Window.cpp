#include "app/Window.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "core/View.h"
#include "render/Projection.h"

int WindowScaleFor(int setting, int desktopWidth, int desktopHeight) {
    if (setting > 0) return std::min(setting, kLargestWindowScale);
    const int fits = std::min(desktopWidth / kViewWidth, (desktopHeight - kDesktopReserve) / kViewHeight);
    return std::clamp(fits, 1, kLargestWindowScale);
}

bool GameWindow::Open(const Settings& settings) {
    // Before the first SDL_SetVideoMode, SDL 1.2 reports the desktop's
    // mode; afterwards the window's.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (desktopWidth_ == 0 && info) {
        desktopWidth_ = info->current_w;
        desktopHeight_ = info->current_h;
    }
    scale_ = WindowScaleFor(settings.windowScale, desktopWidth_, desktopHeight_);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (settings.fullscreen) {
        if (SetMode(true)) return true;
        std::printf("Cannot enter fullscreen: %s (the game opens in a window)\n", SDL_GetError());
    }
    if (!SetMode(false)) {
        std::printf("Cannot open the %d x %d OpenGL window: %s\n", kViewWidth * scale_, kViewHeight * scale_,
                    SDL_GetError());
        return false;
    }
    return true;
}

void GameWindow::ToggleFullscreen() {
    if (SetMode(!fullscreen_)) return;
    std::printf("Cannot %s fullscreen: %s\n", fullscreen_ ? "leave" : "enter", SDL_GetError());
    // The mode that failed may have taken the window down with it.
    if (!SetMode(fullscreen_)) std::printf("Cannot restore the window: %s\n", SDL_GetError());
}

bool GameWindow::SetMode(bool fullscreen) {
    int width = kViewWidth * scale_, height = kViewHeight * scale_;
    Uint32 flags = SDL_OPENGL | SDL_DOUBLEBUF;
    if (fullscreen) {
        width = std::max(desktopWidth_, kViewWidth);
        height = std::max(desktopHeight_, kViewHeight);
        flags |= SDL_FULLSCREEN;
    }
    const SDL_Surface* surface = SDL_SetVideoMode(width, height, 0, flags);
    if (!surface) return false;
    // Mesa learns a drawable's new size at a swap; until then drawing
    // beyond the old size is lost.
    SDL_GL_SwapBuffers();
    fullscreen_ = fullscreen;
    const unsigned texture = picture_.texture;
    picture_ = FitPicture(surface->w, surface->h);
    picture_.texture = texture;
    // One game pixel per GL pixel in the bottom-left corner, origin at its
    // top-left corner, y down. The matrix mode stays at its default, so the
    // projection lives in the model-view matrix.
    UseLogicalViewport();
    SetScreenProjection();
    glDisable(GL_DEPTH_TEST);
    return true;
}
