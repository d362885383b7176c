#include <gtest/gtest.h>

#include "GfxTestSupport.h"

namespace zelmar {

namespace {

TEST(ApplicationTest, EachPassRunsEventsThenQueuedCallsThenIdle) {
  platform::TestPlatform platform;
  TApplication app(platform);
  std::vector<std::string> order;
  app.SetSynchronizeHook([&] { order.push_back("sync pumps=" + std::to_string(platform.Pumps)); });
  app.SetIdleHandler([&] {
    order.push_back("idle");
    return false;
  });
  EXPECT_TRUE(app.ProcessOnce());
  EXPECT_EQ(order, (std::vector<std::string>{"sync pumps=1", "idle"}));
  EXPECT_EQ(platform.Time.Now, 0u);  // idle wants more: no waiting
}

TEST(ApplicationTest, CloseRequestEndsTheLoopUnlessRefused) {
  platform::TestPlatform platform;
  TApplication app(platform);
  int idles = 0;
  app.SetIdleHandler([&] { return ++idles >= 3 && (platform.CloseRequested = true); });
  bool allow = false;
  app.OnCloseQuery = [&](bool& a) { a = allow; };
  EXPECT_TRUE(app.ProcessOnce());
  EXPECT_TRUE(app.ProcessOnce());
  EXPECT_TRUE(app.ProcessOnce());  // asks to close at the end of this pass
  EXPECT_TRUE(app.ProcessOnce());  // refused
  EXPECT_FALSE(app.Terminated());
  allow = true;
  app.Run();  // the next request ends it
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(app.ProcessOnce());
}

TEST(ApplicationTest, TerminateFromInsideThePassSkipsTheRest) {
  platform::TestPlatform platform;
  TApplication app(platform);
  bool idled = false;
  app.SetSynchronizeHook([&] { app.Terminate(); });
  app.SetIdleHandler([&] { return idled = true; });
  app.Run();
  EXPECT_FALSE(idled);
  EXPECT_EQ(platform.Pumps, 1);
}

}  // namespace

}  // namespace zelmar
