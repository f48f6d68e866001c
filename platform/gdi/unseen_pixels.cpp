#include "gdi/unseen_pixels.h"

#include <algorithm>

namespace qz370::platform {

namespace {

template <typename Run>
bool is_empty(const Run &run)
{
    return run.left >= run.right;
}

// Both runs when they touch; else the wider, which leaves the other counted
// as seen.
template <typename Run>
Run joined(const Run &a, const Run &b)
{
    if (is_empty(a) || is_empty(b)) {
        return is_empty(a) ? b : a;
    }
    if (b.left <= a.right && a.left <= b.right) {
        return Run{std::min(a.left, b.left), std::max(a.right, b.right)};
    }
    return b.right - b.left > a.right - a.left ? b : a;
}

template <typename Run>
Run common(const Run &a, const Run &b)
{
    return Run{std::max(a.left, b.left), std::min(a.right, b.right)};
}

}  // namespace

void UnseenPixels::reset(int width, int height)
{
    width_ = width;
    height_ = height;
    first_slot_ = 0;
    whole_top_rows_ = 0;
    runs_.assign(static_cast<size_t>(height), Run{0, 0});
}

UnseenPixels::Run &UnseenPixels::row(int y)
{
    const int slot = first_slot_ + y;
    return runs_[static_cast<size_t>(slot >= height_ ? slot - height_ : slot)];
}

const UnseenPixels::Run &UnseenPixels::row(int y) const
{
    const int slot = first_slot_ + y;
    return runs_[static_cast<size_t>(slot >= height_ ? slot - height_ : slot)];
}

void UnseenPixels::count_whole_top_rows(int from)
{
    while (from < height_ && whole(row(from))) {
        ++from;
    }
    whole_top_rows_ = from;
}

bool UnseenPixels::all_unseen(const RECT &box) const
{
    for (LONG y = std::max<LONG>(box.top, whole_top_rows_); y < box.bottom && box.left < box.right; ++y) {
        const Run &run = row(y);
        if (run.left > box.left || run.right < box.right) {
            return false;
        }
    }
    return true;
}

void UnseenPixels::paint_over(const RECT &box)
{
    if (box.left >= box.right) {
        return;
    }
    for (LONG y = box.top; y < box.bottom; ++y) {
        Run &run = row(y);
        run = joined(run, Run{box.left, box.right});
    }
    if (box.top <= whole_top_rows_) {
        count_whole_top_rows(whole_top_rows_);
    }
}

// Before the scroll, row y showed at y - rows after it, and also at y itself
// when y is among the uncovered rows at the bottom; the first rows showed
// nowhere.
void UnseenPixels::scroll_back(int rows)
{
    first_slot_ -= rows;
    if (first_slot_ < 0) {
        first_slot_ += height_;
    }
    // Row i's slot still holds the run of row height - rows + i after the scroll.
    for (int i = 0; i < rows; ++i) {
        Run &top = row(i);
        Run &bottom = row(height_ - rows + i);
        bottom = common(bottom, top);
        top = Run{0, width_};
    }
    count_whole_top_rows(std::min(whole_top_rows_ + rows, height_ - rows));
}

RECT UnseenPixels::unseen_in_bottom_rows(int rows) const
{
    Run unseen{0, width_};
    for (int y = height_ - rows; y < height_; ++y) {
        unseen = common(unseen, row(y));
    }
    if (is_empty(unseen)) {
        unseen = Run{0, 0};
    }
    return RECT{unseen.left, height_ - rows, unseen.right, height_};
}

}  // namespace qz370::platform
