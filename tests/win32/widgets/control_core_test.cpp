// The control core: components, persistent assignment, windowless children painted and driven
// by their parent window, alignment and anchors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CustomPanel.h"
#include "framework/GraphicControl.h"
#include "tests/win32/widgets/WidgetTestSupport.h"

namespace {

// A windowless control that fills its rectangle and records what reaches it.
class Swatch : public TGraphicControl {
public:
    explicit Swatch(TColor fill, std::vector<std::wstring>* log = nullptr, const wchar_t* tag = L"")
        : fill_(fill), log_(log), tag_(tag) {}
    int paints = 0;
    wchar_t accelerator = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas().Brush().SetColor(fill_);
        Canvas().FillRect(RECT{0, 0, Width() + 10, Height() + 10}); // overdraws: the clip holds it
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        Log(L"down " + std::to_wstring(x) + L"," + std::to_wstring(y));
        TGraphicControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        Log(L"up");
        TGraphicControl::MouseUp(b, s, x, y);
    }
    void MouseEnter() override { Log(L"enter"); }
    void MouseLeave() override { Log(L"leave"); }
    bool DialogChar(wchar_t key) override {
        if (key != accelerator) return false;
        Log(L"char");
        return true;
    }

private:
    void Log(const std::wstring& what) {
        if (log_) log_->push_back(std::wstring(tag_) + L":" + what);
    }
    TColor fill_;
    std::vector<std::wstring>* log_;
    const wchar_t* tag_;
};

class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> removed;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) removed.push_back(c);
    }
};

} // namespace

TEST(TComponent, OwnerFreesOwnedComponentsAndWatchersHearOfRemoval) {
    Watcher watcher;
    auto* owner = new TComponent;
    auto* child = new TComponent(owner);
    child->SetName(L"N5");
    EXPECT_EQ(owner->FindComponent(L"N5"), child);
    child->FreeNotification(&watcher);
    delete owner; // frees child with it
    ASSERT_EQ(watcher.removed.size(), 1u);
    EXPECT_EQ(watcher.removed[0], child);
}

TEST(TPersistent, UnrelatedAssignmentRaisesTheConversionError) {
    TBitmap bitmap;
    TFont font;
    try {
        bitmap.Assign(&font);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a TFont to a TBitmap");
    }
    try {
        font.Assign(nullptr);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a nil to a TFont");
    }
}

TEST(TWinControl, PaintsWindowlessChildrenInCreationOrderClippedToTheirBounds) {
    wtest::TestHost host(60, 40, clWhite);
    Swatch below(clRed), above(clBlue);
    below.SetParent(&host);
    below.SetBounds(10, 10, 20, 20);
    above.SetParent(&host);
    above.SetBounds(20, 20, 20, 10);
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(5, 5), clWhite);   // host background
    EXPECT_EQ(shot->Pixel(12, 12), clRed);   // only the lower one
    EXPECT_EQ(shot->Pixel(25, 25), clBlue);  // the later one is on top
    EXPECT_EQ(shot->Pixel(35, 35), clWhite); // outside both: the overdraw was clipped
    EXPECT_EQ(shot->Pixel(45, 25), clWhite);
    below.Hide();
    shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(12, 12), clWhite);
}

TEST(TWinControl, RoutesMouseToTheChildUnderThePointerWithCaptureAndEnterLeave) {
    wtest::TestHost host(100, 50);
    std::vector<std::wstring> log;
    Swatch a(clRed, &log, L"a"), b(clBlue, &log, L"b");
    a.SetParent(&host);
    a.SetBounds(0, 0, 40, 40);
    b.SetParent(&host);
    b.SetBounds(50, 0, 40, 40);
    int clicks = 0;
    a.OnClick = [&](TObject*) { log.push_back(L"a:click"); ++clicks; };

    wtest::Mouse(host, WM_MOUSEMOVE, 5, 5);
    wtest::Mouse(host, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    wtest::Mouse(host, WM_MOUSEMOVE, 60, 6, MK_LBUTTON); // over b, but a holds the capture
    wtest::Mouse(host, WM_LBUTTONUP, 60, 6);             // released outside a: no click
    wtest::Mouse(host, WM_MOUSEMOVE, 61, 6);              // now b hears of the pointer
    const std::vector<std::wstring> expected{L"a:enter", L"a:down 5,6", L"a:leave", L"a:up", L"b:enter"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clicks, 0);

    log.clear();
    wtest::LeftClick(host, 10, 10);
    const std::vector<std::wstring> clickOrder{L"b:leave", L"a:enter", L"a:down 10,10", L"a:click", L"a:up"};
    EXPECT_EQ(log, clickOrder);

    log.clear();
    a.SetEnabled(false); // a disabled child gets no input; the press goes to the window
    wtest::Mouse(host, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    wtest::Mouse(host, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(log.empty());
}

TEST(TWinControl, SecondPressOfADoubleClickIsAPressWithoutTheDoubleClickStyle) {
    wtest::TestHost host(50, 50);
    Swatch s(clRed);
    s.SetParent(&host);
    s.SetBounds(0, 0, 50, 50);
    s.SetControlStyle(s.ControlStyle() & ~csDoubleClicks);
    int clicks = 0, doubles = 0;
    s.OnClick = [&](TObject*) { ++clicks; };
    s.OnDblClick = [&](TObject*) { ++doubles; };
    wtest::LeftClick(host, 5, 5);
    wtest::Mouse(host, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
    wtest::Mouse(host, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
}

TEST(TWinControl, AltKeyReachesEveryWindowlessChildAsDialogCharacter) {
    wtest::TestHost host(100, 50);
    TPanel panel(nullptr);
    panel.SetParent(&host);
    std::vector<std::wstring> log;
    Swatch first(clRed, &log, L"first"), nested(clBlue, &log, L"nested");
    first.SetParent(&host);
    nested.SetParent(&panel); // on a child window: the key comes from the top-level window
    nested.accelerator = L'o';
    nested.Hide(); // visibility is not consulted
    EXPECT_EQ(::SendMessageW(panel.Handle(), WM_SYSCHAR, L'o', 0), 0);
    EXPECT_EQ(log, std::vector<std::wstring>{L"nested:char"});
}

TEST(TWinControl, AlignsChildrenInsideTheInsetClientAreaAndMovesAnchoredOnes) {
    wtest::TestHost host(300, 200);
    TPanel top(nullptr), bottom(nullptr), client(nullptr), corner(nullptr);
    top.SetParent(&host);
    top.SetHeight(50);
    top.SetAlign(alTop);
    bottom.SetParent(&host);
    bottom.SetHeight(32);
    bottom.SetAlign(alBottom);
    client.SetParent(&host);
    client.SetBevelOuter(bvNone);
    client.SetBorderWidth(5);
    client.SetAlign(alClient);
    Swatch inner(clRed);
    inner.SetParent(&client);
    inner.SetAlign(alClient);
    corner.SetParent(&top);
    corner.SetBounds(250, 0, 50, 25);
    corner.SetAnchors(akRight | akTop);

    EXPECT_EQ(top.BoundsRect().right, 300);
    EXPECT_EQ(bottom.Top(), 168);
    EXPECT_EQ(client.Top(), 50);
    EXPECT_EQ(client.Height(), 118);
    EXPECT_EQ(inner.BoundsRect().left, 5);
    EXPECT_EQ(inner.Width(), 290);
    EXPECT_EQ(inner.Height(), 108);

    host.SetBounds(0, 0, 320, 260);
    EXPECT_EQ(corner.Left(), 270);
    EXPECT_EQ(bottom.Top(), 228);
    EXPECT_EQ(inner.Height(), 168);
}
