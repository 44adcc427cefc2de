#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// The program's errors: each carries the exact text that a user or caller sees.
class EError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// An operating-system failure with its error number and the system's own message.
class EOSError : public EError {
public:
  EOSError(int code, const std::string& message) : EError(message), FCode(code) {}
  int Code() const noexcept { return FCode; }

private:
  int FCode;
};

inline constexpr const char* SInvalidPathChars = "Invalid characters in path";
inline constexpr const char* SPathTooLong = "The specified path is too long";
inline constexpr const char* SPathNotFound = "The specified path was not found";
inline constexpr const char* SDuplicatesNotAllowed = "Duplicates not allowed";
// Windows's words for a file that another holds open exclusively; this system has none of its own.
inline constexpr const char* SFileInUse =
    "The process cannot access the file because it is being used by another process";

// The system's message for an error number, as strerror gives it.
std::string SystemErrorMessage(int code);

[[noreturn]] void RaiseLastOSError(int code);

// The error code the system left for the calling thread's last failed call (errno, or
// GetLastError on Windows).
int LastSystemError();

} // namespace platform
