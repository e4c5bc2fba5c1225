#pragma once
// Actions: a command object (caption, checked, enabled, hint, visible, execute handler) that
// several controls can be linked to. A control's action link carries every change of the action
// to the control (the control's ActionChange) and runs the action when the control clicks.
#include <string>
#include <vector>

#include "framework/Component.h"

class TActionLink;
class TControl;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TBasicAction() override;
    const wchar_t* ClassName() const override { return L"TBasicAction"; }

    // Runs OnExecute; true when there was a handler.
    virtual bool Execute();

    TNotifyEvent OnExecute;

    void RegisterLink(TActionLink* link);
    void UnregisterLink(TActionLink* link);

protected:
    // Tells every linked control that the action changed.
    void Change();
    std::vector<TActionLink*> links_;
};

class TAction : public TBasicAction {
public:
    explicit TAction(TComponent* AOwner = nullptr) : TBasicAction(AOwner) {}
    const wchar_t* ClassName() const override { return L"TAction"; }

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& value);
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    bool AutoCheck() const noexcept { return autoCheck_; }
    void SetAutoCheck(bool value) noexcept { autoCheck_ = value; }

    // A disabled action does nothing; AutoCheck flips Checked first.
    bool Execute() override;

private:
    std::wstring caption_;
    std::wstring hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
};

// The link between an action and one client. Each Set* is called by the action before it stores
// the new value; the link passes it on to the client when the matching Is*Linked says so.
class TActionLink : public TObject {
public:
    TActionLink() = default;
    ~TActionLink() override;
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TBasicAction* Action() const noexcept { return action_; }
    void SetAction(TBasicAction* value);
    // Runs the action for the client.
    virtual bool Execute(TComponent* Target);

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsVisibleLinked() const;

    virtual void SetCaption(const std::wstring&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const std::wstring&) {}
    virtual void SetVisible(bool) {}

    // The action changed as a whole.
    virtual void Change() {}

protected:
    TBasicAction* action_ = nullptr;
};

// The link of a control: passes caption, enabled state, hint and visibility to the control and
// runs the control's ActionChange on every change.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* client) { AssignClient(client); }
    TControl* Client() const noexcept { return client_; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const std::wstring& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::wstring& value) override;
    void SetVisible(bool value) override;
    void Change() override;

protected:
    virtual void AssignClient(TControl* client) { client_ = client; }
    TControl* client_ = nullptr;
};
