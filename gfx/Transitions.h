// Animated changes from the picture on the screen to a new one: a cross-fade and a slide.
//
// Both run to the end inside the call, as fast as frames can be shown, paced by GetTickCount:
// the position moves by the average growth per frame of elapsed / duration × N, twice per frame,
// so an animation reaches its end after about half the nominal duration plus the first few
// frames, and a slow device shows fewer frames rather than a longer animation. Every frame is
// composed off screen and reaches screen in one block transfer; the last one is the new picture
// itself.
#pragma once

#include "gfx/QorGDI.h"

// Called before each cross-fade frame is blended with the frame's level out of levels (32); it may
// redraw the toRect part of to for that level. Its result is ignored.
using CrossFadeCallback = BOOL (*)(CQorGDI* to, const RECT* toRect, void* data, int level, int levels);

// Blends fromRect of from into toRect of to in 33 levels (level L weighs to by L/32), shown at rc
// on screen. Pixel (i, j) of rc takes pixel (i, j) of each of the other rectangles; the part of
// rc where all three lie inside their surfaces (and screen's clip box) is animated, and at the
// end the whole of toRect is copied to rc. The 5-6-5 fields are blended as they are, the key
// colour included. from and to are turned into sections if they are device bitmaps.
// 0, with nothing drawn, if screen is null, from or to is not (or cannot become) a 16-bit
// section, a rectangle is missing or inverted, the three have no pixel in common, the frame
// surface cannot be made, or durationMs is not a positive finite number.
BOOL TransitionCrossFade(HDC screen, const RECT* rc, CQorGDI* from, const RECT* fromRect, CQorGDI* to,
                         const RECT* toRect, double durationMs, CrossFadeCallback callback, void* data);

// One frame of the cross-fade: frame's whole area blended at level (0..32) from the areas of the
// same size at (fromX, fromY) of from and (toX, toY) of to. 0, with frame untouched, unless all
// three are 16-bit sections, both areas lie inside their pictures and level is in range.
BOOL CrossFadeFrame(CQorGDI* frame, const CQorGDI* from, int fromX, int fromY, const CQorGDI* to, int toX, int toY,
                    int level);

// Pushes newPicture in from the left of screen's {0, 0, width, height} while what screen shows
// there moves out to the right. 0, with nothing drawn, if screen is null, newPicture has no DC,
// durationMs is not a positive finite number, or the working surfaces cannot be made.
BOOL TransitionSlide(HDC screen, CQorGDI* newPicture, double durationMs);
