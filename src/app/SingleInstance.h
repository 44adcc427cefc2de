#pragma once
#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <memory>

// At most one launcher per user. The first instance holds a lock file for its lifetime (a lock
// left by an instance that died is taken over) and listens on a local socket; a later one asks
// it to come to the front and then ends.
class TSingleInstance : public QObject {
  Q_OBJECT
public:
  explicit TSingleInstance(QObject* parent = nullptr);

  // True when this is the only instance (it now listens); false when another one runs and has
  // been asked to come to the front.
  bool Claim();

  static QString InstanceKey(); // per user

signals:
  void ActivationRequested();

private:
  bool AskRunningInstance();

  std::unique_ptr<QLockFile> FLock;
  QLocalServer FServer;
};
