// Colours and flags with a meaning of their own in the graphics library.
#pragma once

#include "platform/Types.h"

// The transparent key colour. Reading outside a surface gives it; as a text colour it means
// "leave the DC's text colour as it is". Stored in a 5-6-5 pixel as 0xF81F.
constexpr COLORREF KEY_COLOR = 0xF800F8;
// No fill, or no outline.
constexpr COLORREF NO_COLOR = 0xFF04FF;
// In a text format: shorten the text with "..." until it fits. Never reaches DrawTextW.
constexpr UINT DT_END_ELLIPSIS_FLAG = 0x8000;
