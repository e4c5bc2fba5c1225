#include "framework/Actions.h"

#include <algorithm>

#include "framework/Control.h"

// ---- TBasicAction ----

TBasicAction::~TBasicAction() {
    while (!links_.empty()) links_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterLink(TActionLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TBasicAction::UnregisterLink(TActionLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TBasicAction::Change() {
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->Change();
}

// ---- TAction ----

void TAction::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->SetCaption(value);
    caption_ = value;
    Change();
}

void TAction::SetChecked(bool value) {
    if (value == checked_) return;
    // The links see the old state while they decide whether they follow it.
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->SetChecked(value);
    checked_ = value;
    Change();
}

void TAction::SetEnabled(bool value) {
    if (value == enabled_) return;
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->SetEnabled(value);
    enabled_ = value;
    Change();
}

void TAction::SetHint(const std::wstring& value) {
    if (value == hint_) return;
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->SetHint(value);
    hint_ = value;
    Change();
}

void TAction::SetVisible(bool value) {
    if (value == visible_) return;
    for (size_t i = 0; i < links_.size(); ++i) links_[i]->SetVisible(value);
    visible_ = value;
    Change();
}

bool TAction::Execute() {
    if (!enabled_) return false;
    if (autoCheck_) SetChecked(!checked_);
    return TBasicAction::Execute();
}

// ---- TActionLink ----

TActionLink::~TActionLink() {
    if (action_) action_->UnregisterLink(this);
}

void TActionLink::SetAction(TBasicAction* value) {
    if (value == action_) return;
    if (action_) action_->UnregisterLink(this);
    action_ = value;
    if (action_) action_->RegisterLink(this);
}

bool TActionLink::Execute(TComponent*) { return action_ && action_->Execute(); }

bool TActionLink::IsCaptionLinked() const { return dynamic_cast<TAction*>(action_) != nullptr; }
bool TActionLink::IsCheckedLinked() const { return dynamic_cast<TAction*>(action_) != nullptr; }
bool TActionLink::IsEnabledLinked() const { return dynamic_cast<TAction*>(action_) != nullptr; }
bool TActionLink::IsHintLinked() const { return dynamic_cast<TAction*>(action_) != nullptr; }
bool TActionLink::IsVisibleLinked() const { return dynamic_cast<TAction*>(action_) != nullptr; }

// ---- TControlActionLink ----

bool TControlActionLink::IsCaptionLinked() const {
    const auto* a = dynamic_cast<TAction*>(action_);
    return a && client_ && client_->Caption() == a->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    const auto* a = dynamic_cast<TAction*>(action_);
    return a && client_ && client_->Enabled() == a->Enabled();
}

bool TControlActionLink::IsHintLinked() const {
    const auto* a = dynamic_cast<TAction*>(action_);
    return a && client_ && client_->Hint() == a->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    const auto* a = dynamic_cast<TAction*>(action_);
    return a && client_ && client_->Visible() == a->Visible();
}

void TControlActionLink::SetCaption(const std::wstring& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TControlActionLink::SetHint(const std::wstring& value) {
    if (IsHintLinked()) client_->SetHint(value);
}

void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}

void TControlActionLink::Change() {
    if (client_ && action_) client_->ActionChange(action_, false);
}
