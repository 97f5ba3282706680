// A table of platform objects addressed by opaque handles: index, kind and generation, not reused soon.
#pragma once

#include <cstdint>
#include <deque>
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

// Where the parts of a handle lie in a word of Word's width. The kind is always bits 24 to 31.
// 64 bits: the slot number in bits 0 to 23 and a generation in bits 32 to 63 that never wraps (a
// slot is retired before it would). 32 bits: the slot number in bits 0 to 11 and a 12-bit
// generation in bits 12 to 23 that wraps; a freed slot waits until 64 others are free and is then
// reused oldest first, so a handle value comes back only after some 260,000 objects of its kind.
template <class Word>
struct HandleLayout {
    static_assert(sizeof(Word) == 4 || sizeof(Word) == 8);
    static constexpr bool kWide = sizeof(Word) == 8;
    static constexpr unsigned kIndexBits = kWide ? 24 : 12;
    static constexpr unsigned kGenerationShift = kWide ? 32 : 12;
    static constexpr uint32_t kGenerationMask = kWide ? 0xFFFFFFFFu : 0xFFFu;
    static constexpr uint32_t kMaxSlots = (1u << kIndexBits) - 1;
    static constexpr size_t kKeptFree = kWide ? 0 : 64;

    static Word Encode(HandleKind kind, uint32_t index, uint32_t generation) {
        return (static_cast<Word>(generation & kGenerationMask) << kGenerationShift) |
               (static_cast<Word>(kind) << 24) | static_cast<Word>(index + 1);
    }
    // The slot number plus one (0: none) and the generation of a handle.
    static uint32_t Slot(Word handle) { return static_cast<uint32_t>(handle & kMaxSlots); }
    static uint32_t Generation(Word handle) {
        return static_cast<uint32_t>(handle >> kGenerationShift) & kGenerationMask;
    }
};

template <class T, class Word = uintptr_t>
class BasicHandleTable {
    using Layout = HandleLayout<Word>;

public:
    explicit BasicHandleTable(HandleKind kind) : kind_(kind) {}
    BasicHandleTable(const BasicHandleTable&) = delete;
    BasicHandleTable& operator=(const BasicHandleTable&) = delete;

    // Takes ownership and returns the new handle's value; 0 when the table is full.
    Word Add(std::unique_ptr<T> object) {
        uint32_t index;
        if (free_.size() > Layout::kKeptFree || (!free_.empty() && slots_.size() >= Layout::kMaxSlots)) {
            index = free_.front();
            free_.pop_front();
        } else {
            if (slots_.size() >= Layout::kMaxSlots) return 0;
            index = static_cast<uint32_t>(slots_.size());
            slots_.emplace_back();
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        return Layout::Encode(kind_, index, slot.generation);
    }

    T* Find(Word handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->object.get() : nullptr;
    }
    template <class H>
    T* Find(H* handle) const {
        return Find(reinterpret_cast<Word>(handle));
    }

    // Destroys the object; the handle stays dead until its slot has come round again.
    bool Remove(Word handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot) return false;
        std::unique_ptr<T> doomed = std::move(slot->object);
        Retire(static_cast<uint32_t>(slot - slots_.data()));
        return true;
    }
    template <class H>
    bool Remove(H* handle) {
        return Remove(reinterpret_cast<Word>(handle));
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
            if (slots_[i].object) f(Layout::Encode(kind_, i, slots_[i].generation), *slots_[i].object);
    }

private:
    struct Slot {
        uint32_t generation = 1;
        std::unique_ptr<T> object;
    };

    const Slot* SlotOf(Word handle) const {
        if (((handle >> 24) & 0xFF) != static_cast<Word>(kind_)) return nullptr;
        uint32_t low = Layout::Slot(handle);
        if (low == 0 || low > slots_.size()) return nullptr;
        const Slot& slot = slots_[low - 1];
        if (!slot.object || (slot.generation & Layout::kGenerationMask) != Layout::Generation(handle)) return nullptr;
        return &slot;
    }

    // A wide slot whose generation would wrap is never handed out again; a narrow one wraps.
    void Retire(uint32_t index) {
        uint32_t& generation = slots_[index].generation;
        if constexpr (Layout::kWide) {
            if (++generation == 0) return;
        } else {
            generation = (generation + 1) & Layout::kGenerationMask;
        }
        free_.push_back(index);
    }

    HandleKind kind_;
    std::vector<Slot> slots_;
    std::deque<uint32_t> free_;
};

template <class T>
using HandleTable = BasicHandleTable<T>;

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
