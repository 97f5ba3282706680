// Conversions between the platform's wide strings and the host's UTF-8.
#pragma once

#include <string>

namespace platform {

// Characters that are not valid code points become U+FFFD.
std::string ToUtf8(const wchar_t* text);
std::string ToUtf8(const std::wstring& text);
// Invalid sequences become U+FFFD.
std::wstring FromUtf8(const std::string& text);

}  // namespace platform
