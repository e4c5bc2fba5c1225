// The native controls (edit box, check box, radio buttons) and the drawn ones (label, picture,
// speed button) on a real form: their events from real messages, and their pixels.
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "tests/win32/support/FormDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

class Host : public TForm {
public:
    explicit Host(TComponent* AOwner) : TForm(AOwner) {
        SetBorderStyle(bsNone);
        SetColor(RGB(0, 0, 255));
        SetClientWidth(300);
        SetClientHeight(200);
        DoCreate();
    }
};

// The form painted into a 32-bit bitmap, for reading pixels.
class Snapshot {
public:
    explicit Snapshot(TWinControl& control) : width_(control.Width()), height_(control.Height()) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = ::GetDC(nullptr);
        dc_ = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        bitmap_ = ::CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
        control.PaintTo(dc_, 0, 0);
        ::GdiFlush();
    }
    ~Snapshot() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    // As COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int CountIn(RECT r, COLORREF c) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
        return n;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        drive::DrainQueue();
        drive::AnswerBoxesWithOk();
        app_ = std::make_unique<TApplication>();
        Application->CreateForm(form_);
        form_->Show();
    }
    void TearDown() override {
        app_.reset();
        drive::DrainQueue();
        hooks::ResetAll();
    }
    template <class T> T* Place(int left, int top, int width, int height, TWinControl* parent = nullptr) {
        auto* c = new T(form_);
        c->SetBounds(left, top, width, height);
        c->SetParent(parent ? parent : form_);
        return c;
    }
    std::unique_ptr<TApplication> app_;
    Host* form_ = nullptr;
};

TEST_F(Controls, RadioButtonsOfOneParentAreOneGroupAndClickOnlyWhenBecomingChecked) {
    auto* a = Place<TRadioButton>(10, 10, 80, 17);
    auto* b = Place<TRadioButton>(10, 30, 80, 17);
    Host* otherForm = nullptr;
    Application->CreateForm(otherForm);
    auto* c = new TRadioButton(otherForm);
    c->SetBounds(10, 10, 80, 17);
    c->SetParent(otherForm);
    std::vector<std::wstring> clicks;
    a->OnClick = [&](TObject*) { clicks.push_back(L"a"); };
    b->OnClick = [&](TObject*) { clicks.push_back(L"b"); };
    c->OnClick = [&](TObject*) { clicks.push_back(L"c"); };

    a->SetChecked(true);
    drive::Click(*c); // another parent: another group
    drive::Click(*b);
    drive::Click(*b); // already checked: nothing
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"a", L"c", L"b"}));
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(::SendMessageW(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageW(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Controls, CheckBoxTogglesOnEveryClickAndReportsIt) {
    auto* box = Place<TCheckBox>(10, 10, 80, 17);
    box->SetCaption(L"记住密码");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    drive::Click(*box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(::SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    drive::Click(*box);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(drive::WindowText(box->Handle()), L"记住密码");
}

TEST_F(Controls, EditBoxSeesEveryCharacterFirstAndMasksAPassword) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    edit->SetPasswordChar(L'*');
    edit->SetHint(L"/shop/index.aspx?UserName=%s&UserPass=%s");
    std::wstring seen;
    edit->OnKeyPress = [&](TObject*, wchar_t& key) {
        seen += key;
        if (key == L'x') key = 0; // swallowed
    };
    drive::Type(edit->Handle(), L"axb\r");
    EXPECT_EQ(seen, L"axb\r");
    EXPECT_EQ(edit->Text(), L"ab");
    EXPECT_EQ(::SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(edit->Hint(), L"/shop/index.aspx?UserName=%s&UserPass=%s");
    edit->SetText(L"");
    EXPECT_EQ(drive::WindowText(edit->Handle()), L"");
}

TEST_F(Controls, TransparentLabelShowsTheFormBetweenItsLettersAndSizesToItsText) {
    auto* label = Place<TLabel>(20, 20, 10, 10);
    label->SetTransparent(true);
    label->Font().SetColor(RGB(255, 255, 255));
    label->SetCaption(L"会员帐号:");
    EXPECT_GT(label->Width(), 30);
    EXPECT_GT(label->Height(), 8);
    Snapshot shot(*form_);
    const RECT area = label->BoundsRect();
    EXPECT_GT(shot.CountIn(area, RGB(255, 255, 255)), 0);  // letters
    EXPECT_GT(shot.CountIn(area, RGB(0, 0, 255)), 0);      // the form between them
}

TEST_F(Controls, TransparentPictureLetsTheFormShowThroughItsKeyColour) {
    auto* image = Place<TImage>(10, 10, 1, 1);
    image->SetAutoSize(true);
    image->SetTransparent(true);
    TBitmap& pic = image->Picture();
    pic.SetSize(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) pic.SetPixel(x, y, x < 2 ? RGB(0, 255, 0) : RGB(255, 0, 0));
    // The bottom-left pixel decides the transparent colour: green.
    EXPECT_EQ(image->Width(), 4);
    EXPECT_EQ(image->Height(), 3);
    Snapshot shot(*form_);
    EXPECT_EQ(shot.At(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(shot.At(13, 12), RGB(255, 0, 0));
}

TEST_F(Controls, SpeedButtonDrawsItsGlyphLeftOfTheCaptionOnItsOwnColourAndNeverTakesFocus) {
    auto* edit = Place<TEdit>(10, 100, 120, 21);
    auto* button = Place<TSpeedButton>(10, 10, 80, 25);
    button->SetFlat(true);
    button->SetTransparent(false);
    button->SetColor(RGB(200, 200, 200));
    button->SetCaption(L"设置");
    button->Font().SetColor(RGB(0, 0, 0));
    TBitmap& glyph = button->Glyph();
    glyph.SetSize(19, 18);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 19; ++x) glyph.SetPixel(x, y, (x == 0 && y == 17) ? RGB(255, 0, 255) : RGB(255, 0, 0));
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };

    Snapshot shot(*form_);
    EXPECT_EQ(shot.At(11, 11), RGB(200, 200, 200)); // opaque face, no border while the mouse is away
    // Red glyph pixels lie left of every black caption pixel.
    int glyphRight = -1, textLeft = 1000;
    for (int y = 10; y < 35; ++y)
        for (int x = 10; x < 90; ++x) {
            if (shot.At(x, y) == RGB(255, 0, 0)) glyphRight = std::max(glyphRight, x);
            if (shot.At(x, y) == RGB(0, 0, 0)) textLeft = std::min(textLeft, x);
        }
    EXPECT_GE(glyphRight, 0);
    EXPECT_LT(glyphRight, textLeft);
    EXPECT_LT(textLeft, 90);

    edit->SetFocus();
    drive::Click(*button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(::GetFocus(), edit->Handle());
}

} // namespace
