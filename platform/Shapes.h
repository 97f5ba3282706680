// Shapes rasterised with the DC's pen and brush: rectangles, rounded rectangles, polylines.
#pragma once

#include "platform/GdiTypes.h"

// The outline on the inner edge with the pen (columns left and right - 1, rows top and
// bottom - 1), the interior with the brush. Pens of width 0 and 1 draw one pixel, wider pens a
// wider outline inside the shape; the null pen draws none and the brush then fills the whole
// shape; the hollow brush fills nothing. An inverted rectangle draws nothing (TRUE).
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// As Rectangle, with corners cut by the quadrants of an ellipseWidth x ellipseHeight ellipse inside
// the rectangle: a pixel is kept when its centre lies inside the ellipse. Ellipses larger than the
// rectangle are cut to its size; below 2 pixels either way the corners stay square. From 4 x 4 on
// the corner pixels themselves are left out.
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
// Connected segments with the pen's colour and width (a square of that width around each
// pixel); the last point is not drawn, every joint once. FALSE for fewer than 2 points.
BOOL Polyline(HDC dc, const POINT* points, int count);
