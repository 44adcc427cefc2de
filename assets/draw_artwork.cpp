// Draws the launcher's artwork: the menu background (1114 x 785, with alpha), the family logo
// (339 x 123), the photograph-like picture (302 x 184) and the application icon.
//   norvane-draw-artwork OUTDIR      (any Qt platform; offscreen works)
// The outputs are committed under assets/ and embedded into the launcher at build time.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {
const QColor Navy(16, 58, 99);
const QColor Teal(0, 128, 140);
const QColor Sky(124, 217, 252);
const QColor Cloud(238, 244, 249);

QFont Face(int pixels, int weight = QFont::DemiBold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setWeight(QFont::Weight(weight));
  return font;
}

void Glyph(QPainter& p, const QRectF& box, int kind) {
  p.save();
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QPointF c = box.center();
  const double r = box.width() / 2;
  switch (kind % 4) {
  case 0: // a cross
    p.drawLine(QPointF(c.x() - r * 0.6, c.y()), QPointF(c.x() + r * 0.6, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r * 0.6), QPointF(c.x(), c.y() + r * 0.6));
    break;
  case 1: // a sheet
    p.drawRoundedRect(QRectF(c.x() - r * 0.5, c.y() - r * 0.65, r, r * 1.3), 3, 3);
    p.drawLine(QPointF(c.x() - r * 0.25, c.y() - r * 0.2), QPointF(c.x() + r * 0.25, c.y() - r * 0.2));
    p.drawLine(QPointF(c.x() - r * 0.25, c.y() + r * 0.15), QPointF(c.x() + r * 0.25, c.y() + r * 0.15));
    break;
  case 2: // a box
    p.drawRect(QRectF(c.x() - r * 0.55, c.y() - r * 0.4, r * 1.1, r * 0.9));
    p.drawLine(QPointF(c.x() - r * 0.55, c.y() - r * 0.1), QPointF(c.x() + r * 0.55, c.y() - r * 0.1));
    break;
  default: // a pulse
    p.drawPolyline(QPolygonF({QPointF(c.x() - r * 0.7, c.y()), QPointF(c.x() - r * 0.25, c.y()),
                              QPointF(c.x() - r * 0.05, c.y() - r * 0.5),
                              QPointF(c.x() + r * 0.2, c.y() + r * 0.45),
                              QPointF(c.x() + r * 0.35, c.y()), QPointF(c.x() + r * 0.7, c.y())}));
  }
  p.restore();
}

void BigButton(QPainter& p, const QRectF& r, const QString& label, int kind) {
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, QColor(28, 112, 170));
  fill.setColorAt(1, Navy);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 14, 14);
  const QRectF badge(r.left() + 14, r.top() + (r.height() - 44) / 2, 44, 44);
  p.setPen(Qt::NoPen);
  p.setBrush(Teal);
  p.drawEllipse(badge);
  Glyph(p, badge, kind);
  p.setPen(Qt::white);
  p.setFont(Face(26));
  p.drawText(r.adjusted(74, 0, -16, 0), Qt::AlignVCenter | Qt::AlignLeft, label);
}

void SmallButton(QPainter& p, const QRectF& r, const QString& label) {
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, QColor(0, 150, 160));
  fill.setColorAt(1, QColor(0, 108, 120));
  p.setPen(QPen(QColor(255, 255, 255, 110), 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 9, 9);
  p.setPen(Qt::white);
  p.setFont(Face(16));
  p.drawText(r, Qt::AlignCenter, label);
}

void Wordmark(QPainter& p, const QRectF& r, const QColor& text) {
  const double h = r.height();
  const QRectF mark(r.left(), r.top() + h * 0.12, h * 0.76, h * 0.76);
  p.setPen(Qt::NoPen);
  p.setBrush(Teal);
  p.drawRoundedRect(mark, h * 0.16, h * 0.16);
  p.setBrush(Qt::white);
  const double a = mark.width() * 0.17;
  p.drawRect(QRectF(mark.center().x() - a / 2, mark.top() + a, a, mark.height() - 2 * a));
  p.drawRect(QRectF(mark.left() + a, mark.center().y() - a / 2, mark.width() - 2 * a, a));
  p.setPen(text);
  p.setFont(Face(int(h * 0.42), QFont::Bold));
  const QRectF words(mark.right() + h * 0.16, r.top(), r.width() - mark.width() - h * 0.16, h * 0.62);
  p.drawText(words, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Norvane"));
  p.setFont(Face(int(h * 0.17), QFont::Normal));
  p.drawText(QRectF(words.left() + 2, words.bottom(), words.width(), h * 0.3),
             Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Gestão Hospitalar"));
}

QImage Background() {
  QImage image(1114, 785, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // Draw in the window's own coordinates: the picture is stretched to 1111 x 702 when shown.
  p.scale(1114.0 / 1111.0, 785.0 / 702.0);
  QLinearGradient sky(0, 200, 0, 702);
  sky.setColorAt(0, Cloud);
  sky.setColorAt(1, QColor(200, 222, 238));
  p.fillRect(QRectF(0, 0, 1111, 702), sky);
  p.fillRect(QRectF(0, 0, 1111, 212), Qt::white);
  p.fillRect(QRectF(0, 212, 1111, 4), Teal);

  const struct {
    QRectF r;
    const char* label;
  } big[] = {{{11, 235, 522, 68}, "Acolhimento"},       {{562, 237, 513, 69}, "Prontuário"},
             {{16, 319, 517, 68}, "Checagem"},          {{562, 319, 515, 70}, "Gestão de Estoques"},
             {{16, 399, 516, 71}, "Gestão de Compras"}, {{564, 395, 511, 71}, "Financeiro"},
             {{20, 478, 516, 71}, "Manutenção"}};
  int kind = 0;
  for (const auto& b : big)
    BigButton(p, b.r, QString::fromUtf8(b.label), kind++);

  Wordmark(p, QRectF(700, 560, 330, 80), Navy);
  p.fillRect(QRectF(0, 646, 1111, 56), QColor(16, 58, 99, 235));
  const struct {
    QRectF r;
    const char* label;
  } small[] = {{{8, 656, 211, 39}, "Painel"},
               {{233, 658, 203, 36}, "Cadastros Gerais"},
               {{450, 657, 204, 36}, "Adm. dos Sistemas"},
               {{666, 657, 209, 36}, "Acesso Remoto"},
               {{885, 656, 207, 37}, "E-mail"}};
  for (const auto& b : small)
    SmallButton(p, b.r, QString::fromUtf8(b.label));
  return image;
}

QImage FamilyLogo() {
  QImage image(339, 123, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Wordmark(p, QRectF(8, 10, 323, 103), Navy);
  return image;
}

QImage Photograph() {
  QImage image(302, 184, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 184);
  sky.setColorAt(0, QColor(96, 170, 226));
  sky.setColorAt(1, QColor(214, 236, 250));
  p.fillRect(image.rect(), sky);
  QRadialGradient sun(250, 36, 40);
  sun.setColorAt(0, QColor(255, 250, 220));
  sun.setColorAt(1, QColor(255, 250, 220, 0));
  p.fillRect(image.rect(), sun);
  p.fillRect(QRectF(0, 150, 302, 34), QColor(110, 160, 90));
  // The hospital: a main block and a wing, rows of windows, the cross over the door.
  p.fillRect(QRectF(60, 52, 150, 104), QColor(236, 238, 240));
  p.fillRect(QRectF(200, 86, 76, 70), QColor(222, 226, 230));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 6; ++col)
      p.fillRect(QRectF(70 + col * 23, 62 + row * 22, 14, 12), QColor(70, 120, 170));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col)
      p.fillRect(QRectF(208 + col * 22, 96 + row * 22, 13, 11), QColor(70, 120, 170));
  p.fillRect(QRectF(122, 126, 26, 30), QColor(60, 70, 80));
  p.setBrush(QColor(210, 30, 40));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(130, 30, 10, 28));
  p.drawRect(QRectF(121, 39, 28, 10));
  p.setPen(QPen(QColor(255, 255, 255, 40), 1));
  for (int y = 0; y < 184; y += 3) // a little grain, as a photograph has
    p.drawLine(0, y, 302, y);
  return image;
}

QImage Icon() {
  QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Teal);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(26, 12, 12, 40));
  p.drawRect(QRectF(12, 26, 40, 12));
  return image;
}
} // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: norvane-draw-artwork OUTDIR\n");
    return 64;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const bool ok = Background().save(out.filePath("background.png"), "PNG") &&
                  FamilyLogo().save(out.filePath("ImgAldeno1.jpg"), "JPEG", 92) &&
                  Photograph().save(out.filePath("ImgAldeno2.jpg"), "JPEG", 90) &&
                  Icon().save(out.filePath("icon.png"), "PNG");
  return ok ? 0 : 1;
}
