#pragma once
// TComponent: an object with an owner, a name and a tag.
//
// Ownership: a component created with an owner is freed by that owner's destruction, unless it
// was destroyed before (a component removes itself from its owner when it dies). So a window may
// hold its components as members (they die first, with the window's own destructor) or create
// them with `new` and the window as owner.
//
// Removal notice: when a component dies, its owner and every owned component of that owner are
// told (Notification with opRemove), and so is every component that asked with FreeNotification.
// Components that keep a pointer to another one (a button's drop-down menu, a control's action)
// clear it there.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Persistent.h"

enum TOperation : std::uint8_t { opInsert, opRemove };

// Component state flags.
using TComponentState = unsigned;
constexpr TComponentState csLoading = 1u << 0;
constexpr TComponentState csDestroying = 1u << 1;
constexpr TComponentState csDesigning = 1u << 2; // hosted by a form designer (never at run time)

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const wchar_t* ClassName() const override { return L"TComponent"; }

    TComponent* Owner() const noexcept { return owner_; }
    const std::wstring& Name() const noexcept { return name_; }
    void SetName(const std::wstring& value) { name_ = value; }
    std::intptr_t Tag() const noexcept { return tag_; }
    void SetTag(std::intptr_t value) noexcept { tag_ = value; }

    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(const std::wstring& name) const;

    TComponentState ComponentState() const noexcept { return state_; }
    bool Designing() const noexcept { return (state_ & csDesigning) != 0; }
    // Design mode exists for completeness (the look a designer would show); tests switch it on.
    void SetDesigning(bool value);

    // Asks to be told (Notification opRemove) when AComponent is destroyed. Mutual: either side
    // dying removes the link.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component now (derived destructors call this while they are whole).
    void DestroyComponents();

protected:
    // Told when AComponent is inserted into or removed from the owner, or is being destroyed.
    // The default passes the notice to every owned component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    void SetComponentStateFlag(TComponentState flag, bool on) {
        state_ = on ? (state_ | flag) : (state_ & ~flag);
    }

private:
    void NotifyAndForget(TComponent* dying);

    TComponent* owner_ = nullptr;
    std::wstring name_;
    std::intptr_t tag_ = 0;
    TComponentState state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};
