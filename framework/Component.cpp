#include "framework/Component.h"

#include <algorithm>

namespace zelmar {

// Joins the owner's list; the siblings hear of it through AnnounceToOwner once the object is complete.
TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

// Leaves the owner's list and tells the remaining siblings, so none keeps a reference to this component.
TComponent::~TComponent() {
  for (TComponent* child : components_) child->owner_ = nullptr;
  if (!owner_) return;
  auto& siblings = owner_->components_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  owner_->NotifySiblings(this, TOperation::opRemove);
}

// Does nothing by default.
void TComponent::Notification(TComponent*, TOperation) {}

// Tells every other component of the owner that this one was inserted.
void TComponent::AnnounceToOwner() {
  if (owner_) owner_->NotifySiblings(this, TOperation::opInsert);
}

// Calls Notification on the owner and each of its components except the one concerned.
void TComponent::NotifySiblings(TComponent* component, TOperation operation) {
  Notification(component, operation);
  const std::vector<TComponent*> snapshot = components_;
  for (TComponent* child : snapshot) {
    if (child != component) child->Notification(component, operation);
  }
}

}  // namespace zelmar
