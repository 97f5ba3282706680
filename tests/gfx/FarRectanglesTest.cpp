// Rectangles reaching far past the surface: only the visible part costs anything, and it keeps
// the colours of its place in the whole rectangle.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "gfx/Colors.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using FarRectanglesTest = PlatformTest;

// Black to white: the surface sits half-way along the whole rectangle (127 of 255), or at the
// very start of one far taller than any surface may be.
TEST_F(FarRectanglesTest, GradientsDrawTheirVisiblePartAtItsPlace) {
    const RECT whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, tall{0, 0, 8, 1 << 30};
    const COLORREF half = Packed(RGB(126, 126, 126)), start = Packed(RGB(0, 0, 0));
    const struct {
        const char* what;
        std::function<BOOL(CQorGDI&)> draw;
        COLORREF expect;
    } cases[] = {
        {"diagonal", [&](CQorGDI& s) { return s.DiagonalGradientFillRect(&whole, 0, 0xFFFFFF); }, half},
        {"tall diagonal", [&](CQorGDI& s) { return s.DiagonalGradientFillRect(&tall, 0, 0xFFFFFF); }, start},
        {"vertical", [&](CQorGDI& s) { return s.GradientFillRect(&whole, 0, 0xFFFFFF, FALSE); }, half},
        {"rounded", [&](CQorGDI& s) { return s.GradientRoundRect(&whole, NO_COLOR, 9, 9, 0, 0xFFFFFF); }, half},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 8, 6, 16, 0x0000FF));
        EXPECT_TRUE(c.draw(s));
        for (COLORREF p : Pixels(s)) EXPECT_EQ(p, c.expect);
    }
}

}  // namespace
