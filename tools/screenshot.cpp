// Saves the X screen, or a part of it, as a PNG: the run command's proof of what a display would
// show, and the pictures in docs/.
//   norvane-screenshot OUT.png [X Y WIDTH HEIGHT]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: norvane-screenshot OUT.png [X Y WIDTH HEIGHT]\n");
    return 64;
  }
  int part[4] = {0, 0, -1, -1};
  for (int i = 0; argc == 6 && i < 4; ++i)
    part[i] = std::atoi(argv[2 + i]);
  const QPixmap shot =
      QGuiApplication::primaryScreen()->grabWindow(0, part[0], part[1], part[2], part[3]);
  return shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
