// Saves the whole X screen as a PNG: the run command's proof of what a display would show.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: norvane-screenshot OUT.png\n");
    return 64;
  }
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  return shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
