// Rectangle arithmetic shared by the drawing and window calls: right and bottom exclusive.
#pragma once

#include <algorithm>

#include "platform/Types.h"

namespace platform {

inline LONG Width(const RECT& r) { return r.right - r.left; }
inline LONG Height(const RECT& r) { return r.bottom - r.top; }

inline bool IsEmptyArea(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// May come out empty (or inverted) when the two do not meet.
inline RECT IntersectRects(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// The bounding box of both; an empty one counts for nothing.
inline RECT UnionRects(const RECT& a, const RECT& b) {
    if (IsEmptyArea(a)) return b;
    if (IsEmptyArea(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline RECT OffsetBy(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace platform
