// Modal dialogs made from dialog descriptions, under the platform's names.
#pragma once

#include "platform/Resources.h"
#include "platform/Types.h"

// The platform's combo-box class, as dialog descriptions name it.
constexpr ATOM COMBOBOX_CLASS_ATOM = 0x0085;
constexpr wchar_t WC_COMBOBOXW[] = L"ComboBox";
// The description names a font for the dialog's controls.
constexpr DWORD DS_SETFONT = 0x00000040;

// Runs a modal dialog and returns the value EndDialog gave; -1 when the dialog or one of its
// controls cannot be made.
//
// The dialog is a top-level window owned by parent's top-level window, placed in the area between
// the bars (dialog units scale with the icon size: one unit is SM_CXICON / 32 pixels), with its
// controls made from the description by class (the combo-box class is the platform's selector,
// Selector.h). With DS_SETFONT each control gets the description's font by WM_SETFONT before
// WM_INITDIALOG (its point size at 96 dots per inch for a 32-pixel icon); the dialog answers
// WM_GETFONT with it, and it lives as long as the dialog. The owner is disabled for input while
// the dialog runs (it is still painted) and enabled again afterwards. WM_INITDIALOG carries the first enabled
// tab-stop control (template order) in wParam and param in lParam; a nonzero answer has the dialog
// manager give the focus to the top-most enabled tab-stop control, or to the dialog when it has none.
//
// The procedure's answer: nonzero means handled and is the window's result; 0 lets the manager do
// its default (WM_ERASEBKGND fills the client with the dialog colour, white; WM_CLOSE posts
// WM_COMMAND IDCANCEL; WM_PAINT erases what was asked to be erased). WM_CREATE never reaches the
// procedure.
//
// Keys: a dialog without focusable controls gets every key itself. Otherwise Up and Down move the
// focus among the enabled tab-stop controls in screen order (top to bottom, wrapping), Enter posts
// WM_COMMAND IDOK to the dialog when it is released, and the other keys go to the focused control.
//
// The loop runs on the calling thread and dispatches everything, so posted messages and paints
// of other windows go on. It ends after the message during which EndDialog was called. On the
// quit message the dialog returns 0 and the quit is posted again for the loop outside.
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND parent, DLGPROC proc, LPARAM param);
// Records the result; the dialog ends once the current message has been handled. FALSE for a
// window that is not a running dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);

namespace platform {
// Forgets every running dialog (a fresh platform state).
void ResetDialogs();
}  // namespace platform
