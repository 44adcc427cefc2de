// Byte-level text work that needs no locale: written here so every system shares one version.
#include "TextCase.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {
void Append(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | c >> 18);
    out += char(0x80 | (c >> 12 & 0x3F));
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Windows-1252's 0x80..0x9F; the five it leaves undefined map to the C1 controls, as
// conversion libraries do.
constexpr std::uint16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The sequence at the start of `bytes` (`length` > 0) as Unicode's well-formed UTF-8 defines it
// (no overlong forms, no surrogates, nothing past U+10FFFF): its length, with `wellFormed` set;
// else the length of its maximal ill-formed part, at least 1, as a decoder skips it.
std::size_t NextSequence(const std::uint8_t* bytes, std::size_t length, bool& wellFormed) {
  wellFormed = false;
  const std::uint8_t lead = bytes[0];
  if (lead < 0x80) {
    wellFormed = true;
    return 1;
  }
  std::size_t need = 0;
  std::uint8_t low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 1;
  }
  std::size_t taken = 1;
  while (taken <= need && taken < length) {
    const std::uint8_t trail = bytes[taken];
    const bool fits = taken == 1 ? trail >= low && trail <= high : trail >= 0x80 && trail <= 0xBF;
    if (!fits)
      return taken;
    ++taken;
  }
  wellFormed = taken == need + 1;
  return taken;
}
} // namespace

std::size_t ValidUtf8Length(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  std::size_t i = 0;
  bool wellFormed = true;
  while (i < text.size()) {
    // Names are mostly ASCII: eight bytes at a time while no high bit is set.
    while (i + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, bytes + i, 8);
      if (word & 0x8080808080808080ull)
        break;
      i += 8;
    }
    if (i == text.size())
      break;
    const std::size_t n = NextSequence(bytes + i, text.size() - i, wellFormed);
    if (!wellFormed)
      return i;
    i += n;
  }
  return text.size();
}

std::string RepairUtf8(std::string text) {
  const std::size_t valid = ValidUtf8Length(text);
  if (valid == text.size())
    return text;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  std::string repaired(text, 0, valid);
  bool wellFormed = true;
  for (std::size_t i = valid; i < text.size();) {
    const std::size_t n = NextSequence(bytes + i, text.size() - i, wellFormed);
    if (wellFormed)
      repaired.append(text, i, n);
    else
      repaired += "\xEF\xBF\xBD";
    i += n;
  }
  return repaired;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char ch : text) {
    const auto b = static_cast<std::uint8_t>(ch);
    Append(out, b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b);
  }
  return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t i) {
    return std::uint32_t(std::uint8_t(bytes[2 * i])) |
           std::uint32_t(std::uint8_t(bytes[2 * i + 1])) << 8;
  };
  const std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      Append(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      Append(out, u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
  }
  return out;
}

} // namespace platform
