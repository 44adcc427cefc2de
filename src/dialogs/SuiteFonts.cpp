#include "SuiteFonts.h"

#include <QFontInfo>
#include <QStringList>

void PreferSuiteFonts() {
  static const bool done = [] {
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Open Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Segoe UI Black"),
                               {QStringLiteral("Open Sans"), QStringLiteral("DejaVu Sans")});
    return true;
  }();
  (void)done;
}

QFont SuiteFont(int points, int pixels) {
  PreferSuiteFonts();
  QFont font(QStringLiteral("Segoe UI"));
  font.setStyleHint(QFont::SansSerif);
  if (points > 0)
    font.setPointSize(points);
  else
    font.setPixelSize(pixels);
  return font;
}

void SetSuiteBold(QFont& font) {
  const bool original = QFontInfo(font).family().startsWith(QStringLiteral("Segoe UI"));
  font.setWeight(original ? QFont::Bold : QFont::DemiBold);
}
