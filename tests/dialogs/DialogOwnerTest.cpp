#include "DialogOwner.h"
#include "QM.VCL.Dialogs.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// While a message is open, the window it belongs to takes no clicks, but the program's other
// windows do: the notification icon is one, and its menu holds "Fecha…".
TEST(DialogOwner, AMessageBlocksTheWindowItBelongsToAndNoOther) {
  QWidget menu;
  menu.setGeometry(0, 0, 400, 300);
  auto* zone = new QPushButton(QStringLiteral("zone"), &menu);
  QPushButton icon(QStringLiteral("icon"));
  icon.setGeometry(500, 0, 40, 40);
  icon.show();
  menu.show();
  SetMainForm(&menu);
  menu.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
  int zoneClicks = 0, iconClicks = 0;
  QObject::connect(zone, &QPushButton::clicked, [&] { ++zoneClicks; });
  QObject::connect(&icon, &QPushButton::clicked, [&] { ++iconClicks; });

  TMessageForm* form = CreateMessageForm("m", TMsgDlgType::mtInformation, 0);
  QTimer::singleShot(0, form, [&, form] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    // Through the window system, as a real click comes: a blocked window never sees it.
    QTest::mouseClick(icon.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {}, zone->geometry().center());
    form->done(1);
  });
  QTimer::singleShot(5000, form, [form] { form->done(-99); });
  EXPECT_EQ(ShowMessageForm(form, 0, -1, -1, QString()), 1);
  EXPECT_EQ(iconClicks, 1);
  EXPECT_EQ(zoneClicks, 0);
  SetMainForm(nullptr);
}
