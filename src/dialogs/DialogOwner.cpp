#include "DialogOwner.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace {
QPointer<QWidget>& MainForm() {
  static QPointer<QWidget> form;
  return form;
}

QWidget* OwnerOf(const QDialog* ADialog) {
  QWidget* active = QApplication::activeWindow();
  if (active && active != ADialog)
    return active;
  QWidget* main = MainForm();
  // A hidden owner would take the dialog off the task bar with it.
  return main && main->isVisible() ? main : nullptr;
}
} // namespace

void SetMainForm(QWidget* AForm) { MainForm() = AForm; }

void MakeModalToOwner(QDialog* ADialog) {
  if (!ADialog->parentWidget()) {
    QWidget* owner = OwnerOf(ADialog);
    if (!owner)
      return;
    ADialog->setParent(owner, ADialog->windowFlags()); // stays a window of its own
  }
  ADialog->setWindowModality(Qt::WindowModal);
}
