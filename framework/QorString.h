// Null-safe wide-string helpers and string-table loading, shared through one instance.
#pragma once

#include <type_traits>

#include "platform/Types.h"

class CQorString {
public:
    virtual ~CQorString() = default;

    // The shared object, made on first use and never freed; null if it could not be made (the
    // next call tries again).
    static CQorString* Instance();

    static BOOL StrCopy(LPWSTR dst, LPCWSTR src);
    static BOOL StrCat(LPWSTR dst, LPCWSTR src);
    static int StrLen(LPCWSTR s);
    static BOOL IsEmpty(LPCWSTR s);
    // A zero-filled heap copy of length + 1 characters; free it with FreeStr.
    static LPWSTR StrDup(LPCWSTR s);
    static BOOL FreeStr(LPWSTR* s);
    static BOOL SubStr(LPWSTR dst, LPCWSTR src, int start, int length);

    // Formats into an array, never past its end: FALSE with "" when the result does not fit.
    template <size_t N, class... Args>
    static BOOL Format(wchar_t (&dst)[N], LPCWSTR format, Args... args) {
        static_assert((std::is_arithmetic_v<Args> && ...), "only numbers are formatted");
        return FormatN(dst, N, format, args...);
    }
    // The same for a buffer whose capacity (in characters) the caller states.
    static BOOL FormatN(LPWSTR dst, size_t capacity, LPCWSTR format, ...);

    // Characters loaded; 0 for a null buffer or instance or a size below 1. The buffer holds ""
    // whenever nothing could be loaded into it.
    static int LoadStr(LPWSTR dst, UINT id, int size, HINSTANCE instance);
    // A heap copy of string id ("" when it is absent); null for a null instance.
    static LPWSTR LoadStrDup(UINT id, HINSTANCE instance);

protected:
    CQorString() = default;
};
