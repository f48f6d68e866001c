#include "coordinate_mapping.h"

#include <algorithm>
#include <limits>

#include "library_state.h"

int32_t saturate_to_int32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

CanvasPoint mapped_point(int32_t x, int32_t y)
{
    return CanvasPoint{int64_t{centre_x} + x, int64_t{centre_y} - y};
}

int32_t canvas_x(int32_t x)
{
    return saturate_to_int32(mapped_point(x, 0).x);
}

int32_t canvas_y(int32_t y)
{
    return saturate_to_int32(mapped_point(0, y).y);
}
