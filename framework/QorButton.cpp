// The drawn push button: its state rules, its picture and how it is drawn with its label.
#include "framework/QorButton.h"

#include <climits>
#include <new>

#include "framework/ButtonStyles.h"
#include "framework/QorString.h"
#include "gfx/Blend.h"
#include "gfx/Draw.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"

namespace {

// The veil over a disabled button.
constexpr COLORREF kVeilColour = 0xC8C8C8;
constexpr int kVeilAlpha = 160;

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

// One line of text in the DC's current font, colour and mode; the box is as large as the text, so
// nothing is cut off.
void DrawLine(HDC dc, LPCWSTR text, RECT box) { DrawTextW(dc, text, -1, &box, DT_SINGLELINE); }

}  // namespace

CQorButton::CQorButton()
    : m_pszText(nullptr),
      m_pShareImage(nullptr),
      m_pDisabledImage(nullptr),
      m_nStyle(1),
      m_bToggle(FALSE),
      m_bDisabled(FALSE),
      m_bPressed(FALSE),
      m_crText(0xFFFFFF),
      m_crShadow(0),
      m_bShadow(FALSE),
      m_uMsg(0),
      m_hWndNotify(nullptr),
      m_wParam(0),
      m_rc{},
      m_crFace1(0),
      m_crFace2(0),
      m_crBorder(0),
      m_crAccent(0) {}

CQorButton::~CQorButton() { Release(); }

BOOL CQorButton::SetColors(COLORREF face1, COLORREF face2, COLORREF border, COLORREF accent, BOOL toggle) {
    m_crFace1 = face1;
    m_crFace2 = face2;
    m_crBorder = border;
    m_crAccent = accent;
    m_bToggle = toggle;
    return TRUE;
}

// The shadow pass is drawn last, on top, so with a shadow the first colour goes to that pass.
BOOL CQorButton::SetTextColors(COLORREF first, COLORREF second, BOOL shadow) {
    m_bShadow = shadow;
    m_crText = shadow ? second : first;
    m_crShadow = shadow ? first : second;
    return TRUE;
}

BOOL CQorButton::SetText(LPCWSTR text) {
    if (!text || CQorString::StrLen(text) < 1) return FALSE;
    LPWSTR copy = CQorString::StrDup(text);
    if (!copy) return FALSE;
    CQorString::FreeStr(&m_pszText);
    m_pszText = copy;
    return TRUE;
}

void CQorButton::Release() {
    m_image.Destroy();
    m_pShareImage = nullptr;
    CQorString::FreeStr(&m_pszText);
    delete m_pDisabledImage;
    m_pDisabledImage = nullptr;
}

// A failed label keeps the new rectangle but leaves the message, style and state as they were.
BOOL CQorButton::Create(int left, int top, int right, int bottom, LPCWSTR text, HWND notify, UINT message,
                        WPARAM wParam, int style, CQorButton* share) {
    m_rc = RECT{left, top, right, bottom};
    Release();
    if (!SetText(text)) return FALSE;
    m_nStyle = style;
    m_hWndNotify = notify;
    m_uMsg = message;
    m_wParam = wParam;
    m_bPressed = FALSE;
    if (share) {
        m_pShareImage = share;
        return TRUE;
    }
    return RenderImage();
}

BOOL CQorButton::RenderImage() {
    const long long w = static_cast<long long>(m_rc.right) - m_rc.left;
    const long long h = static_cast<long long>(m_rc.bottom) - m_rc.top;
    if (w <= 0 || h <= 0 || 2 * w > INT_MAX) {
        m_image.Destroy();
        return FALSE;
    }
    const RECT all{0, 0, static_cast<LONG>(2 * w), static_cast<LONG>(h)};
    HDC screen = GetDC(nullptr);
    m_image.Create(screen, &all, FALSE, TRUE, FALSE, 16);
    ReleaseDC(nullptr, screen);
    FillSolidRect(m_image.m_hDC, &all, KEY_COLOR);
    ButtonColors colors{m_crFace1, m_crFace2, m_crBorder, m_crAccent};
    const BOOL drawn = DrawButtonStyle(m_image, m_nStyle, static_cast<int>(w), static_cast<int>(h), colors);
    m_crFace1 = colors.face1;
    return drawn;
}

RECT* CQorButton::GetRect(RECT* out) const {
    if (out) *out = m_rc;
    return out;
}

BOOL CQorButton::MoveTo(int x, int y) {
    const int w = Width(m_rc), h = Height(m_rc);
    m_rc = RECT{x, y, x + w, y + h};
    return TRUE;
}

POINT* CQorButton::GetTopLeft(POINT* out) const {
    if (out) *out = POINT{m_rc.left, m_rc.top};
    return out;
}

BOOL CQorButton::DrawImage(HDC dc, const BOOL* pressed, const RECT* rc) const {
    if (!rc) return TRUE;
    const int w = Width(*rc), h = Height(*rc);
    const bool down = pressed && *pressed;
    TransparentImage(dc, rc->left, rc->top, w, h, m_image.m_hDC, down ? w : 0, 0, w, h, KEY_COLOR);
    return TRUE;
}

BOOL CQorButton::DrawLabel(HFONT font, HDC dc, int left, int top, int right, int bottom, LPCWSTR altText,
                           LPCWSTR secondText, HFONT secondFont) {
    LPCWSTR text = altText ? altText : m_pszText;
    if (!text || !*text) return TRUE;
    const bool second = secondText && *secondText;

    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE first{}, next{};
    GetTextExtentExPointW(dc, text, CQorString::StrLen(text), 0, nullptr, nullptr, &first);
    if (second) {
        // Putting back what secondFont displaced also works when font is null.
        HGDIOBJ displaced = SelectObject(dc, secondFont);
        GetTextExtentExPointW(dc, secondText, CQorString::StrLen(secondText), 0, nullptr, nullptr, &next);
        if (displaced) SelectObject(dc, displaced);
    }

    const int x = left + (right - left - first.cx - next.cx) / 2;
    const int y = top + (bottom - top - first.cy) / 2 + (m_bPressed ? 1 : 0);
    RECT box1{x, y, x + first.cx, y + first.cy}, box2{};
    if (second) {
        // The second text's bottom stands a third of the first text's height above its bottom.
        const int d = next.cy / 3 - first.cy / 6, b = y + first.cy;
        box1.top += d;
        box1.bottom += d;
        box2 = RECT{x + first.cx, b - first.cy / 3 - next.cy + d, x + first.cx + next.cx, b - first.cy / 3 + d};
    }

    auto pass = [&](COLORREF colour, int dx, int dy) {
        SetTextColor(dc, colour);
        DrawLine(dc, text, RECT{box1.left + dx, box1.top + dy, box1.right + dx, box1.bottom + dy});
        if (!second) return;
        HGDIOBJ displaced = SelectObject(dc, secondFont);
        DrawLine(dc, secondText, RECT{box2.left + dx, box2.top + dy, box2.right + dx, box2.bottom + dy});
        if (displaced) SelectObject(dc, displaced);
    };
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    pass(m_crText, 0, 0);
    if (m_bShadow) pass(m_crShadow, 1, -1);
    // The text colour stays at the last one used; owners rely on it.
    if (oldMode) SetBkMode(dc, oldMode);
    if (oldFont) SelectObject(dc, oldFont);
    return TRUE;
}

BOOL CQorButton::Draw(HFONT font, HDC dc, LPCWSTR altText, LPCWSTR secondText, HFONT secondFont) {
    const int w = Width(m_rc), h = Height(m_rc);
    HDC target = dc;
    RECT box = m_rc;
    if (m_bDisabled) {
        // A disabled button is composed at the origin of a surface of its own, veiled there and
        // copied over; key-coloured pixels stay transparent throughout.
        box = RECT{0, 0, w, h};
        if (!m_pDisabledImage) {
            m_pDisabledImage = new (std::nothrow) CQorGDI;
            if (m_pDisabledImage && m_pDisabledImage->Create(dc, &box, FALSE, TRUE, FALSE, 16))
                FillSolidRect(m_pDisabledImage->m_hDC, &box, KEY_COLOR);
        }
        if (!m_pDisabledImage || !m_pDisabledImage->m_hDC) {
            // Drawn enabled it would look usable; drawn nowhere it is at least not misleading.
            delete m_pDisabledImage;
            m_pDisabledImage = nullptr;
            return FALSE;
        }
        target = m_pDisabledImage->m_hDC;
    }
    const CQorButton* source = m_pShareImage ? m_pShareImage : this;
    source->DrawImage(target, &m_bPressed, &box);
    const BOOL labelled = DrawLabel(font, target, box.left, box.top, box.right, box.bottom, altText, secondText,
                                    secondFont);
    if (m_bDisabled) {
        AlphaFillBits(m_pDisabledImage->m_pBits, m_pDisabledImage->m_bm, &box, kVeilColour, kVeilAlpha);
        TransparentImage(dc, m_rc.left, m_rc.top, w, h, m_pDisabledImage->m_hDC, 0, 0, w, h, KEY_COLOR);
    }
    return labelled;
}

void CQorButton::Notify() const { PostMessageW(m_hWndNotify, m_uMsg, m_wParam, 0); }

void CQorButton::InvalidateOwner() const { InvalidateRect(m_hWndNotify, &m_rc, FALSE); }

BOOL CQorButton::OnLButtonDown(const POINT* pt) {
    if (!pt || !PtInRect(&m_rc, *pt) || m_bDisabled) return FALSE;
    if (m_bToggle) {
        Notify();
        m_bPressed = !m_bPressed;
    } else {
        m_bPressed = TRUE;
    }
    InvalidateOwner();
    return TRUE;
}

// Lifting outside a pressed button cancels the press without a message.
BOOL CQorButton::OnLButtonUp(const POINT* pt) {
    if (!m_bPressed || m_bToggle || m_bDisabled) return FALSE;
    m_bPressed = FALSE;
    const BOOL inside = pt && PtInRect(&m_rc, *pt);
    if (inside) Notify();
    InvalidateOwner();
    return inside;
}

// Dragging off a pressed button releases it without a message.
BOOL CQorButton::OnMouseMove(const POINT* pt) {
    if (!pt || !m_bPressed || PtInRect(&m_rc, *pt) || m_bToggle || m_bDisabled) return FALSE;
    m_bPressed = FALSE;
    InvalidateOwner();
    return TRUE;
}
