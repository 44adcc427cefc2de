#include "Bitmaps.h"

#include <cstring>

HBITMAP BitmapFromImage(const TRasterImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.Width;
  info.bmiHeader.biHeight = -image.Height; // top-down, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap)
    return nullptr;
  auto* out = static_cast<std::uint8_t*>(bits);
  const std::uint8_t* in = image.Rgba.data();
  for (std::size_t i = 0; i < image.Rgba.size(); i += 4) {
    const unsigned alpha = in[i + 3];
    out[i + 0] = std::uint8_t(in[i + 2] * alpha / 255); // blue
    out[i + 1] = std::uint8_t(in[i + 1] * alpha / 255);
    out[i + 2] = std::uint8_t(in[i + 0] * alpha / 255); // red
    out[i + 3] = std::uint8_t(alpha);
  }
  return bitmap;
}

HICON IconFromImage(const TRasterImage& image) {
  HBITMAP colour = BitmapFromImage(image);
  HBITMAP mask = CreateBitmap(image.Width, image.Height, 1, 1, nullptr); // alpha decides
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = colour && mask ? CreateIconIndirect(&info) : nullptr;
  if (colour)
    DeleteObject(colour);
  if (mask)
    DeleteObject(mask);
  return icon;
}
