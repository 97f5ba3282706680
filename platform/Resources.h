// A program's resources and the module instance that gives access to them.
#pragma once

#include <span>

#include "platform/Types.h"

namespace platform {

struct StringResource {
    UINT id;
    const wchar_t* text;
};

// A control of a dialog: its class by name, or by one of the platform's class atoms when the
// name is NULL; the rectangle in dialog units, in the dialog's client area.
struct DialogItemResource {
    LPCWSTR className;
    ATOM classAtom;
    UINT id;
    DWORD style;
    short x, y, cx, cy;
    LPCWSTR text;
};

// A dialog description; the controls in their template order (the tab order).
struct DialogResource {
    UINT id;
    DWORD style;
    short x, y, cx, cy;  // dialog units
    LPCWSTR caption;
    LPCWSTR fontFace;
    WORD fontSize;
    std::span<const DialogItemResource> items;
};

// One button of a soft-key bar: image index (0xFFFE none), command, state (4 enabled), style,
// the string id of its label, submenu index (0xFFFF none). The first button is the left soft key.
struct SoftKeyButtonResource {
    WORD image;
    WORD command;
    WORD state;
    WORD style;
    WORD labelId;
    WORD submenu;
};

struct SoftKeyBarResource {
    UINT id;
    std::span<const SoftKeyButtonResource> buttons;
};

// Files kept as they are: a picture found by number and type (the tile strip is a PNG under
// "GIF"), a sound found by name (a RIFF/WAVE file, type "WAVE").
struct ImageResource {
    UINT id;
    LPCWSTR type;
    std::span<const BYTE> bytes;
};

struct WaveResource {
    LPCWSTR name;
    std::span<const BYTE> bytes;
};

// Everything a module carries. The tables are the program's data; the platform only reads them.
struct ModuleResources {
    std::span<const StringResource> strings;
    std::span<const DialogResource> dialogs;
    std::span<const SoftKeyBarResource> softKeyBars;
    std::span<const ImageResource> images = {};
    std::span<const WaveResource> waves = {};
};

// The instance handle that WinMain receives and that the resource calls take.
HINSTANCE RegisterModule(const ModuleResources& resources);
const ModuleResources* FindModule(HINSTANCE instance);
const SoftKeyBarResource* FindSoftKeyBar(HINSTANCE instance, UINT id);
void ResetModules();

}  // namespace platform

inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
// A dialog template as the dialog calls take it.
typedef const platform::DialogResource* LPCDLGTEMPLATEW;

inline const LPCWSTR RT_WAVE = L"WAVE";
// An icon group: in our modules one PNG, found like an image.
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(14);

// Dialogs (RT_DIALOG) and images by number, images under their own type; sounds (RT_WAVE) by
// name. Names and types given as strings match in any case. NULL for anything else.
HRSRC FindResourceW(HINSTANCE instance, LPCWSTR name, LPCWSTR type);
// The template behind a found dialog, or the bytes of an image or a sound; they live as long as
// the program.
HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
// The bytes of a found image or sound; 0 for a dialog or anything else.
DWORD SizeofResource(HINSTANCE instance, HRSRC resource);

// Copies string id into buffer, truncated to size - 1 characters and terminated; returns the
// characters copied. 0 for an absent id or an unknown instance (the buffer then holds "").
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size);

// The path of the running program (/proc/self/exe) in buffer; the characters copied, 0 when it
// cannot be read or does not fit (a truncated path is useless). Only the NULL module is known.
// Bytes that are not UTF-8 become U+FFFD: platform::ModuleFilePath (ShellExecute.h) keeps them.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
