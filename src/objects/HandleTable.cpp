#include "objects/HandleTable.h"

void HandleTable::Add(GameObject* o, ObjectHandle handle) {
    std::uint64_t index = 0;
    if (!IndexOf(handle, index)) return;
    const std::size_t page = index / kPageSize;
    if (page >= pages_.size()) pages_.resize(page + 1);
    if (!pages_[page]) pages_[page] = std::make_unique<Page>();
    Page& p = *pages_[page];
    GameObject*& slot = p.slots[index % kPageSize];
    if (slot) return;  // a handle is given once
    slot = o;
    ++p.live;
}

void HandleTable::Remove(const GameObject* o, ObjectHandle handle) {
    std::uint64_t index = 0;
    if (!IndexOf(handle, index)) return;
    const std::size_t page = index / kPageSize;
    if (page >= pages_.size() || !pages_[page]) return;
    Page& p = *pages_[page];
    GameObject*& slot = p.slots[index % kPageSize];
    if (slot != o) return;
    slot = nullptr;
    if (--p.live == 0) pages_[page].reset();
}
