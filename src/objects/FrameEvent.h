// FrameEvent: one "OnFrame" entry of an object's ".script" file. When the
// owner's animation shows `frame`, the action runs (it spawns `objectName` in
// "PlayerWeapons" from the owner) and the entry is used up.
#pragma once

#include <string>

#include "core/Vector2.h"

class World;
struct GameObject;
struct FrameEvent;

using FrameEventAction = void (*)(World& world, FrameEvent& event);

struct FrameEvent {
    FrameEventAction action = nullptr;
    int palette = 0;
    int frame = 0;  // compared with the owner's anim.currentFrame (from 0)
    Vector2 velocity;
    std::string objectName;
    GameObject* owner = nullptr;
};
