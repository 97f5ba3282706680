// The twelve looks in which a drawn button paints its picture.
#pragma once

#include "gfx/QorGDI.h"

// The four style colours of a button: faces, border and accent.
struct ButtonColors {
    COLORREF face1;
    COLORREF face2;
    COLORREF border;
    COLORREF accent;
};

// Paints the released look of style into x [0, width) of picture and the pressed look into
// [width, 2 × width); whatever no shape covers keeps its colour, so a picture filled with
// KEY_COLOR first keeps transparent corners. Any style outside 0..11 paints style 1. Styles 6 and
// 7 change colors.face1 to a lighter face2 when the two faces are equal, and the button keeps that
// face. Corner sizes follow the screen's icon height. TRUE when the picture has a surface.
BOOL DrawButtonStyle(CQorGDI& picture, int style, int width, int height, ButtonColors& colors);
