#include "TransparentMemo.h"

#include <QScrollBar>
#include <QTimer>

TTransparentMemo::TTransparentMemo(QWidget* AOwner) : QPlainTextEdit(AOwner) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  viewport()->setAutoFillBackground(false);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  palette.setColor(QPalette::Window, Qt::transparent);
  setPalette(palette);
  // Text changes arrive from the program, not only from typing: repaint once they are in.
  connect(this, &QPlainTextEdit::textChanged, this,
          [this] { QTimer::singleShot(0, this, &TTransparentMemo::Refresh); });
}

void TTransparentMemo::Refresh() {
  if (QWidget* parent = parentWidget())
    parent->update(QRect(mapTo(parent, QPoint(0, 0)), size()));
  viewport()->update();
  update();
}

void TTransparentMemo::keyPressEvent(QKeyEvent* event) {
  Refresh();
  QPlainTextEdit::keyPressEvent(event);
  QTimer::singleShot(0, this, &TTransparentMemo::Refresh);
}

void TTransparentMemo::mouseReleaseEvent(QMouseEvent* event) {
  QTimer::singleShot(0, this, &TTransparentMemo::Refresh);
  QPlainTextEdit::mouseReleaseEvent(event);
}

// Scrolled content cannot be moved as pixels over a background that shows through.
void TTransparentMemo::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  Refresh();
}
