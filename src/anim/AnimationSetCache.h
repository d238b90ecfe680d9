// AnimationSetCache: sets loaded by name on first use and kept for the run.
//
// A set named N reads "data/Objects/N.anim" and the sheet "data/img/N.png".
// A missing description prints "Cannot load texture: N" and the set keeps its
// image but has no animations; a missing image caches an empty set without a
// message, and that name is never tried again. Textures are made only once
// the drawing gives the cache its texture maker (a GL context exists);
// without one, sets still get their image size, frames and hit box, which is
// all the simulation needs.
#pragma once

#include <map>
#include <string>

#include "anim/AnimationSet.h"

struct SDL_Surface;

// The two texture names of one sheet image (see render/Texture.h).
struct TextureNames {
    unsigned texture = 0;
    unsigned rectTexture = 0;
};

class AnimationSetCache {
public:
    // A copy of the named set, loading it on first use.
    AnimationSet LoadAnimationSet(const std::string& name);

    // The cached set of that name, or null when it was never loaded.
    const AnimationSet* Find(const std::string& name) const;

    // Makes a sheet's textures from its RGBA copy (see SheetImage.h; the
    // copy is null when SDL could not make it). Left null, sets get no
    // textures.
    TextureNames (*makeTextures)(const SDL_Surface* rgba) = nullptr;

private:
    std::map<std::string, AnimationSet> sets_;
};
