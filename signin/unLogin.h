#pragma once
// The sign-in window: the program's first window and principal form. Two sign-in modes (the
// ordering login for customers, the back-office login for the supplier's staff), remembered user
// names and, if asked, passwords; the input checks of a sign-in; the way to the setup dialog.
// Borderless: drawn from its background picture, dragged by it, with its own minimise and close
// buttons.
#include <memory>
#include <string>

#include "framework/Form.h"

class TImage;
class TLabel;
class TV2TransparentButton;
class TSpeedButton;
class TEdit;
class TRadioButton;
class TCheckBox;
class TInstanceGuard;
struct TSignInMode;

class TfmLogin : public TForm {
public:
    explicit TfmLogin(TComponent* AOwner);
    ~TfmLogin() override;

    const wchar_t* ClassName() const override { return L"TfmLogin"; }

    TImage* Image1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TV2TransparentButton* buttClose = nullptr;
    TV2TransparentButton* buttMin = nullptr;
    TV2TransparentButton* vbLogin = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TEdit* UserName = nullptr;
    TEdit* UserPass = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TCheckBox* cbSave = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void RadioButton1Click(TObject* Sender);
    void RadioButton2Click(TObject* Sender);
    void vbLoginClick(TObject* Sender);
    void UserPassKeyPress(TObject* Sender, wchar_t& Key);
    void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void buttMinClick(TObject* Sender);
    void buttCloseClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);

private:
    void ApplyMode(const TSignInMode& mode);

    std::unique_ptr<TInstanceGuard> guard_;
};

extern TfmLogin* fmLogin;
