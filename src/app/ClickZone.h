#pragma once
#include <QWidget>

// An invisible picture laid over a drawn button: it paints nothing and only catches the mouse.
class TClickZone : public QWidget {
  Q_OBJECT
public:
  TClickZone(QWidget* parent, const QString& name, const QRect& geometry);

signals:
  void clicked(QObject* Sender);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  bool FPressed = false;
};
