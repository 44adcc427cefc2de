#include "SingleInstance.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace {
bool IsPrivateFolder(const QString& path) {
  return platform::EnsurePrivateFolder(path.toStdString());
}
} // namespace

QString TSingleInstance::RuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime))
    return runtime;
  const QString shared = QStringLiteral("/tmp/norvane-runtime-%1").arg(getuid());
  if (IsPrivateFolder(shared))
    return shared;
  const QString home = QDir::homePath() + QStringLiteral("/.norvane-runtime");
  IsPrivateFolder(home);
  return home;
}

TSingleInstance::TSingleInstance(const QString& installation, QObject* parent)
    : QObject(parent),
      FPath(RuntimeFolder() + QStringLiteral("/norvane-") +
            QString::fromLatin1(QCryptographicHash::hash(QDir::cleanPath(installation).toUtf8(),
                                                         QCryptographicHash::Sha1)
                                    .toHex()
                                    .left(16))) {
  connect(&FServer, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
      // The command line that follows is not used: coming to the front is all that is asked.
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      emit ActivationRequested();
    }
  });
}

bool TSingleInstance::Claim() {
  FLock = std::make_unique<QLockFile>(FPath + QStringLiteral(".lock"));
  FLock->setStaleLockTime(0); // a lock is stale only when its process is gone
  if (FLock->tryLock(0)) {
    const QString socket = FPath + QStringLiteral(".socket");
    QLocalServer::removeServer(socket); // a socket left by an instance that died
    FServer.setSocketOptions(QLocalServer::UserAccessOption);
    FServer.listen(socket);
    return true;
  }
  if (AskRunningInstance())
    return false;
  // The lock holder does not answer: it is still starting, or hangs. Try once more, then
  // refuse to run a second copy all the same.
  QThread::msleep(1000);
  AskRunningInstance();
  return false;
}

bool TSingleInstance::AskRunningInstance() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(FPath + QStringLiteral(".socket"));
    if (socket.waitForConnected(250)) {
      socket.write(QCoreApplication::arguments().join(QLatin1Char(' ')).toUtf8() + '\n');
      socket.waitForBytesWritten(500);
      socket.disconnectFromServer();
      return true;
    }
    QThread::msleep(100);
  }
  return false;
}
