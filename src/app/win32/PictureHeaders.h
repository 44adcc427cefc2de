#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

// What a picture's own header claims, read before the system's decoder is given it: Wine's
// decodes a whole JPEG on opening, so a header claiming 30000 x 30000 pixels would take gigabytes
// and seconds before the size could be refused.
struct TClaimedSize {
  std::int64_t Width = 0, Height = 0;
};

std::optional<TClaimedSize> PngHeaderSize(const std::uint8_t* data, std::size_t size);

// The frame size of a JPEG whose markers are well formed from the start to the end-of-image
// marker, entropy-coded data included (a byte 0xFF there is followed by 0x00, a restart or a
// legal marker); nothing for a stream that breaks that form. The system's decoder makes what it
// can of a damaged stream; this refuses it, as a strict decoder does.
std::optional<TClaimedSize> WellFormedJpegSize(const std::uint8_t* data, std::size_t size);
