#pragma once
#include <QFont>

// The suite's faces are "Segoe UI" and "Segoe UI Black", which only Windows has. Elsewhere a
// free face of like build stands in (Open Sans, from the project's install script; then
// DejaVu Sans), for this program only: the system's font settings are not touched.
void PreferSuiteFonts();

// "Segoe UI" (or its stand-in) at `points`, or at `pixels` when points is 0.
QFont SuiteFont(int points, int pixels = 0);

// Bold in the suite's face; in a stand-in its semibold, which is as wide as Segoe UI's bold (the
// waiting panel's text is laid out to fit that width).
void SetSuiteBold(QFont& font);
