// The dialog descriptions: 129, the full-screen menu, and 130, the Options screen.
#include "res/Dialogs.h"

#include "platform/Dialogs.h"

namespace {

constexpr DWORD kDialogStyle = 0x80C80048;    // popup, caption, system menu, set font
constexpr DWORD kSelectorStyle = 0x50210003;  // child, visible, vertical scroll, tab stop, drop-down list

// Template order is the tab order; the Options screen moves the selectors to their rows itself.
constexpr platform::DialogItemResource kOptionsItems[] = {
    {nullptr, COMBOBOX_CLASS_ATOM, 121, kSelectorStyle, 22, 77, 120, 65, L""},
    {nullptr, COMBOBOX_CLASS_ATOM, 120, kSelectorStyle, 23, 105, 120, 65, L""},
    {nullptr, COMBOBOX_CLASS_ATOM, 122, kSelectorStyle, 21, 50, 120, 65, L""},
    {nullptr, COMBOBOX_CLASS_ATOM, 123, kSelectorStyle, 21, 50, 120, 65, L""},
    {nullptr, COMBOBOX_CLASS_ATOM, 124, kSelectorStyle, 21, 50, 120, 65, L""},
};

constexpr platform::DialogResource kDialogs[] = {
    {129, kDialogStyle, 0, 0, 216, 198, L"Tintaro", L"MS Shell Dlg", 8, {}},
    {130, kDialogStyle, 0, 0, 176, 243, L"Options", L"MS Shell Dlg", 8, kOptionsItems},
};

}  // namespace

std::span<const platform::DialogResource> TintaroDialogs() { return kDialogs; }
