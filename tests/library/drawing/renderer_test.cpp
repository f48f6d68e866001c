// The pixel rules the renderer keeps: the coordinate mapping, inclusive boxes,
// the end point left out of a line, fill and outline by width, and the frame
// that erasing leaves.
#include "library/drawing/drawing_fixture.h"

namespace drawing_test {
namespace {

class RendererTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        QZ370_set_logging(0);
    }
};

TEST_F(RendererTest, OnePixelRectangleSetsOnlyTheCentre)
{
    QZ370_rectangle(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(GetPixel(canvas_dc, centre_x, centre_y), BLACK);
    EXPECT_EQ(inked_pixels_near_origin(3), 1);
}

// The platform draws nothing for a one-pixel box under a one-pixel pen.
TEST_F(RendererTest, OnePixelBoxKeepsItsPixelWhateverTheShapeOrThinPen)
{
    QZ370_oval(2, 5, 5, 5, 5, 1);
    QZ370_rectangle(4, -5, -5, -5, -5, 1);
    QZ370_oval(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(at(5, 5), RED);
    EXPECT_EQ(at(-5, -5), BLUE);
    EXPECT_EQ(at(0, 0), BLACK);
    EXPECT_EQ(inked_pixels_near_origin(6), 3);
}

TEST_F(RendererTest, WidePenOnOnePixelBoxDrawsItsDot)
{
    QZ370_rectangle(0, 0, 0, 0, 0, 3);
    EXPECT_EQ(at(0, 0), BLACK);
    EXPECT_GT(inked_pixels_near_origin(3), 1);
}

TEST_F(RendererTest, FilledBoxIncludesBothCorners)
{
    QZ370_rectangle(4, -2, 2, 2, -2, 0);
    EXPECT_EQ(at(-2, 2), BLUE);
    EXPECT_EQ(at(2, -2), BLUE);
    EXPECT_EQ(inked_pixels_near_origin(5), 25);
}

TEST_F(RendererTest, OutlinedBoxChangesOnlyItsBorder)
{
    QZ370_rectangle(4, -2, 2, 2, -2, 1);
    EXPECT_EQ(inked_pixels_near_origin(5), 16);
    EXPECT_EQ(at(0, 0), WHITE);
    EXPECT_EQ(at(-2, 0), BLUE);
}

TEST_F(RendererTest, OutlinedOvalLeavesItsInsideAsItWas)
{
    QZ370_rectangle(4, -20, 20, 20, -20, 0);
    QZ370_oval(2, -15, 10, 15, -10, 3);
    EXPECT_EQ(at(0, 0), BLUE);
    EXPECT_EQ(at(0, 10), RED);
    EXPECT_EQ(at(-15, 0), RED);
}

TEST_F(RendererTest, ExchangedCornersDrawTheSamePixels)
{
    QZ370_oval(2, -10, 5, 10, -5, 0);
    const std::vector<COLORREF> ordered = whole_canvas();
    QZ370_clear_graphics();
    QZ370_oval(2, 10, -5, -10, 5, 0);
    EXPECT_EQ(whole_canvas(), ordered);
}

TEST_F(RendererTest, LineLeavesOutItsEndPoint)
{
    QZ370_line(0, 0, 0, 10, 0, 1);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(at(x, 0), BLACK) << x;
    }
    EXPECT_EQ(at(10, 0), WHITE);
    EXPECT_EQ(inked_pixels_near_origin(12), 10);
}

TEST_F(RendererTest, LineOfWidthZeroIsOnePixelThick)
{
    QZ370_line(0, 0, 0, 10, 0, 0);
    EXPECT_EQ(at(5, 0), BLACK);
    EXPECT_EQ(at(5, 1), WHITE);
    EXPECT_EQ(at(5, -1), WHITE);
    EXPECT_EQ(inked_pixels_near_origin(12), 10);
}

TEST_F(RendererTest, CircleOfRadiusZeroIsOnePixel)
{
    QZ370_circle(0, 0, 0, 0);
    EXPECT_EQ(at(0, 0), BLACK);
    EXPECT_EQ(inked_pixels_near_origin(3), 1);
}

TEST_F(RendererTest, CircleFillsTheSquareItIsInscribedIn)
{
    QZ370_circle(2, 0, 0, 4);
    EXPECT_EQ(at(0, 4), RED);
    EXPECT_EQ(at(0, -4), RED);
    EXPECT_EQ(at(-4, 0), RED);
    EXPECT_EQ(at(4, 0), RED);
    EXPECT_EQ(at(0, 5), WHITE);
    EXPECT_EQ(at(5, 0), WHITE);
    EXPECT_EQ(at(4, 4), WHITE);
}

TEST_F(RendererTest, FilledTriangleCoversItsInsideAndCorners)
{
    QZ370_triangle(3, -10, -10, 10, -10, 0, 10, 0);
    EXPECT_EQ(at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(at(-10, -10), RGB(0, 255, 0));
    EXPECT_EQ(at(0, 11), WHITE);
}

TEST_F(RendererTest, PixelOutsideTheCanvasChangesNothing)
{
    const std::vector<COLORREF> before = whole_canvas();
    QZ370_pixel(0, 400, 0);
    EXPECT_EQ(whole_canvas(), before);
}

TEST_F(RendererTest, UnknownKindsDrawNothingButMarkTheCanvas)
{
    const std::vector<COLORREF> before = whole_canvas();
    for (int32_t kind : {6, -1}) {
        canvas_dirty = 0;
        DrawCommand command = {};
        command.kind = kind;
        command.points = {-50, 50, 50, -50, 0, 0};
        render_command(command);
        EXPECT_EQ(canvas_dirty, 1);
    }
    EXPECT_EQ(whole_canvas(), before);
}

TEST_F(RendererTest, EveryKindMarksTheCanvas)
{
    canvas_dirty = 0;
    QZ370_pixel(0, 0, 0);
    EXPECT_EQ(canvas_dirty, 1);
    canvas_dirty = 0;
    QZ370_text(0, 0, 0, 12, "");
    EXPECT_EQ(canvas_dirty, 1);
    canvas_dirty = 0;
    QZ370_clear_graphics();
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(RendererTest, ContextKeepsItsInitialObjectsAfterEveryKind)
{
    const HGDIOBJ pen = GetCurrentObject(canvas_dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas_dc, OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(canvas_dc, OBJ_FONT);
    QZ370_triangle(1, 0, 0, 5, 5, 9, 0, 0);
    QZ370_triangle(1, 0, 0, 5, 5, 9, 0, 2);
    QZ370_rectangle(1, 0, 0, 5, 5, 0);
    QZ370_rectangle(1, 0, 0, 5, 5, 4);
    QZ370_oval(1, 0, 0, 5, 5, 0);
    QZ370_oval(1, 0, 0, 5, 5, 4);
    QZ370_circle(1, 0, 0, 5);
    QZ370_line(1, 0, 0, 5, 5, 3);
    QZ370_pixel(1, 0, 0);
    QZ370_text(1, 0, 0, 20, "two\nlines");
    QZ370_clear_graphics();
    EXPECT_EQ(GetCurrentObject(canvas_dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas_dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas_dc, OBJ_FONT), font);
}

TEST_F(RendererTest, ErasedCanvasIsWhiteInsideABlackFrame)
{
    QZ370_rectangle(2, -1000, 1000, 1000, -1000, 0);
    erase_canvas();
    for (int column : {0, 300, CANVAS_WIDTH - 1}) {
        EXPECT_EQ(GetPixel(canvas_dc, column, 0), BLACK);
        EXPECT_EQ(GetPixel(canvas_dc, column, CANVAS_HEIGHT - 1), BLACK);
    }
    for (int row : {0, 270, CANVAS_HEIGHT - 1}) {
        EXPECT_EQ(GetPixel(canvas_dc, 0, row), BLACK);
        EXPECT_EQ(GetPixel(canvas_dc, CANVAS_WIDTH - 1, row), BLACK);
    }
    EXPECT_EQ(GetPixel(canvas_dc, 1, 1), WHITE);
    EXPECT_EQ(GetPixel(canvas_dc, CANVAS_WIDTH - 2, CANVAS_HEIGHT - 2), WHITE);
    EXPECT_EQ(GetPixel(canvas_dc, 300, 270), WHITE);
}

TEST_F(RendererTest, ShapesFarOutsideTheRangeAreClippedWithoutOverflow)
{
    QZ370_rectangle(4, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0);
    EXPECT_EQ(GetPixel(canvas_dc, 0, 0), BLUE);
    EXPECT_EQ(GetPixel(canvas_dc, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1), BLUE);
    QZ370_circle(2, 0, 0, INT_MIN);
    EXPECT_EQ(at(0, 0), RED);
    QZ370_circle(3, INT_MAX, INT_MIN, INT_MAX);
    QZ370_oval(3, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    QZ370_triangle(0, INT_MIN, INT_MIN, INT_MAX, INT_MIN, 0, INT_MAX, INT_MAX);
    QZ370_line(0, INT_MIN, 0, INT_MAX, 0, INT_MIN);
    QZ370_pixel(0, INT_MIN, INT_MAX);
    QZ370_text(0, INT_MAX, INT_MIN, INT_MIN, "far\naway");
    // The widest pen along the origin row covers the whole canvas.
    EXPECT_EQ(GetPixel(canvas_dc, 0, 0), BLACK);
    EXPECT_EQ(GetPixel(canvas_dc, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1), BLACK);
}

// The same shape with its ends pulled in to a million along the same lines:
// cutting far ends must not tilt the edges that cross the canvas.
struct FarShape {
    const char *name;
    void (*draw_far)();
    void (*draw_near)();
};

constexpr int NEAR_END = 1000000;

const FarShape FAR_SHAPES[] = {
    {"diagonal line", [] { QZ370_line(0, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1); },
     [] { QZ370_line(0, -NEAR_END, -NEAR_END, NEAR_END, NEAR_END, 1); }},
    {"triangle above the diagonal",
     [] { QZ370_triangle(0, INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN + 1, INT_MAX, 0); },
     [] { QZ370_triangle(0, -NEAR_END, -NEAR_END, NEAR_END, NEAR_END, -NEAR_END, NEAR_END, 0); }},
    {"wide line", [] { QZ370_line(4, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 25); },
     [] { QZ370_line(4, -NEAR_END, NEAR_END - 1, NEAR_END, -NEAR_END - 1, 25); }},
    {"wide triangle outline",
     [] { QZ370_triangle(2, INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN + 1, INT_MAX, 9); },
     [] { QZ370_triangle(2, -NEAR_END, -NEAR_END, NEAR_END, NEAR_END, -NEAR_END, NEAR_END, 9); }},
};

TEST_F(RendererTest, FarEndsDrawTheSamePixelsAsNearOnesOnTheSameLines)
{
    for (const FarShape &shape : FAR_SHAPES) {
        QZ370_clear_graphics();
        shape.draw_near();
        const std::vector<COLORREF> drawn_near = whole_canvas();
        QZ370_clear_graphics();
        shape.draw_far();
        EXPECT_EQ(whole_canvas(), drawn_near) << shape.name;
    }
}

}  // namespace
}  // namespace drawing_test
