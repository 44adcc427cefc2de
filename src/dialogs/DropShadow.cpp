#include "DropShadow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {
constexpr int Darkest = 110;

// 1 on the cast rectangle, falling linearly to 0 at Blur pixels outside it.
double Coverage(int distance) {
  return std::clamp(1.0 - double(distance) / (TDropShadow::Blur + 1), 0.0, 1.0);
}

// Outside distance of a coordinate from [low, high), 0 within.
int Outside(int value, int low, int high) {
  return value < low ? low - value : value >= high ? value - high + 1 : 0;
}
} // namespace

TDropShadow::TDropShadow(QWidget* ATarget)
    : QWidget(ATarget, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      FTarget(ATarget) {
  setObjectName(QStringLiteral("DropShadow"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  FSettle.setSingleShot(true);
  FSettle.setInterval(150);
  connect(&FSettle, &QTimer::timeout, this, [this] { Follow(); });
  FTarget->installEventFilter(this);
}

void TDropShadow::CastBy(QWidget* ATarget) {
  const QString system = QGuiApplication::platformName();
  if (system == QLatin1String("xcb") || system == QLatin1String("offscreen"))
    new TDropShadow(ATarget); // owned by the target
}

int TDropShadow::ShadeAt(const QSize& ATarget, const QPoint& APoint) {
  if (APoint.x() < ATarget.width() && APoint.y() < ATarget.height())
    return 0; // the window itself
  // The cast rectangle, in the shadow window's coordinates: the target's, moved by Offset.
  const int dx = Outside(APoint.x(), Offset, Offset + ATarget.width());
  const int dy = Outside(APoint.y(), Offset, Offset + ATarget.height());
  return int(Darkest * Coverage(dx) * Coverage(dy) + 0.5);
}

void TDropShadow::Follow() {
  if (!FTarget->isVisible()) {
    hide();
    return;
  }
  const QRect target = FTarget->frameGeometry();
  const QRect area(target.topLeft(), target.size() + QSize(Offset + Blur, Offset + Blur));
  QScreen* screen = FTarget->screen() ? FTarget->screen() : QGuiApplication::primaryScreen();
  // Taken before showing: the shadow's own window is never part of what it darkens.
  QImage beneath = screen ? screen->grabWindow(0, area.x() - screen->geometry().x(),
                                               area.y() - screen->geometry().y(), area.width(),
                                               area.height())
                                .toImage()
                          : QImage();
  if (beneath.size() != area.size()) {
    beneath = QImage(area.size(), QImage::Format_RGB32);
    beneath.fill(FTarget->palette().color(QPalette::Window));
  }
  FImage = beneath.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < FImage.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(FImage.scanLine(y));
    for (int x = 0; x < FImage.width(); ++x) {
      const int shade = ShadeAt(target.size(), QPoint(x, y));
      const auto keep = [shade](int channel) { return channel * (255 - shade) / 255; };
      line[x] = qRgb(keep(qRed(line[x])), keep(qGreen(line[x])), keep(qBlue(line[x])));
    }
  }
  setGeometry(area);
  // Only the two bands outside the window belong to the shadow.
  setMask(QRegion(rect()).subtracted(QRegion(QRect(QPoint(0, 0), target.size()))));
  show();
  update();
}

bool TDropShadow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FTarget->windowHandle() && event->type() == QEvent::Expose) {
    // The window manager took the window away (another desktop, minimised) or gave it back.
    if (!FTarget->windowHandle()->isExposed()) {
      FSettle.stop();
      hide();
    } else if (!isVisible() && FTarget->isVisible()) {
      FSettle.start(); // what lies beneath is being drawn again too
    }
  } else if (watched == FTarget) {
    switch (event->type()) {
    case QEvent::Show:
      if (QWindow* window = FTarget->windowHandle())
        window->installEventFilter(this);
      Follow(); // before the window is mapped, so it is stacked above its shadow
      break;
    case QEvent::Hide:
      FSettle.stop();
      hide();
      break;
    case QEvent::Move:
    case QEvent::Resize:
      if (isVisible() || FSettle.isActive()) {
        hide();
        FSettle.start();
      }
      break;
    default:
      break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TDropShadow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, FImage);
}
