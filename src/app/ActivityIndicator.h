#pragma once
#include <QColor>
#include <QTimer>
#include <QWidget>

// A ring of dots turning while something is under way.
class TActivityIndicator : public QWidget {
  Q_OBJECT
public:
  static constexpr int LargeSize = 48;

  explicit TActivityIndicator(QWidget* parent);
  void SetAnimate(bool animate);
  bool Animate() const { return FTimer.isActive(); }
  void SetFrameDelay(int milliseconds) { FTimer.setInterval(milliseconds); }
  int FrameDelay() const { return FTimer.interval(); }
  void SetColor(const QColor& color) { FColor = color; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QTimer FTimer;
  QColor FColor = Qt::white;
  int FFrame = 0;
};
