#include "render/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <cstdint>

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

// Fully transparent pixels become transparent black, so that a sheet drawn
// with additive blending adds nothing where it is clear, whatever colour the
// image stored under its zero alpha.
void ClearTransparentColours(SDL_Surface* rgba) {
    for (int y = 0; y < rgba->h; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch);
        for (int x = 0; x < rgba->w; ++x) {
            if ((row[x] & rgba->format->Amask) == 0) row[x] = 0;
        }
    }
}

}  // namespace

TextureNames CreateTextures(SDL_Surface* image) {
    TextureNames names;
    if (!image) return names;  // a decoded PNG is never empty

    // Bytes R, G, B, A in memory whatever the image's own format.
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, image->w, image->h, 32,
                                             0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!rgba) return names;
    // Copy alpha instead of blending with it.
    SDL_SetAlpha(image, 0, 255);
    SDL_FillRect(rgba, nullptr, SDL_MapRGBA(rgba->format, 0, 0, 0, 0));
    SDL_BlitSurface(image, nullptr, rgba, nullptr);

    if (SDL_MUSTLOCK(rgba)) SDL_LockSurface(rgba);
    ClearTransparentColours(rgba);
    glEnable(GL_TEXTURE_2D);
    names.texture = Upload(GL_TEXTURE_2D, rgba);
    // The rectangle target is only uploaded, not enabled: it would take
    // priority over GL_TEXTURE_2D for everything drawn afterwards.
    names.rectTexture = Upload(GL_TEXTURE_RECTANGLE_ARB, rgba);
    if (SDL_MUSTLOCK(rgba)) SDL_UnlockSurface(rgba);

    SDL_FreeSurface(rgba);
    return names;
}
