// The log line of every drawing operation, and the notices of its repairs in
// the order the operation makes them.
#include "library/drawing/drawing_fixture.h"

namespace drawing_test {
namespace {

using Lines = std::vector<std::string>;
using CallLogTest = DrawingTest;

TEST_F(CallLogTest, ShapeOperationsLogOneLineEach)
{
    QZ370_pixel(0, 1, 2);
    QZ370_circle(3, -4, 5, 6);
    QZ370_triangle(4, 1, 2, 3, 4, 5, 6, 7);
    QZ370_line(5, 1, 2, 3, 4, 2);
    EXPECT_EQ(printed(), (Lines{"black pixel at (1,2)\n", "green circle at (-4,5), radius 6\n",
                                "blue triangle at (1,2), (3,4), (5,6)\n", "yellow line from (1,2) to (3,4), width 2\n"}));
}

TEST_F(CallLogTest, RectangleAndOvalWordTheirWidthsDifferently)
{
    QZ370_rectangle(6, -10, 5, 10, -5, 0);
    QZ370_rectangle(6, -10, 5, 10, -5, 3);
    QZ370_oval(7, -10, 5, 10, -5, 0);
    QZ370_oval(7, -10, 5, 10, -5, 3);
    EXPECT_EQ(printed(), (Lines{"magenta rectangle with bounding box (-10,5) to (10,-5), filled\n",
                                "magenta rectangle with bounding box (-10,5) to (10,-5) with line width 3\n",
                                "cyan oval with bounding box (-10,5) to (10,-5), filled\n",
                                "cyan oval with bounding box (-10,5) to (10,-5), line width 3\n"}));
}

TEST_F(CallLogTest, TextOperationsLogTheTextButNotThePointSize)
{
    QZ370_text(8, 10, 20, 12, "hello");
    EXPECT_EQ(QZ370_text_printf(9, -1, -2, 14, "%d", 42), 2);
    EXPECT_EQ(printed(), (Lines{"purple text at (10,20), \"hello\"\n", "navy blue text at (-1,-2), \"42\"\n"}));
}

TEST_F(CallLogTest, ClearLogsAndUndoOnlyNotifies)
{
    QZ370_clear_graphics();
    EXPECT_EQ(QZ370_undo(), 1);
    EXPECT_EQ(printed(), (Lines{"Clearing the graphics window\n", "QZ370_undo is no longer supported.\n"}));
}

TEST_F(CallLogTest, PointFormsLogAsTheIntegerForms)
{
    QZ370_pixel_pt(0, Point{1, 2});
    QZ370_circle_pt(3, Point{-4, 5}, 6);
    QZ370_triangle_pt(4, Point{1, 2}, Point{3, 4}, Point{5, 6}, 7);
    QZ370_line_pt(5, Point{1, 2}, Point{3, 4}, 2);
    QZ370_rectangle_pt(6, Point{10, -5}, Point{-10, 5}, 3);
    QZ370_oval_pt(7, Point{10, -5}, Point{-10, 5}, 0);
    QZ370_text_pt(8, Point{10, 20}, 12, "hello");
    EXPECT_EQ(QZ370_text_printf_pt(9, Point{-1, -2}, 14, "%s!", "hi"), 3);
    EXPECT_EQ(printed(), (Lines{"black pixel at (1,2)\n", "green circle at (-4,5), radius 6\n",
                                "blue triangle at (1,2), (3,4), (5,6)\n", "yellow line from (1,2) to (3,4), width 2\n",
                                "magenta rectangle with bounding box (-10,5) to (10,-5) with line width 3\n",
                                "cyan oval with bounding box (-10,5) to (10,-5), filled\n",
                                "purple text at (10,20), \"hello\"\n", "navy blue text at (-1,-2), \"hi!\"\n"}));
}

TEST_F(CallLogTest, RectangleChecksColourBeforeWidthAndOvalTheOtherWay)
{
    QZ370_rectangle(99, 0, 0, 1, 1, -1);
    QZ370_oval(99, 0, 0, 1, 1, -1);
    EXPECT_EQ(printed(), (Lines{"Illegal color 99; using RED.\n", "Width of -1 not possible, using width 1\n",
                                "red rectangle with bounding box (0,1) to (1,0) with line width 1\n",
                                "Width of -1 not possible, using width 1\n", "Illegal color 99; using RED.\n",
                                "red oval with bounding box (0,1) to (1,0), line width 1\n"}));
}

TEST_F(CallLogTest, LineAndTriangleRepairWidthInTheirOwnOrder)
{
    QZ370_line(-5, 0, 0, 1, 1, -3);
    QZ370_triangle(-5, 0, 0, 1, 1, 2, 2, -3);
    EXPECT_EQ(printed(), (Lines{"Width of -3 not possible, using width 3\n", "Illegal color -5; using RED.\n",
                                "red line from (0,0) to (1,1), width 3\n", "Illegal color -5; using RED.\n",
                                "Width of -3 not possible, using width 3\n",
                                "red triangle at (0,0), (1,1), (2,2)\n"}));
}

TEST_F(CallLogTest, CircleRepairsItsRadiusAfterItsColour)
{
    QZ370_circle(24, 0, 0, -4);
    EXPECT_EQ(printed(), (Lines{"Illegal color 24; using RED.\n", "Radius of -4 not possible, using radius 4\n",
                                "red circle at (0,0), radius 4\n"}));
    EXPECT_EQ(at(0, 4), RED);
    EXPECT_EQ(at(0, 5), WHITE);
}

TEST_F(CallLogTest, PointSizeIsRepairedBeforeTheColour)
{
    QZ370_text(30, 0, 0, -200, "x");
    EXPECT_EQ(printed(), (Lines{"ptsize of -200 not possible, using ptsize 200\n",
                                "ptsize of 200 not possible, using ptsize 127\n", "Illegal color 30; using RED.\n",
                                "red text at (0,0), \"x\"\n"}));
}

TEST_F(CallLogTest, PointSizeLimitsAreInclusive)
{
    QZ370_set_logging(0);
    forget_printed();
    QZ370_text(0, 0, 0, 0, "x");
    QZ370_text(0, 0, 0, 127, "x");
    EXPECT_TRUE(printed().empty());
    QZ370_text(0, 0, 0, 128, "x");
    EXPECT_EQ(printed(), (Lines{"ptsize of 128 not possible, using ptsize 127\n"}));
}

TEST_F(CallLogTest, LineOfWidthZeroIsLoggedAsZero)
{
    QZ370_line(0, 0, 0, 10, 0, 0);
    EXPECT_EQ(printed(), (Lines{"black line from (0,0) to (10,0), width 0\n"}));
}

TEST_F(CallLogTest, TheMostNegativeValuesAreRepairedToTheLargest)
{
    QZ370_set_logging(0);
    forget_printed();
    QZ370_line(0, 0, 0, 1, 0, INT_MIN);
    QZ370_circle(0, 0, 0, INT_MIN);
    QZ370_text(0, 0, 0, INT_MIN, "x");
    EXPECT_EQ(printed(), (Lines{"Width of -2147483648 not possible, using width 2147483647\n",
                                "Radius of -2147483648 not possible, using radius 2147483647\n",
                                "ptsize of -2147483648 not possible, using ptsize 2147483647\n",
                                "ptsize of 2147483647 not possible, using ptsize 127\n"}));
}

TEST_F(CallLogTest, WithLoggingOffGoodCallsPrintNothing)
{
    QZ370_set_logging(0);
    forget_printed();
    QZ370_pixel(0, 1, 2);
    QZ370_circle(3, -4, 5, 6);
    QZ370_triangle(4, 1, 2, 3, 4, 5, 6, 7);
    QZ370_rectangle(6, -10, 5, 10, -5, 0);
    QZ370_oval(7, -10, 5, 10, -5, 3);
    QZ370_line(5, 1, 2, 3, 4, 0);
    QZ370_text(8, 10, 20, 12, "hello");
    QZ370_text_printf(8, 10, 20, 12, "%d", 7);
    QZ370_clear_graphics();
    EXPECT_TRUE(printed().empty());
    QZ370_undo();
    QZ370_oval(99, 0, 0, 1, 1, -1);
    EXPECT_EQ(printed(), (Lines{"QZ370_undo is no longer supported.\n", "Width of -1 not possible, using width 1\n",
                                "Illegal color 99; using RED.\n"}));
}

TEST_F(CallLogTest, MissingTextIsLoggedAsEmpty)
{
    QZ370_text(0, 1, 2, 12, nullptr);
    EXPECT_EQ(QZ370_text_printf(0, 1, 2, 12, nullptr), 0);
    EXPECT_EQ(printed(), (Lines{"black text at (1,2), \"\"\n", "black text at (1,2), \"\"\n"}));
}

TEST_F(CallLogTest, LogLineOfAVeryLongTextIsCut)
{
    const std::string text(3000, 'x');
    QZ370_text(0, 0, 0, 12, text.c_str());
    ASSERT_EQ(printed().size(), 1u);
    EXPECT_EQ(printed()[0].size(), 1023u);
    EXPECT_EQ(printed()[0].substr(0, 21), "black text at (0,0), ");
}

}  // namespace
}  // namespace drawing_test
