#include "Norvane.RESTClient.FileList.h"

#include "Charset.h"
#include "Errors.h"
#include "TextCase.h"
#include "UrlEncoding.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {
// About 600,000 files of a real installation; what is read stays a small multiple of this.
constexpr std::size_t MaxListingBytes = 64u * 1024 * 1024;
// Short records cost more memory than their text: their number is bounded as well.
constexpr std::size_t MaxListingFiles = 1'000'000;

// The charset parameter of a content type, if any.
std::string CharsetOf(const std::string& contentType) {
  std::string lower;
  for (char c : contentType)
    lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const auto at = lower.find("charset=");
  if (at == std::string::npos)
    return {};
  std::string charset = contentType.substr(at + 8);
  charset = charset.substr(0, charset.find_first_of("; \t"));
  if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"')
    charset = charset.substr(1, charset.size() - 2);
  return charset;
}

// The body as UTF-8 text, read in the character set its content type names. One bad byte in
// one name must not cost the whole listing; a character set nobody knows is read as UTF-8.
std::string DecodeBody(std::string body, const std::string& contentType) {
  const std::string charset = CharsetOf(contentType);
  if (charset.empty() || charset == "utf-8" || charset == "UTF-8")
    return platform::RepairUtf8(std::move(body));
  std::optional<std::string> text = platform::CharsetToUtf8(body, charset);
  return text ? std::move(*text) : body;
}
} // namespace

TRESTClientFileList::TRESTClientFileList(const std::string& AURL)
    : FURL(AURL), FError(std::make_unique<TFileInfoErrorDTO>()) {}

const TFileInfoDTO* TRESTClientFileList::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count())
    return nullptr;
  return FFiles[std::size_t(AIndex)].get();
}

bool TRESTClientFileList::Execute(const std::string& AFolder, const std::string& AMask,
                                  bool ARecursive) {
  TFilesInfoDTOHelper::FreeAll(FFiles);
  const std::string url = ListingURL(FURL, AFolder, AMask, ARecursive);
  std::string body;
  bool tooLarge = false;
  THttpResponse response;
  try {
    response = HttpGet(
        url, {"Accept: application/json", "Accept-Charset: UTF-8, *;q=0.8"},
        [&](std::string_view chunk, const THttpResponse& answer) {
          // A gzipped listing unpacks to about ten times its length: room for that at once
          // spares the copies of a growing buffer (only what is written is ever touched).
          if (body.empty() && answer.ContentLength > 0)
            body.reserve(std::size_t(
                std::min<std::int64_t>(answer.ContentLength * 16, MaxListingBytes)));
          tooLarge = answer.ContentLength > std::int64_t(MaxListingBytes) ||
                     body.size() + chunk.size() > MaxListingBytes;
          if (!tooLarge)
            body.append(chunk);
          return !tooLarge;
        },
        Timeouts, {TAcceptEncoding::Gzip, false});
  } catch (const EHttpTransportError& e) {
    throw platform::EError(std::string("REST request failed: ") + e.what());
  }
  if (response.Status >= 500)
    throw platform::EError(response.StatusLine);
  if (tooLarge)
    throw EListingTooLarge("The file list is too large: more than " +
                           std::to_string(MaxListingBytes >> 20) + " MiB");
  const std::string text = DecodeBody(std::move(body), response.ContentType);
  if (response.Status < 300)
    TFilesInfoDTOHelper::FromJSON(FFiles, text, MaxListingFiles);
  else
    FError = FileInfoErrorFromJSON(text); // the old record stays when this one cannot be read
  return FError->Status() == 0;
}
