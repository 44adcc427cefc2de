// Shows one message dialog of a chosen type and button set, for looking at it and for
// screenshots: norvane-dialog-demo TYPE [BUTTONS] [MESSAGE] [--save FILE.png]
//   TYPE     warning | error | information | confirmation | custom
//   BUTTONS  comma-separated names: Yes,No,OK,Cancel,Abort,Retry,Ignore,All,NoToAll,YesToAll,
//            Help,Close (empty: the type's usual buttons)
// With --save the dialog is drawn into FILE.png and the program ends; otherwise it runs modally
// and prints the result.
#include "QM.VCL.Dialogs.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {
bool ParseType(const char* text, TMsgDlgType& type) {
  const char* names[] = {"warning", "error", "information", "confirmation", "custom"};
  for (int i = 0; i < 5; ++i)
    if (std::strcmp(text, names[i]) == 0) {
      type = TMsgDlgType(i);
      return true;
    }
  return false;
}

bool ParseButtons(const QString& text, TDialogButtons& buttons) {
  buttons = 0;
  for (const QString& name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    int found = -1;
    for (int b = 0; b < DialogButtonCount; ++b)
      if (name.compare(QLatin1String(ButtonTable[b].Name), Qt::CaseInsensitive) == 0)
        found = b;
    if (found < 0)
      return false;
    buttons |= ButtonBit(TDialogButton(found));
  }
  return true;
}
} // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Norvane - Marund"));
  QStringList args = QApplication::arguments().mid(1);
  QString save;
  if (const int at = int(args.indexOf(QStringLiteral("--save"))); at >= 0 && at + 1 < args.size()) {
    save = args[at + 1];
    args.remove(at, 2);
  }
  TMsgDlgType type;
  TDialogButtons buttons = 0;
  if (args.isEmpty() || !ParseType(args[0].toUtf8().constData(), type) ||
      !ParseButtons(args.value(1), buttons)) {
    std::fprintf(stderr, "usage: norvane-dialog-demo TYPE [BUTTONS] [MESSAGE] [--save FILE.png]\n");
    return 64;
  }
  const QString message = args.value(2, QStringLiteral("Mensagem de exemplo."));
  TMessageForm* form = CreateMessageForm(message, type, buttons);
  if (!save.isEmpty()) {
    QTimer::singleShot(300, form, [form, save] { form->done(form->grab().save(save) ? 0 : 1); });
    return ShowMessageForm(form, 0, -1, -1, QString());
  }
  std::printf("%d\n", ShowMessageForm(form, 0, -1, -1, QString()));
  return 0;
}
