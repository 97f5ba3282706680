// Internal to the graphics library: gradient positions, colour mixing and clipping shared by the
// pixel workers.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Gdi.h"

namespace gfx {

// The fraction of row k (0 = the bottom line) of a rectangle h lines high: 1 at the bottom line,
// 1/h at the top line. Taken in single precision on purpose: for h = 3 the top line's position
// is 84, not 85, and the pictures depend on it. 64-bit, for gradients longer than an int.
inline float RowFraction(int64_t k, int64_t h) { return 1.0f - static_cast<float>(k) / static_cast<float>(h); }

// A position 0..255 from a scaled fraction, truncated toward zero.
inline int ToPosition(double scaled) { return std::clamp(static_cast<int>(scaled), 0, 255); }

// The position of row k in a one-band gradient.
inline int VerticalPosition(int64_t k, int64_t h) { return ToPosition(static_cast<double>(RowFraction(k, h)) * 255.0); }

// Two-band gradients: the lines above the middle line form the upper band.
inline bool InUpperBand(int64_t k, int64_t h) { return k > h / 2; }
// The position of row k within its band: each band runs its whole range over half the height.
inline int BandPosition(int64_t k, int64_t h) {
    const double f = RowFraction(k, h);
    return ToPosition(InUpperBand(k, h) ? f * 2.0 * 255.0 : (f - 0.5) * 2.0 * 255.0);
}

// Per channel (a × (255 − t) + b × t) >> 8: the weights add up to 255, so t = 255 gives b × 255/256.
inline COLORREF Mix(COLORREF a, COLORREF b, int t) {
    auto channel = [t](unsigned x, unsigned y) { return static_cast<BYTE>((x * (255 - t) + y * t) >> 8); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// rc limited to the bm.bmWidth × bm.bmHeight surface; may come out empty.
inline RECT ClipToSurface(const RECT& rc, const BITMAP& bm) {
    return RECT{std::max(rc.left, 0), std::max(rc.top, 0), std::min(rc.right, static_cast<LONG>(bm.bmWidth)),
                std::min(rc.bottom, static_cast<LONG>(bm.bmHeight))};
}

inline bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool IsInverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

}  // namespace gfx
