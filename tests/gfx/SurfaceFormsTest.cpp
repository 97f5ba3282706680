// What every pixel operation shares: the surfaces it takes, refusals, the DC forms' temporaries, clipping.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "gfx/Blend.h"
#include "gfx/Colors.h"
#include "gfx/Gradient.h"
#include "gfx/RoundGradient.h"
#include "platform/PixelBuffer.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

using Op = std::function<BOOL(CQorGDI&, RECT)>;
using SurfaceFormsTest = PlatformTest;

struct Case {
    const char* name;
    const char* takes;  // succeeds on: 16-bit section, 24-bit section, 16-bit device, 24-bit device, nothing
    char inverted;      // the answer for an inverted rectangle, '-' where there is none
    Op run;
};

const Case kCases[] = {
    {"AlphaFillBits", "10000", '1', [](CQorGDI& s, RECT r) { return AlphaFillBits(s.m_pBits, s.m_bm, &r, 0xFFFFFF, 127); }},
    {"AlphaFillRect", "10100", '1', [](CQorGDI& s, RECT r) { return s.AlphaFillRect(&r, 0xFFFFFF, 127); }},
    {"AlphaFillRectDC", "11110", '0', [](CQorGDI& s, RECT r) { return AlphaFillRectDC(s.m_hDC, &r, 0xFFFFFF, 127); }},
    {"GradientFillBits16", "10000", '0', [](CQorGDI& s, RECT r) { return GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &r, 0, 0xFFFFFF); }},
    {"GradientFillBits24", "01000", '0', [](CQorGDI& s, RECT r) { return GradientFillBits24(s.m_pBits, s.m_bm, s.m_hDC, &r, 0, 0xFFFFFF); }},
    {"GradientFillRect 16", "10100", '0', [](CQorGDI& s, RECT r) { return s.GradientFillRect(&r, 0, 0xFFFFFF, FALSE); }},
    {"GradientFillRect 24", "01010", '0', [](CQorGDI& s, RECT r) { return s.GradientFillRect(&r, 0, 0xFFFFFF, TRUE); }},
    {"GradientFillRectDC", "11110", '0', [](CQorGDI& s, RECT r) { return GradientFillRectDC(s.m_hDC, &r, 0, 0xFFFFFF, FALSE); }},
    {"DiagonalGradientFill", "11000", '0', [](CQorGDI& s, RECT r) { return DiagonalGradientFill(s.m_pBits, s.m_bm, s.m_hDC, &r, 0, 0xFFFFFF); }},
    {"DiagonalGradientFillRect", "11110", '0', [](CQorGDI& s, RECT r) { return s.DiagonalGradientFillRect(&r, 0, 0xFFFFFF); }},
    {"DiagonalGradientFillRectDC", "11110", '0', [](CQorGDI& s, RECT r) { return DiagonalGradientFillRectDC(s.m_hDC, &r, 0, 0xFFFFFF); }},
    {"GradientRoundRectBits", "10000", '0',
     [](CQorGDI& s, RECT r) { return GradientRoundRectBits(s.m_pBits, s.m_bm, s.m_hDC, &r, 0, 4, 4, 0, 0xFFFFFF); }},
    {"GradientRoundRect", "10100", '0', [](CQorGDI& s, RECT r) { return s.GradientRoundRect(&r, 0, 4, 4, 0, 0xFFFFFF); }},
    {"GlossRoundRect", "10100", '0', [](CQorGDI& s, RECT r) { return s.GlossRoundRect(&r, 0, 4, 4, 0, 0, 0, 0xFFFFFF); }},
    {"Dither565", "01000", '-', [](CQorGDI& s, RECT) { return s.Dither565(); }},
};

// Surface kind k of "takes", 8 × 8 and blue; kind 4 is no surface at all.
void Make(CQorGDI& s, int kind) {
    const int depth = kind % 2 ? 24 : 16;
    if (kind < 4) {
        HDC ref = kind < 2 ? nullptr : MakeSectionDC(1, 1, depth);
        ASSERT_TRUE(s.CreateSized(ref, 8, 8, FALSE, kind < 2, FALSE, depth));
    }
    for (int y = 0; kind < 4 && y < 8; ++y)
        for (int x = 0; x < 8; ++x) s.SetPixel(x, y, 0xFF0000);
}

TEST_F(SurfaceFormsTest, EachOperationTakesItsSurfacesAndLeavesOthersAlone) {
    for (const Case& c : kCases) {
        for (int kind = 0; kind < 5; ++kind) {
            SCOPED_TRACE(testing::Message() << c.name << " on surface kind " << kind);
            CQorGDI s;
            Make(s, kind);
            const std::vector<COLORREF> before = Pixels(s);
            const bool ok = c.run(s, RECT{1, 1, 7, 7});
            EXPECT_EQ(ok, c.takes[kind] == '1');
            if (!ok) { EXPECT_EQ(Pixels(s), before); }
        }
        const int good = static_cast<int>(std::string(c.takes).find('1'));
        if (c.inverted == '-' || good < 0) continue;
        SCOPED_TRACE(c.name);
        CQorGDI s;
        Make(s, good);
        const std::vector<COLORREF> before = Pixels(s);
        EXPECT_EQ(c.run(s, RECT{6, 1, 2, 7}), c.inverted == '1') << "inverted";
        // The DC forms cannot make an empty temporary; the workers draw nothing and succeed.
        const bool dcForm = std::string(c.name).ends_with("DC");
        EXPECT_EQ(c.run(s, RECT{1, 3, 7, 3}), !dcForm) << "empty";
        EXPECT_EQ(c.run(s, RECT{8, 0, 8, 8}), !dcForm) << "empty on the right edge";
        EXPECT_EQ(Pixels(s), before) << "an inverted or empty rectangle draws nothing";
        if (dcForm) {
            platform::FailNextPixelBuffers(10);
            EXPECT_FALSE(c.run(s, RECT{1, 1, 7, 7})) << "no temporary";
            platform::FailNextPixelBuffers(0);
            EXPECT_EQ(Pixels(s), before);
        }
    }
}

// Drawn on a small surface and, moved by (10, 10), on a large one: the small surface must show
// exactly the large one's window, whichever edges the rectangle crosses.
TEST_F(SurfaceFormsTest, ClippedRectanglesLookAsOnALargerSurface) {
    const int W = 7, H = 6;
    const std::pair<int, Op> ops[] = {
        {16, kCases[3].run}, {24, kCases[4].run}, {16, kCases[9].run}, {24, kCases[9].run},
        {16, [](CQorGDI& s, RECT r) { return s.GlossRoundRect(&r, 0x00FF00, 8, 8, 0x101010, 0x808080, 0x404040, 0xF0F0F0); }},
        {16, [](CQorGDI& s, RECT r) { return s.GradientRoundRect(&r, 0x00FF00, 6, 6, 0x203040, 0xF0E0D0); }},
        {16, kCases[0].run},
    };
    for (size_t i = 0; i < std::size(ops); ++i) {
        const auto& [depth, op] = ops[i];
        for (RECT rc : {RECT{-5, -5, W + 5, H + 5}, RECT{-3, 2, 4, H + 9}, RECT{3, -8, W + 1, 3}}) {
            SCOPED_TRACE(testing::Message() << "op " << i << ", " << depth << " bits, rect " << testing::PrintToString(rc));
            CQorGDI small, large;
            ASSERT_TRUE(MakeSection(small, W, H, depth, 0x0000FF) && MakeSection(large, W + 20, H + 20, depth, 0x0000FF));
            EXPECT_TRUE(op(small, rc) && op(large, RECT{rc.left + 10, rc.top + 10, rc.right + 10, rc.bottom + 10}));
            EXPECT_EQ(Mismatches(small, [&](int x, int y) { return large.GetPixel(x + 10, y + 10); }), "");
        }
    }
}

// Rectangles reaching far past the surface cost only their visible part, which keeps the colours of
// its place in the whole: black to white, the surface sits half-way along the whole rectangle (127
// of 255), or at the very start of one far taller than any surface may be.
TEST_F(SurfaceFormsTest, FarRectanglesDrawTheirVisiblePartAtItsPlace) {
    const RECT whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, tall{0, 0, 8, 1 << 30};
    const COLORREF half = Packed(RGB(126, 126, 126));
    const std::pair<Op, COLORREF> cases[] = {
        {[&](CQorGDI& s, RECT) { return s.DiagonalGradientFillRect(&whole, 0, 0xFFFFFF); }, half},
        {[&](CQorGDI& s, RECT) { return s.DiagonalGradientFillRect(&tall, 0, 0xFFFFFF); }, 0},
        {[&](CQorGDI& s, RECT) { return s.GradientFillRect(&whole, 0, 0xFFFFFF, FALSE); }, half},
        {[&](CQorGDI& s, RECT) { return s.GradientRoundRect(&whole, NO_COLOR, 9, 9, 0, 0xFFFFFF); }, half},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 8, 6, 16, 0x0000FF));
        EXPECT_TRUE(cases[i].first(s, whole));
        EXPECT_EQ(Pixels(s), std::vector<COLORREF>(48, cases[i].second)) << "case " << i;
    }
}

}  // namespace
