// CQorString: wide-string helpers that accept null pointers and report failure by their result.
#include "framework/QorString.h"

#include <cstdarg>
#include <new>

#include "platform/Resources.h"

namespace {
CQorString* g_instance = nullptr;
}

CQorString* CQorString::Instance() {
    if (!g_instance) g_instance = new (std::nothrow) CQorString();
    return g_instance;
}

BOOL CQorString::StrCopy(LPWSTR dst, LPCWSTR src) {
    if (!dst || !src) return FALSE;
    std::wcscpy(dst, src);
    return TRUE;
}

BOOL CQorString::StrCat(LPWSTR dst, LPCWSTR src) {
    if (!dst || !src) return FALSE;
    std::wcscat(dst, src);
    return TRUE;
}

int CQorString::StrLen(LPCWSTR s) { return s ? static_cast<int>(std::wcslen(s)) : 0; }

BOOL CQorString::IsEmpty(LPCWSTR s) { return StrLen(s) == 0 ? TRUE : FALSE; }

LPWSTR CQorString::StrDup(LPCWSTR s) {
    if (!s) return nullptr;
    size_t n = std::wcslen(s);
    LPWSTR copy = new (std::nothrow) wchar_t[n + 1]();
    if (copy) std::wmemcpy(copy, s, n);
    return copy;
}

BOOL CQorString::FreeStr(LPWSTR* s) {
    if (!s || !*s) return FALSE;
    delete[] *s;
    *s = nullptr;
    return TRUE;
}

// Works on a copy of the whole source, so dst may overlap it.
BOOL CQorString::SubStr(LPWSTR dst, LPCWSTR src, int start, int length) {
    if (!dst || !src || start < 0 || length < 0) return FALSE;
    LPWSTR copy = StrDup(src);
    if (!copy) return FALSE;
    long long sourceLength = StrLen(copy);
    BOOL ok = static_cast<long long>(start) + length <= sourceLength ? TRUE : FALSE;
    if (ok) {
        dst[0] = L'\0';
        std::wcsncpy(dst, copy + start, static_cast<size_t>(length));
        dst[length] = L'\0';
    }
    delete[] copy;
    return ok;
}

BOOL CQorString::FormatN(LPWSTR dst, size_t capacity, LPCWSTR format, ...) {
    if (!dst || !format || capacity == 0) return FALSE;
    dst[0] = L'\0';
    va_list args;
    va_start(args, format);
    int n = std::vswprintf(dst, capacity, format, args);
    va_end(args);
    if (n < 0) {
        dst[0] = L'\0';
        return FALSE;
    }
    return TRUE;
}

int CQorString::LoadStr(LPWSTR dst, UINT id, int size, HINSTANCE instance) {
    if (!dst || size < 1) return 0;
    dst[0] = L'\0';
    if (!instance) return 0;
    return LoadStringW(instance, id, dst, size);
}

LPWSTR CQorString::LoadStrDup(UINT id, HINSTANCE instance) {
    if (!instance) return nullptr;
    wchar_t buffer[256] = {};
    LoadStringW(instance, id, buffer, 256);
    return StrDup(buffer);
}
