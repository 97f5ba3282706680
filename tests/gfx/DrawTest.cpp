// The drawing primitives: what they draw, what they return, and that they leave the DC's
// selection as it was and delete every object they made.
#include <gtest/gtest.h>

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

TEST_F(DrawTest, FillSolidRectCoversLeftAndTopButNotRightAndBottom) {
    HDC dc = Surface(5, 4);
    RECT rc{1, 1, 4, 3};
    EXPECT_EQ(FillSolidRect(dc, &rc, kBlue), 1);
    EXPECT_EQ(Show(dc, 5, 4), ".....\n.###.\n.###.\n.....\n");
    EXPECT_EQ(FillSolidRect(nullptr, &rc, kBlue), 0);
    EXPECT_EQ(FillSolidRect(dc, nullptr, kBlue), 0);
}

TEST_F(DrawTest, DrawRectangleAlwaysDrawsItsPenEvenInTheNoColourValue) {
    HDC dc = Surface(6, 5);
    RECT rc{0, 0, 5, 4};
    EXPECT_EQ(DrawRectangle(dc, &rc, kBlue, NO_COLOR), 1);
    EXPECT_EQ(Show(dc, 6, 5), "nnnnn.\nn###n.\nn###n.\nnnnnn.\n......\n");
    HDC hollow = Surface(6, 5);
    EXPECT_EQ(DrawRectangle(hollow, &rc, NO_COLOR, kRed), 1);
    EXPECT_EQ(Show(hollow, 6, 5), "ooooo.\no...o.\no...o.\nooooo.\n......\n") << "a NO_COLOR fill leaves the inside";
    EXPECT_EQ(DrawRectangle(dc, nullptr, kBlue, kRed), 0);
}

TEST_F(DrawTest, DrawRoundRectWithNoColourDrawsNoOutlineOrNoFill) {
    HDC dc = Surface(8, 6);
    RECT rc{0, 0, 8, 6};
    EXPECT_EQ(DrawRoundRect(dc, &rc, NO_COLOR, NO_COLOR, 4, 4), 1);
    EXPECT_EQ(Show(dc, 8, 6), "........\n........\n........\n........\n........\n........\n") << "nothing visible";
    EXPECT_EQ(DrawRoundRect(dc, &rc, kBlue, NO_COLOR, 4, 4), 1);
    EXPECT_EQ(Show(dc, 8, 6), ".######.\n########\n########\n########\n########\n.######.\n")
        << "no outline: the fill takes the whole rounded shape, corners stay transparent";
    EXPECT_EQ(DrawRoundRect(dc, &rc, NO_COLOR, kRed, 4, 4), 1);
    EXPECT_EQ(Show(dc, 8, 6), ".oooooo.\no######o\no######o\no######o\no######o\n.oooooo.\n");
    EXPECT_EQ(DrawRoundRect(nullptr, &rc, kBlue, kRed, 4, 4), 0) << "the shape failed on a null DC";
}

TEST_F(DrawTest, DrawFrameRunsOnTheRightAndBottomCoordinates) {
    for (int width : {0, 1}) {
        HDC dc = Surface(7, 6);
        RECT rc{1, 1, 5, 4};
        EXPECT_EQ(DrawFrame(dc, &rc, kRed, width), 1);
        EXPECT_EQ(Show(dc, 7, 6), ".......\n.ooooo.\n.o...o.\n.o...o.\n.ooooo.\n.......\n") << "width " << width;
    }
    HDC dc = Surface(7, 6);
    RECT rc{1, 1, 5, 4};
    EXPECT_EQ(DrawFrame(dc, &rc, kRed, -1), 0);
    EXPECT_EQ(Show(dc, 7, 6), ".......\n.......\n.......\n.......\n.......\n.......\n");
    EXPECT_EQ(DrawFrame(nullptr, &rc, kRed, 1), 0);
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
    EXPECT_EQ(record->pen, pen);
    EXPECT_EQ(record->brush, brush);
    EXPECT_TRUE(platform::CountGdiObjects() == before) << "an object was left behind";
    EXPECT_EQ(Rectangle(dc, 0, 0, 6, 6), TRUE);
    EXPECT_EQ(Show(dc, 6, 6), "wwwwww\nwwwwww\nwwwwww\nwwwwww\nwwwwww\nwwwwww\n")
        << "the caller's own wide white pen and white brush draw afterwards";
}

TEST_F(DrawTest, MakersAndDeletion) {
    EXPECT_EQ(MakePen(kRed, PS_SOLID, -1), nullptr);
    HPEN pen = MakePen(kRed, PS_SOLID, 0);
    const platform::PenRecord* record = platform::FindPen(pen);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->colour, kRed);

    HDC dc = Surface(2, 2);
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_EQ(DeleteGdiObject(&pen), 0) << "a selected pen is not deleted";
    EXPECT_NE(pen, nullptr) << "and its handle is kept for a later try";
    SelectObject(dc, old);
    const HPEN made = pen;
    EXPECT_EQ(DeleteGdiObject(&pen), 1);
    EXPECT_EQ(pen, nullptr);
    EXPECT_EQ(platform::FindPen(made), nullptr);
    EXPECT_EQ(DeleteGdiObject(&pen), 0) << "a cleared handle";
    HGDIOBJ brush = MakeSolidBrush(kBlue);
    EXPECT_EQ(DeleteGdiObject(&brush), 1);
    EXPECT_EQ(brush, nullptr);
}

}  // namespace
