// Error-diffusion reduction of a 24-bit section to the precision a 5-6-5 screen can show.
#include "gfx/Dither.h"

#include <algorithm>

namespace {

// Adds error to one channel byte, saturating at 255.
void AddError(BYTE* channel, unsigned error) { *channel = static_cast<BYTE>(std::min(*channel + error, 255u)); }

}  // namespace

BOOL Dither565Bits(BYTE* bits, BITMAP bm) {
    // Only a 24-bit section has three bytes a pixel to walk.
    if (!bits || bm.bmBitsPixel != 24) return FALSE;
    const int w = bm.bmWidth, h = bm.bmHeight;
    if (h - 1 < 2) return TRUE;
    const platform::PixelRows rows = SectionRows(bits, bm);
    // The walk follows the storage order: from the line above the bottom one upward, spreading
    // into the next stored row, which is the line above on screen. The outermost lines and
    // columns receive error but are never quantised themselves.
    for (int y = h - 2; y >= 1; --y) {
        for (int x = 1; x <= w - 2; ++x) {
            BYTE* p = rows.At(x, y);  // blue, green, red
            const unsigned eb = p[0] & 7, eg = p[1] & 3, er = p[2] & 7;
            p[0] &= 0xF8;
            p[1] &= 0xFC;
            p[2] &= 0xF8;
            if (!er || !eg || !eb) continue;
            const unsigned error[3] = {eb, eg, er};
            BYTE* right = rows.At(x + 1, y);
            BYTE* aboveLeft = rows.At(x - 1, y - 1);
            BYTE* above = rows.At(x, y - 1);
            BYTE* aboveRight = rows.At(x + 1, y - 1);
            for (int c = 0; c < 3; ++c) {
                const unsigned e = error[c];
                AddError(right + c, (e * 7) >> 4);
                AddError(aboveLeft + c, (e * 3) >> 4);
                AddError(above + c, (e * 5) >> 4);
                AddError(aboveRight + c, e >> 4);
            }
        }
    }
    return TRUE;
}
