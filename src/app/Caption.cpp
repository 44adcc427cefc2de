#include "Caption.h"

#include "Configuration.h"

#include <cstdio>

std::string FormatElapsed(std::int64_t milliseconds) {
  if (milliseconds < 0)
    milliseconds = 0;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d.%03d", int(milliseconds / 60'000 % 60),
                int(milliseconds / 1000 % 60), int(milliseconds % 1000));
  return text;
}

std::string UpdateCaption(std::int64_t milliseconds) {
  return std::string(ApplicationTitle) + " Tempo do update : " + FormatElapsed(milliseconds);
}
