// CQorButton: stylus sequences, creation, the shared picture, the label and the styles' telling pixels.
#include "framework/QorButton.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/Text.h"
#include "platform/Device.h"
#include "platform/Windowing.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr COLORREF kGround = 0x808080, kRed = 0x0000F8, kGreen = 0x00FC00;  // as 5-6-5 pixels read back

class QorButtonTest : public PlatformTest {
protected:
    CQorButton button;
    HFONT font = nullptr;

    void SetUp() override { PlatformTest::SetUp(); ASSERT_NE(font = MakeFont(16, FW_BOLD, TRUE, L"Tahoma", 0, 0, 0), nullptr); }
    HDC Render(int style, int w, int h, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4) {
        button.SetColors(c1, c2, c3, c4, FALSE);
        EXPECT_TRUE(button.Create(0, 0, w, h, L"OK", nullptr, 0, 0, style, nullptr));
        return button.m_image.m_hDC;
    }
    // The label "Options" drawn into box on a 100 × 30 grey ground.
    HDC Label(RECT box) {
        HDC dc = SectionDC(100, 30, 24, kGround);
        EXPECT_TRUE(button.DrawLabel(font, dc, box.left, box.top, box.right, box.bottom, L"Options", nullptr, nullptr));
        return dc;
    }
    // The bounding box of everything that is not the ground; right 0 when there is none.
    static RECT Ink(HDC dc) {
        RECT ink{100, 30, 0, 0};
        for (LONG y = 0; y < 30; ++y)
            for (LONG x = 0; x < 100; ++x)
                if (GetPixel(dc, x, y) != kGround)
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        return ink;
    }
};

TEST_F(QorButtonTest, StylusSequencesPostAndInvalidate) {
    struct Event { char kind; POINT pt; BOOL result; };  // kind: 'd' down, 'u' up, 'm' move
    struct Case { BOOL toggle; std::vector<Event> events; size_t posted; int invalidations; BOOL pressedAfter; };
    const Case cases[] = {
        {FALSE, {{'d', {20, 25}, TRUE}, {'u', {21, 26}, TRUE}}, 1, 2, FALSE},   // press and lift inside
        {FALSE, {{'d', {20, 25}, TRUE}, {'u', {60, 25}, FALSE}}, 0, 2, FALSE},  // lifting outside cancels
        {FALSE, {{'u', {20, 25}, FALSE}}, 0, 0, FALSE},                         // a lift without a press
        {FALSE, {{'d', {50, 25}, FALSE}}, 0, 0, FALSE},                         // the right edge is outside
        {FALSE, {{'d', {20, 40}, FALSE}}, 0, 0, FALSE},                         // the bottom edge too
        {FALSE, {{'d', {10, 20}, TRUE}}, 0, 1, TRUE},                           // left and top are inside
        {FALSE, {{'d', {20, 25}, TRUE}, {'m', {20, 45}, TRUE}, {'u', {20, 25}, FALSE}}, 0, 2, FALSE},  // drag off
        {TRUE, {{'d', {20, 25}, TRUE}, {'d', {20, 25}, TRUE}}, 2, 2, FALSE},    // toggled twice
        {TRUE, {{'d', {20, 25}, TRUE}, {'u', {20, 25}, FALSE}}, 1, 1, TRUE},    // a toggle ignores lifting
    };
    RecordingWindow owner;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        button.SetColors(0, 0, 0, 0, cases[i].toggle);
        ASSERT_TRUE(button.Create(10, 20, 50, 40, L"OK", owner.hwnd(), 1124, 7, 1, nullptr));
        int invalidations = 0;
        for (const Event& e : cases[i].events) {
            EXPECT_EQ(e.kind == 'd'   ? button.OnLButtonDown(&e.pt)
                      : e.kind == 'u' ? button.OnLButtonUp(&e.pt)
                                      : button.OnMouseMove(&e.pt),
                      e.result);
            RECT update{};
            invalidations += GetUpdateRect(owner.hwnd(), &update, FALSE) && update.left == 10 && update.bottom == 40;
            ValidateRect(owner.hwnd(), nullptr);
        }
        owner.Clear();
        RecordingWindow::DrainQueue();
        EXPECT_EQ(owner.Entries().size(), cases[i].posted);
        for (const auto& entry : owner.Entries())
            EXPECT_TRUE(entry.message == 1124 && entry.wParam == 7 && entry.lParam == 0);
        EXPECT_EQ(invalidations, cases[i].invalidations);
        EXPECT_EQ(button.m_bPressed, cases[i].pressedAfter);
    }
}

// A missing label or an empty rectangle fails; the rectangle is kept, the message only when the
// label was taken. A button without a label draws no text.
TEST_F(QorButtonTest, CreateRefusesAMissingLabelAndAnEmptyPicture) {
    struct Case { LPCWSTR text; LONG right; BOOL result; };
    for (const Case& c : {Case{nullptr, 50, FALSE}, Case{L"", 50, FALSE}, Case{L"OK", 10, FALSE}, Case{L"OK", 50, TRUE}}) {
        button.m_uMsg = 99;
        EXPECT_EQ(button.Create(10, 20, c.right, 40, c.text, nullptr, 1124, 0, 3, nullptr), c.result);
        EXPECT_EQ(button.m_rc.right, c.right);
        EXPECT_EQ(button.m_uMsg, c.text && *c.text ? 1124u : 99u);
        EXPECT_EQ(button.m_image.m_hDC != nullptr, c.result == TRUE);
    }
    HDC dc = SectionDC(100, 30, 24, kGround);
    button.Create(0, 0, 20, 10, L"", nullptr, 0, 0, 1, nullptr);
    EXPECT_TRUE(button.Draw(font, dc, nullptr, nullptr, nullptr));
    EXPECT_EQ(Ink(dc).right, 0);
}

TEST_F(QorButtonTest, ASharingButtonShowsTheSourcesHalfForItsOwnState) {
    CQorButton source;
    source.SetColors(0x0000FF, 0x00FF00, 0, 0, FALSE);
    ASSERT_TRUE(source.Create(0, 0, 10, 6, L" ", nullptr, 0, 0, 1, nullptr));
    ASSERT_TRUE(button.Create(20, 10, 30, 16, L" ", nullptr, 0, 0, 1, &source));
    source.m_bPressed = TRUE;
    for (BOOL pressed : {FALSE, TRUE}) {
        button.m_bPressed = pressed;
        HDC dc = SectionDC(40, 20, 16, 0xFFFFFF);
        button.Draw(nullptr, dc, nullptr, nullptr, nullptr);
        EXPECT_EQ(GetPixel(dc, 21, 11), pressed ? kGreen : kRed);
    }
}

// With a shadow the second pass lies one pixel right and up: the lowest and leftmost ink is the
// black pass alone, the highest and rightmost the white one. The DC keeps the last pass's colour.
TEST_F(QorButtonTest, ShadowPassAndTheTextColourLeftBehind) {
    button.SetColors(KEY_COLOR, KEY_COLOR, KEY_COLOR, KEY_COLOR, FALSE);  // a transparent picture
    for (BOOL shadow : {FALSE, TRUE}) {
        ASSERT_TRUE(button.Create(0, 0, 100, 30, L"Options", nullptr, 0, 0, 1, nullptr));
        button.SetTextColors(0xFFFFFF, 0x000000, shadow);
        HDC dc = SectionDC(100, 30, 24, kGround);
        SetTextColor(dc, 0x00FF00);
        EXPECT_TRUE(button.Draw(font, dc, nullptr, nullptr, nullptr));
        EXPECT_EQ(GetTextColor(dc), 0xFFFFFFu);
        const RECT ink = Ink(dc);
        const POINT starts[] = {{ink.left, ink.bottom - 1}, {ink.left, ink.top}, {ink.left, ink.top}, {ink.right - 1, ink.top}};
        for (int side = 0; side < 4; ++side) {  // bottom, left, top, right
            int darker = 0, brighter = 0;
            for (POINT p = starts[side]; p.x < ink.right && p.y < ink.bottom; side % 2 ? ++p.y : ++p.x) {
                darker += GetRValue(GetPixel(dc, p.x, p.y)) < 0x80;
                brighter += GetRValue(GetPixel(dc, p.x, p.y)) > 0x80;
            }
            EXPECT_EQ(darker > 0, shadow && side < 2) << "side " << side;
            EXPECT_EQ(brighter > 0, !shadow || side >= 2) << "side " << side;
        }
    }
}

TEST_F(QorButtonTest, WideLabelOverhangsBothSidesEqually) {
    HDC dc = SectionDC(1, 1, 24, 0);
    SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentExPointW(dc, L"Options", 7, 0, nullptr, nullptr, &extent);
    const LONG cx = extent.cx, fitted = Ink(Label({0, 0, cx, 30})).left;  // a box as wide as the text
    for (LONG boxWidth : {20, 21}) {
        const LONG x = Ink(Label({40, 0, 40 + boxWidth, 30})).left - fitted;
        EXPECT_GT(40 - x, 0) << boxWidth;
        EXPECT_EQ((x + cx - (40 + boxWidth)) - (40 - x), (cx - boxWidth) % 2) << "one more on the right when odd";
    }
}

// The telling pixels: flat faces in a black frame (also out of range), rounded transparent corners,
// the pill's shadow hidden under a magenta accent only, framed glass's transparent row when pressed.
TEST_F(QorButtonTest, StylesShowTheirLooksAtTheirTellingPixels) {
    const COLORREF key = KEY_COLOR, white = 0xF8FCF8, outline = 0x583008;
    const std::vector<std::tuple<int, int, COLORREF>> flat{{0, 0, 0}, {1, 1, kRed}, {8, 4, kRed}, {9, 1, 0}, {10, 4, 0},
                                                           {11, 1, kGreen}, {18, 4, kGreen}, {19, 4, 0}, {12, 5, 0}};
    const struct { int style, w, h; COLORREF c1, c2, c3, c4; std::vector<std::tuple<int, int, COLORREF>> probes; } cases[] = {
        {1, 10, 6, 0x0000FF, 0x00FF00, 0, 0, flat}, {12, 10, 6, 0x0000FF, 0x00FF00, 0, 0, flat}, {-1, 10, 6, 0x0000FF, 0x00FF00, 0, 0, flat},
        {3, 40, 20, 0xFFE1CC, 0xD1AD91, 0x00FF00, 0xFFFFFF,
         {{0, 0, key}, {0, 19, key}, {39, 0, key}, {39, 19, key}, {40, 0, key}, {40, 19, key}, {79, 0, key}, {79, 19, key}}},
        {4, 40, 16, 0xFFE1CC, 0xD1AD91, 0x5A320D, 0xFF00FF, {{0, 8, outline}, {20, 15, outline}}},
        {4, 40, 16, 0xFFE1CC, 0xD1AD91, 0x5A320D, 0x00FF00, {{0, 8, kGreen}, {20, 15, kGreen}}},
        {9, 30, 12, 0xFFFFFF, 0x00FF00, 0, 0,
         {{1, 10, kGreen}, {28, 10, kGreen}, {31, 10, key}, {44, 10, key}, {58, 10, key}, {31, 9, white}, {58, 9, white}}},
    };
    for (const auto& c : cases) {
        HDC dc = Render(c.style, c.w, c.h, c.c1, c.c2, c.c3, c.c4);
        for (auto [x, y, colour] : c.probes) EXPECT_EQ(GetPixel(dc, x, y), colour) << "style " << c.style << " at " << x << "," << y;
    }
}

TEST_F(QorButtonTest, GlassStylesLightenEqualFacesForGood) {
    for (auto [style, face1] : {std::pair{6, 0xDFDFDFu}, std::pair{7, 0xDFDFDFu}, std::pair{9, 0x808080u}}) {
        Render(style, 30, 12, 0x808080, 0x808080, 0, 0xFFFFFF);
        EXPECT_EQ(button.m_crFace1, face1) << "style " << style;
        EXPECT_TRUE(button.RenderImage());
        EXPECT_EQ(button.m_crFace1, face1) << "style " << style << " rendered again";
    }
}

// The highlight ends at the middle column's lowest bright pixel. With 64-pixel icons a low button's
// pressed highlight lies below the picture, and nothing is written outside it (the sanitizers watch).
TEST_F(QorButtonTest, InnerHighlightEndsAtFiveSixthsTruncatedInDouble) {
    for (auto [H, h] : {std::pair{18, 14}, std::pair{12, 10}}) {
        HDC dc = Render(8, 40, H, 0xFFFFFF, 0x000000, 0x000000, 0);
        int lowestBright = -1;
        for (int y = 0; y < H; ++y)
            if (GetRValue(GetPixel(dc, 20, y)) >= 200) lowestBright = y;
        EXPECT_EQ(lowestBright, h - 1) << "H = " << H;
    }
    ASSERT_TRUE(platform::SelectDeviceProfile(480, 640));
    for (int H : {1, 2, 6}) Render(8, 40, H, 0xFFFFFF, 0, 0, 0);
}

}  // namespace
