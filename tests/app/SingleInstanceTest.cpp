#include "SingleInstance.h"

#include "TempDir.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace testing_support;

TEST(SingleInstance, OnePerUserAndInstallationWhateverTheTemporaryFolder) {
  TempDir runtime, tmpA, tmpB;
  qputenv("XDG_RUNTIME_DIR", runtime.Path().c_str());
  qputenv("TMPDIR", tmpA.Path().c_str());
  TSingleInstance first(QStringLiteral("/opt/norvane/"));
  QSignalSpy asked(&first, &TSingleInstance::ActivationRequested);
  ASSERT_TRUE(first.Claim());

  qputenv("TMPDIR", tmpB.Path().c_str()); // a second launch from another environment
  TSingleInstance second(QStringLiteral("/opt/norvane"));
  EXPECT_FALSE(second.Claim());
  for (int i = 0; i < 50 && asked.isEmpty(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(asked.count(), 1); // the first was asked to come to the front

  TSingleInstance test(QStringLiteral("/opt/norvane-test")); // another installation runs too
  EXPECT_TRUE(test.Claim());

  // Without XDG_RUNTIME_DIR: a private folder of the user's, not the temporary folder.
  qunsetenv("XDG_RUNTIME_DIR");
  const QString fallback = TSingleInstance::RuntimeFolder();
  qputenv("TMPDIR", tmpA.Path().c_str());
  EXPECT_EQ(TSingleInstance::RuntimeFolder(), fallback);
  EXPECT_FALSE(fallback.startsWith(QString::fromStdString(tmpA.Path().string())));
  EXPECT_FALSE(fallback.startsWith(QString::fromStdString(tmpB.Path().string())));
  qunsetenv("TMPDIR");
}
