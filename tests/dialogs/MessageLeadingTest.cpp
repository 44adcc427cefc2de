// In a process of its own: the face that stands in for the suite's is chosen before any font is
// resolved, and Qt keeps what it resolved.
#include "QM.VCL.Dialogs.h"
#include "TransparentMemo.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

// The memo steps its lines by the line spacing (height plus leading): a message measured with
// the height alone lost its last line, with no scroll bar to reach it.
TEST(MessageMemo, ShowsEveryLineOfAMessageInAFaceWithLeading) {
  if (!QFontDatabase::hasFamily(QStringLiteral("C059")))
    GTEST_SKIP() << "C059 (fonts-urw-base35) is not installed";
  QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("C059"));
  std::unique_ptr<TMessageForm> form(
      CreateMessageForm("um\r\ndois\r\ntrês\r\nquatro\r\ncinco\r\nseis", TMsgDlgType::mtWarning, 0));
  ASSERT_TRUE(QFontInfo(form->font()).family().startsWith(QStringLiteral("C059")));
  ASSERT_GT(QFontMetrics(form->font()).leading(), 0) << "the test needs a face with leading";
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  TTransparentMemo* memo = form->MessageMemo();
  EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0); // nothing to scroll to: all of it shows
  QTextCursor last(memo->document()->lastBlock());
  last.movePosition(QTextCursor::EndOfBlock);
  EXPECT_LE(memo->cursorRect(last).bottom(), memo->viewport()->height());
}
