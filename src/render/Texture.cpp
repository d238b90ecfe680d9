#include "render/Texture.h"

// Not built yet: no textures.
TextureNames CreateTextures(SDL_Surface*) { return TextureNames(); }
