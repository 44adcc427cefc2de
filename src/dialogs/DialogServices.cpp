#include "DialogServices.h"

#include "Errors.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

TDialogServices& DialogServices() {
  static TDialogServices services{
      [](const QString& text) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard)
          throw platform::EError("Cannot open clipboard");
        clipboard->setText(text);
      },
      [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), QCoreApplication::applicationName(),
                              text);
      },
      [](int, const QString&) {}, // this program ships no help system
  };
  return services;
}
