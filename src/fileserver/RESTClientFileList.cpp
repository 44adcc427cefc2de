#include "Norvane.RESTClient.FileList.h"

#include "Errors.h"
#include "UrlEncoding.h"

#include <memory>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace {
constexpr std::size_t MaxListingBytes = 512u * 1024 * 1024;

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

// The body as UTF-8 text, read in the character set its content type names.
std::string DecodeBody(const std::string& body, const std::string& contentType) {
  const std::string charset = CharsetOf(contentType);
  if (charset.empty() || charset == "utf-8" || charset == "UTF-8")
    return body;
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open(charset.c_str(), &status),
                                                               &ucnv_close);
  if (U_FAILURE(status))
    return body; // a character set nobody knows: read the bytes as UTF-8
  icu::UnicodeString text(body.data(), int32_t(body.size()), converter.get(), status);
  std::string utf8;
  text.toUTF8String(utf8);
  return U_SUCCESS(status) ? utf8 : body;
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
  THttpResponse response;
  try {
    response = HttpGet(url, {"Accept: application/json", "Accept-Charset: UTF-8, *;q=0.8"},
                       [&](std::string_view chunk, const THttpResponse&) {
                         body.append(chunk);
                         return body.size() <= MaxListingBytes;
                       },
                       Timeouts);
  } catch (const EHttpTransportError& e) {
    throw platform::EError(std::string("REST request failed: ") + e.what());
  }
  if (response.Status >= 500)
    throw platform::EError(response.StatusLine);
  const std::string text = DecodeBody(body, response.ContentType);
  if (response.Status < 300)
    TFilesInfoDTOHelper::FromJSON(FFiles, text);
  else
    FError = FileInfoErrorFromJSON(text); // the old record stays when this one cannot be read
  return FError->Status() == 0;
}
