// CQorButton: a drawn push button on its owner's surface, painted from a two-look picture and
// activated with the stylus or, on behalf of a key, by its owner.
#pragma once

#include "gfx/QorGDI.h"
#include "platform/Types.h"

// Not a platform window: the owner forwards stylus events, draws the button into its own surface
// and repaints what the button invalidates. Activation posts m_uMsg (m_wParam, 0) to
// m_hWndNotify; the button never calls its owner directly.
class CQorButton {
public:
    CQorButton();
    virtual ~CQorButton();
    CQorButton(const CQorButton&) = delete;
    CQorButton& operator=(const CQorButton&) = delete;

    // Each returns TRUE when the event concerned this button; an owner stops offering an event
    // at the first button that takes it.
    virtual BOOL OnLButtonDown(const POINT* pt);
    virtual BOOL OnLButtonUp(const POINT* pt);
    virtual BOOL OnMouseMove(const POINT* pt);

    // Rendering reads the colours, so they are set before Create.
    BOOL SetColors(COLORREF face1, COLORREF face2, COLORREF border, COLORREF accent, BOOL toggle);
    // With shadow the label shows in first over a one-pixel shadow of second below and to the left.
    BOOL SetTextColors(COLORREF first, COLORREF second, BOOL shadow);
    // FALSE, and the label stays, for a null or empty text.
    BOOL SetText(LPCWSTR text);
    // Back to the state before Create: no picture, no share, no label, no disabled surface.
    void Release();
    // Releases, takes the label, the message and the style, and renders the picture unless share
    // lends its own (share must outlive this button). FALSE for a null or empty text, or when the
    // picture cannot be made.
    BOOL Create(int left, int top, int right, int bottom, LPCWSTR text, HWND notify, UINT message, WPARAM wParam,
                int style, CQorButton* share);
    // Makes the 2W × H picture and paints both looks in m_nStyle; FALSE when the surface cannot be
    // made.
    BOOL RenderImage();
    RECT* GetRect(RECT* out) const;
    // Keeps the size; the picture is not touched.
    BOOL MoveTo(int x, int y);
    POINT* GetTopLeft(POINT* out) const;
    // Copies the pressed or released half of the picture to rc, skipping KEY_COLOR. The half is
    // chosen by rc's width, so rc has the size of the button that rendered the picture.
    BOOL DrawImage(HDC dc, const BOOL* pressed, const RECT* rc) const;
    // Draws altText (else the label) centred in the box, one pixel lower while pressed, neither
    // clipped nor shortened; secondText follows it in secondFont, lifted by a third of the first
    // text's height. The DC's text colour is left at the last colour used. A null or empty text
    // draws nothing and gives TRUE.
    BOOL DrawLabel(HFONT font, HDC dc, int left, int top, int right, int bottom, LPCWSTR altText,
                   LPCWSTR secondText, HFONT secondFont);
    // Picture and label at m_rc; a disabled button is veiled. Returns DrawLabel's result.
    BOOL Draw(HFONT font, HDC dc, LPCWSTR altText, LPCWSTR secondText, HFONT secondFont);

    LPWSTR m_pszText;
    CQorButton* m_pShareImage;
    // Released look in x [0, W), pressed look in [W, 2W); KEY_COLOR pixels are transparent.
    CQorGDI m_image;
    CQorGDI* m_pDisabledImage;
    int m_nStyle;
    BOOL m_bToggle;
    BOOL m_bDisabled;
    BOOL m_bPressed;
    COLORREF m_crText;
    COLORREF m_crShadow;
    BOOL m_bShadow;
    UINT m_uMsg;
    HWND m_hWndNotify;
    WPARAM m_wParam;
    RECT m_rc;
    COLORREF m_crFace1, m_crFace2, m_crBorder, m_crAccent;

private:
    void Notify() const;
    void InvalidateOwner() const;
};
