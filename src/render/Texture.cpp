#include "render/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

namespace {

// Uploads the RGBA pixels to a new texture on target with nearest filtering.
unsigned Upload(GLenum target, const SDL_Surface* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(target, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
    glTexImage2D(target, 0, GL_RGBA, rgba->w, rgba->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

}  // namespace

TextureNames CreateTextures(const SDL_Surface* rgba) {
    TextureNames names;
    if (!rgba) return names;
    glEnable(GL_TEXTURE_2D);
    names.texture = Upload(GL_TEXTURE_2D, rgba);
    // The rectangle target is only uploaded, not enabled: it would take
    // priority over GL_TEXTURE_2D for everything drawn afterwards.
    names.rectTexture = Upload(GL_TEXTURE_RECTANGLE_ARB, rgba);
    return names;
}
