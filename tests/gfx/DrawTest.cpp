// The drawing primitives: what they draw and return, and the DC selection and objects they leave.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gfx/Colors.h"
#include "gfx/Draw.h"
#include "platform/GdiObjects.h"
#include "platform/GdiState.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr COLORREF kRed = 0x0000F8;
constexpr COLORREF kBlue = 0xF80000;

class DrawTest : public PlatformTest {
protected:
    // A 24-bit surface, so that NO_COLOR reads back exactly, cleared to the key colour.
    static HDC Surface(int w, int h) {
        HDC dc = MakeSectionDC(w, h, 24);
        RECT all{0, 0, w, h};
        EXPECT_EQ(FillSolidRect(dc, &all, KEY_COLOR), 1);
        return dc;
    }
    static std::string Show(HDC dc, int w, int h) {
        return Picture(dc, w, h, {{KEY_COLOR, '.'}, {kRed, 'o'}, {kBlue, '#'}, {NO_COLOR, 'n'}, {0xFFFFFF, 'w'}});
    }
};

// '.' untouched, 'o' red, '#' blue, 'n' the NO_COLOR value itself.
TEST_F(DrawTest, PicturesOfTheNoColourRulesAndFramesOnTheRightAndBottomCoordinates) {
    const RECT box{0, 0, 5, 4}, round{0, 0, 6, 5}, frame{1, 1, 5, 4};
    const struct { const char* what; std::function<BOOL(HDC)> draw; const char* picture; } cases[] = {
        {"DrawRectangle always draws its pen, even in the NO_COLOR value",
         [&](HDC dc) { return DrawRectangle(dc, &box, kBlue, NO_COLOR); }, "nnnnn.\nn###n.\nn###n.\nnnnnn.\n......\n"},
        {"a NO_COLOR fill leaves the inside", [&](HDC dc) { return DrawRectangle(dc, &box, NO_COLOR, kRed); },
         "ooooo.\no...o.\no...o.\nooooo.\n......\n"},
        {"no outline and no fill: nothing", [&](HDC dc) { return DrawRoundRect(dc, &round, NO_COLOR, NO_COLOR, 4, 4); },
         "......\n......\n......\n......\n......\n"},
        {"no outline: the fill takes the whole rounded shape", [&](HDC dc) { return DrawRoundRect(dc, &round, kBlue, NO_COLOR, 4, 4); },
         ".####.\n######\n######\n######\n.####.\n"},
        {"no fill: the outline only", [&](HDC dc) { return DrawRoundRect(dc, &round, NO_COLOR, kRed, 4, 4); },
         ".oooo.\no....o\no....o\no....o\n.oooo.\n"},
        {"a frame of width 0", [&](HDC dc) { return DrawFrame(dc, &frame, kRed, 0); },
         "......\n.ooooo\n.o...o\n.o...o\n.ooooo\n"},
        {"a frame of width 1", [&](HDC dc) { return DrawFrame(dc, &frame, kRed, 1); },
         "......\n.ooooo\n.o...o\n.o...o\n.ooooo\n"},
    };
    for (const auto& c : cases) {
        HDC dc = Surface(6, 5);
        EXPECT_EQ(c.draw(dc), 1) << c.what;
        EXPECT_EQ(Show(dc, 6, 5), c.picture) << c.what;
    }
    HDC dc = Surface(6, 5);
    EXPECT_FALSE(DrawFrame(dc, &frame, kRed, -1) || DrawFrame(nullptr, &frame, kRed, 1) || DrawRectangle(dc, nullptr, kBlue, kRed));
    EXPECT_EQ(Show(dc, 6, 5), "......\n......\n......\n......\n......\n");
    EXPECT_EQ(DrawRoundRect(nullptr, &round, kBlue, kRed, 4, 4), 0) << "the shape failed on a null DC";
}

TEST_F(DrawTest, EveryCallLeavesTheCallersSelectionAndNoObjectBehind) {
    HDC dc = Surface(6, 6);
    SelectObject(dc, MakePen(0xFFFFFF, PS_SOLID, 2));
    SelectObject(dc, MakeSolidBrush(0xFFFFFF));
    const platform::DCRecord* record = platform::FindDC(dc);
    ASSERT_NE(record, nullptr);
    const HPEN pen = record->pen;
    const HBRUSH brush = record->brush;
    const platform::GdiObjectCounts before = platform::CountGdiObjects();
    RECT rc{0, 0, 6, 6};
    FillSolidRect(dc, &rc, kRed);
    DrawRectangle(dc, &rc, kBlue, kRed);
    DrawRectangle(dc, &rc, NO_COLOR, NO_COLOR);
    DrawRoundRect(dc, &rc, kBlue, kRed, 3, 3);
    DrawRoundRect(dc, &rc, NO_COLOR, NO_COLOR, 3, 3);
    DrawFrame(dc, &rc, kRed, 3);
    DrawFrame(dc, &rc, kRed, -1);
    EXPECT_TRUE(record->pen == pen && record->brush == brush);
    EXPECT_TRUE(platform::CountGdiObjects() == before) << "an object was left behind";
    EXPECT_EQ(Rectangle(dc, 0, 0, 6, 6), TRUE);
    EXPECT_EQ(Show(dc, 6, 6), "wwwwww\nwwwwww\nwwwwww\nwwwwww\nwwwwww\nwwwwww\n")
        << "the caller's own wide white pen and white brush draw afterwards";
}

}  // namespace
