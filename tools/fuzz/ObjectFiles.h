// The definition files of one enemy type, "Fuzz", created as the game
// creates one and updated for a few frames: its frame events fire, its
// shots fly, its death events are read.
#pragma once

#include "FuzzTarget.h"
#include "SheetBuilder.h"
#include "objects/World.h"

namespace fuzz {

inline void CreateAndRun(const std::string& file, const uint8_t* data, size_t size) {
    static const std::string sheet = [] {
        Image image;
        image.Resize(128, 32);
        const std::vector<uint8_t> png = EncodePng(image);
        return std::string(png.begin(), png.end());
    }();
    Put("data/img/Enemies/Fuzz.png", sheet);
    Put("data/Objects/Enemies/Fuzz.anim", "32 32 0 0 32 32\nStand 4 1 0\n");
    Put("data/objects/Enemies/" + file, Text(data, size));
    World world;
    world.stage.mainLayer.width = world.stage.mainLayer.height = 8;
    world.stage.mainLayer.tiles.assign(64, 0);
    GameObject* fuzz = world.CreateObjectInCategory("Fuzz", 0, Category::Enemies);
    for (int frame = 0; frame < 6; ++frame) {
        if (frame == 4) fuzz->health = 0.0f;  // its death, with a drop roll
        world.UpdateAllObjects();
    }
}

}  // namespace fuzz
