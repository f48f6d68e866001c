// Handle values of the window system. Every object kind keeps its own table
// and puts its kind into each of its handles, so a handle of the wrong kind is
// never mistaken for a live one; within a kind, a value comes back only after
// the counter behind it has gone all the way round.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qz370::platform {

// The kinds of object a handle can name.
enum class HandleKind : uintptr_t { WINDOW = 1, MENU, MOVABLE_MEMORY, GDI_OBJECT, DEVICE_CONTEXT };

// A handle value is, from the top: a count, the index of its entry's slot in
// a HandleTable (part of the count for kinds kept elsewhere), the kind, and
// binary 10. Kinds kept elsewhere count all their handles with one counter; a
// HandleTable counts the uses of each slot, so that even with 32-bit values a
// slot's handle repeats only after thousands of objects have come and gone in
// that very slot.
constexpr int TAG_BITS = 2;
constexpr int KIND_BITS = 3;
constexpr int SLOT_SHIFT = TAG_BITS + KIND_BITS;
constexpr int SLOT_BITS = 14;
constexpr size_t SLOT_MASK = (size_t{1} << SLOT_BITS) - 1;
constexpr int SLOT_COUNT_SHIFT = SLOT_SHIFT + SLOT_BITS;
static_assert(sizeof(uintptr_t) * 8 - SLOT_COUNT_SHIFT >= 12, "a slot's count needs room to go round slowly");

// Win32 gives a process 10,000 GDI objects by default and fails creation with
// NULL past that. A HandleTable holds as many entries of the program's own,
// so a program that leaks handles gets NULL instead of eating the memory.
constexpr size_t MOST_LIVE_HANDLES = 10000;

// A new handle value for an object of a kind kept outside a HandleTable.
uintptr_t new_handle_value(HandleKind kind);
// The handle value that follows previous (0 for a slot never used) in a slot
// of a HandleTable of the kind.
uintptr_t next_slot_handle_value(HandleKind kind, size_t slot, uintptr_t previous);

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

    explicit HandleTable(HandleKind kind) : kind_(kind)
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
        slot.value = next_slot_handle_value(kind_, index, slot.last_value);
        slot.last_value = slot.value;
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
        const uintptr_t last_value = slots_[index].last_value;
        slots_[index] = Slot{};  // what the entry held goes now, not at the slot's next use
        slots_[index].last_value = last_value;
        free_slots_.push_back(index);
    }

private:
    struct Slot {
        uintptr_t value;  // 0, which is no handle, while free
        uintptr_t last_value;  // the slot's latest handle, from which the next one counts on
        Entry entry;
    };

    HandleKind kind_;

    std::vector<Slot> slots_;
    std::vector<size_t> free_slots_;
};

}  // namespace qz370::platform
