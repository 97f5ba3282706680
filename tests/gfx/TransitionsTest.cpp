// The transitions under a clock that moves 10 ms per shown frame: cross-fade frames, the slide, refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "gfx/Draw.h"
#include "gfx/Transitions.h"
#include "platform/Windowing.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

const std::vector<int> kFadeLevels{0, 0, 0, 1, 3, 4, 6, 7, 9, 11, 12, 14, 16, 17, 19, 20, 22, 23, 25, 27, 28, 30, 31};
const uint16_t kBackground = 0x4C47;

class TransitionsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        dc = GetDC(window.emplace(/*visible=*/true).hwnd());
        GetWindowRect(window->hwnd(), &place);
        const RECT client{0, 0, 1000, 1000};
        FillSolidRect(dc, &client, platform::Unpack565(kBackground));
        backend.KeepFrames(true);
    }
    static void Fill(CQorGDI& s, int w, int h, uint16_t (*word)(int, int)) {
        ASSERT_TRUE(MakeSection(s, w, h, 16));
        for (int i = 0; i < w * h; ++i) SetWord(s, i % w, i / w, word(i % w, i / w));
    }
    uint16_t At(size_t k, int x, int y) const {  // client pixel (x, y) of kept frame k
        return backend.KeptFrames()[k][(place.top + y) * backend.FrameWidth() + place.left + x];
    }
    size_t Frames() const { return backend.KeptFrames().size(); }
    std::optional<RecordingWindow> window;
    HDC dc = nullptr;
    RECT place{};
};

uint16_t Reference(uint16_t f, uint16_t t, int level) {  // field by field
    auto field = [&](int s, int mask) { return (((f >> s & mask) * (32 - level) + (t >> s & mask) * level) >> 5) << s; };
    return static_cast<uint16_t>(field(11, 31) | field(5, 63) | field(0, 31));
}

TEST_F(TransitionsTest, CrossFadeFramesBlendWhereAllThreeRectanglesHavePixels) {
    EXPECT_EQ(Reference(0xFFFF, 0x0000, 16), 0x7BEF);  // met at (0, 0) of the first case
    struct Case { uint32_t clock; int fromSize; RECT fromRect; int toSize; RECT toRect, rc; };
    for (const Case& c : {Case{0, 100, {0, 0, 100, 100}, 100, {0, 0, 100, 100}, {0, 0, 100, 100}},
                          Case{0xFFFFFFF0, 100, {10, 20, 60, 70}, 100, {30, 40, 80, 90}, {5, 7, 55, 57}},
                          Case{0, 100, {0, 0, 200, 200}, 200, {0, 0, 200, 200}, {0, 0, 200, 200}},
                          Case{0, 100, {-10, -10, 90, 90}, 100, {0, 0, 100, 100}, {20, 20, 120, 120}}}) {
        CQorGDI from, to;
        Fill(from, c.fromSize, c.fromSize, [](int x, int y) { return static_cast<uint16_t>(0xFFFF - x - 200 * y); });
        Fill(to, c.toSize, c.toSize, [](int x, int y) { return static_cast<uint16_t>(x + 300 * y); });
        backend.Clock().now = c.clock;
        const size_t first = Frames();
        ASSERT_TRUE(TransitionCrossFade(dc, &c.rc, &from, &c.fromRect, &to, &c.toRect, 400, nullptr, nullptr));
        ASSERT_EQ(Frames() - first, kFadeLevels.size() + 1) << "the last frame is the new picture";
        int wrong = 0;
        for (size_t k = 0; k <= kFadeLevels.size(); ++k)
            for (int j = 0; j < c.rc.bottom - c.rc.top; ++j)
                for (int i = 0; i < c.rc.right - c.rc.left; ++i) {
                    const POINT f{c.fromRect.left + i, c.fromRect.top + j}, t{c.toRect.left + i, c.toRect.top + j};
                    const bool hasFrom = std::min(f.x, f.y) >= 0 && std::max(f.x, f.y) < c.fromSize;
                    const bool hasTo = std::min(t.x, t.y) >= 0 && std::max(t.x, t.y) < c.toSize;
                    uint16_t expected = hasTo && k == kFadeLevels.size() ? Word(to, t.x, t.y) : kBackground;
                    if (hasFrom && hasTo && k < kFadeLevels.size())
                        expected = Reference(Word(from, f.x, f.y), Word(to, t.x, t.y), kFadeLevels[k]);
                    wrong += At(first + k, c.rc.left + i, c.rc.top + j) != expected;
                }
        EXPECT_EQ(wrong, 0) << "fromRect at " << c.fromRect.left << "," << c.fromRect.top;
        FillSolidRect(dc, &c.rc, platform::Unpack565(kBackground));
    }
}

TEST_F(TransitionsTest, SlidePushesTheNewPictureInFromTheLeft) {
    for (auto [width, start, frames] : {std::tuple{176, std::vector{0, 0, 1, 7, 14, 21}, 28u}, {1, {0}, 1u}}) {
        RECT marker{0, 0, 1, 1};  // the old picture's first column, found x columns on
        FillSolidRect(dc, &marker, 0xFFFFFF);
        CQorGDI picture;  // column c holds c + 1
        Fill(picture, width, 1, [](int x, int) { return static_cast<uint16_t>(x + 1); });
        const size_t first = Frames();
        ASSERT_TRUE(TransitionSlide(dc, &picture, 500));
        ASSERT_EQ(Frames() - first, frames + 1);
        for (size_t k = 0; k < frames; ++k) {
            const int x = At(first + k, 0, 0) == 0xFFFF ? 0 : width + 1 - At(first + k, 0, 0);
            EXPECT_EQ(x, k < start.size() ? start[k] : x) << k;
            EXPECT_TRUE(x == width || At(first + k, x, 0) == 0xFFFF) << k;
        }
        for (int x = 0; x < width; ++x) EXPECT_EQ(At(Frames() - 1, x, 0), x + 1);
    }
}

TEST_F(TransitionsTest, RefusedTransitionsDrawNothing) {
    CQorGDI from, to, deep, none;
    ASSERT_TRUE(MakeSection(from, 100, 100, 16) && MakeSection(to, 100, 100, 16) && MakeSection(deep, 100, 100, 24));
    RECT all{0, 0, 100, 100}, inverted{0, 10, 100, 0}, outside{200, 200, 300, 300};
    auto fade = [&](HDC screen, CQorGDI* a, const RECT& ar, const RECT& br, double ms) {
        return TransitionCrossFade(screen, &all, a, &ar, &to, &br, ms, nullptr, nullptr);
    };
    EXPECT_FALSE(fade(dc, &deep, all, all, 400) || fade(dc, &from, all, inverted, 400) ||
                 fade(dc, &from, outside, all, 400) || fade(nullptr, &from, all, all, 400) ||
                 TransitionSlide(dc, &none, 500) || CrossFadeFrame(&to, &from, 1, 0, &to, 0, 0, 16));
    for (double ms : {0.0, -400.0, HUGE_VAL, std::nan("")})
        EXPECT_FALSE(fade(dc, &from, all, all, ms) || TransitionSlide(dc, &to, ms)) << ms;
    EXPECT_EQ(Frames(), 0u);
}

}  // namespace
