// Handle values of the window system. Every object kind keeps its own table;
// all of them draw their handles from one counter that never repeats, so a
// stale handle, or a handle of the wrong kind, is never mistaken for a live one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qz370::platform {

// Handle values are the counter's values shifted left by this, plus two.
constexpr int HANDLE_VALUE_SHIFT = 2;

uintptr_t new_handle_value();

template <typename Handle>
Handle handle_from_value(uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

template <typename Handle>
uintptr_t value_of(Handle handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

// The entries of a handle table found or added last, by handle value: drawing
// one shape looks its context, pen and brush up several times each, and a
// search of the table costs more than drawing a small shape. The table must
// forget() an entry before the entry goes away.
template <typename Entry>
class RecentEntries {
public:
    // The entry for value in table (a map from handle values to entries),
    // looked for among the recent ones first; null when the table has none.
    template <typename Table>
    Entry *find_in(Table &table, uintptr_t value)
    {
        Slot &slot = slots_[slot_index(value)];
        if (slot.value == value && slot.entry != nullptr) {
            return slot.entry;
        }
        auto found = table.find(value);
        if (found == table.end()) {
            return nullptr;
        }
        slot = Slot{value, &found->second};
        return slot.entry;
    }

    void remember(uintptr_t value, Entry *entry) { slots_[slot_index(value)] = Slot{value, entry}; }

    void forget(uintptr_t value)
    {
        Slot &slot = slots_[slot_index(value)];
        if (slot.value == value) {
            slot = Slot{};
        }
    }

private:
    static constexpr size_t SLOTS = 16;

    struct Slot {
        uintptr_t value;  // 0, which is no handle, in an empty slot
        Entry *entry;
    };

    // By the counter's value, so the newest handles land in different slots.
    static size_t slot_index(uintptr_t value) { return (value >> HANDLE_VALUE_SHIFT) % SLOTS; }

    std::array<Slot, SLOTS> slots_{};
};

}  // namespace qz370::platform
