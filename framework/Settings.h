// Named values of the current user's settings store, under a key such as "SOFTWARE\Qor\Tintaro".
#pragma once

#include "platform/Types.h"

// Reads a value of any type into buffer. *size: the buffer's size in, the bytes stored out.
// Fails, leaving everything untouched, when the key or value is absent or larger than the buffer.
BOOL RegReadBinary(LPCWSTR key, LPCWSTR name, void* buffer, DWORD* size);
// Reads 1 to 4 bytes into the low bytes of *value (little-endian); the rest keeps its contents.
// An empty value fails like an absent one.
BOOL RegReadDword(LPCWSTR key, LPCWSTR name, DWORD* value);
// Create the key as needed, store the value durably.
BOOL RegWriteBinary(LPCWSTR key, LPCWSTR name, const void* data, DWORD size);
BOOL RegWriteDword(LPCWSTR key, LPCWSTR name, DWORD value);
