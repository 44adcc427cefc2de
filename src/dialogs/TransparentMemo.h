#pragma once
#include <QPlainTextEdit>

// A multi-line text control through which its parent's background shows; it paints no
// background of its own and has its parent repaint the area under it whenever its content
// scrolls or changes.
class TTransparentMemo : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit TTransparentMemo(QWidget* AOwner = nullptr);

  // Repaints the parent's area under the memo, then the memo.
  void Refresh();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
};
