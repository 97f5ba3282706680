// Rasterising rectangles, rounded rectangles and polylines with the DC's pen and brush.
#include "platform/Shapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/GdiObjects.h"
#include "platform/GdiState.h"
#include "platform/Screen.h"

namespace platform {
namespace {

// Coordinates are widened to 64 bits as soon as they arrive, so shapes reaching far past the
// surface cannot overflow; the ellipse test squares products of such differences and needs 128.
using Wide = unsigned __int128;

// Beyond any coordinate, with room left to add a pen width.
constexpr int64_t kFar = int64_t{1} << 62;

// Pixels [left, right) of one row; empty when right <= left.
struct Run {
    int64_t left;
    int64_t right;
};

constexpr Run kNoRun{kFar, -kFar};

// Paints the part of a run that lies inside the target's clip; true when a pixel changed.
bool PaintRun(const DrawTarget& target, int64_t y, int64_t left, int64_t right, COLORREF colour) {
    if (y < target.clip.top || y >= target.clip.bottom) return false;
    left = std::max<int64_t>(left, target.clip.left);
    right = std::min<int64_t>(right, target.clip.right);
    for (int64_t x = left; x < right; ++x) target.rows.Set(static_cast<int>(x), static_cast<int>(y), colour);
    return left < right;
}

// How many pixels the k-th row from the top (or bottom) edge of a rounded corner starts in from
// the side, for a corner ellipse of a x b pixels (both at least 2). The rule: a pixel belongs to the
// shape when its centre lies inside the ellipse or on it. With the corner box's pixel (x, k)
// centred at (x + 1/2, k + 1/2) and the ellipse centred at (a/2, b/2), that is
//     (a - 2x - 1)^2 b^2 + (b - 2k - 1)^2 a^2 <= a^2 b^2,
// evaluated exactly in integers. Columns from a/2 on belong to the straight edge.
int64_t CornerInset(int64_t a, int64_t b, int64_t k) {
    if (2 * k + 1 >= b) return 0;
    const Wide bb = Wide(b) * Wide(b);
    const Wide room = Wide(a) * Wide(a) * (Wide(2 * k + 1) * Wide(2 * b - 2 * k - 1));  // a^2 (b^2 - (b - 2k - 1)^2)
    int64_t lo = 0, hi = a / 2;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        const Wide u = Wide(a - 2 * mid - 1);
        if (u * u * bb <= room)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// A rectangle whose corners are cut by the quadrants of an ellipse lying inside it.
class RoundedShape {
public:
    RoundedShape(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t ellipseWidth, int64_t ellipseHeight)
        : left_(left), top_(top), right_(right), bottom_(bottom) {
        a_ = std::clamp<int64_t>(ellipseWidth, 0, std::max<int64_t>(right - left, 0));
        b_ = std::clamp<int64_t>(ellipseHeight, 0, std::max<int64_t>(bottom - top, 0));
        if (a_ < 2 || b_ < 2) a_ = b_ = 0;  // too small to round anything
    }

    Run Row(int64_t y) const {
        if (y < top_ || y >= bottom_) return kNoRun;
        const int64_t inset = a_ ? CornerInset(a_, b_, std::min(y - top_, bottom_ - 1 - y)) : 0;
        return Run{left_ + inset, right_ - inset};
    }

    // The part of row y at least `pen` pixels inside the edge: the shape worn away once by the
    // four neighbours of each pixel, so that a one-pixel outline turns its corners diagonally and
    // joins the fill without a gap, then by pen - 1 pixels in every direction. From top to bottom
    // the rows' left ends only fall and then rise, and their right ends the other way round, so
    // the extremes over a band of rows lie at the band's ends.
    Run Inner(int64_t y, int64_t pen) const {
        const int64_t q = pen - 1;
        const Run above = WornOnce(y - q), below = WornOnce(y + q);
        return Run{std::max(above.left, below.left) + q, std::min(above.right, below.right) - q};
    }

    int64_t Top() const { return top_; }
    int64_t Bottom() const { return bottom_; }

private:
    Run WornOnce(int64_t y) const {
        const Run up = Row(y - 1), mid = Row(y), down = Row(y + 1);
        return Run{std::max({up.left, mid.left + 1, down.left}), std::min({up.right, mid.right - 1, down.right})};
    }

    int64_t left_, top_, right_, bottom_;
    int64_t a_ = 0, b_ = 0;
};

BOOL DrawShape(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    DrawTarget target;
    if (!ResolveTarget(dc, &target)) return FALSE;
    const PenRecord* pen = FindPen(target.dc->pen);
    const BrushRecord* brush = FindBrush(target.dc->brush);
    if (!pen || !brush) return FALSE;

    const int64_t ox = target.origin.x, oy = target.origin.y;
    const RoundedShape shape(left + ox, top + oy, right + ox, bottom + oy, ellipseWidth, ellipseHeight);
    const bool outline = pen->style != PS_NULL;
    const int64_t width = std::max(pen->width, 1);
    const int64_t first = std::max<int64_t>(shape.Top(), target.clip.top);
    const int64_t last = std::min<int64_t>(shape.Bottom(), target.clip.bottom);
    bool drew = false;
    for (int64_t y = first; y < last; ++y) {
        const Run all = shape.Row(y);
        const Run inside = outline ? shape.Inner(y, width) : all;
        const bool hasInside = inside.left < inside.right;
        if (!brush->hollow && hasInside) drew |= PaintRun(target, y, inside.left, inside.right, brush->colour);
        if (!outline) continue;
        if (!hasInside) {
            drew |= PaintRun(target, y, all.left, all.right, pen->colour);
        } else {
            drew |= PaintRun(target, y, all.left, inside.left, pen->colour);
            drew |= PaintRun(target, y, inside.right, all.right, pen->colour);
        }
    }
    if (drew) NoteDrawn(target);
    return TRUE;
}

// A line from one point up to, not including, the other. Each step along the longer axis takes
// the pixel nearest the true line on the shorter axis, halves rounded away from the start: the
// pixels Bresenham's walk visits, computed in closed form so that any step can be found at once.
class Segment {
public:
    Segment(int64_t x0, int64_t y0, int64_t x1, int64_t y1) : x0_(x0), y0_(y0) {
        const int64_t dx = x1 - x0, dy = y1 - y0;
        xMajor_ = std::abs(dx) >= std::abs(dy);
        major_ = xMajor_ ? std::abs(dx) : std::abs(dy);
        minor_ = xMajor_ ? std::abs(dy) : std::abs(dx);
        sx_ = dx < 0 ? -1 : 1;
        sy_ = dy < 0 ? -1 : 1;
    }

    int64_t Steps() const { return major_; }
    int64_t X(int64_t i) const { return x0_ + sx_ * (xMajor_ ? i : Minor(i)); }
    int64_t Y(int64_t i) const { return y0_ + sy_ * (xMajor_ ? Minor(i) : i); }
    bool Downward() const { return sy_ > 0; }

private:
    int64_t Minor(int64_t i) const {
        return static_cast<int64_t>((Wide(2) * Wide(i) * Wide(minor_) + Wide(major_)) / (Wide(2) * Wide(major_)));
    }

    int64_t x0_, y0_;
    bool xMajor_;
    int64_t major_, minor_;
    int64_t sx_, sy_;
};

// The first step in [0, n) for which test holds, n if none; test must be false and then true.
template <class Test>
int64_t FirstStep(int64_t n, Test test) {
    int64_t lo = 0, hi = n;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (test(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// Every pixel of the segment carries a pen-wide square, reaching `before` pixels up and left and
// `after` pixels down and right. Walked row by row: the squares that touch a row come from one
// band of consecutive steps, and as x moves by at most one per step their union on the row is a
// single run. Work is bounded by the clip whatever the length of the segment or the pen's width.
bool PaintSegment(const DrawTarget& target, const Segment& s, int64_t before, int64_t after, COLORREF colour) {
    const int64_t n = s.Steps();
    if (n == 0) return false;
    const int64_t top = std::max<int64_t>(std::min(s.Y(0), s.Y(n - 1)) - before, target.clip.top);
    const int64_t bottom = std::min<int64_t>(std::max(s.Y(0), s.Y(n - 1)) + after + 1, target.clip.bottom);
    bool drew = false;
    for (int64_t y = top; y < bottom; ++y) {
        const int64_t low = y - after, high = y + before;  // the steps whose square covers row y lie in this band
        int64_t begin, end;
        if (s.Downward()) {
            begin = FirstStep(n, [&](int64_t i) { return s.Y(i) >= low; });
            end = FirstStep(n, [&](int64_t i) { return s.Y(i) > high; });
        } else {
            begin = FirstStep(n, [&](int64_t i) { return s.Y(i) <= high; });
            end = FirstStep(n, [&](int64_t i) { return s.Y(i) < low; });
        }
        if (begin >= end) continue;
        const int64_t xa = s.X(begin), xb = s.X(end - 1);
        drew |= PaintRun(target, y, std::min(xa, xb) - before, std::max(xa, xb) + after + 1, colour);
    }
    return drew;
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) { return DrawShape(dc, left, top, right, bottom, 0, 0); }

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    return DrawShape(dc, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    DrawTarget target;
    if (!points || count < 2 || !ResolveTarget(dc, &target)) return FALSE;
    const PenRecord* pen = FindPen(target.dc->pen);
    if (!pen) return FALSE;
    if (pen->style == PS_NULL) return TRUE;
    const int64_t width = std::max(pen->width, 1);
    const int64_t before = (width - 1) / 2, after = width / 2;
    const int64_t ox = target.origin.x, oy = target.origin.y;
    bool drew = false;
    // Each segment leaves out its end, which the next one starts on: every joint is drawn once
    // and the line's last point not at all.
    for (int i = 0; i + 1 < count; ++i) {
        const Segment s(points[i].x + ox, points[i].y + oy, points[i + 1].x + ox, points[i + 1].y + oy);
        drew |= PaintSegment(target, s, before, after, pen->colour);
    }
    if (drew) NoteDrawn(target);
    return TRUE;
}
