// The rasteriser against the GDI reference corpus: every command file in
// tests/data/gdi is drawn with qz370::raster exactly as the reference renderer
// calls GDI, and each saved canvas is compared with the reference image that
// GDI drew. Pixels, rectangles and one-pixel lines and erase must match GDI
// exactly; everything else to within 1% of the shape's pixels, with nothing
// outside GDI's own box of them. Text is not part of the corpus.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "command_file.h"
#include "gdi/raster/raster.h"
#include "library_state.h"
#include "reference_images.h"

namespace {

using qz370::commands::Command;
using qz370::commands::Op;
using qz370::test_images::Image;
namespace raster = qz370::raster;

constexpr double LOOSE_LIMIT = 0.01;
const char *const CORPUS_FILES[] = {"pixels", "rectangles", "lines", "triangles", "ovals", "circles", "erase"};

std::string corpus_path(const std::string &name) { return std::string(QZ370_TEST_DATA) + "/gdi/" + name; }

// A canvas drawn on as the reference renderer draws on its own.
struct Canvas {
    Image image;
    int centre_x = 0, centre_y = 0;
    std::set<std::string> kinds;  // what was drawn since the canvas opened
};

void open_canvas(Canvas &canvas, int width, int height, int centre_x, int centre_y) {
    canvas.image.width = width;
    canvas.image.height = height;
    canvas.image.pixels.assign(static_cast<size_t>(width) * height, qz370::test_images::WHITE);
    canvas.centre_x = centre_x;
    canvas.centre_y = centre_y;
    canvas.kinds.clear();
}

raster::Surface surface_of(Canvas &canvas) {
    Image &image = canvas.image;
    return {image.pixels.data(), image.width, image.height, image.width, RECT{0, 0, image.width, image.height}};
}

uint32_t colour(int index) { return raster::from_colorref(Palette[index].value); }

const char *kind_name(Op op) {
    switch (op) {
        case Op::Erase: return "erase";
        case Op::Triangle: return "triangle";
        case Op::Rectangle: return "rectangle";
        case Op::Oval: return "oval";
        case Op::Line: return "line";
        case Op::Pixel: return "pixel";
        default: return "text";
    }
}

void draw(Canvas &canvas, const Command &c) {
    raster::Surface surface = surface_of(canvas);
    const int *n = c.numbers;
    int cx = canvas.centre_x, cy = canvas.centre_y;
    bool wide = (c.op == Op::Triangle || c.op == Op::Rectangle || c.op == Op::Oval || c.op == Op::Line) && n[1] > 1;
    canvas.kinds.insert(std::string(wide ? "wide " : "") + kind_name(c.op));
    raster::Pen pen = {true, n[1], colour(n[0])};
    raster::Brush brush = {n[1] == 0, colour(n[0])};
    switch (c.op) {
        case Op::Erase:
            raster::rectangle(surface, 0, 0, canvas.image.width, canvas.image.height, {true, 1, 0},
                              {true, qz370::test_images::WHITE});
            break;
        case Op::Triangle: {
            POINT points[3] = {{cx + n[2], cy - n[3]}, {cx + n[4], cy - n[5]}, {cx + n[6], cy - n[7]}};
            raster::polygon(surface, points, 3, pen, brush);
            break;
        }
        case Op::Rectangle:
            raster::rectangle(surface, cx + n[2], cy - n[3], cx + n[4] + 1, cy - n[5] + 1, pen, brush);
            break;
        case Op::Oval:
            raster::ellipse(surface, cx + n[2], cy - n[3], cx + n[4] + 1, cy - n[5] + 1, pen, brush);
            break;
        case Op::Line:
            raster::line(surface, cx + n[2], cy - n[3], cx + n[4], cy - n[5], pen);
            break;
        case Op::Pixel:
            raster::set_pixel(surface, cx + n[1], cy - n[2], colour(n[0]));
            break;
        default:
            break;
    }
}

// One saved canvas: a single kind of shape gives its kind ("wide oval"), a
// mix is a scene.
std::string category_of(const std::set<std::string> &kinds) {
    if (kinds.empty()) return "blank";
    return kinds.size() == 1 ? *kinds.begin() : "scene";
}

bool must_be_exact(const std::set<std::string> &kinds) {
    for (const std::string &kind : kinds)
        if (kind != "pixel" && kind != "rectangle" && kind != "line" && kind != "erase") return false;
    return true;
}

struct Figures {
    int shapes = 0, identical = 0, differing = 0, shape_pixels = 0;
    double worst = 0;
};

class RasterCorpus : public testing::TestWithParam<const char *> {};

TEST_P(RasterCorpus, AgreesWithGdi) {
    std::vector<Command> commands;
    std::string error;
    ASSERT_TRUE(qz370::commands::read_command_file(corpus_path(std::string(GetParam()) + ".txt"), &commands, &error))
        << error;
    Canvas canvas;
    open_canvas(canvas, qz370::commands::DEFAULT_WIDTH, qz370::commands::DEFAULT_HEIGHT,
                qz370::commands::DEFAULT_CENTRE_X, qz370::commands::DEFAULT_CENTRE_Y);
    std::map<std::string, Figures> figures;
    for (const Command &c : commands) {
        if (c.op == Op::Canvas) {
            open_canvas(canvas, c.numbers[0], c.numbers[1], c.numbers[2], c.numbers[3]);
            continue;
        }
        if (c.op != Op::Save) {
            draw(canvas, c);
            continue;
        }
        Image reference;
        ASSERT_TRUE(qz370::test_images::read_png(corpus_path("ref/" + c.text + ".png"), &reference, &error)) << error;
        ASSERT_EQ(reference.width, canvas.image.width) << c.text;
        ASSERT_EQ(reference.height, canvas.image.height) << c.text;
        qz370::test_images::Agreement agreement = qz370::test_images::compare(canvas.image, reference);
        double share = agreement.shape_pixels ? double(agreement.differing) / agreement.shape_pixels : 0;
        if (must_be_exact(canvas.kinds))
            EXPECT_EQ(agreement.differing, 0) << c.text;
        else
            EXPECT_LE(share, LOOSE_LIMIT) << c.text << ": " << agreement.differing << " of "
                                          << agreement.shape_pixels << " pixels differ";
        EXPECT_FALSE(agreement.outside_box) << c.text << " draws outside GDI's box";
        Figures &f = figures[category_of(canvas.kinds)];
        ++f.shapes;
        f.identical += agreement.differing == 0;
        f.differing += agreement.differing;
        f.shape_pixels += agreement.shape_pixels;
        f.worst = std::max(f.worst, share);
    }
    for (const auto &[kind, f] : figures)
        std::printf("%-16s %4d shapes, %4d identical to GDI, %6d of %7d pixels differ, worst %.2f%%\n", kind.c_str(),
                    f.shapes, f.identical, f.differing, f.shape_pixels, 100 * f.worst);
}

INSTANTIATE_TEST_SUITE_P(Files, RasterCorpus, testing::ValuesIn(CORPUS_FILES));

}  // namespace
