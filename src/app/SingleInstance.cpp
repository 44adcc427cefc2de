#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

QString TSingleInstance::InstanceKey() {
  return QStringLiteral("norvane-launcher-%1").arg(getuid());
}

TSingleInstance::TSingleInstance(QObject* parent) : QObject(parent) {
  connect(&FServer, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
      // The command line that follows is not used: coming to the front is all that is asked.
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      emit ActivationRequested();
    }
  });
}

bool TSingleInstance::Claim() {
  FLock = std::make_unique<QLockFile>(QDir::temp().filePath(InstanceKey() + QStringLiteral(".lock")));
  FLock->setStaleLockTime(0); // a lock is stale only when its process is gone
  if (FLock->tryLock(0)) {
    QLocalServer::removeServer(InstanceKey()); // a socket left by an instance that died
    FServer.setSocketOptions(QLocalServer::UserAccessOption);
    FServer.listen(InstanceKey());
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
    socket.connectToServer(InstanceKey());
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
