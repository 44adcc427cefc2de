#include "PictureHeaders.h"

namespace {
std::uint32_t BigEndian(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value = value << 8 | p[i];
  return value;
}

bool IsFrameMarker(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that may stand between or after scans.
bool IsSegmentMarker(std::uint8_t marker) {
  return IsFrameMarker(marker) || marker == 0xC4 || marker == 0xCC || marker == 0xDB ||
         marker == 0xDD || marker == 0xDA || marker == 0xDC || marker == 0xFE ||
         (marker >= 0xE0 && marker <= 0xEF);
}
} // namespace

std::optional<TClaimedSize> PngHeaderSize(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!data || size < 24)
    return std::nullopt;
  for (int i = 0; i < 8; ++i)
    if (data[i] != Signature[i])
      return std::nullopt;
  if (BigEndian(data + 12, 4) != BigEndian(reinterpret_cast<const std::uint8_t*>("IHDR"), 4))
    return std::nullopt;
  return TClaimedSize{BigEndian(data + 16, 4), BigEndian(data + 20, 4)};
}

std::optional<TClaimedSize> WellFormedJpegSize(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
    return std::nullopt;
  std::optional<TClaimedSize> frame;
  std::size_t at = 2;
  bool inScan = false;
  while (at + 1 < size) {
    if (data[at] != 0xFF) {
      if (!inScan)
        return std::nullopt; // bytes between segments
      ++at;
      continue;
    }
    const std::uint8_t marker = data[at + 1];
    if (marker == 0xFF) { // fill byte
      ++at;
      continue;
    }
    if (inScan && (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7))) {
      at += 2;
      continue;
    }
    if (marker == 0xD9)
      return frame;
    if (!IsSegmentMarker(marker) || at + 4 > size)
      return std::nullopt;
    const std::size_t length = BigEndian(data + at + 2, 2);
    if (length < 2 || at + 2 + length > size)
      return std::nullopt;
    if (IsFrameMarker(marker) && length >= 7)
      frame = TClaimedSize{BigEndian(data + at + 7, 2), BigEndian(data + at + 5, 2)};
    inScan = marker == 0xDA;
    if (inScan && !frame)
      return std::nullopt; // a scan before its frame
    at += 2 + length;
  }
  return std::nullopt; // no end-of-image marker: cut short
}
