// Shared pieces of the framework tests: a form on the test platform and a subscriber that logs messages.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/GfxDevice.h"
#include "framework/platform/TestPlatform.h"

namespace zelmar {

// A device subscriber that writes every message into a shared log and refuses the messages it is told to.
class LoggingSubscriber : public TGfxDeviceSubscriber {
 public:
  LoggingSubscriber(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TGfxDeviceSubscriber(owner), name_(std::move(name)), log_(log) {}

  std::set<int> Refuse;

  bool HandleMessage(int msg) override {
    log_.push_back(name_ + ":" + std::to_string(msg));
    return Refuse.count(msg) == 0;
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

// The test platform with its application and a form owning the components under test.
struct TestStage {
  platform::TestPlatform Platform;
  TApplication Application{Platform};
  TForm Form{Application, platform::WindowSettings{"Test", 640, 480}};
};

}  // namespace zelmar
