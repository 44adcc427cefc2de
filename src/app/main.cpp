#include "Configuration.h"
#include "Paths.h"
#include "Unit1.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Not the display name: Qt would append it to every window title.
  QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));

  TLauncherEnvironment environment;
  environment.ProgramPath = platform::CurrentExecutablePath();
  environment.ShowError = [](const QString& text) {
    QMessageBox::critical(nullptr, QString::fromUtf8(ApplicationTitle), text);
  };
  TFrmMenu menu(std::move(environment));
  menu.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, menu.size(),
                                      QApplication::primaryScreen()->availableGeometry()));
  menu.show();
  return QApplication::exec();
}
