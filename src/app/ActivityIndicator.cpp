#include "ActivityIndicator.h"

#include <QPainter>
#include <cmath>

TActivityIndicator::TActivityIndicator(QWidget* parent) : QWidget(parent) {
  resize(LargeSize, LargeSize);
  setAttribute(Qt::WA_TranslucentBackground);
  connect(&FTimer, &QTimer::timeout, this, [this] {
    FFrame = (FFrame + 1) % 12;
    update();
  });
}

void TActivityIndicator::SetAnimate(bool animate) {
  if (animate)
    FTimer.start();
  else
    FTimer.stop();
  update();
}

void TActivityIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const QPointF centre(width() / 2.0, height() / 2.0);
  const double radius = std::min(width(), height()) / 2.0 - 5;
  for (int dot = 0; dot < 12; ++dot) {
    // The dot at the current frame is brightest; the ones behind it fade away.
    const int age = (FFrame - dot + 12) % 12;
    QColor color = FColor;
    color.setAlphaF(Animate() ? std::max(0.15, 1.0 - age / 10.0) : 0.35);
    painter.setBrush(color);
    const double angle = dot * M_PI / 6;
    painter.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * radius, 4, 4);
  }
}
