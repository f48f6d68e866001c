// Handle values of the window system. Every object kind keeps its own table;
// all of them draw their handles from one counter that never repeats, so a
// stale handle, or a handle of the wrong kind, is never mistaken for a live one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qz370::platform {

// A handle value is, from the top: the counter's value, the index of its
// entry's slot in a HandleTable (0 for kinds kept elsewhere), and binary 10.
constexpr int SLOT_SHIFT = 2;
constexpr int SLOT_BITS = 14;
constexpr size_t SLOT_MASK = (size_t{1} << SLOT_BITS) - 1;
static_assert(sizeof(uintptr_t) >= 8, "the counter needs the bits above the slot to never repeat");

// Win32 gives a process 10,000 GDI objects by default and fails creation with
// NULL past that. A HandleTable holds as many entries of the program's own,
// so a program that leaks handles gets NULL instead of eating the memory.
constexpr size_t MOST_LIVE_HANDLES = 10000;

uintptr_t new_handle_value(size_t slot = 0);

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

// Entries in slots that the handle values index: finding one is an index and
// a comparison, and a removed entry's slot serves the next one added, so a
// program that creates and deletes an object per shape allocates nothing.
// Entries never move: a pointer to one holds until it is removed. At most
// MOST_LIVE entries are live at once.
template <typename Entry, size_t MOST_LIVE>
class HandleTable {
public:
    static_assert(MOST_LIVE <= SLOT_MASK + 1, "every slot needs an index within the handle value");

    HandleTable()
    {
        slots_.reserve(MOST_LIVE);
        free_slots_.reserve(MOST_LIVE);
    }

    // A new entry, value-initialised, for the caller to fill in, and its
    // handle value in *value; null, and 0, when the table is full.
    Entry *add(uintptr_t *value)
    {
        size_t index;
        if (!free_slots_.empty()) {
            index = free_slots_.back();
            free_slots_.pop_back();
        } else if (slots_.size() < MOST_LIVE) {
            index = slots_.size();
            slots_.emplace_back();
        } else {
            *value = 0;
            return nullptr;
        }
        Slot &slot = slots_[index];
        slot.value = new_handle_value(index);
        *value = slot.value;
        return &slot.entry;
    }

    // Null unless value is the handle of a live entry.
    Entry *find(uintptr_t value)
    {
        const size_t index = (value >> SLOT_SHIFT) & SLOT_MASK;
        if (value == 0 || index >= slots_.size() || slots_[index].value != value) {
            return nullptr;
        }
        return &slots_[index].entry;
    }

    // value must be the handle of a live entry.
    void remove(uintptr_t value)
    {
        const size_t index = (value >> SLOT_SHIFT) & SLOT_MASK;
        slots_[index] = Slot{};  // what the entry held goes now, not at the slot's next use
        free_slots_.push_back(index);
    }

private:
    struct Slot {
        uintptr_t value;  // 0, which is no handle, while free
        Entry entry;
    };

    std::vector<Slot> slots_;
    std::vector<size_t> free_slots_;
};

}  // namespace qz370::platform
