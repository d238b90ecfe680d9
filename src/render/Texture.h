// Texture creation: one RGBA sheet (see anim/SheetImage.h) becomes two GL
// textures with the same pixels, GL_TEXTURE_2D for drawing and
// GL_TEXTURE_RECTANGLE_ARB for the debug tile view. Nearest filtering, alpha
// from the image, no mipmaps and no padding. Needs a current GL context.
#pragma once

#include "anim/AnimationSetCache.h"

TextureNames CreateTextures(const SDL_Surface* rgba);
