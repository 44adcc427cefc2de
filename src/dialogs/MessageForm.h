#pragma once
#include "DialogLayout.h"
#include "DialogTypes.h"

#include <QDialog>
#include <QPoint>
#include <map>

class QLabel;
class QPushButton;
class TTransparentMemo;

// The suite's own message box: borderless, slightly translucent, a title line, the type's icon,
// the message in a see-through memo and a grey band of picture buttons.
class TMessageForm : public QDialog {
  Q_OBJECT
public:
  explicit TMessageForm(QWidget* AOwner); // CreateNew

  TMsgDlgType DlgType = TMsgDlgType::mtInformation;
  int HelpContext = 0;
  QString HelpFile;

  // Title, message and button line, framed by lines of hyphens, CR LF between lines.
  QString GetDialogText() const;
  // Raises when the clipboard cannot be opened.
  void CopyToClipboard(const QString& Text);

  QPushButton* Button(TDialogButton button) const;
  QPushButton* CancelButton() const { return FCancelButton; }
  TTransparentMemo* MessageMemo() const { return Message; }
  QLabel* TitleLabel() const { return Title; }
  QWidget* Panel() const { return ButtonPanel; }
  QWidget* Client() const { return FClient; }

  void reject() override; // Esc and closing press the cancel button, if there is one

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  friend TMessageForm* CreateMessageForm(const QString&, TMsgDlgType, TDialogButtons, TDialogButton);

  void DragMouseDown(QWidget* source, const QPoint& globalPosition);
  void CopyKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void HelpClick();
  void AddButton(const TLayoutButton& placed, const TDialogLayout& layout, const QFont& font);

  QWidget* FClient = nullptr;
  TTransparentMemo* Message = nullptr;
  QLabel* Title = nullptr;
  QWidget* ButtonPanel = nullptr;
  QPushButton* FCancelButton = nullptr;
  QPushButton* FDefaultButton = nullptr;
  std::map<TDialogButton, QPushButton*> FButtons;
  QString FMessageText; // with CR LF line breaks
  bool FDragging = false;
  QPoint FDragOffset;
};

// Builds a laid-out, hidden dialog; the caller shows and frees it.
TMessageForm* CreateMessageForm(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
                                TDialogButton DefaultButton);
