#include "objects/ObjectType.h"

const char* HookSuffix(Hook hook) {
    static const char* const kSuffixes[] = {"Create", "Update", "Collide", "HitGround", "Death"};
    return kSuffixes[static_cast<int>(hook)];
}

std::string OnFrameHookName(const std::string& name, int frame) {
    return name + "OnFrame" + std::to_string(frame);
}

ObjectType::ObjectType(const std::string& name) : name_(name) {
    for (int hook = 0; hook < 5; ++hook) hooks_[hook] = name + HookSuffix(static_cast<Hook>(hook));
}

const std::string& ObjectType::OnFrameName(int frame) const {
    // Frame numbers come from data: only a small range is kept.
    if (frame < 0 || frame >= 256) {
        static std::string other;
        other = OnFrameHookName(name_, frame);
        return other;
    }
    while (static_cast<int>(onFrame_.size()) <= frame)
        onFrame_.push_back(OnFrameHookName(name_, static_cast<int>(onFrame_.size())));
    return onFrame_[frame];
}
