#pragma once
#include <QString>
#include <functional>

// The application-wide services a dialog calls on: clipboard, general error handling, help.
// Installed once; tests put their own pieces in.
struct TDialogServices {
  // Raises when the clipboard cannot be opened.
  std::function<void(const QString& text)> SetClipboardText;
  std::function<void(const QString& text)> ShowError;
  std::function<void(int helpContext, const QString& helpFile)> ShowHelp;
};

TDialogServices& DialogServices();
