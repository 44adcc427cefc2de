#include "DialogServices.h"

#include "DialogOwner.h"
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
        QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text,
                        QMessageBox::Ok, QApplication::activeWindow());
        MakeModalToOwner(&box);
        box.exec();
      },
      [](int, const QString&) {}, // this program ships no help system
  };
  return services;
}
