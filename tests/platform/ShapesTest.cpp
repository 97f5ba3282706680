// Rectangles, rounded rectangles and polylines of the software GDI, checked pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/Gdi.h"
#include "platform/PixelRows.h"
#include "platform/Windowing.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

// Both survive 5-6-5 storage unchanged, so a picture reads the same at 16 and 24 bits.
constexpr COLORREF kPen = 0x0000F8;
constexpr COLORREF kBrush = 0xF80000;

class ShapesTest : public PlatformTest {
protected:
    // A black surface with a solid pen of the given width and a solid brush selected.
    static HDC Canvas(int w, int h, int bitsPerPixel = 16, int penWidth = 1) {
        HDC dc = MakeSectionDC(w, h, bitsPerPixel);
        Equip(dc, penWidth);
        return dc;
    }
    static void Equip(HDC dc, int penWidth = 1) {
        SelectObject(dc, CreatePen(PS_SOLID, penWidth, kPen));
        SelectObject(dc, CreateSolidBrush(kBrush));
    }
    static std::string Show(HDC dc, int x0, int y0, int w, int h) {
        return Picture(dc, x0, y0, w, h, {{0, '.'}, {kPen, 'o'}, {kBrush, '#'}});
    }
    static std::string Show(HDC dc, int w, int h) { return Show(dc, 0, 0, w, h); }
};

TEST_F(ShapesTest, RectangleOutlinesItsInnerEdgeAndFillsTheRestExclusiveOfRightAndBottom) {
    for (int bpp : {16, 24}) {
        HDC dc = Canvas(8, 6, bpp);
        EXPECT_TRUE(Rectangle(dc, 1, 1, 7, 5));
        EXPECT_EQ(Show(dc, 8, 6),
                  "........\n"
                  ".oooooo.\n"
                  ".o####o.\n"
                  ".o####o.\n"
                  ".oooooo.\n"
                  "........\n")
            << bpp << " bits";
    }
    HDC thin = Canvas(5, 4);
    EXPECT_TRUE(Rectangle(thin, 1, 1, 3, 4));
    EXPECT_EQ(Show(thin, 5, 4), ".....\n.oo..\n.oo..\n.oo..\n") << "two columns leave no interior";
    EXPECT_TRUE(Rectangle(thin, 4, 3, 2, 1)) << "inverted: nothing to draw is no failure";
    EXPECT_TRUE(Rectangle(thin, 4, 0, 4, 4));
    EXPECT_EQ(Show(thin, 5, 4), ".....\n.oo..\n.oo..\n.oo..\n");
}

TEST_F(ShapesTest, PenWidthsZeroAndOneDrawOnePixelAndWiderPensGrowInward) {
    HDC zero = Canvas(8, 6, 16, 0);
    HDC one = Canvas(8, 6, 16, 1);
    Rectangle(zero, 1, 1, 7, 5);
    Rectangle(one, 1, 1, 7, 5);
    EXPECT_EQ(Show(zero, 8, 6), Show(one, 8, 6));

    HDC three = Canvas(11, 10, 24, 3);
    EXPECT_TRUE(Rectangle(three, 1, 1, 10, 9));
    EXPECT_EQ(Show(three, 11, 10),
              "...........\n"
              ".ooooooooo.\n"
              ".ooooooooo.\n"
              ".ooooooooo.\n"
              ".ooo###ooo.\n"
              ".ooo###ooo.\n"
              ".ooooooooo.\n"
              ".ooooooooo.\n"
              ".ooooooooo.\n"
              "...........\n");

    HDC round = Canvas(12, 12, 16, 2);
    EXPECT_TRUE(RoundRect(round, 1, 1, 11, 11, 10, 10));
    EXPECT_EQ(Show(round, 12, 12),
              "............\n"
              "....oooo....\n"
              "..oooooooo..\n"
              "..ooo##ooo..\n"
              ".ooo####ooo.\n"
              ".oo######oo.\n"
              ".oo######oo.\n"
              ".ooo####ooo.\n"
              "..ooo##ooo..\n"
              "..oooooooo..\n"
              "....oooo....\n"
              "............\n")
        << "a ring two pixels deep, wider where it turns";
}

TEST_F(ShapesTest, NullPenLetsTheBrushFillTheWholeShapeAndTheHollowBrushFillsNothing) {
    HDC dc = Canvas(8, 6);
    SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(dc, 1, 1, 7, 5));
    EXPECT_EQ(Show(dc, 8, 6), "........\n.######.\n.######.\n.######.\n.######.\n........\n");

    HDC hollow = Canvas(8, 6);
    SelectObject(hollow, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(RoundRect(hollow, 1, 1, 7, 5, 4, 4));
    EXPECT_EQ(Show(hollow, 8, 6), "........\n..oooo..\n.o....o.\n.o....o.\n..oooo..\n........\n");

    SelectObject(hollow, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(hollow, 0, 0, 8, 6)) << "neither outline nor fill: nothing, and no failure";
    POINT line[] = {{0, 0}, {7, 0}};
    EXPECT_TRUE(Polyline(hollow, line, 2));
    EXPECT_EQ(Show(hollow, 8, 6), "........\n..oooo..\n.o....o.\n.o....o.\n..oooo..\n........\n");
}

TEST_F(ShapesTest, ATenPixelEllipseRoundsTheCornersIntoACircle) {
    HDC dc = Canvas(10, 10);
    EXPECT_TRUE(RoundRect(dc, 0, 0, 10, 10, 10, 10));
    EXPECT_EQ(Show(dc, 10, 10),
              "...oooo...\n"
              ".oo####oo.\n"
              ".o######o.\n"
              "o########o\n"
              "o########o\n"
              "o########o\n"
              "o########o\n"
              ".o######o.\n"
              ".oo####oo.\n"
              "...oooo...\n");
}

TEST_F(ShapesTest, CornerSizesBelowTwoStaySquareAndSizesBeyondTheRectangleAreCut) {
    HDC four = Canvas(6, 5);
    RoundRect(four, 0, 0, 6, 5, 4, 4);
    EXPECT_EQ(Show(four, 6, 5), ".oooo.\no####o\no####o\no####o\n.oooo.\n") << "4 x 4 leaves the corner pixel out";
    HDC five = Canvas(6, 5);
    RoundRect(five, 0, 0, 6, 5, 5, 5);
    EXPECT_EQ(Show(five, 6, 5), Show(four, 6, 5));

    HDC square = Canvas(6, 5), flat = Canvas(6, 5);
    Rectangle(square, 0, 0, 6, 5);
    for (auto [ew, eh] : {std::pair{1, 1}, {0, 5}, {6, 1}, {-4, -4}}) {
        RoundRect(flat, 0, 0, 6, 5, ew, eh);
        EXPECT_EQ(Show(flat, 6, 5), Show(square, 6, 5)) << ew << " x " << eh;
    }

    HDC huge = Canvas(6, 5), exact = Canvas(6, 5);
    RoundRect(huge, 0, 0, 6, 5, 600, 500);
    RoundRect(exact, 0, 0, 6, 5, 6, 5);
    EXPECT_EQ(Show(huge, 6, 5), Show(exact, 6, 5));
    EXPECT_EQ(Show(exact, 6, 5), ".oooo.\no####o\no####o\no####o\n.oooo.\n")
        << "an ellipse filling the box loses only the corners: (0.5, 1.5) lies inside it";
}

// Whether pixel (x, y) of a w x h rectangle belongs to the rounded shape, straight from the
// geometry: the pixel's centre against the nearest corner's ellipse, in floating point.
bool InRoundedShape(int x, int y, int w, int h, int ew, int eh) {
    const double a = std::min(ew, w) / 2.0, b = std::min(eh, h) / 2.0;
    if (a < 1 || b < 1) return true;
    const double px = std::min(x + 0.5, w - x - 0.5), py = std::min(y + 0.5, h - y - 0.5);
    if (px >= a || py >= b) return true;
    const double dx = a - px, dy = b - py;
    return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;  // halves only: exact in doubles
}

TEST_F(ShapesTest, RoundedShapesAtEverySizeMatchTheEllipseAndJoinOutlineAndFillWithoutGaps) {
    constexpr int kMargin = 2;
    for (int w : {1, 2, 3, 5, 8, 16, 31}) {
        for (int h : {1, 2, 4, 7, 12, 31}) {
            for (int e : {0, 2, 3, 4, 5, 6, 9, 10, 16, 40}) {
                for (auto [ew, eh] : {std::pair{e, e}, {e, e + 3}, {e + 5, e / 2}}) {
                    const int W = w + 2 * kMargin, H = h + 2 * kMargin;
                    HDC dc = Canvas(W, H), filled = Canvas(W, H);
                    ASSERT_TRUE(RoundRect(dc, kMargin, kMargin, kMargin + w, kMargin + h, ew, eh));
                    SelectObject(filled, GetStockObject(NULL_PEN));
                    ASSERT_TRUE(RoundRect(filled, kMargin, kMargin, kMargin + w, kMargin + h, ew, eh));
                    const std::string pic = Show(dc, W, H), solid = Show(filled, W, H);
                    auto at = [&](int x, int y) {
                        return x < 0 || y < 0 || x >= W || y >= H ? '.' : pic[static_cast<size_t>(y * (W + 1) + x)];
                    };
                    SCOPED_TRACE(testing::Message() << w << " x " << h << ", ellipse " << ew << " x " << eh << "\n"
                                                    << pic);
                    for (int y = 0; y < H; ++y) {
                        for (int x = 0; x < W; ++x) {
                            const int sx = x - kMargin, sy = y - kMargin;
                            const bool inside = sx >= 0 && sy >= 0 && sx < w && sy < h && InRoundedShape(sx, sy, w, h, ew, eh);
                            const char c = at(x, y);
                            ASSERT_EQ(c != '.', inside) << "coverage at " << sx << ", " << sy;
                            ASSERT_EQ(solid[static_cast<size_t>(y * (W + 1) + x)], inside ? '#' : '.')
                                << "the null pen's fill covers the same pixels";
                            const bool touchesOutside = at(x - 1, y) == '.' || at(x + 1, y) == '.' ||
                                                        at(x, y - 1) == '.' || at(x, y + 1) == '.';
                            if (c == '#') {
                                ASSERT_FALSE(touchesOutside) << "fill leaks at " << sx << ", " << sy;
                            }
                            if (c == 'o') {
                                ASSERT_TRUE(touchesOutside) << "outline thicker than a pixel at " << sx << ", " << sy;
                            }
                            ASSERT_EQ(c, at(W - 1 - x, y)) << "left and right mirror each other";
                            ASSERT_EQ(c, at(x, H - 1 - y)) << "top and bottom mirror each other";
                        }
                    }
                    if (std::min(ew, w) >= 4 && std::min(eh, h) >= 4) {
                        EXPECT_EQ(at(kMargin, kMargin), '.');
                        EXPECT_EQ(at(kMargin + w - 1, kMargin + h - 1), '.');
                    }
                    DeleteDC(dc);
                    DeleteDC(filled);
                }
            }
        }
    }
}

TEST_F(ShapesTest, PolylineLeavesOutTheLastPointAndDrawsAClosedFrameWhole) {
    HDC dc = Canvas(7, 3);
    POINT right[] = {{1, 1}, {5, 1}};
    EXPECT_TRUE(Polyline(dc, right, 2));
    EXPECT_EQ(Show(dc, 7, 3), ".......\n.oooo..\n.......\n");
    HDC back = Canvas(7, 3);
    POINT left[] = {{5, 1}, {1, 1}};
    EXPECT_TRUE(Polyline(back, left, 2));
    EXPECT_EQ(Show(back, 7, 3), ".......\n..oooo.\n.......\n");

    HDC frame = Canvas(7, 6);
    POINT box[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}};
    EXPECT_TRUE(Polyline(frame, box, 5));
    EXPECT_EQ(Show(frame, 7, 6), ".......\n.ooooo.\n.o...o.\n.o...o.\n.ooooo.\n.......\n")
        << "the sides run on x = 5 and y = 4 themselves";

    HDC open = Canvas(7, 6);
    POINT corner[] = {{1, 1}, {5, 1}, {5, 4}};
    EXPECT_TRUE(Polyline(open, corner, 3));
    EXPECT_EQ(Show(open, 7, 6), ".......\n.ooooo.\n.....o.\n.....o.\n.......\n.......\n")
        << "joints are drawn, only the end is left out";
}

TEST_F(ShapesTest, PolylineSlopesAndWidths) {
    HDC shallow = Canvas(6, 4);
    POINT a[] = {{0, 0}, {4, 2}};
    Polyline(shallow, a, 2);
    EXPECT_EQ(Show(shallow, 6, 4), "o.....\n.oo...\n...o..\n......\n") << "halves step away from the start";
    HDC steep = Canvas(3, 4);
    POINT b[] = {{0, 0}, {1, 3}};
    Polyline(steep, b, 2);
    EXPECT_EQ(Show(steep, 3, 4), "o..\no..\n.o.\n...\n");
    HDC up = Canvas(4, 4);
    POINT c[] = {{0, 3}, {3, 0}};
    Polyline(up, c, 2);
    EXPECT_EQ(Show(up, 4, 4), "....\n..o.\n.o..\no...\n");

    HDC zero = Canvas(10, 7, 16, 0);
    POINT line[] = {{2, 3}, {7, 3}};
    Polyline(zero, line, 2);
    EXPECT_EQ(Show(zero, 10, 7), "..........\n..........\n..........\n..ooooo...\n..........\n..........\n..........\n");
    HDC three = Canvas(10, 7, 24, 3);
    Polyline(three, line, 2);
    EXPECT_EQ(Show(three, 10, 7), "..........\n..........\n.ooooooo..\n.ooooooo..\n.ooooooo..\n..........\n..........\n")
        << "a square of three pixels around each point";
    HDC two = Canvas(6, 4, 16, 2);
    POINT down[] = {{1, 0}, {1, 2}};
    Polyline(two, down, 2);
    EXPECT_EQ(Show(two, 6, 4), ".oo...\n.oo...\n.oo...\n......\n");
}

// Draws the same shapes on a small surface and, moved by (10, 10), on a large one: the small
// surface must show exactly the large one's window, whichever edges the shapes cross.
TEST_F(ShapesTest, ShapesPastEveryEdgeAreClippedToTheSurface) {
    const RECT places[] = {{-3, -2, 5, 4}, {6, 5, 14, 12}, {-2, -2, 12, 10}, {-30, 3, 4, 5}, {4, -30, 6, 40}};
    for (int bpp : {16, 24}) {
        for (const RECT& r : places) {
            HDC small = Canvas(10, 8, bpp, 2), large = Canvas(30, 28, bpp, 2);
            for (auto [dc, d] : {std::pair{small, 0}, {large, 10}}) {
                RoundRect(dc, r.left + d, r.top + d, r.right + d, r.bottom + d, 6, 6);
                Rectangle(dc, r.left + d + 2, r.top + d + 1, r.right + d - 2, r.bottom + d - 1);
                POINT diagonal[] = {{r.left + d, r.bottom + d}, {r.right + d, r.top + d}, {r.right + d, r.bottom + d}};
                Polyline(dc, diagonal, 3);
            }
            EXPECT_EQ(Show(small, 10, 8), Show(large, 10, 10, 10, 8))
                << bpp << " bits, {" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
        }
    }
}

TEST_F(ShapesTest, HugeCoordinatesAndPensStayInsideTheSurface) {
    HDC dc = Canvas(6, 4);
    EXPECT_TRUE(Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(Show(dc, 6, 4), "######\n######\n######\n######\n");
    EXPECT_TRUE(RoundRect(dc, INT_MIN, 0, INT_MAX, 3, INT_MAX, INT_MAX));
    EXPECT_EQ(Show(dc, 6, 4), "oooooo\n######\noooooo\n######\n") << "the middle of a very flat ellipse";
    EXPECT_TRUE(Rectangle(dc, -5, -5, 3, 2));
    EXPECT_EQ(Show(dc, 6, 4), "##oooo\nooo###\noooooo\n######\n");

    HDC line = Canvas(4, 4);
    POINT diagonal[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
    EXPECT_TRUE(Polyline(line, diagonal, 2));
    EXPECT_EQ(Show(line, 4, 4), "o...\n.o..\n..o.\n...o\n");
    POINT across[] = {{INT_MAX, 2}, {INT_MIN, 2}, {INT_MIN, INT_MIN}};
    EXPECT_TRUE(Polyline(line, across, 3));
    EXPECT_EQ(Show(line, 4, 4), "o...\n.o..\noooo\n...o\n");

    HDC wide = Canvas(5, 5, 24, INT_MAX);
    POINT far[] = {{-1000000000, -1000000000}, {-999999999, -1000000000}};
    EXPECT_TRUE(Polyline(wide, far, 2));
    EXPECT_EQ(Show(wide, 5, 5), "ooooo\nooooo\nooooo\nooooo\nooooo\n") << "a pen wider than the distance";
    EXPECT_TRUE(RoundRect(wide, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 64, 64));
    EXPECT_EQ(Show(wide, 5, 5), "ooooo\nooooo\nooooo\nooooo\nooooo\n") << "all outline, no room for a fill";
}

TEST_F(ShapesTest, WindowAndPaintDCsClipToTheirArea) {
    RecordingWindow window(/*visible=*/true);
    HDC wdc = GetDC(window.hwnd());
    Equip(wdc);
    EXPECT_TRUE(RoundRect(wdc, -5, -5, 400, 400, 20, 20));
    POINT line[] = {{-50, 100}, {500, 100}};
    EXPECT_TRUE(Polyline(wdc, line, 2));
    ReleaseDC(window.hwnd(), wdc);
    // The client starts at screen row 26 and ends at row 294.
    EXPECT_EQ(backend.FramePixel(0, 26), platform::Pack565(kBrush));
    EXPECT_EQ(backend.FramePixel(239, 293), platform::Pack565(kBrush));
    EXPECT_EQ(backend.FramePixel(120, 126), platform::Pack565(kPen));
    EXPECT_EQ(backend.FramePixel(0, 25), 0) << "nothing above the client";
    EXPECT_EQ(backend.FramePixel(0, 294), 0) << "nothing below the client";

    RECT part{20, 30, 60, 50};
    InvalidateRect(window.hwnd(), &part, FALSE);
    PAINTSTRUCT ps;
    HDC paint = BeginPaint(window.hwnd(), &ps);
    Equip(paint);
    SelectObject(paint, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(paint, 0, 0, 240, 268));
    EndPaint(window.hwnd(), &ps);
    EXPECT_EQ(backend.FramePixel(20, 26 + 30), platform::Pack565(kBrush));
    EXPECT_EQ(backend.FramePixel(59, 26 + 49), platform::Pack565(kBrush));
    EXPECT_EQ(backend.FramePixel(120, 126), platform::Pack565(kPen)) << "outside the paint area nothing changed";
}

TEST_F(ShapesTest, InvalidDCsAndPointListsFailAndDrawNothing) {
    POINT pts[] = {{0, 0}, {3, 0}};
    EXPECT_FALSE(Rectangle(nullptr, 0, 0, 2, 2));
    EXPECT_FALSE(RoundRect(reinterpret_cast<HDC>(0x1234), 0, 0, 2, 2, 1, 1));
    EXPECT_FALSE(Polyline(nullptr, pts, 2));
    HDC dc = Canvas(4, 2);
    EXPECT_FALSE(Polyline(dc, pts, 1));
    EXPECT_FALSE(Polyline(dc, nullptr, 2));
    EXPECT_EQ(Show(dc, 4, 2), "....\n....\n");
    DeleteDC(dc);
    EXPECT_FALSE(Rectangle(dc, 0, 0, 2, 2)) << "a deleted DC";
}

}  // namespace
