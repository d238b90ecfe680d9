#include "render/FrameComposition.h"

#include <GL/gl.h>
#include <SDL.h>

// Not built yet: a cleared frame.
void DrawFrame(const Game&, const DrawResources&) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
    SDL_GL_SwapBuffers();
}
