#include "QM.VCL.Dialogs.h"

#include "DialogServices.h"
#include "Errors.h"
#include "TransparentMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
using B = TDialogButton;


// Shows the form modally, runs `action` once it is up, and returns the modal result
// (-99 when the dialog did not end within five seconds).
int RunModal(TMessageForm* form, const std::function<void(TMessageForm*)>& action, int x = -1,
             int y = -1) {
  QTimer::singleShot(0, form, [form, action] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    action(form);
  });
  QTimer::singleShot(5000, form, [form] { form->done(-99); });
  return ShowMessageForm(form, 0, x, y, QString());
}

QWidget* Focused(TMessageForm* form) {
  return form->focusWidget() ? form->focusWidget() : form;
}

// A key press and release delivered as the application delivers them (filters, then the
// focused widget, then its parents).
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QString text = key == Qt::Key_C && !(modifiers & Qt::ControlModifier) ? "c" : QString();
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

struct Dialogs : ::testing::Test {
  TDialogServices Saved;
  QStringList Errors;
  QString Clipboard;
  std::vector<std::pair<int, QString>> HelpAsked;
  void SetUp() override {
    Saved = DialogServices();
    DialogServices().SetClipboardText = [this](const QString& t) { Clipboard = t; };
    DialogServices().ShowError = [this](const QString& t) { Errors << t; };
    DialogServices().ShowHelp = [this](int c, const QString& f) { HelpAsked.emplace_back(c, f); };
  }
  void TearDown() override { DialogServices() = Saved; }
};
} // namespace

TEST_F(Dialogs, EachButtonEndsTheDialogWithItsResult) {
  for (int b = 0; b < DialogButtonCount; ++b) {
    if (B(b) == B::Help)
      continue;
    TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtWarning, 0x0FFF);
    const int result = RunModal(form, [b](TMessageForm* f) { f->Button(B(b))->click(); });
    EXPECT_EQ(result, ButtonTable[b].Result) << ButtonTable[b].Name;
  }
}

TEST_F(Dialogs, EnterPressesTheDefaultAndEscTheCancelButton) {
  struct Case {
    TMsgDlgType type;
    TDialogButtons buttons;
    int key, expected;
  } cases[] = {
      {TMsgDlgType::mtInformation, 0, Qt::Key_Return, 1},
      {TMsgDlgType::mtInformation, 0, Qt::Key_Escape, 1}, // OK is also the cancel choice
      {TMsgDlgType::mtConfirmation, 0, Qt::Key_Return, 6},
      {TMsgDlgType::mtConfirmation, 0, Qt::Key_Escape, 7},
      {TMsgDlgType::mtWarning, ButtonBit(B::Yes) | ButtonBit(B::Cancel), Qt::Key_Escape, 3},
  };
  for (const auto& c : cases) {
    TMessageForm* form = CreateMessageForm("m", c.type, c.buttons);
    EXPECT_EQ(RunModal(form, [&](TMessageForm* f) { PressKey(Focused(f), Qt::Key(c.key)); }),
              c.expected)
        << int(c.type) << " " << c.key;
  }
  // Without a cancel choice among the buttons Esc does nothing.
  TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtWarning, ButtonBit(B::Retry));
  EXPECT_EQ(RunModal(form,
                     [](TMessageForm* f) {
                       PressKey(Focused(f), Qt::Key_Escape);
                       QTimer::singleShot(100, f, [f] { f->done(42); });
                     }),
            42);
}

TEST_F(Dialogs, TheDefaultButtonHasTheFocusWhenTheDialogShows) {
  struct Case {
    TMsgDlgType type;
    std::vector<Qt::Key> keys;
    int expected;
  } cases[] = {
      {TMsgDlgType::mtInformation, {Qt::Key_Space}, 1},                // Space presses OK
      {TMsgDlgType::mtConfirmation, {Qt::Key_Space}, 6},               // the default: Sim
      {TMsgDlgType::mtConfirmation, {Qt::Key_Tab, Qt::Key_Return}, 7}, // Tab to Não, Enter
  };
  for (const auto& c : cases) {
    TMessageForm* form = CreateMessageForm("Deseja continuar?", c.type, 0);
    EXPECT_EQ(RunModal(form,
                       [&](TMessageForm* f) {
                         EXPECT_EQ(
                             Focused(f),
                             f->Button(c.type == TMsgDlgType::mtInformation ? B::OK : B::Yes));
                         for (const Qt::Key key : c.keys)
                           QTest::keyClick(Focused(f), key);
                       }),
              c.expected)
        << int(c.type) << " " << c.keys.size();
  }
}

TEST_F(Dialogs, TabStopsAreEightAverageCharactersAndIgnoreIsNoWasteBin) {
  TMessageForm* form = CreateMessageForm("a\tb", TMsgDlgType::mtWarning, ButtonBit(B::Ignore));
  const QFontMetrics metrics(form->font());
  const int average = metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                      52;
  EXPECT_EQ(form->findChild<TTransparentMemo*>(QStringLiteral("Message"))->tabStopDistance(),
            8 * average);
  const QImage ignore = form->Button(B::Ignore)->icon().pixmap(16, 16).toImage();
  const QImage bin =
      form->style()->standardIcon(QStyle::SP_DialogDiscardButton).pixmap(16, 16).toImage();
  EXPECT_FALSE(ignore.isNull());
  EXPECT_NE(ignore, bin);
  delete form;
}

TEST_F(Dialogs, EveryCaptionFitsItsBoxInTheSuitesFace) {
  for (const TMsgDlgType type : {TMsgDlgType::mtWarning, TMsgDlgType::mtError,
                                 TMsgDlgType::mtInformation, TMsgDlgType::mtConfirmation}) {
    TMessageForm* form = CreateMessageForm("m", type, 0x0FFF);
    EXPECT_EQ(QFontInfo(form->font()).family(), QStringLiteral("Open Sans"));
    const auto* title = form->findChild<QLabel*>();
    for (const QLabel* label : form->findChildren<QLabel*>())
      if (!label->text().isEmpty()) {
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
        EXPECT_LE(QFontMetrics(label->font()).height(), label->height());
      }
    for (int b = 0; b < DialogButtonCount; ++b) {
      const QPushButton* button = form->Button(B(b));
      const QString caption = QString(button->text()).remove(QLatin1Char('&'));
      const int needed =
          QFontMetrics(button->font()).horizontalAdvance(caption) + button->iconSize().width();
      EXPECT_LE(needed, button->width()) << ButtonTable[b].Name;
    }
    (void)title;
    delete form;
  }
}

TEST_F(Dialogs, CtrlCCopiesTheDialogTextExactly) {
  TMessageForm* form = CreateMessageForm("abc", TMsgDlgType::mtInformation, 0);
  const QString dashes = QString(27, '-') + "\r\n";
  const QString expected = dashes + QString::fromUtf8("Informação") + "\r\n" + dashes + "abc\r\n" +
                           dashes + "OK   \r\n" + dashes;
  EXPECT_EQ(form->GetDialogText(), expected);
  RunModal(form, [](TMessageForm* f) {
    PressKey(Focused(f), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    PressKey(Focused(f), Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    PressKey(Focused(f), Qt::Key_C);
    QTimer::singleShot(50, f, [f] { f->done(1); });
  });
  EXPECT_TRUE(Clipboard.isEmpty());

  form = CreateMessageForm("abc", TMsgDlgType::mtInformation, 0);
  RunModal(form, [](TMessageForm* f) {
    PressKey(Focused(f), Qt::Key_C, Qt::ControlModifier);
    QTimer::singleShot(50, f, [f] { f->done(1); });
  });
  EXPECT_EQ(Clipboard, expected);
}

TEST_F(Dialogs, CtrlCIntoTheRealClipboard) {
  DialogServices().SetClipboardText = Saved.SetClipboardText;
  TMessageForm* form = CreateMessageForm("linha 1\nlinha 2\rlinha 3", TMsgDlgType::mtError,
                                         ButtonBit(B::Yes) | ButtonBit(B::No));
  RunModal(form, [](TMessageForm* f) {
    PressKey(Focused(f), Qt::Key_C, Qt::ControlModifier);
    QTimer::singleShot(50, f, [f] { f->done(1); });
  });
  const QString dashes = QString(27, '-') + "\r\n";
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            dashes + "Falha\r\n" + dashes + "linha 1\r\nlinha 2\r\nlinha 3\r\n" + dashes +
                "Sim   Não   \r\n" + dashes);
}

TEST_F(Dialogs, AnUnavailableClipboardIsReportedAndTheDialogStays) {
  DialogServices().SetClipboardText = [](const QString&) {
    throw platform::EError("Cannot open clipboard");
  };
  TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtInformation, 0);
  bool stillOpen = false;
  RunModal(form, [&](TMessageForm* f) {
    PressKey(Focused(f), Qt::Key_C, Qt::ControlModifier);
    QTimer::singleShot(50, f, [&, f] {
      stillOpen = f->isVisible();
      f->done(1);
    });
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Errors, QStringList{"Cannot open clipboard"});
}

TEST_F(Dialogs, HelpAsksForHelpAndKeepsTheDialogOpen) {
  TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtInformation,
                                         ButtonBit(B::OK) | ButtonBit(B::Help));
  QTimer::singleShot(0, form, [form] {
    form->Button(B::Help)->click();
    QTimer::singleShot(50, form, [form] { form->done(form->isVisible() ? 77 : 0); });
  });
  EXPECT_EQ(ShowMessageForm(form, 1234, -1, -1, "ajuda.chm"), 77);
  ASSERT_EQ(HelpAsked.size(), 1u);
  EXPECT_EQ(HelpAsked[0], std::make_pair(1234, QString("ajuda.chm")));
}

TEST_F(Dialogs, PlacesTheDialogAsAsked) {
  struct Case {
    int x, y;
  } cases[] = {{-1, -1}, {100, -1}, {-1, 50}, {0, 0}};
  for (const auto& c : cases) {
    TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtInformation, 0);
    const QPoint computed = form->pos();
    QPoint shownAt;
    RunModal(
        form,
        [&](TMessageForm* f) {
          shownAt = f->pos();
          f->done(1);
        },
        c.x, c.y);
    EXPECT_EQ(shownAt.x(), c.x >= 0 ? c.x : computed.x()) << c.x << "," << c.y;
    EXPECT_EQ(shownAt.y(), c.y >= 0 ? c.y : computed.y()) << c.x << "," << c.y;
  }
}

TEST_F(Dialogs, BuildsTheLookOfTheSuite) {
  std::unique_ptr<TMessageForm> form(CreateMessageForm("Mensagem", TMsgDlgType::mtConfirmation, 0));
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Confirmação"));
  EXPECT_EQ(form->TitleLabel()->text(), form->windowTitle());
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_NEAR(form->windowOpacity(), 245 / 255.0, 0.01);
  EXPECT_EQ(form->Panel()->palette().color(QPalette::Window), QColor(212, 212, 212));
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(245, 245, 245));
  EXPECT_NE(form->findChild<QLabel*>("Image"), nullptr);
  EXPECT_TRUE(form->MessageMemo()->isReadOnly());
  EXPECT_EQ(form->MessageMemo()->toPlainText(), "Mensagem");
  EXPECT_TRUE(form->Button(B::Yes)->isDefault());
  EXPECT_EQ(form->CancelButton(), form->Button(B::No));
  EXPECT_EQ(form->Button(B::No)->text(), QString::fromUtf8("&Não"));
  EXPECT_EQ(form->Button(B::Yes)->font().pointSize(), 10);

  std::unique_ptr<TMessageForm> custom(CreateMessageForm("m", TMsgDlgType::mtCustom, 0));
  EXPECT_EQ(custom->findChild<QLabel*>("Image"), nullptr);
  EXPECT_EQ(custom->windowTitle(), QCoreApplication::applicationName());
}

TEST_F(Dialogs, HugeMessagesScrollWithinHalfTheScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  QString lines;
  for (int i = 0; i < 5000; ++i)
    lines += QString("linha %1\r\n").arg(i);
  for (const QString& message : {lines, QString(100000, 'x'), QString("a\tb\r\nc\rd\ne")}) {
    std::unique_ptr<TMessageForm> form(CreateMessageForm(message, TMsgDlgType::mtWarning, 0));
    EXPECT_LE(form->height(), screen.height() / 2 + 200);
    EXPECT_LE(form->width(), screen.width() / 2 + 200);
  }
  std::unique_ptr<TMessageForm> tall(CreateMessageForm(lines, TMsgDlgType::mtWarning, 0));
  EXPECT_EQ(tall->MessageMemo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(Dialogs, FormattedMessagesFailBeforeAnyDialog) {
  EXPECT_THROW(ShowMessageDialogFmt("Módulo não instalado.\r\n%s", {}, TMsgDlgType::mtInformation,
                                    0, 0),
               platform::EError);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<TMessageForm*>(w), nullptr);
}

