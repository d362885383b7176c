#include <gtest/gtest.h>

#include "GfxTestSupport.h"

namespace zelmar {

namespace {

struct PublisherTest : ::testing::Test {
  TestStage Stage;
  std::vector<std::string> Log;
};

TEST_F(PublisherTest, SubscribersAreKeptOnceInInsertionOrder) {
  TGfxDevice device(&Stage.Form, Stage.Platform);
  LoggingSubscriber a(&Stage.Form, "a", Log), b(&Stage.Form, "b", Log);
  b.SetPublisher(&device);
  a.SetPublisher(&device);
  device.Subscribe(&b);
  EXPECT_EQ(device.Subscribers(), (std::vector<TGfxSubscriber*>{&b, &a}));
  EXPECT_TRUE(device.Notify(msgFlushRequest));
  EXPECT_EQ(Log, (std::vector<std::string>{"b:513", "a:513"}));
  device.Unsubscribe(&b);
  EXPECT_EQ(device.Subscribers(), (std::vector<TGfxSubscriber*>{&a}));
}

TEST_F(PublisherTest, NotifyStopsAtTheFirstRefusal) {
  TGfxDevice device(&Stage.Form, Stage.Platform);
  EXPECT_TRUE(device.Notify(msgSceneBegin));  // nobody listening
  LoggingSubscriber a(&Stage.Form, "a", Log), b(&Stage.Form, "b", Log), c(&Stage.Form, "c", Log);
  for (auto* s : {&a, &b, &c}) s->SetPublisher(&device);
  b.Refuse = {msgSceneBegin};
  EXPECT_FALSE(device.Notify(msgSceneBegin));
  EXPECT_EQ(Log, (std::vector<std::string>{"a:260", "b:260"}));
}

TEST_F(PublisherTest, DestroyingEitherSideUnlinksTheOther) {
  LoggingSubscriber kept(&Stage.Form, "kept", Log);
  {
    TGfxDevice device(&Stage.Form, Stage.Platform);
    kept.SetPublisher(&device);
    {
      LoggingSubscriber gone(&Stage.Form, "gone", Log);
      gone.SetPublisher(&device);
    }
    EXPECT_EQ(device.Subscribers().size(), 1u);
  }
  EXPECT_EQ(kept.Publisher(), nullptr);
}

TEST_F(PublisherTest, DeviceSubscriberBindsOnlyToADevice) {
  TGfxPublisher plain(&Stage.Form);
  LoggingSubscriber s(&Stage.Form, "s", Log);
  s.SetPublisher(&plain);
  EXPECT_EQ(s.Publisher(), nullptr);
  // A device joining the owner becomes the publisher of a subscriber that has none.
  TGfxDevice device(&Stage.Form, Stage.Platform);
  EXPECT_EQ(s.Device(), &device);
  TGfxDevice second(&Stage.Form, Stage.Platform);
  EXPECT_EQ(s.Device(), &device);
}

}  // namespace

}  // namespace zelmar
