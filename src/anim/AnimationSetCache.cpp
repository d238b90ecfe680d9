#include "anim/AnimationSetCache.h"

#include <SDL_image.h>

#include <cstdio>

#include "anim/DescriptionCheck.h"
#include "anim/SheetImage.h"
#include "core/DataPath.h"

namespace {

bool HasAnimations(const std::string& description) {
    AnimationSet set;
    return ParseAnimationDescription(description, 0, set) && !set.Animations().empty();
}

}  // namespace

AnimationSet AnimationSetCache::LoadAnimationSet(const std::string& name) {
    auto cached = sets_.find(name);
    if (cached != sets_.end()) return cached->second;

    const std::string descriptionPath = ResolveDataPath("data/Objects/" + name + ".anim");
    const std::string imagePath = ResolveDataPath("data/img/" + name + ".png");
    std::string description;
    const bool file = !descriptionPath.empty() && ReadDataFile(descriptionPath, description);
    if (file) {
        DescriptionFault fault;
        if (!CheckDescription(description, fault))
            std::printf("%s:%d: %s\n", descriptionPath.c_str(), fault.line, fault.message.c_str());
    } else {
        std::printf("Cannot load texture: %s\n", name.c_str());
        if (imagePath.empty()) {
            std::printf("  neither data/objects/%s.anim nor data/img/%s.png exists\n", ShownPath(name).c_str(),
                        ShownPath(name).c_str());
        } else {
            std::printf("  data/objects/%s.anim is missing: the sheet has no frames\n", ShownPath(name).c_str());
        }
    }

    AnimationSet set;
    SDL_Surface* image = imagePath.empty() ? nullptr : IMG_Load(imagePath.c_str());
    if (!image) {
        if (!imagePath.empty()) {
            std::printf("%s: not an image SDL_image reads (%s): %s is invisible\n", imagePath.c_str(),
                        IMG_GetError(), name.c_str());
        } else if (file && HasAnimations(description)) {
            // A description of a hit box alone stands for a set a script
            // replaces (SetTexture); one with animations wants its sheet.
            std::printf("data/img/%s.png is missing: %s has no sheet and is invisible\n", ShownPath(name).c_str(),
                        name.c_str());
        }
        sets_[name] = AnimationSet();
        return sets_[name];
    }
    set.imageSize = Vector2(static_cast<float>(image->w), static_cast<float>(image->h));
    ParseAnimationDescription(description, image->w, set);
    if (makeTextures) {
        SDL_Surface* rgba = RgbaSheet(image);
        const TextureNames names = makeTextures(rgba);
        set.texture = names.texture;
        set.rectTexture = names.rectTexture;
        set.opaqueCells = std::make_shared<const OpaqueCells>(
            FindOpaqueCells(rgba, set.frameWidth, set.frameHeight));
        if (rgba) SDL_FreeSurface(rgba);
    }
    SDL_FreeSurface(image);
    sets_[name] = set;
    return set;
}

const AnimationSet* AnimationSetCache::Find(const std::string& name) const {
    auto cached = sets_.find(name);
    return cached == sets_.end() ? nullptr : &cached->second;
}
