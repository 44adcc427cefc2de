#pragma once
#include "PictureDecoder.h"

#include <windows.h>

// Decoded pictures for GDI: 32-bit top-down sections with premultiplied alpha, as AlphaBlend
// takes them. The caller owns what it gets (DeleteObject, DestroyIcon); null when it fails.
HBITMAP BitmapFromImage(const TRasterImage& image);
HICON IconFromImage(const TRasterImage& image);
