#include "Pictures.h"

#include "PictureDecoder.h"

#include <QFile>
#include <cstring>

namespace {
constexpr qint64 MaxJpegFileBytes = 64 * 1024 * 1024;

QImage ToQImage(const std::optional<TRasterImage>& raster) {
  if (!raster)
    return {};
  QImage image(raster->Width, raster->Height, QImage::Format_RGBA8888);
  for (int y = 0; y < raster->Height; ++y)
    std::memcpy(image.scanLine(y), raster->Rgba.data() + std::size_t(y) * raster->Width * 4,
                std::size_t(raster->Width) * 4);
  return image;
}
} // namespace

QImage DecodeEmbeddedPng(const EmbeddedPicture& picture) {
  return ToQImage(DecodePng(picture.Data, picture.Size));
}

QImage DecodeEmbeddedJpeg(const EmbeddedPicture& picture) {
  return ToQImage(DecodeJpeg(picture.Data, picture.Size));
}

QImage LoadJpegFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxJpegFileBytes)
    return {};
  const QByteArray bytes = file.readAll();
  return ToQImage(DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                             std::size_t(bytes.size())));
}
