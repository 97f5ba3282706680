// Rasterising rectangles, rounded rectangles and polylines with the DC's pen and brush.
#include "platform/GdiState.h"

using namespace platform;

BOOL Rectangle(HDC, int, int, int, int) { return FALSE; }

BOOL RoundRect(HDC, int, int, int, int, int, int) { return FALSE; }

BOOL Polyline(HDC, const POINT*, int) { return FALSE; }
