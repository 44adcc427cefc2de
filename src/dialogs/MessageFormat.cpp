#include "MessageFormat.h"

#include "Errors.h"

std::string FormatText(std::string_view format, const std::vector<TFormatArg>& args) {
  const auto invalid = [&] {
    throw platform::EError("Format '" + std::string(format) +
                           "' invalid or incompatible with argument");
  };
  std::string result;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      result += format[i];
      continue;
    }
    if (++i == format.size())
      invalid();
    const char directive = format[i];
    if (directive == '%') {
      result += '%';
      continue;
    }
    if (next == args.size())
      throw platform::EError("No argument for format '" + std::string(format) + "'");
    const TFormatArg& arg = args[next++];
    if (directive == 's' && std::holds_alternative<std::string>(arg))
      result += std::get<std::string>(arg);
    else if (directive == 'd' && std::holds_alternative<long long>(arg))
      result += std::to_string(std::get<long long>(arg));
    else
      invalid();
  }
  return result;
}
