// Rectangles, rounded rectangles and polylines of the software GDI, checked pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
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
        SelectObject(dc, CreatePen(PS_SOLID, penWidth, kPen));
        SelectObject(dc, CreateSolidBrush(kBrush));
        return dc;
    }
    static std::string Show(HDC dc, int w, int h) { return Picture(dc, w, h, {{0, '.'}, {kPen, 'o'}, {kBrush, '#'}}); }
};

std::function<void(HDC)> Line(std::vector<POINT> points) {
    return [points](HDC dc) { EXPECT_TRUE(Polyline(dc, points.data(), static_cast<int>(points.size()))); };
}

// Each picture one character a pixel: '.' untouched, 'o' pen, '#' brush.
TEST_F(ShapesTest, PicturesOfRectanglesRoundedRectanglesPolylinesAndPenWidths) {
    const struct { const char* what; int w, h, bpp, pen; std::function<void(HDC)> draw; const char* picture; } cases[] = {
        {"inner-edge outline, fill short of right and bottom, pen 0", 8, 6, 24, 0, [](HDC dc) { Rectangle(dc, 1, 1, 7, 5); },
         "........\n.oooooo.\n.o####o.\n.o####o.\n.oooooo.\n........\n"},
        {"two columns, no interior; inverted and empty draw nothing", 5, 4, 16, 1,
         [](HDC dc) { Rectangle(dc, 1, 1, 3, 4), Rectangle(dc, 4, 3, 2, 1), Rectangle(dc, 4, 0, 4, 4); }, ".....\n.oo..\n.oo..\n.oo..\n"},
        {"a pen of 3 grows inward", 11, 10, 24, 3, [](HDC dc) { Rectangle(dc, 1, 1, 10, 9); },
         "...........\n.ooooooooo.\n.ooooooooo.\n.ooooooooo.\n.ooo###ooo.\n"
         ".ooo###ooo.\n.ooooooooo.\n.ooooooooo.\n.ooooooooo.\n...........\n"},
        {"a ring two pixels deep, wider where it turns", 12, 12, 16, 2, [](HDC dc) { RoundRect(dc, 1, 1, 11, 11, 10, 10); },
         "............\n....oooo....\n..oooooooo..\n..ooo##ooo..\n.ooo####ooo.\n.oo######oo.\n"
         ".oo######oo.\n.ooo####ooo.\n..ooo##ooo..\n..oooooooo..\n....oooo....\n............\n"},
        {"the hollow brush fills nothing; no pen and no brush draw nothing", 8, 6, 16, 1, [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_BRUSH)), RoundRect(dc, 1, 1, 7, 5, 4, 4), SelectObject(dc, GetStockObject(NULL_PEN));
             Rectangle(dc, 0, 0, 8, 6), Line({{0, 0}, {7, 0}})(dc);
         }, "........\n..oooo..\n.o....o.\n.o....o.\n..oooo..\n........\n"},
        {"bad DCs and point lists fail", 4, 2, 16, 1, [](HDC dc) {
             POINT pts[] = {{0, 0}, {3, 0}};
             EXPECT_FALSE(Rectangle(nullptr, 0, 0, 2, 2) || RoundRect(reinterpret_cast<HDC>(0x1234), 0, 0, 2, 2, 1, 1) ||
                          Polyline(dc, pts, 1) || Polyline(dc, nullptr, 2));
         }, "....\n....\n"},
        {"a line leaves out its last point", 7, 3, 16, 1, Line({{1, 1}, {5, 1}}), ".......\n.oooo..\n.......\n"},
        {"in either direction", 7, 3, 16, 1, Line({{5, 1}, {1, 1}}), ".......\n..oooo.\n.......\n"},
        {"a closed frame is whole", 7, 6, 16, 1, Line({{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}}),
         ".......\n.ooooo.\n.o...o.\n.o...o.\n.ooooo.\n.......\n"},
        {"joints drawn, the end left out", 7, 6, 16, 1, Line({{1, 1}, {5, 1}, {5, 4}}), ".......\n.ooooo.\n.....o.\n.....o.\n.......\n.......\n"},
        {"halves step away from the start", 6, 4, 16, 1, Line({{0, 0}, {4, 2}}), "o.....\n.oo...\n...o..\n......\n"},
        {"steep", 3, 4, 16, 1, Line({{0, 0}, {1, 3}}), "o..\no..\n.o.\n...\n"},
        {"upward", 4, 4, 16, 1, Line({{0, 3}, {3, 0}}), "....\n..o.\n.o..\no...\n"},
        {"pen width 0", 10, 5, 16, 0, Line({{2, 2}, {7, 2}}), "..........\n..........\n..ooooo...\n..........\n..........\n"},
        {"a square of 3 around each point", 10, 5, 24, 3, Line({{2, 2}, {7, 2}}), "..........\n.ooooooo..\n.ooooooo..\n.ooooooo..\n..........\n"},
        {"width 2 grows right and down", 6, 4, 16, 2, Line({{1, 0}, {1, 2}}), ".oo...\n.oo...\n.oo...\n......\n"},
        // Huge coordinates and pens stay inside the surface.
        {"huge", 6, 4, 16, 1, [](HDC dc) { Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX); }, "######\n######\n######\n######\n"},
        {"a very flat ellipse's middle", 6, 4, 16, 1, [](HDC dc) { RoundRect(dc, INT_MIN, 0, INT_MAX, 3, INT_MAX, INT_MAX); },
         "oooooo\n######\noooooo\n......\n"},
        {"huge lines", 4, 4, 16, 1, Line({{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MAX, 2}, {INT_MIN, 2}, {INT_MIN, INT_MIN}}),
         "o...\n.o..\noooo\n...o\n"},
        {"a pen wider than the distance", 5, 3, 24, INT_MAX, Line({{-1000000000, -1000000000}, {-999999999, -1000000000}}),
         "ooooo\nooooo\nooooo\n"},
        {"all outline", 5, 3, 24, INT_MAX, [](HDC dc) { RoundRect(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 64, 64); }, "ooooo\nooooo\nooooo\n"},
    };
    for (const auto& c : cases) {
        HDC dc = Canvas(c.w, c.h, c.bpp, c.pen);
        c.draw(dc);
        EXPECT_EQ(Show(dc, c.w, c.h), c.picture) << c.what;
    }
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
    for (int w : {1, 2, 3, 5, 8, 16, 31})
        for (int h : {1, 2, 4, 7, 12, 31})
            for (int e : {-4, 0, 1, 2, 3, 4, 5, 6, 9, 10, 16, 40})
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
                            ASSERT_TRUE(c != '#' || !touchesOutside) << "fill leaks at " << sx << ", " << sy;
                            ASSERT_TRUE(c != 'o' || touchesOutside) << "outline thicker than a pixel at " << sx << ", " << sy;
                            ASSERT_TRUE(c == at(W - 1 - x, y) && c == at(x, H - 1 - y)) << "mirrored both ways";
                        }
                    }
                    EXPECT_TRUE(std::min({ew, w, eh, h}) < 4 || (at(kMargin, kMargin) == '.' && at(kMargin + w - 1, kMargin + h - 1) == '.'));
                    DeleteDC(dc), DeleteDC(filled);
                }
}

}  // namespace
