// Test entry for suites that need widgets: the application lives on main's stack, so it is gone
// before the library's own statics are destroyed.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen"); // also when only listing the tests
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
