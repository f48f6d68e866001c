// Which pixels of a client nobody will see, found by walking held-back
// painting from the last call back to the first: a pixel that a later call
// paints over, or that a later scroll pushes off the top, is unseen before
// it. Kept as one run of columns per row, so where the truth needs two runs
// only one of them is kept: a pixel in doubt counts as seen.
#pragma once

#include <windows.h>

#include <vector>

namespace qz370::platform {

class UnseenPixels {
public:
    // A client of this size with every pixel seen, as when someone looks.
    void reset(int width, int height);
    // True when no pixel of box (within the client) is seen.
    bool all_unseen(const RECT &box) const;
    // Steps back over a call that paints all of box (within the client),
    // whatever was there.
    void paint_over(const RECT &box);
    // Steps back over a whole-client scroll up by rows (1 to half the
    // height) that leaves the rows it uncovers as they were.
    void scroll_back(int rows);
    // The columns unseen in every one of the bottom rows, over those rows.
    RECT unseen_in_bottom_rows(int rows) const;
    // How many rows from the top are unseen whole.
    int unseen_top_rows() const { return whole_top_rows_; }
    int height() const { return height_; }

private:
    struct Run {
        LONG left;
        LONG right;  // excluded; no wider than left when the run is empty
    };

    Run &row(int y);
    const Run &row(int y) const;
    bool whole(const Run &run) const { return run.left <= 0 && run.right >= width_; }
    void count_whole_top_rows(int from);

    int width_ = 0;
    int height_ = 0;
    int first_slot_ = 0;  // where row 0's run is kept: a scroll moves it instead of the runs
    int whole_top_rows_ = 0;
    std::vector<Run> runs_;
};

}  // namespace qz370::platform
