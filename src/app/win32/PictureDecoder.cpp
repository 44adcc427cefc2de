#include "PictureDecoder.h"

#include "PictureHeaders.h"

#include <windows.h>
#include <wincodec.h>

#include <memory>

namespace {
struct Releaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using TCom = std::unique_ptr<T, Releaser>;

bool AcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
         width * height <= MaxPicturePixels;
}

// COM for this thread, for as long as the decoding takes; a thread that has it already keeps it.
class TComScope {
public:
  TComScope() : FResult(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~TComScope() {
    if (SUCCEEDED(FResult))
      CoUninitialize();
  }

private:
  HRESULT FResult;
};

// WIC's decoder of one container format only, so a PNG given as a JPEG is refused.
std::optional<TRasterImage> Decode(const std::uint8_t* data, std::size_t size, REFGUID format) {
  if (!data || size == 0 || size > MAXDWORD)
    return std::nullopt;
  TComScope com;
  IWICImagingFactory* rawFactory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&rawFactory))))
    return std::nullopt;
  const TCom<IWICImagingFactory> factory(rawFactory);
  IWICStream* rawStream = nullptr;
  IWICBitmapDecoder* rawDecoder = nullptr;
  IWICBitmapFrameDecode* rawFrame = nullptr;
  IWICFormatConverter* rawConverter = nullptr;
  if (FAILED(factory->CreateStream(&rawStream)))
    return std::nullopt;
  const TCom<IWICStream> stream(rawStream);
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size))) ||
      FAILED(factory->CreateDecoder(format, nullptr, &rawDecoder)))
    return std::nullopt;
  const TCom<IWICBitmapDecoder> decoder(rawDecoder);
  if (FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
      FAILED(decoder->GetFrame(0, &rawFrame)))
    return std::nullopt;
  const TCom<IWICBitmapFrameDecode> frame(rawFrame);
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !AcceptableSize(width, height) ||
      FAILED(factory->CreateFormatConverter(&rawConverter)))
    return std::nullopt;
  const TCom<IWICFormatConverter> converter(rawConverter);
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppRGBA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return std::nullopt;
  TRasterImage image;
  image.Width = int(width);
  image.Height = int(height);
  image.Rgba.resize(std::size_t(width) * height * 4);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(image.Rgba.size()), image.Rgba.data())))
    return std::nullopt;
  return image;
}
} // namespace

// The header is looked at first: a size to refuse is refused before any decoding.
std::optional<TRasterImage> DecodePng(const std::uint8_t* data, std::size_t size) {
  const auto claimed = PngHeaderSize(data, size);
  if (!claimed || !AcceptableSize(claimed->Width, claimed->Height))
    return std::nullopt;
  return Decode(data, size, GUID_ContainerFormatPng);
}

std::optional<TRasterImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  const auto claimed = WellFormedJpegSize(data, size);
  if (!claimed || !AcceptableSize(claimed->Width, claimed->Height))
    return std::nullopt;
  return Decode(data, size, GUID_ContainerFormatJpeg);
}
