#pragma once
#include "DialogTypes.h"

#include <windows.h>

// A small picture of the button's kind (a check, a cross, a circle arrow, …) drawn in `box`:
// Windows has no stock button pictures, so these stand in for the toolkit's.
void DrawButtonPicture(HDC dc, const RECT& box, TButtonPicture picture);

// A whole picture button: face, pressed and default states, the picture left of the caption
// (access key underlined) and the focus mark.
void DrawPictureButton(const DRAWITEMSTRUCT& item, TButtonPicture picture, bool isDefault);
