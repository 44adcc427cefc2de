#pragma once
#include "DialogTypes.h"

#include <string>
#include <string_view>

// The message as the dialog shows it: every line break (CR, LF or CR LF) as CR LF.
std::string WithCrLfBreaks(std::string_view message);

// What Ctrl+C copies: the title, the message (CR LF breaks) and the button line (each caption
// and three spaces, "&" removed), each framed by lines of 27 hyphens, CR LF after every line.
std::string DialogText(std::string_view title, std::string_view messageCrLf,
                       TDialogButtons buttons);
