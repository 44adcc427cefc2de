#pragma once
#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <memory>

// At most one launcher per user and installation. The first instance holds a lock file for its
// lifetime (a lock left by an instance that died is taken over) and listens on a local socket; a
// later one asks it to come to the front and then ends. Both live in the user's runtime folder,
// whatever temporary folder a launch was given.
class TSingleInstance : public QObject {
  Q_OBJECT
public:
  // `installation`: the folder the launcher runs from.
  explicit TSingleInstance(const QString& installation, QObject* parent = nullptr);

  // True when this is the only instance (it now listens); false when another one runs and has
  // been asked to come to the front.
  bool Claim();

  // Where the lock and the socket live: XDG_RUNTIME_DIR when it is the user's own, else a
  // private folder of the user's.
  static QString RuntimeFolder();

signals:
  void ActivationRequested();

private:
  bool AskRunningInstance();

  QString FPath; // the lock and the socket, without their endings
  std::unique_ptr<QLockFile> FLock;
  QLocalServer FServer;
};
