// A table of platform objects addressed by opaque handles: index, kind and generation, never reused.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// The kind is part of every handle, so a brush handed in where a window is expected is refused.
enum class HandleKind : uint8_t {
    Window = 1,
    Module,
    Key,
    DeviceContext,
    Bitmap,
    Brush,
    Pen,
    Font,
    Resource,
    RemoteWindow,  // a window of another process, found by FindWindowW
};

template <class T>
class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(kind) {}
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Takes ownership and returns the new handle's value; 0 when the table is full.
    uintptr_t Add(std::unique_ptr<T> object) {
        uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= kMaxSlots) return 0;
            index = static_cast<uint32_t>(slots_.size());
            slots_.emplace_back();
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        return Encode(index, slot.generation);
    }

    T* Find(uintptr_t handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->object.get() : nullptr;
    }
    template <class H>
    T* Find(H* handle) const {
        return Find(reinterpret_cast<uintptr_t>(handle));
    }

    // Destroys the object; the handle stays dead for ever.
    bool Remove(uintptr_t handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot) return false;
        std::unique_ptr<T> doomed = std::move(slot->object);
        Retire(static_cast<uint32_t>(slot - slots_.data()));
        return true;
    }
    template <class H>
    bool Remove(H* handle) {
        return Remove(reinterpret_cast<uintptr_t>(handle));
    }

    void Clear() {
        for (uint32_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].object) {
                slots_[i].object.reset();
                Retire(i);
            }
        }
    }

    size_t Count() const {
        size_t n = 0;
        for (const Slot& s : slots_) n += s.object ? 1 : 0;
        return n;
    }

    // Calls f(handle, object) for every live object, in slot order.
    template <class F>
    void ForEach(F&& f) const {
        for (uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].object) f(Encode(i, slots_[i].generation), *slots_[i].object);
    }

private:
    static constexpr uint32_t kMaxSlots = 0xFFFFFF;
    struct Slot {
        uint32_t generation = 1;
        std::unique_ptr<T> object;
    };

    uintptr_t Encode(uint32_t index, uint32_t generation) const {
        return (static_cast<uintptr_t>(generation) << 32) | (static_cast<uintptr_t>(kind_) << 24) |
               static_cast<uintptr_t>(index + 1);
    }

    const Slot* SlotOf(uintptr_t handle) const {
        if (((handle >> 24) & 0xFF) != static_cast<uintptr_t>(kind_)) return nullptr;
        uintptr_t low = handle & 0xFFFFFF;
        if (low == 0 || low > slots_.size()) return nullptr;
        const Slot& slot = slots_[low - 1];
        if (!slot.object || slot.generation != static_cast<uint32_t>(handle >> 32)) return nullptr;
        return &slot;
    }

    // A slot whose generation would wrap is never handed out again.
    void Retire(uint32_t index) {
        if (++slots_[index].generation != 0) free_.push_back(index);
    }

    HandleKind kind_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;
};

// The kind a handle value was made for; lets calls that take any GDI object tell them apart.
inline HandleKind KindOf(uintptr_t handle) { return static_cast<HandleKind>((handle >> 24) & 0xFF); }
template <class H>
HandleKind KindOf(H* handle) {
    return KindOf(reinterpret_cast<uintptr_t>(handle));
}

template <class H>
H ToHandle(uintptr_t value) {
    return reinterpret_cast<H>(value);
}

}  // namespace platform
