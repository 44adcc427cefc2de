#include "DialogText.h"

#include <algorithm>

std::string WithCrLfBreaks(std::string_view message) {
  std::string text;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' || message[i] == '\n') {
      text += "\r\n";
      if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n')
        ++i;
    } else {
      text += message[i];
    }
  }
  return text;
}

std::string DialogText(std::string_view title, std::string_view messageCrLf,
                       TDialogButtons buttons) {
  const std::string dashes = std::string(27, '-') + "\r\n";
  std::string line;
  for (int bit = 0; bit < DialogButtonCount; ++bit)
    if (HasButton(buttons, TDialogButton(bit)))
      line += std::string(ButtonTable[std::size_t(bit)].Caption) + "   ";
  line.erase(std::remove(line.begin(), line.end(), '&'), line.end());
  return dashes + std::string(title) + "\r\n" + dashes + std::string(messageCrLf) + "\r\n" +
         dashes + line + "\r\n" + dashes;
}
