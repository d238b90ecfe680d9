// AnimationSetCache: sets loaded by name on first use and kept for the run.
//
// A set named N reads "data/Objects/N.anim" and the sheet "data/img/N.png".
// A missing description prints "Cannot load texture: N" and the set keeps its
// image but has no animations; a missing image caches an empty set without a
// message, and that name is never tried again. Textures are uploaded only
// once a GL context exists (uploadTextures); without one, sets still get their
// image size, frames and hit box, which is all the simulation needs.
#pragma once

#include <map>
#include <string>

#include "anim/AnimationSet.h"

class AnimationSetCache {
public:
    // A copy of the named set, loading it on first use.
    AnimationSet LoadAnimationSet(const std::string& name);

    // The cached set of that name, or null when it was never loaded.
    const AnimationSet* Find(const std::string& name) const;

    bool uploadTextures = false;

private:
    std::map<std::string, AnimationSet> sets_;
};
