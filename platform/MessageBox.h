// The platform's message box: a modal Yes/No question drawn over its owner.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

// Asks a Yes/No question (MB_YESNO) in a panel over the owner's top-level window: the caption in
// a band at the top, the text below it in centred lines, broken at its "\r\n" (or "\n") and
// wrapped at spaces where a line is too wide; the font gets smaller until everything fits the
// screen. "Yes" and "No" are the left and right soft keys (F1, F2, or a tap on either half of the
// soft-key bar); the Y and N keys answer too. Every answer is taken on release, so no key-up or
// stylus release reaches a window after the box. The owner is disabled while the box shows (it
// still repaints) and enabled again afterwards; the box runs its own message loop on the
// calling thread, dispatching everything else.
//
// Returns IDYES or IDNO. 0 for any other type, a dead owner, or when the quit message arrives,
// which is posted again for the loop outside.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

namespace platform {

struct MessageBoxRecord {
    HWND owner;
    std::wstring caption;
    std::wstring text;
    UINT type;
};
// The latest 100 boxes asked for since the last reset, oldest first: what the player was asked.
const std::vector<MessageBoxRecord>& MessageBoxesShown();
void ResetMessageBoxes();

}  // namespace platform
