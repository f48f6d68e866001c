// Rectangles as the window system keeps them (right and bottom excluded) and
// sums of coordinates brought back into int: what both halves and the font
// room work out about boxes, in one place.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace qz370::platform {

inline int clamp_to_int(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

inline bool is_empty(const RECT &rect)
{
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

// The part of a inside b; all zeros when they do not overlap.
inline RECT intersection(const RECT &a, const RECT &b)
{
    const RECT cut{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
    return is_empty(cut) ? RECT{0, 0, 0, 0} : cut;
}

// The smallest rectangle holding both; an empty one holds nothing.
inline RECT joined(const RECT &a, const RECT &b)
{
    if (is_empty(a) || is_empty(b)) {
        return is_empty(a) ? b : a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// The part of a box given in wide coordinates that lies inside clip.
inline RECT clipped(int64_t left, int64_t top, int64_t right, int64_t bottom, const RECT &clip)
{
    return intersection(RECT{clamp_to_int(left), clamp_to_int(top), clamp_to_int(right), clamp_to_int(bottom)}, clip);
}

}  // namespace qz370::platform
