// ObjectType: what an object type's files say (".script" and ".events"), and
// the names of its hooks, read at the type's first creation and shared by
// every object of the type. The ".lua" file is no part of it: it runs at
// every creation, as scripts expect.
#pragma once

#include <string>
#include <vector>

#include "objects/FrameEvent.h"

enum class Hook { Create, Update, Collide, HitGround, Death };

// "Update" for Hook::Update: a hook's name is the type's name and this.
const char* HookSuffix(Hook hook);

// "WalkerOnFrame3": the hook of a type's frame 3.
std::string OnFrameHookName(const std::string& name, int frame);

struct ObjectType {
    explicit ObjectType(const std::string& name);

    std::vector<FrameEvent> frameEvents;  // each object gets a copy, used up as they fire
    bool killOnEndAnim = false;
    std::vector<std::string> deathEvents{""};
    int deathEventIndex = -1;

    // "WalkerUpdate" for a Walker: built once, not at every call.
    const std::string& HookName(Hook hook) const { return hooks_[static_cast<int>(hook)]; }
    // "WalkerOnFrame3": made at its first use.
    const std::string& OnFrameName(int frame) const;

private:
    std::string name_;
    std::string hooks_[5];
    mutable std::vector<std::string> onFrame_;
};
