#include "DropShadow.h"
#include "QM.VCL.Dialogs.h"

#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

TEST(DropShadow, FallsRightOfAndBelowTheWindowAndFadesOut) {
  const QSize window(100, 50);
  struct Case {
    QPoint at;
    int shade;
  } cases[] = {
      {{50, 25}, 0},   {{99, 49}, 0},  // the window itself
      {{100, 25}, 110}, {{50, 50}, 110}, {{103, 53}, 110}, // beside, below, the corner
      {{104, 25}, 88},  {{108, 25}, 0},                    // its outer edge fades out
      {{100, 0}, 22},   {{0, 50}, 22},                     // so do its near ends
      {{107, 57}, 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TDropShadow::ShadeAt(window, c.at), c.shade) << c.at.x() << "," << c.at.y();
}

TEST(DropShadow, DarkensWhatIsBeneathAndFollowsTheDialog) {
  QWidget beneath;
  beneath.setAutoFillBackground(true);
  beneath.setPalette(QPalette(QColor(255, 0, 0)));
  beneath.setGeometry(QGuiApplication::primaryScreen()->geometry());
  beneath.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&beneath));

  std::unique_ptr<TMessageForm> form(CreateMessageForm("m", TMsgDlgType::mtInformation, 0));
  form->move(100, 100);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto* shadow = form->findChild<TDropShadow*>(QStringLiteral("DropShadow"));
  ASSERT_NE(shadow, nullptr);
  const auto followsTheForm = [&] {
    const QRect frame = form->frameGeometry();
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(shadow->geometry(), QRect(frame.topLeft(), frame.size() + QSize(8, 8)));
    EXPECT_FALSE(shadow->mask().contains(QPoint(frame.width() - 1, frame.height() - 1)));
    EXPECT_TRUE(shadow->mask().contains(QPoint(frame.width(), frame.height() / 2)));
    const QColor beside = shadow->grab().toImage().pixelColor(frame.width(), frame.height() / 2);
    EXPECT_NEAR(beside.red(), 255 * (255 - 110) / 255, 2);
    EXPECT_EQ(beside.green(), 0); // the red beneath, not a colour of its own
  };
  followsTheForm();

  form->move(300, 200); // a drag: the shadow waits until it ends
  EXPECT_FALSE(shadow->isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shadow->isVisible(); }, 2000));
  followsTheForm();

  form->hide();
  EXPECT_FALSE(shadow->isVisible());
}
