// The library's text calls: the end ellipsis, colour, mode and font restoring, DrawTextAt, MakeFont.
#include "gfx/Text.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/Colors.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/GdiPictures.h"

namespace {

constexpr int kW = 160, kH = 24;

int Width(const wchar_t* text, HFONT font) {
    HDC dc = SectionDC(1, 1, 24, 0);
    SelectObject(dc, font);
    SIZE s{};
    GetTextExtentExPointW(dc, text, static_cast<int>(std::wstring(text).size()), 0, nullptr, nullptr, &s);
    return s.cx;
}
bool Same(HDC a, HDC b) { return SamePixels(a, b, kW, kH); }
// The columns an OPAQUE draw on black painted on row y.
std::pair<int, int> Painted(HDC dc, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < kW; ++x)
        if (GetPixel(dc, x, y) != 0) first = first < 0 ? x : first, last = x;
    return {first, last + 1};
}

class GfxTextTest : public PlatformTest {
protected:
    void SetUp() override { PlatformTest::SetUp(); ASSERT_NE(font = MakeFont(16, FW_BOLD, TRUE, L"Tahoma", 0, 0, 0), nullptr); }
    // White text in a box of the given width: through DrawTextEllipsis with the flag, or plain.
    HDC Draw(const wchar_t* text, int width, bool ellipsis) {
        HDC dc = SectionDC(kW, kH, 24, 0);
        RECT rc{0, 0, width, kH};
        if (ellipsis) return DrawTextEllipsis(dc, text, &rc, DT_END_ELLIPSIS_FLAG, font, 0xFFFFFF, TRANSPARENT), dc;
        SelectObject(dc, font), SetTextColor(dc, 0xFFFFFF), SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, -1, &rc, 0);
        return dc;
    }
    HFONT font = nullptr;
};

TEST_F(GfxTextTest, EllipsisRoundsAreLimited) {
    // Each box is too narrow even for the last shortening, which is drawn anyway.
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Options", L"Opt..."},      // 7 characters: one round, the first three and the dots
        {L"New Game", L"New..."},     // 8: two rounds at most
        {L"Hard 15/15", L"Hard..."},  // 10: three rounds at most
        {L"Level", L"Level"},         // 5: drawn whole
    };
    for (auto [text, drawn] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        const int narrow = Width(drawn, font) - 1;
        EXPECT_TRUE(Same(Draw(text, narrow, true), Draw(drawn, narrow, false)));
        EXPECT_EQ(Same(Draw(text, narrow, true), Draw(text, narrow, false)), text == std::wstring(drawn));
    }
    const int fits = Width(L"Hard 1...", font);
    EXPECT_TRUE(Same(Draw(L"Hard 15/15", fits, true), Draw(L"Hard 1...", fits, false))) << "stops once it fits";
}

TEST_F(GfxTextTest, ColourModeAndFontArePutBackAndBadArgumentsAreRefused) {
    HDC dc = SectionDC(kW, kH, 24, 0);
    HFONT own = MakeFont(12, FW_NORMAL, FALSE, L"Tahoma", 0, 0, 0);
    SelectObject(dc, own);
    SetTextColor(dc, 0x00FF00);
    SetBkColor(dc, 0x0000FF);
    RECT rc{0, 0, kW, kH};
    EXPECT_EQ(DrawTextEllipsis(dc, L"IIII", &rc, DT_END_ELLIPSIS_FLAG, font, KEY_COLOR, TRANSPARENT), 16);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u) << "drawn transparent";
    EXPECT_EQ(GetPixel(dc, Width(L"I", font) / 2, 8), 0x00FF00u) << "KEY_COLOR draws in the DC's colour";
    EXPECT_EQ(GetTextColor(dc), 0x00FF00u);

    DrawTextEllipsis(dc, L"IIII", &rc, 0, font, 0xFF0000, OPAQUE);
    EXPECT_EQ(GetPixel(dc, Width(L"I", font) / 2, 8), 0xFF0000u) << "any other colour is used for the call";
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x0000FFu) << "and the mode asked for";
    EXPECT_EQ(GetTextColor(dc), 0x00FF00u) << "and both are put back";
    SetBkMode(dc, TRANSPARENT);
    DrawTextEllipsis(dc, L"IIII", &rc, 0, font, 0xFF0000, OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SelectObject(dc, font), own) << "the DC's own font is selected again";

    RECT inverted{10, 0, 9, 10};
    EXPECT_EQ(DrawTextEllipsis(dc, L"x", &inverted, 0, font, 0, OPAQUE), 0);
    EXPECT_EQ(DrawTextEllipsis(dc, nullptr, &rc, 0, font, 0, OPAQUE), 0);
    EXPECT_EQ(DrawTextAt(nullptr, L"x", 0, 0, 0, font, 0, OPAQUE), 0);
    // MakeFont refuses character heights, no face and a face name too long for the font.
    EXPECT_FALSE(MakeFont(-12, FW_BOLD, TRUE, L"Tahoma", 0, 0, 0) || MakeFont(12, FW_BOLD, TRUE, nullptr, 0, 0, 0) ||
                 MakeFont(12, FW_BOLD, TRUE, std::wstring(32, L'a').c_str(), 0, 0, 0));
    EXPECT_NE(MakeFont(12, FW_BOLD, TRUE, std::wstring(31, L'a').c_str(), 0, 0, 0), nullptr);
}

// The OPAQUE background shows where the box starts: at x = 50 for alignment 0 (and any unknown one),
// ending there for 2, and centred on it for 1. A text 20 or 21 pixels wide has a box 22 or 23 wide,
// whose halves are rounded toward zero: 39 to 61 either way.
TEST_F(GfxTextTest, DrawTextAtBoxes) {
    for (int wide : {20, 21}) {
        HFONT font = nullptr;
        const wchar_t* text = nullptr;
        int height = 7;
        while (!font && ++height <= 40)
            for (const wchar_t* t : {L"00", L"000", L"0"})
                if (HFONT f = MakeFont(height, FW_NORMAL, TRUE, L"Tahoma", 0, 0, 0); !font && Width(t, f) == wide) font = f, text = t;
        ASSERT_NE(font, nullptr) << wide;
        for (auto [align, left] : {std::pair{0, 50}, {7, 50}, {1, 39}, {2, 28 - (wide - 20)}}) {
            HDC dc = SectionDC(kW, kH, 24, 0);
            SetBkColor(dc, 0x0000FF);
            EXPECT_EQ(DrawTextAt(dc, text, 50, 4, align, font, 0xFFFFFF, OPAQUE), height) << "the text's height";
            EXPECT_EQ(Painted(dc, 4), std::make_pair(left, left + wide)) << wide << " wide, alignment " << align;
            EXPECT_EQ(Painted(dc, 3).first, -1) << "from row y down";
        }
    }
}

}  // namespace
