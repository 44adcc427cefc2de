#include "Configuration.h"
#include "DialogServices.h"
#include "Paths.h"
#include "QtMainThread.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "Unit1.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Not the display name: Qt would append it to every window title.
  QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
  // Closing the window keeps the launcher in the notification area.
  QApplication::setQuitOnLastWindowClosed(false);

  TSingleInstance instance(
      QString::fromStdString(platform::ExtractFilePath(platform::CurrentExecutablePath())));
  if (!instance.Claim())
    return 0; // the running launcher has been brought to the front

  platform::SetMainThread(std::make_shared<TQtMainThread>());
  TLauncherEnvironment environment;
  environment.ProgramPath = platform::CurrentExecutablePath();
  environment.ShowError = [](const std::string& text) {
    DialogServices().ShowError(QString::fromStdString(text));
  };
  environment.OpenURL = [](const std::string& url) { return platform::ShellOpen(url); };
  environment.SendMail = [](const std::string& to) { return platform::SendMail(to); };
  TFrmMenu menu(std::move(environment));
  QObject::connect(&instance, &TSingleInstance::ActivationRequested, &menu,
                   [&menu] { menu.AbreoSistemadeGesttoHospitalar1Click(); });
  menu.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, menu.size(),
                                       QApplication::primaryScreen()->availableGeometry()));
  menu.show();
  return QApplication::exec();
}
