#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A decoded picture: 8-bit red, green, blue, alpha per pixel, rows top to bottom.
struct TRasterImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgba;
};

// Pictures larger than this are refused rather than decoded: a logo never comes near it.
inline constexpr int MaxPictureSide = 16384;
inline constexpr std::int64_t MaxPicturePixels = 40'000'000;

// Nothing for data that is not a complete, valid picture of its kind (empty, truncated,
// corrupt, or too large).
std::optional<TRasterImage> DecodePng(const std::uint8_t* data, std::size_t size);
std::optional<TRasterImage> DecodeJpeg(const std::uint8_t* data, std::size_t size);
