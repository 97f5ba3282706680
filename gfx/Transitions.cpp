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

// Turns a device bitmap into a section; the blend reads 5-6-5 words straight from the buffer.
bool ReadableAs565(CQorGDI& s) {
    if (!s.m_pBits && !s.MakeDIB()) return false;
    return s.m_pBits && s.m_bm.bmBitsPixel == 16;
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

bool IsSection16(const CQorGDI* s) { return s && s->m_pBits && s->m_bm.bmBitsPixel == 16; }

bool Holds(const CQorGDI& s, int x, int y, int w, int h) {
    return x >= 0 && y >= 0 && int64_t{x} + w <= s.m_bm.bmWidth && int64_t{y} + h <= s.m_bm.bmHeight;
}

// The bottom line of the w × h area of s whose top-left is (x, y); lines above it follow at
// increasing addresses, bmWidthBytes apart.
const BYTE* BottomLine(const CQorGDI& s, int x, int y, int h) {
    return s.m_pBits + static_cast<ptrdiff_t>(s.m_bm.bmHeight - y - h) * s.m_bm.bmWidthBytes + x * 2;
}

int ToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

BOOL CrossFadeFrame(CQorGDI* frame, const CQorGDI* from, int fromX, int fromY, const CQorGDI* to, int toX, int toY,
                    int level) {
    if (!IsSection16(frame) || !IsSection16(from) || !IsSection16(to) || level < 0 || level > kLevels) return FALSE;
    const int w = frame->m_bm.bmWidth, h = frame->m_bm.bmHeight;
    if (!Holds(*from, fromX, fromY, w, h) || !Holds(*to, toX, toY, w, h)) return FALSE;
    const BYTE* f = BottomLine(*from, fromX, fromY, h);
    const BYTE* t = BottomLine(*to, toX, toY, h);
    BYTE* out = frame->m_pBits;
    auto word = [](const BYTE* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); };
    for (int line = 0; line < h; ++line) {
        for (int i = 0; i < 2 * w; i += 2) {
            const uint16_t v = BlendWord(word(f + i), word(t + i), static_cast<uint32_t>(level));
            out[i] = static_cast<BYTE>(v);
            out[i + 1] = static_cast<BYTE>(v >> 8);
        }
        f += from->m_bm.bmWidthBytes;
        t += to->m_bm.bmWidthBytes;
        out += frame->m_bm.bmWidthBytes;
    }
    return TRUE;
}

BOOL TransitionCrossFade(HDC screen, const RECT* rc, CQorGDI* from, const RECT* fromRect, CQorGDI* to,
                         const RECT* toRect, double durationMs, CrossFadeCallback callback, void* data) {
    if (!screen || !rc || !fromRect || !toRect || !from || !to || !from->m_hDC || !to->m_hDC) return FALSE;
    if (Inverted(*rc) || Inverted(*fromRect) || Inverted(*toRect) || !Playable(durationMs)) return FALSE;
    if (!ReadableAs565(*from) || !ReadableAs565(*to)) return FALSE;

    // Pixel (i, j) of rc shows pixel (i, j) of fromRect and of toRect: only offsets where all
    // three exist are blended.
    Span common{0, 0, std::min({Width(*rc), Width(*fromRect), Width(*toRect)}),
                std::min({Height(*rc), Height(*fromRect), Height(*toRect)})};
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
    Pacer pacer;
    for (;;) {
        const double position = pacer.Next();
        if (position > kLevels) break;
        const int level = static_cast<int>(position);
        if (callback) callback(to, toRect, data, level, kLevels);
        // Checked every frame: a callback may have made to anew in another shape.
        if (!CrossFadeFrame(&frame, from, fromX, fromY, to, toX, toY, level)) break;
        BitBlt(screen, screenX, screenY, w, h, frame.m_hDC, 0, 0, SRCCOPY);
        pacer.Shown(pacer.Elapsed() / durationMs * kLevels);
        if (level + 1 >= kLevels) break;
    }
    // The last frame is the new picture itself, wherever it has pixels.
    BitBlt(screen, rc->left, rc->top, ToInt(std::min(Width(*rc), Width(*toRect))),
           ToInt(std::min(Height(*rc), Height(*toRect))), to->m_hDC, toRect->left, toRect->top, SRCCOPY);
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
