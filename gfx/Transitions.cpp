// The cross-fade and the slide, and the frame pacing they share.
#include "gfx/Transitions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "platform/Clock.h"

namespace {

constexpr int kLevels = 32;

// Frame positions from the tick counter. Each frame the position moves by step twice (once
// before it is drawn, once after it is shown); step is the growth of the target per frame,
// averaged over the frames it took the counter to move, and stays 0 until the target has
// changed twice.
class Pacer {
public:
    Pacer() : start_(GetTickCount()) {}

    // The position of the next frame, never below 0.
    double Next() {
        pos_ += step_;
        return std::max(std::floor(pos_), 0.0);
    }
    // Milliseconds since the start; the difference is taken in 32 bits, so a wrap of the counter
    // does no harm.
    double Elapsed() const { return static_cast<double>(static_cast<uint32_t>(GetTickCount() - start_)); }
    // After a frame has been shown, with where the animation should be by now.
    void Shown(double target) {
        pos_ += step_;
        if (base_ == 0 && target != 0) base_ = target;
        ++count_;
        if (target != base_) {
            step_ = (target - base_) / count_;
            base_ = target;
            count_ = 0;
        }
    }

private:
    uint32_t start_;
    double pos_ = 0, step_ = 0, base_ = 0;
    int count_ = 0;
};

// A duration the pacing can reach the end of.
bool Playable(double durationMs) { return std::isfinite(durationMs) && durationMs > 0; }

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Offsets from the top-left of each rectangle, in 64 bits so that no rectangle can overflow them.
struct Span {
    int64_t left, top, right, bottom;

    bool Empty() const { return right <= left || bottom <= top; }
    int Width() const { return static_cast<int>(right - left); }
    int Height() const { return static_cast<int>(bottom - top); }
    // Keeps the offsets whose pixel, counted from r's top-left, lies inside bounds.
    void KeepInside(const RECT& r, const RECT& bounds) {
        left = std::max<int64_t>(left, int64_t{bounds.left} - r.left);
        top = std::max<int64_t>(top, int64_t{bounds.top} - r.top);
        right = std::min<int64_t>(right, int64_t{bounds.right} - r.left);
        bottom = std::min<int64_t>(bottom, int64_t{bounds.bottom} - r.top);
    }
};

int64_t Width(const RECT& r) { return int64_t{r.right} - r.left; }
int64_t Height(const RECT& r) { return int64_t{r.bottom} - r.top; }
RECT Bounds(const CQorGDI& s) { return RECT{0, 0, s.m_bm.bmWidth, s.m_bm.bmHeight}; }

// The blend reads 5-6-5 words straight from the buffer.
bool Is16BitSection(CQorGDI& s) {
    if (!s.m_pBits && !s.MakeDIB()) return false;
    return s.m_pBits && s.m_bm.bmBitsPixel == 16;
}

// The bottom line of the w × h area of s whose top-left is (x, y); lines above it follow at
// increasing addresses, bmWidthBytes apart.
BYTE* BottomLine(const CQorGDI& s, int64_t x, int64_t y, int h) {
    return s.m_pBits + (s.m_bm.bmHeight - y - h) * s.m_bm.bmWidthBytes + x * 2;
}

// Per field (f × (32 − level) + t × level) >> 5 for level 0..32, on the 5-6-5 fields as they are.
// Green is moved to the high half first so that one multiply weighs all three fields: each sum
// needs its field's width plus 5 bits, and the gaps leave exactly that.
inline uint16_t BlendWord(uint32_t f, uint32_t t, uint32_t level) {
    constexpr uint32_t kFields = 0x07E0F81F;
    const uint32_t sf = (f | f << 16) & kFields, st = (t | t << 16) & kFields;
    const uint32_t v = ((sf * (kLevels - level) + st * level) >> 5) & kFields;
    return static_cast<uint16_t>(v | v >> 16);
}

void BlendLines(const BYTE* from, int fromPitch, const BYTE* to, int toPitch, BYTE* frame, int framePitch, int w,
                int h, int level) {
    for (int line = 0; line < h; ++line, from += fromPitch, to += toPitch, frame += framePitch) {
        const auto* f = reinterpret_cast<const uint16_t*>(from);
        const auto* t = reinterpret_cast<const uint16_t*>(to);
        auto* out = reinterpret_cast<uint16_t*>(frame);
        for (int i = 0; i < w; ++i) out[i] = BlendWord(f[i], t[i], static_cast<uint32_t>(level));
    }
}

int ToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

BOOL TransitionCrossFade(HDC screen, const RECT* rc, CQorGDI* from, const RECT* fromRect, CQorGDI* to,
                         const RECT* toRect, double durationMs, CrossFadeCallback callback, void* data) {
    if (!screen || !rc || !fromRect || !toRect || !from || !to || !from->m_hDC || !to->m_hDC) return FALSE;
    if (Inverted(*rc) || Inverted(*fromRect) || Inverted(*toRect) || !Playable(durationMs)) return FALSE;
    if (!Is16BitSection(*from) || !Is16BitSection(*to)) return FALSE;

    // Pixel (i, j) of rc shows pixel (i, j) of fromRect and of toRect: only offsets where all
    // three exist are blended.
    Span common{0, 0, std::min({Width(*rc), Width(*fromRect), Width(*toRect)}),
                std::min({Height(*rc), Height(*fromRect), Height(*toRect)})};
    const int64_t finalWidth = common.right, finalHeight = common.bottom;
    common.KeepInside(*fromRect, Bounds(*from));
    common.KeepInside(*toRect, Bounds(*to));
    RECT visible{};
    const int region = GetClipBox(screen, &visible);
    if (region != RGN_ERROR) common.KeepInside(*rc, visible);
    if (common.Empty()) return FALSE;
    const int w = common.Width(), h = common.Height();
    CQorGDI frame;
    if (!frame.CreateSized(screen, w, h, FALSE, TRUE, FALSE, 16)) return FALSE;

    const int fromX = ToInt(fromRect->left + common.left), fromY = ToInt(fromRect->top + common.top);
    const int toX = ToInt(toRect->left + common.left), toY = ToInt(toRect->top + common.top);
    const int screenX = ToInt(rc->left + common.left), screenY = ToInt(rc->top + common.top);
    const BITMAP toShape = to->m_bm;
    Pacer pacer;
    for (;;) {
        const double position = pacer.Next();
        if (position > kLevels) break;
        const int level = static_cast<int>(position);
        if (callback) {
            callback(to, toRect, data, level, kLevels);
            // A callback that made to anew would leave the area pointing elsewhere.
            if (!to->m_pBits || to->m_bm.bmWidth != toShape.bmWidth || to->m_bm.bmHeight != toShape.bmHeight ||
                to->m_bm.bmBitsPixel != 16)
                break;
        }
        BlendLines(BottomLine(*from, fromX, fromY, h), from->m_bm.bmWidthBytes, BottomLine(*to, toX, toY, h),
                   to->m_bm.bmWidthBytes, frame.m_pBits, frame.m_bm.bmWidthBytes, w, h, level);
        BitBlt(screen, screenX, screenY, w, h, frame.m_hDC, 0, 0, SRCCOPY);
        pacer.Shown(pacer.Elapsed() / durationMs * kLevels);
        if (level + 1 >= kLevels) break;
    }
    // The last frame is the new picture itself, wherever it has pixels.
    BitBlt(screen, rc->left, rc->top, ToInt(finalWidth), ToInt(finalHeight), to->m_hDC, toRect->left, toRect->top,
           SRCCOPY);
    return TRUE;
}

BOOL TransitionSlide(HDC screen, CQorGDI* newPicture, double durationMs) {
    if (!screen || !newPicture || !newPicture->m_hDC || !Playable(durationMs)) return FALSE;
    const int width = newPicture->m_bm.bmWidth, height = newPicture->m_bm.bmHeight;
    CQorGDI old, frame;
    // old is a snapshot of what the screen shows now.
    if (!old.CreateSized(screen, width, height, TRUE, TRUE, FALSE, 16) ||
        !frame.CreateSized(screen, width, height, FALSE, TRUE, FALSE, 16))
        return FALSE;
    Pacer pacer;
    for (;;) {
        const int x = static_cast<int>(std::min(pacer.Next(), static_cast<double>(width)));
        // The old picture moved right by x, and the rightmost x columns of the new one at the left.
        if (x < width) BitBlt(frame.m_hDC, x, 0, width - x, height, old.m_hDC, 0, 0, SRCCOPY);
        if (x > 0) BitBlt(frame.m_hDC, 0, 0, x, height, newPicture->m_hDC, width - x, 0, SRCCOPY);
        BitBlt(screen, 0, 0, width, height, frame.m_hDC, 0, 0, SRCCOPY);
        pacer.Shown(1.0 / durationMs * width * pacer.Elapsed());
        if (x + 1 >= width) break;
    }
    BitBlt(screen, 0, 0, width, height, newPicture->m_hDC, 0, 0, SRCCOPY);
    return TRUE;
}
