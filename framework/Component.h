// The base of every framework component: an owner that holds it and hears of its siblings coming and going.
// The owner does not delete its components; they are usually members of the owning form and go before it.
#pragma once

#include <string>
#include <vector>

namespace zelmar {

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  // The components this one owns, in the order they were created.
  const std::vector<TComponent*>& Components() const { return components_; }

  std::string Name;

 protected:
  // Called on every component of an owner when a sibling is announced (opInsert) or leaves (opRemove).
  virtual void Notification(TComponent* component, TOperation operation);
  // Tells the siblings that this component exists; the most derived constructor calls it when the
  // siblings must see the component's final class.
  void AnnounceToOwner();

 private:
  void NotifySiblings(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
};

}  // namespace zelmar
