// Test helpers for 5-6-5 and 24-bit sections: making, raw words, packed colours, whole-surface checks.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "gfx/QorGDI.h"
#include "platform/PixelRows.h"

// A w × h section of the given depth filled with colour; false when it could not be made.
inline bool MakeSection(CQorGDI& s, int w, int h, int depth, COLORREF colour = 0) {
    if (!s.CreateSized(nullptr, w, h, FALSE, TRUE, FALSE, depth)) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.SetPixel(x, y, colour);
    return true;
}

inline uint16_t Word(const CQorGDI& s, int x, int y) { return SectionRows(s.m_pBits, s.m_bm).Get16(x, y); }
inline void SetWord(CQorGDI& s, int x, int y, uint16_t v) { SectionRows(s.m_pBits, s.m_bm).Set16(x, y, v); }

// What a 5-6-5 pixel written with c reads back as.
inline COLORREF Packed(COLORREF c) { return platform::Unpack565(platform::Pack565(c)); }

inline bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

inline std::vector<COLORREF> Pixels(const CQorGDI& s) {
    std::vector<COLORREF> out;
    for (int y = 0; y < s.m_bm.bmHeight; ++y)
        for (int x = 0; x < s.m_bm.bmWidth; ++x) out.push_back(s.GetPixel(x, y));
    return out;
}

// The pixels of s that differ from want(x, y), the first few of them; "" when none does.
inline std::string Mismatches(const CQorGDI& s, const std::function<COLORREF(int, int)>& want) {
    std::ostringstream out;
    int n = 0;
    for (int y = 0; y < s.m_bm.bmHeight; ++y)
        for (int x = 0; x < s.m_bm.bmWidth; ++x)
            if (const COLORREF got = s.GetPixel(x, y), w = want(x, y); got != w && n++ < 4)
                out << std::hex << "(" << x << "," << y << ") " << got << " not " << w << "; ";
    return out.str();
}
