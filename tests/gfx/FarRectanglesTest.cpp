// Rectangles reaching far past the surface: only the visible part costs anything, and it keeps
// the colours of its place in the whole rectangle.
#include <gtest/gtest.h>

#include <climits>

#include "gfx/Gradient.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using FarRectanglesTest = PlatformTest;

TEST_F(FarRectanglesTest, DiagonalGradientsDrawTheirVisiblePart) {
    const struct {
        RECT rc;
        COLORREF expect;  // every visible pixel, black to white on a 24-bit section
    } cases[] = {
        // The surface sits at the middle of the diagonal: half-way, 127 of 255.
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, RGB(126, 126, 126)},
        // Far taller than any surface may be, seen at its very start.
        {{0, 0, 8, 1 << 30}, RGB(0, 0, 0)},
    };
    for (const auto& c : cases) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 8, 6, 24, 0x0000FF));
        EXPECT_TRUE(s.DiagonalGradientFillRect(&c.rc, 0x000000, 0xFFFFFF));
        for (COLORREF p : Pixels(s)) EXPECT_EQ(p, c.expect);
    }
}

}  // namespace
