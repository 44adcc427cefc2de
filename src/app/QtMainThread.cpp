#include "QtMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>

void TQtMainThread::Synchronize(const std::function<void()>& call) {
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        try {
          call();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error)
    std::rethrow_exception(error);
}
