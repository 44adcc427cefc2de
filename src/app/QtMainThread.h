#pragma once
#include "MainThread.h"

// Hands a call to the Qt application's thread and blocks until it has run there, so a
// completion may open a modal dialog before the waiting thread goes on.
class TQtMainThread final : public platform::IMainThread {
public:
  void Synchronize(const std::function<void()>& call) override;
};
