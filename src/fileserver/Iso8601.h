#pragma once
#include "DateTime.h"

#include <string_view>

// Reads an ISO 8601 date-time as the clock time of UTC: a zone offset is taken away, "Z" or no
// zone keeps the clock time, and the result is never moved to the workstation's zone.
// Raises "Invalid date string: %s" / "Invalid time string: %s" for text it cannot read.
platform::TDateTime ISO8601ToDate(std::string_view text);
