// The selector: the platform's one-line list control, made for the combo-box class that dialog
// descriptions name, under the platform's list messages.
//
// It shows the selected entry between an arrow at each end. Left and Right (key presses, held keys
// repeating) and a tap on either end step to the previous or next entry, wrapping at both ends:
// the list is never seen whole, so from any entry one direction reaches every other, and a list of
// two (on, off) toggles with either key. A tap anywhere gives it the focus. The focused selector is
// drawn as a filled bar, a disabled one greyed; a disabled selector takes no input (the input
// routing passes it by) and keeps its selection, which the list messages still read and set.
//
// Every step the player makes sends WM_COMMAND (MAKEWPARAM(control id, LBN_SELCHANGE), the
// selector) to its parent before the key or tap handler returns. LB_SETCURSEL, as on the platform,
// tells nobody. Text is drawn in the font WM_SETFONT gave it (the dialog's font), else the
// default font.
#pragma once

#include "platform/Types.h"

// wParam 0, lParam the text (copied): appends it and returns its index; LB_ERR for a NULL text.
constexpr UINT LB_ADDSTRING = 0x0180;
// Empties the list and clears the selection; returns 0.
constexpr UINT LB_RESETCONTENT = 0x0184;
// wParam the index: selects it and returns it; an index outside the list (-1 among them) clears
// the selection and returns LB_ERR.
constexpr UINT LB_SETCURSEL = 0x0186;
// The selected index, or LB_ERR when nothing is selected.
constexpr UINT LB_GETCURSEL = 0x0188;
// wParam the index, lParam a buffer of at least LB_GETTEXTLEN + 1 characters: copies the entry and
// returns its length; LB_ERR for an index outside the list or a NULL buffer.
constexpr UINT LB_GETTEXT = 0x0189;
// wParam the index: the entry's length, LB_ERR outside the list.
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr LRESULT LB_ERR = -1;
// The notification code of a selection change.
constexpr WORD LBN_SELCHANGE = 1;

namespace platform {

// Registers the selector under the combo-box class name (dialogs do it themselves before making
// their controls); 0 when that name is taken already.
ATOM RegisterSelectorClass();

}  // namespace platform
