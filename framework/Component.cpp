#include "framework/Component.h"

#include <algorithm>

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    DestroyComponents();
    // Tell everybody who asked, then drop the links both ways.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        Erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    for (TComponent* c : components_)
        if (c->name_ == name) return c;
    return nullptr;
}

void TComponent::SetDesigning(bool value) {
    SetComponentStateFlag(csDesigning, value);
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
    if (std::find(AComponent->freeNotifies_.begin(), AComponent->freeNotifies_.end(), this) ==
        AComponent->freeNotifies_.end())
        AComponent->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    Erase(freeNotifies_, AComponent);
    Erase(AComponent->freeNotifies_, this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this) return;
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    if (state_ & csDesigning) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this) return;
    Notification(AComponent, opRemove);
    Erase(components_, AComponent);
    AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        NotifyAndForget(c);
        delete c;
    }
}

void TComponent::NotifyAndForget(TComponent* dying) { Notification(dying, opRemove); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) RemoveFreeNotification(AComponent);
    // Copy-free loop: an owned component may not remove itself while being notified.
    for (size_t i = 0; i < components_.size(); ++i)
        if (components_[i] != AComponent) components_[i]->Notification(AComponent, Operation);
}
