#include "ModuleOptions.h"

#include "Errors.h"

#include <gtest/gtest.h>

TEST(ModuleOptions, LooksPicturesUpByIdentity) {
  TModuleOptions options;
  int first = 0, second = 0, unknown = 0;
  options.AddModule(&first, "Treasury.exe", true);
  options.AddModule(&second, "Devices.exe", false);

  TModuleOptions::TModuleInfo info;
  EXPECT_TRUE(options.TryGetModule(&first, info));
  EXPECT_EQ(info, TModuleOptions::TModuleInfo("Treasury.exe", true));
  EXPECT_TRUE(options.TryGetModule(&second, info));
  EXPECT_EQ(info, TModuleOptions::TModuleInfo("Devices.exe", false));
  EXPECT_FALSE(options.TryGetModule(&unknown, info));
  EXPECT_EQ(info, TModuleOptions::TModuleInfo());
  EXPECT_FALSE(options.TryGetModule(nullptr, info));

  EXPECT_THROW(options.AddModule(&first, "Other.exe", true), platform::EError);
}
