#include "IniProfile.h"

#include "FileRead.h"
#include "TextCase.h"
#include "WideText.h"

namespace platform {

namespace {
// Beyond this a file is no settings file; the rest is not read.
constexpr std::size_t MaxFileBytes = 32 * 1024 * 1024;
// What the system answers for an absent key, so it is told from an empty value.
constexpr wchar_t Absent[] = L"\x1\x2\x3";

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

// The profile functions read a file without a UTF-16 byte-order mark in the ANSI code page and
// some Windows versions take a UTF-8 mark for text: give them UTF-16, each line decoded as UTF-8
// where it is valid UTF-8, else as the Western code page.
std::wstring AsUtf16(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
    bytes.remove_prefix(3);
  std::string utf8;
  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end == std::string_view::npos ? end : end + 1);
    utf8 += ValidUtf8Length(line) == line.size() ? std::string(line) : Cp1252ToUtf8(line);
    bytes.remove_prefix(line.size());
  }
  return Widen(utf8);
}

// A UTF-16 copy in the temporary folder, removed with the reader.
std::wstring WriteUtf16Copy(const std::wstring& text) {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"nvi", 0, name))
    return {};
  const HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  const std::wstring content = L"\xFEFF" + text;
  DWORD written = 0;
  const bool ok = WriteFile(file, content.data(), DWORD(content.size() * sizeof(wchar_t)),
                            &written, nullptr) &&
                  written == content.size() * sizeof(wchar_t);
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(name);
    return {};
  }
  return name;
}
} // namespace

// The system's profile functions over the file, or over a UTF-16 copy of it when its text is
// not plain ASCII.
class TIniProfile::TReader {
public:
  explicit TReader(std::string_view path) {
    std::string bytes;
    bool wide = false;
    if (!ReadFileChunks(path, [&](std::string_view chunk) {
          if (bytes.size() < MaxFileBytes)
            bytes.append(chunk.substr(0, MaxFileBytes - bytes.size()));
        }))
      return; // missing or unreadable: every key absent
    wide = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    if (wide || IsAscii(bytes)) {
      FPath = WidePath(path);
    } else {
      FPath = WriteUtf16Copy(AsUtf16(bytes));
      FCopy = !FPath.empty();
    }
  }
  ~TReader() {
    if (FCopy)
      DeleteFileW(FPath.c_str());
  }
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const {
    if (FPath.empty())
      return std::string(defaultValue);
    std::wstring buffer(MaxValueChars + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Absent,
                                             buffer.data(), DWORD(buffer.size()), FPath.c_str());
    buffer.resize(n);
    return buffer == Absent ? std::string(defaultValue) : Narrow(buffer);
  }

private:
  std::wstring FPath;
  bool FCopy = false;
};

TIniProfile TIniProfile::Load(std::string_view path) {
  return TIniProfile(std::make_shared<TReader>(path));
}

std::string TIniProfile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return FReader->ReadString(section, key, defaultValue);
}

} // namespace platform
