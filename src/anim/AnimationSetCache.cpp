#include "anim/AnimationSetCache.h"

#include <SDL_image.h>

#include <cstdio>

#include "core/DataPath.h"

namespace {

bool ReadWholeFile(std::FILE* file, std::string& text) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    return true;
}

}  // namespace

AnimationSet AnimationSetCache::LoadAnimationSet(const std::string& name) {
    auto cached = sets_.find(name);
    if (cached != sets_.end()) return cached->second;

    std::string description;
    if (std::FILE* file = OpenDataFile("data/Objects/" + name + ".anim", "r")) {
        ReadWholeFile(file, description);
        std::fclose(file);
    } else {
        std::printf("Cannot load texture: %s\n", name.c_str());
    }

    AnimationSet set;
    std::string imagePath = ResolveDataPath("data/img/" + name + ".png");
    SDL_Surface* image = imagePath.empty() ? nullptr : IMG_Load(imagePath.c_str());
    if (!image) {
        sets_[name] = AnimationSet();
        return sets_[name];
    }
    set.imageSize = Vector2(static_cast<float>(image->w), static_cast<float>(image->h));
    if (makeTextures) {
        const TextureNames names = makeTextures(image);
        set.texture = names.texture;
        set.rectTexture = names.rectTexture;
    }
    ParseAnimationDescription(description, image->w, set);
    SDL_FreeSurface(image);
    sets_[name] = set;
    return set;
}

const AnimationSet* AnimationSetCache::Find(const std::string& name) const {
    auto cached = sets_.find(name);
    return cached == sets_.end() ? nullptr : &cached->second;
}
