#include "ClickZone.h"

#include <QMouseEvent>

TClickZone::TClickZone(QWidget* parent, const QString& name, const QRect& geometry)
    : QWidget(parent) {
  setObjectName(name);
  setGeometry(geometry);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
}

void TClickZone::mousePressEvent(QMouseEvent* event) {
  FPressed = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

// A click is a left press and release inside the zone, as on the suite's picture controls.
void TClickZone::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  FPressed = false;
  if (click)
    emit clicked(this);
  QWidget::mouseReleaseEvent(event);
}

// The second press of a double click arrives as this event; Qt would treat it as a press and
// the action would run twice. A picture control gives one click for a double click.
void TClickZone::mouseDoubleClickEvent(QMouseEvent* event) {
  FPressed = false;
  event->accept();
}
