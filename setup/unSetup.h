#pragma once
// The setup dialog: the web application's base address and the display name that becomes the
// application title. Made for every opening, shown modally over the sign-in window, and destroyed
// when it closes, so what it shows always comes from the settings.
#include "framework/Form.h"

class TImagePanel;
class TLabel;
class TEdit;
class TSpeedButton;

class TfmSetup : public TForm {
public:
    explicit TfmSetup(TComponent* AOwner);

    const wchar_t* ClassName() const override { return L"TfmSetup"; }

    TImagePanel* ImagePanel1 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* edName = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* edUrl = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TLabel* Label1 = nullptr;

    void FormCreate(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfmSetup* fmSetup;
