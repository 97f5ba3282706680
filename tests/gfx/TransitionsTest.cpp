// The transitions under a clock that moves 10 ms per shown frame: their positions frame by frame,
// the blend, rectangles off the origin or beyond their surfaces, and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "gfx/Draw.h"
#include "gfx/Transitions.h"
#include "platform/Windowing.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

const std::vector<int> kFadeLevels{0, 0, 0, 1, 3, 4, 6, 7, 9, 11, 12, 14, 16, 17, 19, 20, 22, 23, 25, 27, 28, 30, 31};
constexpr COLORREF kBackground = 0x3C8A5E;

class TransitionsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window.emplace(/*visible=*/true);
        dc = GetDC(window->hwnd());
        GetWindowRect(window->hwnd(), &place);
        RECT client{0, 0, place.right - place.left, place.bottom - place.top};
        FillSolidRect(dc, &client, kBackground);
        backend.KeepFrames(true);
    }
    void TearDown() override {
        ReleaseDC(window->hwnd(), dc);
        window.reset();
        PlatformTest::TearDown();
    }
    static void Fill(CQorGDI& s, int w, int h, const std::function<uint16_t(int, int)>& word) {
        ASSERT_TRUE(s.CreateSized(nullptr, w, h, FALSE, TRUE, FALSE, 16));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetWord(s, x, y, word(x, y));
    }
    // Client pixel (x, y) of kept frame k.
    uint16_t At(size_t k, int x, int y) const {
        return backend.KeptFrames()[k][static_cast<size_t>(place.top + y) * backend.FrameWidth() + place.left + x];
    }
    size_t Frames() const { return backend.KeptFrames().size(); }

    std::optional<RecordingWindow> window;
    HDC dc = nullptr;
    RECT place{};
};

// The blend field by field, widened to ints.
uint16_t Reference(uint16_t f, uint16_t t, int level) {
    auto field = [&](int shift, int mask) {
        return ((((f >> shift) & mask) * (32 - level) + ((t >> shift) & mask) * level) >> 5) << shift;
    };
    return static_cast<uint16_t>(field(11, 31) | field(5, 63) | field(0, 31));
}

TEST_F(TransitionsTest, CrossFadeLevelsFollowTheClockEvenAcrossItsWrap) {
    for (uint32_t start : {0u, 0xFFFFFFF0u}) {
        backend.Clock().now = start;
        const size_t first = Frames();
        CQorGDI from, to;  // pixel 0 shows the level in its green field, pixel 1 the worked grey
        Fill(from, 2, 1, [](int x, int) { return x ? 0xFFFF : 0x0000; });
        Fill(to, 2, 1, [](int x, int) { return x ? 0x0000 : 0x0400; });
        RECT r{0, 0, 2, 1};
        ASSERT_TRUE(TransitionCrossFade(dc, &r, &from, &r, &to, &r, 400, nullptr, nullptr));
        ASSERT_EQ(Frames() - first, kFadeLevels.size() + 1);
        std::vector<int> levels;
        for (size_t k = first; k + 1 < Frames(); ++k) {
            levels.push_back(At(k, 0, 0) >> 5);
            if (levels.back() == 16) {
                EXPECT_EQ(At(k, 1, 0), 0x7BEF);
            }
        }
        EXPECT_EQ(levels, kFadeLevels) << start;
        EXPECT_EQ(At(Frames() - 1, 0, 0), 0x0400) << "the last frame is the new picture";
    }
}

TEST_F(TransitionsTest, CrossFadeBlendsWhereAllThreeRectanglesHavePixels) {
    struct Case { int fromSize; RECT fromRect; int toSize; RECT toRect, rc; };
    const Case cases[] = {
        {100, {0, 0, 100, 100}, 100, {0, 0, 100, 100}, {0, 0, 100, 100}},
        {100, {10, 20, 60, 70}, 100, {30, 40, 80, 90}, {5, 7, 55, 57}},
        {100, {0, 0, 200, 200}, 200, {0, 0, 200, 200}, {0, 0, 200, 200}},  // from is too small
        {100, {-10, -10, 90, 90}, 100, {0, 0, 100, 100}, {20, 20, 120, 120}},
    };
    const uint16_t background = platform::Pack565(kBackground);
    for (const Case& c : cases) {
        CQorGDI from, to;
        Fill(from, c.fromSize, c.fromSize, [](int x, int y) { return x + 200 * y; });
        Fill(to, c.toSize, c.toSize, [](int x, int y) { return 0xFFFF - x - 300 * y; });
        const size_t first = Frames();
        ASSERT_TRUE(TransitionCrossFade(dc, &c.rc, &from, &c.fromRect, &to, &c.toRect, 400, nullptr, nullptr));
        ASSERT_EQ(Frames() - first, kFadeLevels.size() + 1);
        int wrong = 0;
        for (size_t k = 0; k <= kFadeLevels.size(); ++k) {
            const bool last = k == kFadeLevels.size();
            for (int j = 0; j < c.rc.bottom - c.rc.top; ++j)
                for (int i = 0; i < c.rc.right - c.rc.left; ++i) {
                    const int fx = c.fromRect.left + i, fy = c.fromRect.top + j;
                    const int tx = c.toRect.left + i, ty = c.toRect.top + j;
                    const bool hasFrom = fx >= 0 && fy >= 0 && fx < c.fromSize && fy < c.fromSize;
                    const bool hasTo = tx >= 0 && ty >= 0 && tx < c.toSize && ty < c.toSize;
                    uint16_t expected = background;
                    if (last && hasTo) expected = Word(to, tx, ty);
                    else if (hasFrom && hasTo) expected = Reference(Word(from, fx, fy), Word(to, tx, ty), kFadeLevels[k]);
                    wrong += At(first + k, c.rc.left + i, c.rc.top + j) != expected;
                }
        }
        EXPECT_EQ(wrong, 0) << "fromRect at " << c.fromRect.left << "," << c.fromRect.top;
        FillSolidRect(dc, &c.rc, kBackground);
    }
}

TEST_F(TransitionsTest, SlidePushesTheNewPictureInFromTheLeft) {
    struct Case { int width; std::vector<int> start; size_t frames; };
    for (const Case& c : {Case{176, {0, 0, 1, 7, 14, 21}, 28}, Case{1, {0}, 1}}) {
        RECT marker{0, 0, 1, 4};  // the old picture's first column, to be found x columns on
        FillSolidRect(dc, &marker, 0xFFFFFF);
        CQorGDI picture;
        Fill(picture, c.width, 4, [](int x, int) { return x + 1; });
        const size_t first = Frames();
        ASSERT_TRUE(TransitionSlide(dc, &picture, 500));
        ASSERT_EQ(Frames() - first, c.frames + 1);
        std::vector<int> positions;
        for (size_t k = first; k + 1 < Frames(); ++k) {
            const int x = At(k, 0, 3) == 0xFFFF ? 0 : c.width + 1 - At(k, 0, 3);
            positions.push_back(x);
            if (x < c.width) {
                EXPECT_EQ(At(k, x, 3), 0xFFFF) << "frame " << k - first;
            }
        }
        EXPECT_EQ(std::vector<int>(positions.begin(), positions.begin() + c.start.size()), c.start);
        for (int x = 0; x < c.width; ++x) EXPECT_EQ(At(Frames() - 1, x, 0), x + 1);
    }
}

TEST_F(TransitionsTest, RefusedTransitionsDrawNothing) {
    CQorGDI from, to, deep, none;
    Fill(from, 100, 100, [](int x, int) { return x; });
    Fill(to, 100, 100, [](int, int y) { return y; });
    ASSERT_TRUE(deep.CreateSized(nullptr, 100, 100, FALSE, TRUE, FALSE, 24));
    RECT all{0, 0, 100, 100}, inverted{0, 10, 100, 0}, outside{200, 200, 300, 300};
    auto fade = [&](HDC screen, CQorGDI* a, const RECT* ar, const RECT* br, double ms) {
        return TransitionCrossFade(screen, &all, a, ar, &to, br, ms, nullptr, nullptr);
    };
    const std::pair<const char*, std::function<BOOL()>> refusals[] = {
        {"no time", [&] { return fade(dc, &from, &all, &all, 0); }},
        {"negative time", [&] { return fade(dc, &from, &all, &all, -400); }},
        {"endless time", [&] { return fade(dc, &from, &all, &all, INFINITY); }},
        {"not a time", [&] { return fade(dc, &from, &all, &all, NAN); }},
        {"24-bit picture", [&] { return fade(dc, &deep, &all, &all, 400); }},
        {"inverted", [&] { return fade(dc, &from, &all, &inverted, 400); }},
        {"nothing in common", [&] { return fade(dc, &from, &outside, &all, 400); }},
        {"no screen", [&] { return fade(nullptr, &from, &all, &all, 400); }},
        {"slide, no time", [&] { return TransitionSlide(dc, &to, 0); }},
        {"slide, negative time", [&] { return TransitionSlide(dc, &to, -1); }},
        {"slide, no picture", [&] { return TransitionSlide(dc, &none, 500); }},
        {"frame beyond its picture", [&] { return CrossFadeFrame(&to, &from, 1, 0, &to, 0, 0, 16); }},
    };
    for (const auto& [name, transition] : refusals) {
        const size_t first = Frames();
        EXPECT_FALSE(transition()) << name;
        EXPECT_EQ(Frames(), first) << name;
    }
}

}  // namespace
