// HandleTable: the live objects by handle, found in constant time with no
// hashing. A handle's serial number picks a slot in pages of 1024; a page
// whose objects are all gone is freed (handles are never given again, and a
// later one in its range makes it anew), so the table holds a page for each
// stretch of live objects' serials, however many objects the run has made.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "objects/ObjectHandle.h"

struct GameObject;

class HandleTable {
public:
    // o under its handle, which must come from MakeObjectHandle; others are
    // not kept.
    void Add(GameObject* o, ObjectHandle handle);
    // Drops o if it is kept under handle.
    void Remove(const GameObject* o, ObjectHandle handle);
    // The live object of handle, or null (0, a made-up number, a dead one).
    GameObject* Find(ObjectHandle handle) const {
        std::uint64_t index = 0;
        if (!IndexOf(handle, index)) return nullptr;
        const std::size_t page = index / kPageSize;
        if (page >= pages_.size() || !pages_[page]) return nullptr;
        return pages_[page]->slots[index % kPageSize];
    }

private:
    static constexpr std::size_t kPageSize = 1024;
    struct Page {
        std::array<GameObject*, kPageSize> slots{};
        std::size_t live = 0;
    };
    // The n of MakeObjectHandle(n), when handle is one.
    static bool IndexOf(ObjectHandle handle, std::uint64_t& index) {
        if (handle < (ObjectHandle(65536) << 16)) return false;
        index = (static_cast<std::uint64_t>(handle) >> 16) - 65536u;
        return MakeObjectHandle(index) == handle;
    }
    std::vector<std::unique_ptr<Page>> pages_;
};
