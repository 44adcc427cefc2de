#include "PictureDecoder.h"

#include "EmbeddedArtwork.h"

#include <gtest/gtest.h>
#include <string>

namespace {
std::optional<TRasterImage> Png(const std::string& bytes) {
  return DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
std::optional<TRasterImage> Jpeg(const std::string& bytes) {
  return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
std::string Bytes(const EmbeddedPicture& picture) {
  return std::string(reinterpret_cast<const char*>(picture.Data), picture.Size);
}

// A baseline JPEG header claiming 30000 x 30000 pixels, with no picture data behind it.
std::string HugeJpegHeader() {
  std::string jpeg = Bytes(FamilyLogoJpeg);
  const auto sof = jpeg.find("\xFF\xC0", 0, 2);
  jpeg[sof + 5] = char(30000 >> 8);
  jpeg[sof + 6] = char(30000 & 0xFF);
  jpeg[sof + 7] = char(30000 >> 8);
  jpeg[sof + 8] = char(30000 & 0xFF);
  return jpeg;
}
} // namespace

TEST(PictureDecoder, DecodesTheEmbeddedArtwork) {
  const auto background = Png(Bytes(BackgroundPng));
  ASSERT_TRUE(background);
  EXPECT_EQ(background->Width, 1114);
  EXPECT_EQ(background->Height, 785);
  EXPECT_EQ(background->Rgba.size(), 1114u * 785u * 4u);
  const auto logo = Jpeg(Bytes(FamilyLogoJpeg));
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->Width, 339);
  EXPECT_EQ(logo->Height, 123);
  EXPECT_EQ(logo->Rgba[3], 255); // opaque
  const auto photo = Jpeg(Bytes(PhotographJpeg));
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->Width, 302);
  EXPECT_EQ(photo->Height, 184);
}

TEST(PictureDecoder, RefusesBrokenPicturesCleanly) {
  const std::string jpeg = Bytes(PhotographJpeg);
  const std::string png = Bytes(BackgroundPng);
  std::string corrupt = jpeg;
  for (std::size_t i = corrupt.size() / 3; i < corrupt.size() / 2; i += 7)
    corrupt[i] = char(0xFF);
  struct Case {
    const char* name;
    std::string bytes;
  } jpegs[] = {{"empty", ""},
               {"text", "not a picture"},
               {"truncated", jpeg.substr(0, jpeg.size() / 2)},
               {"header only", jpeg.substr(0, 200)},
               {"corrupt", corrupt},
               {"30000 x 30000", HugeJpegHeader()},
               {"a PNG", png}};
  for (const auto& c : jpegs)
    EXPECT_FALSE(Jpeg(c.bytes)) << c.name;
  for (const auto& bytes : {std::string(), png.substr(0, png.size() / 2), png.substr(0, 40), jpeg})
    EXPECT_FALSE(Png(bytes));
  EXPECT_FALSE(DecodeJpeg(nullptr, 10));
}
