#include "framework/GfxPublisher.h"

#include <algorithm>

#include "framework/GfxDevice.h"

namespace zelmar {

// A publisher with no subscribers yet.
TGfxPublisher::TGfxPublisher(TComponent* owner) : TComponent(owner) {}

// Clears the reference of every subscriber still in the list.
TGfxPublisher::~TGfxPublisher() {
  for (TGfxSubscriber* subscriber : subscribers_) subscriber->publisher_ = nullptr;
  subscribers_.clear();
}

// Appends the subscriber unless it is already there; list order is notification order.
void TGfxPublisher::Subscribe(TGfxSubscriber* subscriber) {
  if (!subscriber) return;
  if (std::find(subscribers_.begin(), subscribers_.end(), subscriber) != subscribers_.end()) return;
  subscribers_.push_back(subscriber);
}

// Removes the subscriber, keeping the order of the rest.
void TGfxPublisher::Unsubscribe(TGfxSubscriber* subscriber) {
  subscribers_.erase(std::remove(subscribers_.begin(), subscribers_.end(), subscriber), subscribers_.end());
}

// Sends `msg` in list order and stops at the first refusal. A snapshot of the list is walked, so a
// subscriber may leave while it handles the message.
bool TGfxPublisher::Notify(int msg) {
  const std::vector<TGfxSubscriber*> snapshot = subscribers_;
  for (TGfxSubscriber* subscriber : snapshot) {
    if (std::find(subscribers_.begin(), subscribers_.end(), subscriber) == subscribers_.end()) continue;
    if (!subscriber->HandleMessage(msg)) return false;
  }
  return true;
}

// A subscriber bound to no publisher yet.
TGfxSubscriber::TGfxSubscriber(TComponent* owner) : TComponent(owner) {}

// Leaves the publisher's list.
TGfxSubscriber::~TGfxSubscriber() {
  SetPublisher(nullptr);
}

// Moves from the old publisher to the new one; a publisher of a class not accepted is ignored.
void TGfxSubscriber::SetPublisher(TGfxPublisher* publisher) {
  if (publisher && !AcceptsPublisher(publisher)) return;
  if (publisher == publisher_) return;
  if (publisher_) publisher_->Unsubscribe(this);
  publisher_ = publisher;
  if (publisher_) publisher_->Subscribe(this);
}

// Accepts and ignores every message.
bool TGfxSubscriber::HandleMessage(int) {
  return true;
}

// Any publisher will do.
bool TGfxSubscriber::AcceptsPublisher(const TGfxPublisher* publisher) const {
  return publisher != nullptr;
}

// Drops a publisher that leaves the owner; takes an accepted publisher that joins it while none is set.
void TGfxSubscriber::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  auto* publisher = dynamic_cast<TGfxPublisher*>(component);
  if (!publisher) return;
  if (operation == TOperation::opRemove && publisher == publisher_) {
    SetPublisher(nullptr);
  } else if (operation == TOperation::opInsert && !publisher_ && AcceptsPublisher(publisher)) {
    SetPublisher(publisher);
  }
}

// Only the rendering device.
bool TGfxDeviceSubscriber::AcceptsPublisher(const TGfxPublisher* publisher) const {
  return dynamic_cast<const TGfxDevice*>(publisher) != nullptr;
}

// The device this subscriber is bound to.
TGfxDevice* TGfxDeviceSubscriber::Device() const {
  return static_cast<TGfxDevice*>(Publisher());
}

}  // namespace zelmar
