// The drawn button's twelve looks. Each paints the released look into the left half of the
// picture and the pressed look into the right half, with the graphics library's shapes and
// gradients; gradients are vertical and 16-bit, from the first colour at the top.
#include "framework/ButtonStyles.h"

#include <algorithm>

#include "gfx/Blend.h"
#include "gfx/Draw.h"
#include "platform/Device.h"

namespace {

// As an accent, magenta asks the pill for no shadow.
constexpr COLORREF kNoShadow = 0xFF00FF;
// The two shapes of the ringed style are drawn in black on the picture and on a keyed mask.
constexpr COLORREF kMask = 0x000000;

// Each channel v becomes v + trunc((255 − v) × f), in double precision.
COLORREF Lighten(COLORREF colour, double f) {
    auto channel = [f](int v) { return static_cast<BYTE>(v + static_cast<int>((255 - v) * f)); };
    return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

// What every style works with: the picture, the size of one look, the colours and the corner
// sizes that follow the screen's icon height.
struct Look {
    CQorGDI& picture;
    int W, H;
    ButtonColors& c;
    int r6, r15;

    HDC dc() const { return picture.m_hDC; }
    void Fill(RECT rc, COLORREF colour) const { FillSolidRect(dc(), &rc, colour); }
    void Frame(RECT rc, COLORREF fill, COLORREF pen) const { DrawRectangle(dc(), &rc, fill, pen); }
    // A rounded shape filled and outlined in one colour.
    void Round(RECT rc, COLORREF colour, int corner) const { DrawRoundRect(dc(), &rc, colour, colour, corner, corner); }
    void Gradient(RECT rc, COLORREF top, COLORREF bottom) const { picture.GradientFillRect(&rc, top, bottom, FALSE); }
    void RoundGradient(RECT rc, COLORREF pen, int corner, COLORREF top, COLORREF bottom) const {
        picture.GradientRoundRect(&rc, pen, corner, corner, top, bottom);
    }
};

// Released: a c2 bevel along the top and left over a c1 ground, the face running c1 to c2 toward
// the bottom right. Pressed: the bevel along the right and bottom, the face c2 to c1, one lower.
void Bevel(const Look& k) {
    const int W = k.W, H = k.H, b = std::min(W, H) / 10;
    k.Fill({0, 0, 2 * W, H}, k.c.face1);
    RECT released{b, b - 1, W - b, H - b}, pressed{W + b, b, 2 * W - b, H - b + 1};
    DiagonalGradientFillRectDC(k.dc(), &released, k.c.face1, k.c.face2);
    DiagonalGradientFillRectDC(k.dc(), &pressed, k.c.face2, k.c.face1);
    HPEN pen = MakePen(k.c.face2, PS_SOLID, 0);
    k.picture.SelectObject(pen);
    auto line = [&](int x0, int y0, int x1, int y1) {
        const POINT points[] = {{x0, y0}, {x1, y1}};
        Polyline(k.dc(), points, 2);
    };
    for (int i = 0; i < b; ++i) {
        line(i, 0, i, H - i);
        line(0, i, W - i - 1, i);
        line(2 * W - i - 1, i, 2 * W - i - 1, H);
        line(W + i + 1, H - i - 1, 2 * W, H - i - 1);
    }
    k.picture.SelectObject(nullptr);
    DeleteObject(pen);
}

void Flat(const Look& k) {
    k.Frame({0, 0, k.W, k.H}, k.c.face1, k.c.border);
    k.Frame({k.W, 0, 2 * k.W, k.H}, k.c.face2, k.c.border);
}

void FramedGradient(const Look& k) {
    k.Gradient({0, 0, k.W, k.H}, k.c.face1, k.c.face2);
    k.Frame({0, 0, k.W, k.H}, NO_COLOR, k.c.border);
    k.Gradient({k.W, 0, 2 * k.W, k.H}, k.c.face2, k.c.face1);
    k.Frame({k.W, 0, 2 * k.W, k.H}, NO_COLOR, k.c.border);
}

void RoundedGradient(const Look& k) {
    k.RoundGradient({0, 0, k.W, k.H}, k.c.border, k.r6, k.c.face1, k.c.face2);
    k.RoundGradient({k.W, 0, 2 * k.W, k.H}, k.c.border, k.r6, k.c.face2, k.c.face1);
}

// The shadow is drawn under the released face one pixel left and down; a magenta accent puts it
// exactly under the face, where it is covered.
void PillWithShadow(const Look& k) {
    const int W = k.W, H = k.H, d = k.c.accent != kNoShadow ? 1 : 0, e = H / 2;
    k.Round({0, d, W - d, H}, k.c.accent, e);
    k.RoundGradient({d, 0, W, H - d}, k.c.border, e, k.c.face1, k.c.face2);
    k.RoundGradient({W + d, 0, 2 * W, H - d}, k.c.border, e, k.c.face2, k.c.face1);
}

// Four stacked layers; the accent layer shows as a line above the c2 layer.
void LayeredPanel(const Look& k) {
    const int W = k.W, H = k.H;
    const ButtonColors& c = k.c;
    k.Round({0, 0, W, H}, c.face1, 8);
    k.Round({3, 3, W - 3, H - 3}, c.accent, 4);
    k.Round({3, 4, W - 3, H - 3}, c.face2, 4);
    k.Round({3, 4, W - 3, (2 * H) / 3}, c.border, 2);
    k.Round({W, 0, 2 * W, H}, c.face1, 8);
    k.Round({W + 3, 4, 2 * W - 3, H - 3}, c.accent, 4);
    k.Round({W + 3, 5, 2 * W - 3, H - 3}, c.face2, 4);
    k.Round({W + 3, 5, 2 * W - 3, (2 * H) / 3 + 1}, c.border, 2);
}

// A glass face on an accent ground inside a border frame. Two equal faces would show no glass, so
// the upper face is lightened for good.
void GlassPanel(const Look& k, double f) {
    const int W = k.W, H = k.H;
    ButtonColors& c = k.c;
    const COLORREF light = Lighten(c.face2, f);
    if (c.face1 == c.face2) c.face1 = Lighten(c.face2, 0.75);
    k.Fill({0, 0, 2 * W, H}, c.accent);
    k.Frame({0, 0, W, H}, NO_COLOR, c.border);
    k.Gradient({2, 2, W - 2, H / 2}, c.face1, light);
    k.Fill({2, H / 2, W - 2, H - 2}, c.face2);
    k.Frame({W, 0, 2 * W, H}, NO_COLOR, c.border);
    k.Gradient({W + 2, 2, 2 * W - 2, H / 2}, light, c.face1);
    k.Fill({W + 2, H / 2, 2 * W - 2, H - 2}, c.face1);
}

// A rounded face with a smaller reversed highlight inside, lower by half a corner when pressed.
// On a big screen with a very low button the pressed highlight reaches below the picture; the
// gradient workers clip it.
void InnerHighlight(const Look& k) {
    const int W = k.W, H = k.H, r = k.r15;
    const int h = static_cast<int>(H * 0.8333333333333333);
    k.RoundGradient({0, 0, W, H}, k.c.border, k.r6, k.c.face1, k.c.face2);
    k.RoundGradient({r, r, W - r / 2, h}, NO_COLOR, r, k.c.face2, k.c.face1);
    k.RoundGradient({W, 0, 2 * W, H}, k.c.border, k.r6, k.c.face1, k.c.face2);
    k.RoundGradient({W + r, r + r / 2, 2 * W - r / 2, r / 2 + h}, NO_COLOR, r, k.c.face2, k.c.face1);
}

// The pressed lower face stops one row short, leaving a transparent row above the bottom frame.
void FramedGlass(const Look& k) {
    const int W = k.W, H = k.H;
    const ButtonColors& c = k.c;
    const COLORREF light = Lighten(c.face2, 0.15);
    k.Frame({0, 0, W, H}, NO_COLOR, c.border);
    k.Gradient({1, 1, W - 1, H / 2}, c.face1, light);
    k.Fill({1, H / 2, W - 1, H - 1}, c.face2);
    k.Frame({W, 0, 2 * W, H}, NO_COLOR, c.border);
    k.Gradient({W + 1, 1, 2 * W - 1, H / 2}, light, c.face1);
    k.Fill({W + 1, H / 2, 2 * W - 1, H - 2}, c.face1);
}

// Both looks alike: only the label's one-pixel drop tells a pressed gloss button.
void Gloss(const Look& k) {
    const ButtonColors& c = k.c;
    for (int left : {0, k.W}) {
        RECT rc{left, 0, left + k.W, k.H};
        k.picture.GlossRoundRect(&rc, c.border, k.r6, k.r6, c.face1, c.face2, c.border, c.accent);
    }
}

// Gives the picture's pixels (offset + x, y) that are marked (not KEY_COLOR) in mask at (maskOffset
// + x, y) the colour of the same place in source, for x in [0, W).
void CopyMasked(const Look& k, const CQorGDI& mask, int maskOffset, const CQorGDI& source, int offset) {
    for (int x = 0; x < k.W; ++x)
        for (int y = 0; y < k.H; ++y)
            if (mask.GetPixel(maskOffset + x, y) != KEY_COLOR) k.picture.SetPixel(offset + x, y, source.GetPixel(x, y));
}

// A two-pixel rounded ring in a c4/c3 gradient around an inner rounded face in c1 → c2. FALSE
// when the working surfaces cannot be made, rather than a picture of black masks.
bool Ringed(const Look& k) {
    const int W = k.W, H = k.H;
    const ButtonColors& c = k.c;
    const RECT all{0, 0, 2 * W, H};
    CQorGDI colours, inner;
    if (!colours.Create(k.dc(), &all, FALSE, TRUE, FALSE, 16) || !inner.Create(k.dc(), &all, FALSE, TRUE, TRUE, 16))
        return false;
    RECT rc{0, 0, 2 * W, H};
    colours.GradientFillRect(&rc, c.accent, c.border, FALSE);
    RECT outer{0, 0, W, H};
    DrawRoundRect(k.dc(), &outer, kMask, kMask, k.r6, k.r6);
    CopyMasked(k, k.picture, 0, colours, 0);
    RECT face{2, 2, W - 2, H - 2};
    DrawRoundRect(inner.m_hDC, &face, kMask, kMask, k.r6 / 2, k.r6 / 2);
    colours.GradientFillRect(&face, c.face1, c.face2, FALSE);
    CopyMasked(k, inner, 0, colours, 0);

    rc = {0, 0, W, H};
    colours.GradientFillRect(&rc, c.border, c.accent, FALSE);
    RECT pressedOuter{W, 0, 2 * W, H};
    DrawRoundRect(k.dc(), &pressedOuter, kMask, kMask, k.r6, k.r6);
    CopyMasked(k, k.picture, W, colours, W);
    rc = {1, 1, W - 1, H - 1};
    colours.GradientFillRect(&rc, c.face1, c.face2, FALSE);
    CopyMasked(k, inner, 0, colours, W);
    return true;
}

}  // namespace

BOOL DrawButtonStyle(CQorGDI& picture, int style, int width, int height, ButtonColors& colors) {
    if (!picture.m_hDC) return FALSE;
    const int icon = GetSystemMetrics(SM_CYICON);
    const Look look{picture, width, height, colors, icon / 6, icon / 15};
    switch (style) {
        case 0: Bevel(look); break;
        case 2: FramedGradient(look); break;
        case 3: RoundedGradient(look); break;
        case 4: PillWithShadow(look); break;
        case 5: LayeredPanel(look); break;
        case 6: GlassPanel(look, 0.2); break;
        case 7: GlassPanel(look, 0.0); break;
        case 8: InnerHighlight(look); break;
        case 9: FramedGlass(look); break;
        case 10: Gloss(look); break;
        case 11: return Ringed(look) ? TRUE : FALSE;
        default: Flat(look); break;
    }
    return TRUE;
}
