#include "MessageForm.h"

#include "DialogServices.h"
#include "DialogText.h"
#include "DropShadow.h"
#include "SuiteFonts.h"
#include "TransparentMemo.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QWindow>
#include <cmath>

namespace {
const QColor FormColor(245, 245, 245);
constexpr int BorderWidth = 2;
constexpr int FormAlpha = 245;

// Windows' hue/luminance/saturation scale (0-240): the colour with its luminance replaced.
QColor WithLuminance(const QColor& color, int luminance) {
  float h, s, l;
  color.getHslF(&h, &s, &l);
  QColor result;
  result.setHslF(h < 0 ? 0 : h, s, luminance / 240.0f);
  // Grey levels are truncated, as the platform's conversion does.
  if (s == 0) {
    const int grey = luminance * 255 / 240;
    result = QColor(grey, grey, grey);
  }
  return result;
}

QFont FormFont(int points) {
  return SuiteFont(points);
}

// "Segoe UI Black", or the heaviest face of its stand-in.
QFont TitleFont() {
  PreferSuiteFonts();
  QFont font(QStringLiteral("Segoe UI Black"), 12);
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::Black);
  return font;
}

// Every line break (CR, LF or CR LF) as one LF.
QString WithLf(const QString& text) {
  QString normalised = text;
  normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The average width of a character: the width of the 52 letters over 52.
int AverageCharWidth(const QFontMetrics& metrics) {
  return metrics.horizontalAdvance(
             QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
         52;
}

// Tab stops every 8 average characters, as the memo of the suite has them.
int TabStopDistance(const QFontMetrics& metrics) {
  return 8 * AverageCharWidth(metrics);
}

QTextOption MessageTextOption(const QFontMetrics& metrics) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere); // words longer than a line break
  option.setTabStopDistance(TabStopDistance(metrics));
  return option;
}

// The message (LF line breaks) wrapped at `width`, as the memo will show it: its widest line
// and its height.
QSize MeasureMessage(const QString& text, const QFont& font, int width) {
  const QFontMetrics metrics(font);
  int textWidth = 0, lines = 0;
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, font);
    layout.setTextOption(MessageTextOption(metrics));
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      textWidth = std::max(textWidth, int(std::ceil(line.naturalTextWidth())));
      ++lines;
    }
    layout.endLayout();
  }
  return {textWidth, lines * metrics.lineSpacing()}; // the memo steps lines by the spacing
}

QIcon TypeIcon(QStyle* style, TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
  case TMsgDlgType::mtError: return style->standardIcon(QStyle::SP_MessageBoxCritical);
  case TMsgDlgType::mtInformation: return style->standardIcon(QStyle::SP_MessageBoxInformation);
  case TMsgDlgType::mtConfirmation: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
  case TMsgDlgType::mtCustom: break;
  }
  return {};
}

QIcon ButtonPicture(QStyle* style, TButtonPicture picture) {
  // The picture of each kind, then one of like meaning for styles that lack it.
  static const std::map<TButtonPicture, std::pair<QStyle::StandardPixmap, QStyle::StandardPixmap>>
      pictures = {
          {TButtonPicture::Yes, {QStyle::SP_DialogYesButton, QStyle::SP_DialogApplyButton}},
          {TButtonPicture::Abort, {QStyle::SP_DialogAbortButton, QStyle::SP_DialogNoButton}},
          {TButtonPicture::OK, {QStyle::SP_DialogOkButton, QStyle::SP_DialogApplyButton}},
          {TButtonPicture::Cancel, {QStyle::SP_DialogCancelButton, QStyle::SP_DialogCloseButton}},
          {TButtonPicture::Retry, {QStyle::SP_DialogRetryButton, QStyle::SP_BrowserReload}},
          // Ignoring goes on past the problem; the style's discard picture is a waste bin.
          {TButtonPicture::Ignore, {QStyle::SP_DialogIgnoreButton, QStyle::SP_MediaSkipForward}},
          {TButtonPicture::All, {QStyle::SP_DialogYesToAllButton, QStyle::SP_DialogApplyButton}},
          {TButtonPicture::Help, {QStyle::SP_DialogHelpButton, QStyle::SP_MessageBoxQuestion}},
      };
  const auto found = pictures.find(picture);
  if (found == pictures.end())
    return {};
  const QIcon icon = style->standardIcon(found->second.first);
  return icon.isNull() ? style->standardIcon(found->second.second) : icon;
}

QRect ToQRect(const TRectI& r) { return {r.Left, r.Top, r.Width, r.Height}; }

void PaintWith(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}
} // namespace

TMessageForm::TMessageForm(QWidget* AOwner)
    : QDialog(AOwner, Qt::Dialog | Qt::FramelessWindowHint) {
  setFont(FormFont(12));
  PaintWith(this, FormColor);
  FClient = new QWidget(this);
  FClient->move(BorderWidth, BorderWidth);
}

QPushButton* TMessageForm::Button(TDialogButton button) const {
  const auto found = FButtons.find(button);
  return found == FButtons.end() ? nullptr : found->second;
}

QString TMessageForm::GetDialogText() const {
  TDialogButtons buttons = 0;
  for (const auto& [bit, button] : FButtons)
    buttons |= ButtonBit(bit);
  return QString::fromStdString(
      DialogText(windowTitle().toStdString(), FMessageText.toStdString(), buttons));
}

void TMessageForm::CopyToClipboard(const QString& Text) { DialogServices().SetClipboardText(Text); }

void TMessageForm::reject() {
  if (FCancelButton)
    FCancelButton->click();
}

void TMessageForm::HelpClick() { DialogServices().ShowHelp(HelpContext, HelpFile); }

void TMessageForm::CopyKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (key != Qt::Key_C || (modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
    return;
  QApplication::beep();
  try {
    CopyToClipboard(GetDialogText());
  } catch (const std::exception& e) {
    DialogServices().ShowError(QString::fromUtf8(e.what())); // the dialog stays open
  }
}

// The window manager moves the window as if its caption were dragged; where it cannot, we do.
void TMessageForm::DragMouseDown(QWidget*, const QPoint& globalPosition) {
  if (windowHandle() && windowHandle()->startSystemMove())
    return;
  FDragging = true;
  FDragOffset = globalPosition - pos();
}

bool TMessageForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
  case QEvent::KeyPress: {
    // Key preview: the form sees each key once, before the focused control, and passes it on.
    auto* widget = qobject_cast<QWidget*>(watched);
    const QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (widget == target && widget->window() == this) {
      const auto* key = static_cast<QKeyEvent*>(event);
      CopyKeyDown(key->key(), key->modifiers());
    }
    break;
  }
  case QEvent::MouseButtonPress: {
    // Presses on the icon or the band reach the background too: only its own area drags.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool onBackground =
        watched == FClient && !FClient->childAt(mouse->position().toPoint());
    if (onBackground || watched == Title)
      DragMouseDown(static_cast<QWidget*>(watched), mouse->globalPosition().toPoint());
    break;
  }
  case QEvent::MouseMove:
    // Moves that Qt makes up after the window moved carry no button: they are not the drag.
    if (FDragging && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
      move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - FDragOffset);
    break;
  case QEvent::MouseButtonRelease:
    FDragging = false;
    break;
  default:
    break;
  }
  return QDialog::eventFilter(watched, event);
}

void TMessageForm::showEvent(QShowEvent* event) {
  qApp->installEventFilter(this);
  QDialog::showEvent(event);
  // The default button has the focus, not the message: Space presses it, Tab moves on from it.
  if (FDefaultButton)
    FDefaultButton->setFocus(Qt::ActiveWindowFocusReason);
}

void TMessageForm::hideEvent(QHideEvent* event) {
  qApp->removeEventFilter(this);
  QDialog::hideEvent(event);
}

void TMessageForm::AddButton(const TLayoutButton& placed, const TDialogLayout& layout,
                             const QFont& font) {
  const TButtonInfo& info = ButtonTable[std::size_t(placed.Button)];
  auto* button = new QPushButton(ButtonPanel);
  button->setObjectName(QString::fromLatin1(info.Name));
  button->setIcon(ButtonPicture(style(), info.Picture));
  button->setText(QString::fromUtf8(info.Caption));
  button->setFont(font);
  button->setGeometry(ToQRect(placed.Bounds));
  const int result = info.Result;
  if (placed.Button == TDialogButton::Help)
    connect(button, &QPushButton::clicked, this, &TMessageForm::HelpClick);
  else if (result != 0)
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
  if (placed.Button == layout.Default) {
    button->setDefault(true);
    setFocusProxy(button);
    FDefaultButton = button;
  }
  if (layout.Cancel && placed.Button == *layout.Cancel)
    FCancelButton = button;
  FButtons[placed.Button] = button;
}

TMessageForm* CreateMessageForm(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
                                TDialogButton DefaultButton) {
  auto* form = new TMessageForm(QApplication::activeWindow());
  form->DlgType = DlgType;
  form->setWindowOpacity(FormAlpha / 255.0);
  TDropShadow::CastBy(form);
  form->setLayoutDirection(QGuiApplication::layoutDirection());

  const QFontMetrics metrics(form->font());
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();

  TLayoutInput input;
  input.DlgType = DlgType;
  input.Buttons = Buttons;
  input.DefaultButton = DefaultButton;
  input.AvgCharWidth = AverageCharWidth(metrics);
  input.CharHeight = metrics.height();
  for (int b = 0; b < DialogButtonCount; ++b)
    if (HasButton(EffectiveButtons(DlgType, Buttons), TDialogButton(b))) {
      if (ButtonWidthCache[b] == 0)
        ButtonWidthCache[b] =
            metrics.size(Qt::TextShowMnemonic, QString::fromUtf8(ButtonTable[b].Caption)).width() + 8;
      input.CaptionWidths[b] = ButtonWidthCache[b];
    }
  const QString lines = WithLf(Msg);
  const QSize text = MeasureMessage(lines, form->font(), screen.width() / 2);
  input.TextWidth = text.width();
  input.TextHeight = text.height();
  input.ScreenWidth = screen.width();
  input.ScreenHeight = screen.height();
  input.FrameWidth = input.FrameHeight = 2 * BorderWidth;
  input.RightToLeft = form->layoutDirection() == Qt::RightToLeft;
  const TDialogLayout layout = LayoutDialog(input);

  form->setWindowTitle(DlgType == TMsgDlgType::mtCustom
                           ? QCoreApplication::applicationName()
                           : QString::fromUtf8(DialogTitles[std::size_t(DlgType)]));
  QWidget* client = form->FClient;
  client->resize(layout.ClientWidth, layout.ClientHeight);
  form->setFixedSize(layout.ClientWidth + 2 * BorderWidth, layout.ClientHeight + 2 * BorderWidth);
  form->move(layout.Left, layout.Top);

  if (layout.Icon) {
    auto* icon = new QLabel(client);
    icon->setObjectName(QStringLiteral("Image"));
    icon->setPixmap(TypeIcon(form->style(), DlgType).pixmap(32, 32));
    icon->setGeometry(ToQRect(*layout.Icon));
  }

  form->Title = new QLabel(client);
  form->Title->setFont(TitleFont());
  form->Title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  form->Title->setText(form->windowTitle());
  form->Title->setGeometry(0, layout.Title.Top, layout.ClientWidth,
                           QFontMetrics(form->Title->font()).height());

  form->FMessageText = QString(lines).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  form->Message = new TTransparentMemo(client);
  form->Message->setObjectName(QStringLiteral("Message"));
  form->Message->setFrameShape(QFrame::NoFrame);
  form->Message->setReadOnly(true);
  form->Message->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  form->Message->setTabStopDistance(TabStopDistance(metrics));
  form->Message->document()->setDocumentMargin(0);
  form->Message->setPlainText(lines);
  form->Message->setVerticalScrollBarPolicy(layout.MemoScrollBar ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
  form->Message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  form->Message->setGeometry(ToQRect(layout.Memo));

  form->ButtonPanel = new QWidget(client);
  PaintWith(form->ButtonPanel, WithLuminance(FormColor, 200));
  form->ButtonPanel->setGeometry(ToQRect(layout.Band));

  const QFont buttonFont = FormFont(10);
  for (const TLayoutButton& placed : layout.ButtonBounds)
    form->AddButton(placed, layout, buttonFont);
  return form;
}
