#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>

// A soft shadow to the right of and below a window, for window systems that draw none (X11
// without a compositor). It shows the screen beneath, darkened, in a frameless window that takes
// no input and never covers the window it belongs to. It follows the window's showing, hiding
// and moving; while the window is dragged it waits, then takes a fresh look at the screen.
class TDropShadow final : public QWidget {
public:
  static constexpr int Offset = 4; // how far the shadow is cast, right and down
  static constexpr int Blur = 4;   // how far its edge fades out

  explicit TDropShadow(QWidget* ATarget);

  // Where the window system draws none itself: X11 (and the off-screen one tests use).
  static void CastBy(QWidget* ATarget);

  // How dark the shadow is at a point of its window, 0 to 255 (0 inside the target's area).
  static int ShadeAt(const QSize& ATarget, const QPoint& APoint);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  void Follow();

  QWidget* FTarget;
  QImage FImage; // the screen beneath with the shade laid over it
  QTimer FSettle;
};
