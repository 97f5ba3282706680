// The image scaler: area averaging in two rolling row accumulators, bilinear interpolation, and
// the transparent-key pass.
#include "gfx/Resample.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace {

// One destination row of sums, three channels per column in the buffer's order (blue, green,
// red), plus a spare column for the share of a pixel that straddles the right edge. 64 bits: a
// one-pixel cell of the tile sheet gathers 10 816 source pixels, whose sums pass 2^31.
using Sums = std::unique_ptr<int64_t[]>;

// Shrinks work (24-bit section) into dst (24-bit section, smaller in both dimensions), walking
// both buffers in storage order, bottom line first. Positions are in source pixels and single
// precision; a boundary xb or yb is the end of the current destination column or row minus 1,
// so a source pixel p lies wholly inside when p < xb and otherwise sticks out by p − xb.
bool AreaAverage(const CQorGDI& work, CQorGDI& dst, float sx, float sy) {
    const int srcW = work.m_bm.bmWidth, srcH = work.m_bm.bmHeight;
    const int width = dst.m_bm.bmWidth, height = dst.m_bm.bmHeight;
    const size_t entries = 3 * static_cast<size_t>(width) + 3;
    Sums first(new (std::nothrow) int64_t[entries]()), second(new (std::nothrow) int64_t[entries]());
    if (!first || !second) return false;
    int64_t* A = first.get();   // the destination row being gathered
    int64_t* B = second.get();  // the row above it, which straddling source rows reach into
    const int64_t area1000 = AreaThousandths(sx, sy);
    // Rounded boundaries can push a sum a little past 255 × area1000.
    auto average = [area1000](int64_t sum) { return static_cast<BYTE>(std::min<int64_t>(sum / area1000, 255)); };
    auto thousandths = [](int p, float boundary) {
        return static_cast<int64_t>((static_cast<float>(p) - boundary) * 1000.0f);
    };

    int dstRow = 0;
    float yb = sy - 1.0f;
    for (int y = 0; y < srcH; ++y) {
        const BYTE* s = work.m_pBits + static_cast<size_t>(y) * work.m_bm.bmWidthBytes;
        // Rounding could in principle carry the boundaries past the last row or column; the
        // guards below then keep every write inside dst and every sum inside its row.
        BYTE* out = dstRow < height ? dst.m_pBits + static_cast<size_t>(dstRow) * dst.m_bm.bmWidthBytes : nullptr;
        int col = 0;
        float xb = sx - 1.0f;
        if (static_cast<float>(y) < yb) {
            for (int x = 0; x < srcW; ++x, s += 3) {
                int64_t* a = A + 3 * col;
                if (static_cast<float>(x) < xb || col >= width) {
                    for (int ch = 0; ch < 3; ++ch) a[ch] += s[ch] * 1000;
                    continue;
                }
                const int64_t fx = thousandths(x, xb);
                for (int ch = 0; ch < 3; ++ch) {
                    a[ch] += s[ch] * (1000 - fx);
                    a[3 + ch] += s[ch] * fx;
                }
                ++col;
                xb += sx;
            }
            continue;
        }
        // This source row straddles the row boundary: its upper part finishes the current
        // destination row, its lower part starts the next one in B.
        const int64_t fy = thousandths(y, yb);
        for (int x = 0; x < srcW; ++x, s += 3) {
            int64_t *a = A + 3 * col, *b = B + 3 * col;
            if (static_cast<float>(x) < xb || col >= width) {
                for (int ch = 0; ch < 3; ++ch) {
                    a[ch] += s[ch] * (1000 - fy);
                    b[ch] += s[ch] * fy;
                }
                continue;
            }
            const int64_t fx = thousandths(x, xb);
            for (int ch = 0; ch < 3; ++ch) {
                a[ch] += s[ch] * (1000 - fx) * (1000 - fy) / 1000;
                if (out) out[3 * col + ch] = average(a[ch]);
                b[ch] += s[ch] * (1000 - fx) * fy / 1000;
                a[3 + ch] += s[ch] * (1000 - fy) * fx / 1000;
                // The corner share is the first contribution to that entry in the new row, so
                // it replaces whatever the entry held from two rows before.
                b[3 + ch] = s[ch] * fy * fx / 1000;
            }
            ++col;
            xb += sx;
        }
        if (out && col < width)
            for (int ch = 0; ch < 3; ++ch) out[3 * col + ch] = average(A[3 * col + ch]);
        // Column 0 of the next-but-one row gets no corner assignment, so it starts from zero.
        A[0] = A[1] = A[2] = 0;
        std::swap(A, B);
        ++dstRow;
        yb += sy;
    }
    if (dstRow < height) {
        BYTE* out = dst.m_pBits + static_cast<size_t>(dstRow) * dst.m_bm.bmWidthBytes;
        for (int i = 0; i < 3 * width; ++i) out[i] = average(A[i]);
    }
    return true;
}

// Samples work at (x × sx, y × sy) in single precision, top-down, between the four nearest
// pixels, the last row and column clamped.
void Bilinear(const CQorGDI& work, CQorGDI& dst, float sx, float sy) {
    const int srcW = work.m_bm.bmWidth, srcH = work.m_bm.bmHeight;
    for (int y = 0; y < dst.m_bm.bmHeight; ++y) {
        const float fy = static_cast<float>(y) * sy;
        const int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, srcH - 1);
        const float wy = fy - static_cast<float>(y0);
        for (int x = 0; x < dst.m_bm.bmWidth; ++x) {
            const float fx = static_cast<float>(x) * sx;
            const int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, srcW - 1);
            const float wx = fx - static_cast<float>(x0);
            const COLORREF tl = work.GetPixel(x0, y0), tr = work.GetPixel(x1, y0), bl = work.GetPixel(x0, y1),
                           br = work.GetPixel(x1, y1);
            COLORREF value = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                auto channel = [shift](COLORREF c) { return static_cast<float>((c >> shift) & 0xFF); };
                const float left = channel(tl) * (1 - wy) + channel(bl) * wy;
                const float right = channel(tr) * (1 - wy) + channel(br) * wy;
                const float v = left * (1 - wx) + right * wx;
                value |= (static_cast<unsigned>(v) & 0xFF) << shift;
            }
            dst.SetPixel(x, y, value);
        }
    }
}

// Marks with KEY_COLOR each destination pixel whose rounded source position reads KEY_COLOR in
// the source itself (outside the source included).
void KeyPass(const CQorGDI& source, CQorGDI& dst, float sx, float sy) {
    auto nearest = [](int p, float scale) {
        return static_cast<int>(static_cast<float>(static_cast<double>(static_cast<float>(p) * scale) + 0.5));
    };
    for (int y = 0; y < dst.m_bm.bmHeight; ++y) {
        const int srcY = nearest(y, sy);
        for (int x = 0; x < dst.m_bm.bmWidth; ++x)
            if (source.GetPixel(nearest(x, sx), srcY) == KEY_COLOR) dst.SetPixel(x, y, KEY_COLOR);
    }
}

}  // namespace

int AreaThousandths(float sx, float sy) { return static_cast<int>(sx * sy * 1000.0f); }

BOOL ResampleSurface(CQorGDI& source, CQorGDI* dst, int width, int height, BOOL useKey, COLORREF key) {
    if (!source.m_hDC || !dst || dst == &source) return FALSE;
    auto fail = [dst] {
        dst->Destroy();
        return FALSE;
    };
    if (width <= 0 || height <= 0) return fail();
    const int srcW = source.m_bm.bmWidth, srcH = source.m_bm.bmHeight;
    const float sx = static_cast<float>(srcW) / static_cast<float>(width);
    const float sy = static_cast<float>(srcH) / static_cast<float>(height);
    if (!source.m_pBits && !source.MakeDIB()) return fail();

    CQorGDI work;
    if (!work.CreateSized(source.m_hDC, srcW, srcH, TRUE, TRUE, FALSE, 24)) return fail();
    if (useKey) {
        for (int y = 0; y < srcH; ++y)
            for (int x = 0; x < srcW; ++x)
                if (source.GetPixel(x, y) == key) work.SetPixel(x, y, 0);
    }
    if (!dst->CreateSized(source.m_hDC, width, height, FALSE, TRUE, FALSE, 24)) return FALSE;
    if (srcW > width && srcH > height) {
        if (!AreaAverage(work, *dst, sx, sy)) return fail();
    } else {
        Bilinear(work, *dst, sx, sy);
    }
    if (useKey) KeyPass(source, *dst, sx, sy);
    // When no device bitmap can be had the section stays, holding the same picture.
    dst->MakeDeviceBitmap();
    return TRUE;
}
