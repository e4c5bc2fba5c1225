#include "shell/unMainForm.h"

#include <ole2.h>

#include <algorithm>
#include <map>

#include "app/unFunction.h"
#include "framework/Application.h"
#include "framework/Hooks.h"
#include "resources/layouts/MainLayout.h"
#include "resources/resource.h"
#include "shell/DateText.h"
#include "shell/SupportSite.h"
#include "signin/unLogin.h"

TfmMainForm* fmMainForm = nullptr;

namespace {

constexpr UINT kStartupMaximizeDelay = 300; // milliseconds after creation
constexpr int kMaximizeHeightCut = 33;      // taken off the height after a maximize
constexpr WPARAM kMoveByCaption = 0xF012;   // SC_MOVE with the caption hit-test code 2

} // namespace

TfmMainForm::TfmMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(L"fmMainForm");
    SetBorderStyle(bsNone);
    SetColor(clBtnFace);
    // Placed once, here: the design size centred on the desktop, then grown to the minimum size
    // with the same top-left corner.
    SetPosition(poDesigned);
    const POINT at = FirstPosition();
    // The controls are placed at the design size, so that those anchored to the right or bottom
    // edge keep their distance to it; then the window grows to its minimum size.
    SetBounds(at.x, at.y, kMainDesignWidth, kMainDesignHeight);
    ApplyLayout();
    Constraints().MinWidth = kMainMinWidth;
    Constraints().MinHeight = kMainMinHeight;
    SetBounds(at.x, at.y, kMainMinWidth, kMainMinHeight);
    BuildMenu();

    TrayIcon1.SetHint(L"客户订货系统");
    TrayIcon1.SetIconResource(IDI_APP);
    TrayIcon1.SetPopupMenu(&PopupMenu1);
    MenuStyler1.SetIconWidth(24);
    MenuStyler1.SetDrawSelect(true);
    MenuStyler1.SetActive(true);

    BindEvents();
    Timer1.SetInterval(kStartupMaximizeDelay);
    Timer1.SetEnabled(true);

    // The tray icon watches this window and the application window from now on.
    HandleNeeded();
    TrayIcon1.SetOwnerWindow(Handle());

    DoCreate();
}

TfmMainForm::~TfmMainForm() {
    if (fmMainForm == this) fmMainForm = nullptr;
    // The browser control goes before OLE's use on this thread ends.
    WebBrowser1.DestroyControl();
    EndOle();
}

POINT TfmMainForm::FirstPosition() {
    const int x = (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - kMainDesignWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - kMainDesignHeight) / 2;
    return POINT{::GetSystemMetrics(SM_XVIRTUALSCREEN) + std::max(x, 0),
                 ::GetSystemMetrics(SM_YVIRTUALSCREEN) + std::max(y, 0)};
}

void TfmMainForm::ApplyLayout() {
    const std::map<std::wstring, TControl*> controls = {
        {L"BmpPanel1", &BmpPanel1}, {L"Image2", &Image2},       {L"Panel1", &Panel1},
        {L"buttMin", &buttMin},     {L"buttMax", &buttMax},     {L"buttClose", &buttClose},
        {L"BmpPanel2", &BmpPanel2}, {L"WebBrowser1", &WebBrowser1}, {L"bpState", &bpState},
        {L"Label1", &Label1},       {L"lbDate", &lbDate},
    };
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    for (const TMainLayoutItem& row : kMainItems) {
        TControl* control = controls.at(row.name);
        control->SetName(row.name);
        TWinControl* parent =
            row.parent ? dynamic_cast<TWinControl*>(controls.at(row.parent)) : static_cast<TWinControl*>(this);
        control->SetBounds(row.left, row.top, row.width, row.height);
        control->SetParent(parent);
        control->SetAnchors(row.anchors);
        control->SetAlign(row.align);
        if (row.hint) control->SetHint(row.hint);
        if (row.flags & mfShowHint) control->SetShowHint(true);

        switch (row.kind) {
        case TMainPart::FramePanel: {
            auto* panel = static_cast<TBmpPanel*>(control);
            panel->Glyph().LoadFromResourceID(module, row.picture);
            panel->GlyphLayout().SetLeft(row.margins.left);
            panel->GlyphLayout().SetTop(row.margins.top);
            panel->GlyphLayout().SetRight(row.margins.right);
            panel->GlyphLayout().SetBottom(row.margins.bottom);
            panel->SetTransparent(false);
            panel->SetColor(row.color);
            panel->SetBorderWidth(row.borderWidth);
            if (row.flags & mfNoBevel) panel->SetBevelOuter(bvNone);
            break;
        }
        case TMainPart::Panel: {
            auto* panel = static_cast<TPanel*>(control);
            panel->SetColor(row.color);
            if (row.flags & mfNoBevel) panel->SetBevelOuter(bvNone);
            break;
        }
        case TMainPart::Image: {
            auto* image = static_cast<TImage*>(control);
            image->Picture().LoadFromResourceID(module, row.picture);
            image->SetAutoSize((row.flags & mfAutoSize) != 0);
            break;
        }
        case TMainPart::ImageButton: {
            auto* button = static_cast<TV2TransparentButton*>(control);
            button->SetFrameStyle(fsNone);
            button->SetNumGlyphs(row.numGlyphs);
            button->Glyph().LoadFromResourceID(module, row.picture);
            button->SetAutoSize((row.flags & mfAutoSize) != 0);
            break;
        }
        case TMainPart::Label: {
            auto* label = static_cast<TLabel*>(control);
            label->SetTransparent(true);
            if (row.flags & mfStatusFont) {
                label->Font().SetName(kStatusFontName);
                label->Font().SetHeight(kStatusFontHeight);
                label->Font().SetColor(clBlack);
                label->Font().SetCharset(GB2312_CHARSET);
            }
            label->SetAutoSize((row.flags & mfAutoSize) != 0);
            break;
        }
        case TMainPart::Browser:
            break;
        }
    }
}

void TfmMainForm::BuildMenu() {
    struct Entry {
        TMenuItem* item;
        const wchar_t* name;
        const wchar_t* caption;
    };
    const Entry entries[] = {
        {&N1, L"N1", L"技术支持"}, {&N4, L"N4", L"-"}, {&N5, L"N5", L"使用帮助"},
        {&N6, L"N6", L"-"},        {&N7, L"N7", L"退出系统"},
    };
    for (const Entry& e : entries) {
        e.item->SetName(e.name);
        e.item->SetCaption(e.caption);
        PopupMenu1.Items().Add(e.item);
    }
    PopupMenu1.SetName(L"PopupMenu1");
    PopupMenu1.SetAutoPopup(true);
    PopupMenu1.SetOwnerDraw(true);
}

void TfmMainForm::BindEvents() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnPaint = [this](TObject* s) { FormPaint(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
    auto drag = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BmpPanel1MouseDown(s, b, sh, x, y);
    };
    BmpPanel1.OnMouseDown = drag;
    bpState.OnMouseDown = drag;
    BmpPanel1.OnDblClick = [this](TObject* s) { buttMaxClick(s); };
    buttMax.OnClick = [this](TObject* s) { buttMaxClick(s); };
    buttClose.OnClick = [this](TObject* s) { ButtCloseClick(s); };
    buttMin.OnClick = [this](TObject* s) { buttMinClick(s); };
    N7.OnClick = [this](TObject* s) { ButtCloseClick(s); };
    N1.OnClick = [this](TObject* s) { N1Click(s); };
    N5.OnClick = [this](TObject* s) { V2TransparentButton1Click(s); };
    Timer1.SetOnTimer([this](TObject* s) { Timer1Timer(s); });
    WebBrowser1.OnBeforeNavigate2 = [this](TObject* s, const std::wstring& url, bool& cancel) {
        WebBrowser1BeforeNavigate2(s, url, cancel);
    };
    TrayIcon1.OnClick = [this](TObject* s) { TrayIcon1Click(s); };
    // The application window's restore command shows the principal form (the sign-in window)
    // until this window's next paint hides it again.
    TrayIcon1.OnApplicationRestore = [] {
        if (Application && Application->MainForm()) Application->MainForm()->Show();
    };
}

void TfmMainForm::EndOle() noexcept {
    if (!oleInitialised_) return;
    oleInitialised_ = false;
    ::OleUninitialize();
}

// ---- size rules ----

void TfmMainForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TForm::SetBounds(ALeft, ATop, std::max(AWidth, Constraints().MinWidth),
                     std::max(AHeight, Constraints().MinHeight));
}

LRESULT TfmMainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_WINDOWPOSCHANGING) {
        // The minimum size holds for every change of size the system makes too, a maximize on a
        // small screen included (it applies no minimum to a window without a sizing border).
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE) && !::IsIconic(Handle())) {
            pos->cx = std::max(pos->cx, Constraints().MinWidth);
            pos->cy = std::max(pos->cy, Constraints().MinHeight);
        }
    }
    return TForm::WndProc(msg, wParam, lParam);
}

void TfmMainForm::VisibleChanged() {
    // A window hidden while maximized comes back maximized, at the full maximized size.
    const bool wasMaximized = Visible() && HandleAllocated() && ::IsZoomed(Handle());
    TForm::VisibleChanged();
    if (wasMaximized && !::IsZoomed(Handle())) ::ShowWindow(Handle(), SW_SHOWMAXIMIZED);
}

// ---- handlers ----

void TfmMainForm::FormCreate(TObject*) {
    SYSTEMTIME now{};
    hooks::clock(&now);
    lbDate.SetCaption(FormatDateText(now.wYear, now.wMonth, now.wDay, now.wDayOfWeek));
    // OLE for this thread, before the browser control is made; the result is not needed: a
    // failure leaves the browser without its control, and the first navigation says so.
    oleInitialised_ = SUCCEEDED(::OleInitialize(nullptr));
    WebBrowser1.CreateControl();
}

void TfmMainForm::FormShow(TObject*) {
    const std::wstring title = ReadRegStr(L"Title", L"客户订货系统");
    const std::wstring url = ReadRegStr(L"Url", L"");
    Label1.SetCaption(L"老板，您正在使用" + title + L"，访问网址：" + url);
}

void TfmMainForm::FormPaint(TObject*) {
    if (fmLogin) fmLogin->Hide();
}

void TfmMainForm::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = Application->MessageBox(L"确认退出订货系统吗？", L"提示", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

void TfmMainForm::FormClose(TObject*, TCloseAction&) {
    // The control is released while OLE is still initialised, then OLE's use ends.
    WebBrowser1.DestroyControl();
    EndOle();
    Application->Terminate();
}

void TfmMainForm::BmpPanel1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    ::ReleaseCapture();
    ::SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
}

void TfmMainForm::buttMaxClick(TObject*) {
    if (buttMax.Tag() == 0) {
        buttMax.SetTag(1);
        ::ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        SetHeight(Height() - kMaximizeHeightCut);
    } else {
        buttMax.SetTag(0);
        ::ShowWindow(Handle(), SW_RESTORE);
    }
}

void TfmMainForm::ButtCloseClick(TObject*) { Close(); }

void TfmMainForm::Timer1Timer(TObject*) {
    Timer1.SetEnabled(false);
    buttMaxClick(this);
}

void TfmMainForm::WebBrowser1BeforeNavigate2(TObject*, const std::wstring& URL, bool&) {
    if (URL.find(L"Exit.aspx") != std::wstring::npos) Application->Terminate();
}

void TfmMainForm::buttMinClick(TObject*) {
    Hide();
    TrayIcon1.SetIconVisible(true);
}

void TfmMainForm::TrayIcon1Click(TObject*) {
    Show();
    SetHeight(Height() - kMaximizeHeightCut);
    TrayIcon1.SetIconVisible(false);
}

void TfmMainForm::N1Click(TObject*) {
    const std::wstring address(kSupportSiteUrl);
    hooks::shellOpen(Handle(), address.c_str(), SW_SHOWNORMAL);
}

void TfmMainForm::V2TransparentButton1Click(TObject*) {
    const std::wstring address = std::wstring(kSupportSiteUrl) + std::wstring(kHelpPagesPath);
    hooks::shellOpen(Handle(), address.c_str(), SW_SHOWNORMAL);
}
