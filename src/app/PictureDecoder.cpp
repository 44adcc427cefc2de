#include "PictureDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>

namespace {
bool AcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
         width * height <= MaxPicturePixels;
}

// libjpeg reports errors by calling error_exit, which must not return: we jump back out.
// Warnings (a truncated or damaged stream) count as failures too.
struct JpegErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Return;
  bool Warned = false;

  static void Exit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->Return, 1);
  }
  static void Message(j_common_ptr info, int level) {
    if (level < 0)
      reinterpret_cast<JpegErrors*>(info->err)->Warned = true;
  }
  static void Output(j_common_ptr) {} // nothing on stderr
};
} // namespace

std::optional<TRasterImage> DecodePng(const std::uint8_t* data, std::size_t size) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!data || size == 0 || !png_image_begin_read_from_memory(&image, data, size))
    return std::nullopt;
  if (!AcceptableSize(image.width, image.height)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  TRasterImage result;
  result.Width = int(image.width);
  result.Height = int(image.height);
  result.Rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.Rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return result;
}

namespace {
// Holds no C++ object of its own across setjmp: what it fills lives with the caller.
bool ReadJpeg(const std::uint8_t* data, std::size_t size, TRasterImage* out) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = &JpegErrors::Exit;
  errors.Manager.emit_message = &JpegErrors::Message;
  errors.Manager.output_message = &JpegErrors::Output;
  if (setjmp(errors.Return)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
      !AcceptableSize(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&info);
  out->Width = int(info.output_width);
  out->Height = int(info.output_height);
  out->Rgba.resize(std::size_t(out->Width) * std::size_t(out->Height) * 4);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->Rgba.data() + std::size_t(info.output_scanline) * out->Width * 4;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return !errors.Warned;
}
} // namespace

std::optional<TRasterImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  TRasterImage result;
  if (!data || size == 0 || !ReadJpeg(data, size, &result))
    return std::nullopt;
  return result;
}
