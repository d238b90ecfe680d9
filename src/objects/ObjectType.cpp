#include "objects/ObjectType.h"

ObjectType::ObjectType(const std::string& name)
    : name_(name),
      hooks_{name + "Create", name + "Update", name + "Collide", name + "HitGround", name + "Death"} {}

const std::string& ObjectType::OnFrameName(int frame) const {
    // Frame numbers come from data: only a small range is kept.
    if (frame < 0 || frame >= 256) {
        static std::string other;
        other = name_ + "OnFrame" + std::to_string(frame);
        return other;
    }
    while (static_cast<int>(onFrame_.size()) <= frame)
        onFrame_.push_back(name_ + "OnFrame" + std::to_string(onFrame_.size()));
    return onFrame_[frame];
}
