// Publisher and subscribers: the device tells the components bound to it (canvas, images, fonts, loader)
// that it was created, lost, restored or destroyed, and brackets each scene.
#pragma once

#include <vector>

#include "framework/Component.h"

namespace zelmar {

// Messages the device sends to its subscribers.
enum DeviceMessage : int {
  msgDeviceCreated = 256,
  msgDeviceDestroyed = 257,
  msgDeviceLost = 258,
  msgDeviceRestored = 259,
  msgSceneBegin = 260,
  msgSceneEnd = 261,
  msgFlushRequest = 513,
};

class TGfxSubscriber;

class TGfxPublisher : public TComponent {
 public:
  explicit TGfxPublisher(TComponent* owner);
  ~TGfxPublisher() override;

  // Appends a subscriber unless it is already in the list.
  void Subscribe(TGfxSubscriber* subscriber);
  // Removes a subscriber and closes the gap.
  void Unsubscribe(TGfxSubscriber* subscriber);
  // Sends a message to every subscriber in list order, stopping at the first that refuses it; true when no
  // subscriber refused.
  bool Notify(int msg);

  const std::vector<TGfxSubscriber*>& Subscribers() const { return subscribers_; }

 private:
  std::vector<TGfxSubscriber*> subscribers_;
};

class TGfxSubscriber : public TComponent {
 public:
  explicit TGfxSubscriber(TComponent* owner);
  ~TGfxSubscriber() override;

  TGfxPublisher* Publisher() const { return publisher_; }
  // Leaves the old publisher and subscribes to the new one (null: none). A publisher of a class this
  // subscriber does not accept is ignored.
  void SetPublisher(TGfxPublisher* publisher);

  // Handles one message; false refuses it. The default accepts everything and does nothing.
  virtual bool HandleMessage(int msg);
  // Whether `publisher` is of the class this subscriber binds to.
  virtual bool AcceptsPublisher(const TGfxPublisher* publisher) const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TGfxPublisher;
  TGfxPublisher* publisher_ = nullptr;
};

class TGfxDevice;

// A subscriber bound to the rendering device.
class TGfxDeviceSubscriber : public TGfxSubscriber {
 public:
  explicit TGfxDeviceSubscriber(TComponent* owner) : TGfxSubscriber(owner) {}
  bool AcceptsPublisher(const TGfxPublisher* publisher) const override;
  TGfxDevice* Device() const;
};

}  // namespace zelmar
