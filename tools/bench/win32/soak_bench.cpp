// Soak run: drives the program's real windows through many cycles of what a person does all day
// and prints what the process holds at the start and at the end, so that anything that grows
// shows. Each cycle: the sign-in window brought back (as the application's restore does), a mode
// switch there and back, a sign-in refused for its empty password and a passing one (which shows
// the main window and sends its browser to the sign-in address), the setup dialog opened, saved
// (it closes itself) and opened and closed unsaved, the main window's maximize toggle there and
// back, the main window hidden to the tray and brought back by a click on the icon, and a full
// repaint of the shown windows. Message boxes are answered with OK through the hook and counted.
//
// The settings key of the current user is used for real; what it held before the run is put back
// at the end. The stored address is a local port where nothing listens, so every navigation fails
// at once without the network.
//
//   soak_bench.exe [cycles]     (default 10000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Hooks.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "setup/unSetup.h"
#include "shell/unMainForm.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"
#include "tools/bench/win32/ResourceCounters.h"
#include "widgets/v2TransBtn.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Orvanel";
constexpr wchar_t kAddress[] = L"http://127.0.0.1:9";

// ---- the settings key, kept and put back ----

struct StoredValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

class SettingsBackup {
public:
    SettingsBackup() {
        HKEY key = nullptr;
        existed_ = ::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (!existed_) return;
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD nameLength = 16384, type = 0, size = 0;
            if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
            StoredValue value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
            ::RegQueryValueExW(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &size);
            values_.push_back(std::move(value));
        }
        ::RegCloseKey(key);
    }
    ~SettingsBackup() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
        if (!existed_) return;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        for (const StoredValue& v : values_)
            ::RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
        ::RegCloseKey(key);
    }

private:
    bool existed_ = false;
    std::vector<StoredValue> values_;
};

// ---- answering the program ----

long g_boxes = 0;
long g_unexpectedBoxes = 0;
std::wstring g_firstUnexpected;

int AnswerOk(HWND, const wchar_t* text, const wchar_t*, UINT) {
    ++g_boxes;
    const std::wstring t = text;
    if (t != L"请填写登陆密码！" && t != L"设置成功！") {
        if (!g_unexpectedBoxes) g_firstUnexpected = t;
        ++g_unexpectedBoxes;
    }
    return IDOK;
}

void Repaint(HWND hwnd) {
    if (::IsWindowVisible(hwnd))
        ::RedrawWindow(hwnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- one cycle ----

void SignInCycle(int i) {
    TfmLogin& login = *fmLogin;
    login.Show();

    // Mode switch there and back.
    drive::Click(*login.RadioButton2);
    drive::Click(*login.RadioButton1);

    // A sign-in refused (empty password), then a passing one; every other one remembers the
    // password.
    login.UserName->SetText(L"soak" + std::to_wstring(i % 7));
    login.UserPass->SetText(L"  ");
    drive::Click(*login.vbLogin);
    if ((i % 2 == 0) != login.cbSave->Checked()) drive::Click(*login.cbSave);
    login.UserPass->SetText(L"pw" + std::to_wstring(i % 5));
    drive::Click(*login.vbLogin);
    Application->ProcessMessages();

    // The setup dialog: opened and saved (it closes itself), then opened and closed unsaved.
    drive::RunInsideModal([] {
        if (!fmSetup) return;
        fmSetup->edUrl->SetText(kAddress);
        fmSetup->edName->SetText(L"");
        drive::Click(*fmSetup->SpeedButton1);
    });
    drive::Click(*login.SpeedButton1);
    Application->ProcessMessages(); // the closed dialog is destroyed here
    drive::RunInsideModal([] {
        if (fmSetup) ::SendMessageW(fmSetup->Handle(), WM_CLOSE, 0, 0);
    });
    drive::Click(*login.SpeedButton1);
    Application->ProcessMessages();
}

void MainWindowCycle() {
    if (!fmMainForm) return;
    TfmMainForm& main = *fmMainForm;

    // Maximize toggle there and back.
    drive::Click(main.buttMax);
    Application->ProcessMessages();
    drive::Click(main.buttMax);
    Application->ProcessMessages();

    // Hidden to the tray, then a click on the icon brings it back.
    drive::Click(main.buttMin);
    Application->ProcessMessages();
    ::SendMessageW(main.TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, WM_LBUTTONDOWN);
    ::SendMessageW(main.TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, WM_LBUTTONUP);
    Application->ProcessMessages();
}

void Cycle(int i) {
    SignInCycle(i);
    MainWindowCycle();
    Repaint(fmLogin->Handle());
    if (fmMainForm) Repaint(fmMainForm->Handle());
    Application->ProcessMessages();
}

// ---- report ----

// System counts | the program's own counts | the fallbacks for the system's.
void PrintHeader() {
    std::printf("  %-5s %6s | %5s %5s %7s %8s | %7s %4s %5s %5s %7s | %9s %7s %9s %9s\n", "", "cycle", "GDI",
                "USER", "handles", "priv KB", "own GDI", "DCs", "menus", "icons", "windows", "GDI table",
                "handles", "commit KB", "heap KB");
}

void PrintRow(const char* when, int cycle, const counters::Counts& c) {
    std::printf("  %-5s %6d | %5lu %5lu %7lu %8.0f | %7ld %4ld %5ld %5ld %7ld | %9ld %7ld %9.0f %9.1f\n", when,
                cycle, c.gdiObjects, c.userObjects, c.handles, c.privateBytes / 1024.0, c.liveGdi, c.heldDcs,
                c.liveMenus, c.liveIcons, c.windows, c.gdiTable, c.openHandles, c.committedPrivate / 1024.0,
                c.heapInUse / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (cycles < 1) {
        std::fprintf(stderr, "usage: soak_bench [cycles]\n");
        return 2;
    }
    const int hooked = counters::Install();
    SettingsBackup backup;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    hooks::messageBox = AnswerOk;
    drive::PutSetting(L"Url", kAddress);

    auto app = std::make_unique<TApplication>();
    Application->SetTitle(L"客户订货系统");
    Application->CreateForm(fmLogin);
    if (Application->ShowMainForm) Application->MainForm()->Show();
    Application->ProcessMessages();

    // Warm-up: what is made once and kept (fonts, classes, the dialog's first pictures) is made
    // here, before the first figures.
    const int warmUp = cycles < 20 ? cycles : 20;
    for (int i = 0; i < warmUp; ++i) Cycle(i);
    if (!fmMainForm) {
        std::fprintf(stderr, "soak_bench: the sign-in opened no main window\n");
        return 1;
    }

    std::printf("soak_bench: %d cycles after %d warm-up cycles (%d imports counted)\n", cycles, warmUp, hooked);
    PrintHeader();
    const counters::Counts first = counters::Take();
    PrintRow("start", 0, first);
    LARGE_INTEGER t0, t1, f;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    const int step = cycles >= 10 ? cycles / 10 : 1;
    for (int i = 1; i <= cycles; ++i) {
        Cycle(warmUp + i);
        if (i % step == 0 && i != cycles) PrintRow("", i, counters::Take());
    }
    ::QueryPerformanceCounter(&t1);
    const counters::Counts last = counters::Take();
    PrintRow("end", cycles, last);

    const double seconds = double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart);
    std::printf("  time per cycle: %.2f ms; message boxes answered: %ld, unexpected: %ld\n",
                seconds * 1000.0 / cycles, g_boxes, g_unexpectedBoxes);
    if (g_unexpectedBoxes) std::wprintf(L"  first unexpected box: %ls\n", g_firstUnexpected.c_str());
    std::printf("  growth: GDI %+ld, USER %+ld, handles %+ld, private %+.0f KB; own GDI %+ld, DCs %+ld, "
                "menus %+ld, icons %+ld, windows %+ld; GDI table %+ld, open handles %+ld, committed %+.0f KB, "
                "heap in use %+.1f KB\n",
                long(last.gdiObjects) - long(first.gdiObjects), long(last.userObjects) - long(first.userObjects),
                long(last.handles) - long(first.handles),
                (double(last.privateBytes) - double(first.privateBytes)) / 1024.0, last.liveGdi - first.liveGdi,
                last.heldDcs - first.heldDcs, last.liveMenus - first.liveMenus, last.liveIcons - first.liveIcons,
                last.windows - first.windows, last.gdiTable - first.gdiTable, last.openHandles - first.openHandles,
                (double(last.committedPrivate) - double(first.committedPrivate)) / 1024.0,
                (double(last.heapInUse) - double(first.heapInUse)) / 1024.0);
    if (first.gdiObjects == 0 && first.userObjects == 0)
        std::printf("  (GetGuiResources answers 0 here: the GDI handle table and the program's own GDI, DC, "
                    "menu, icon and window counts stand for it)\n");
    if (first.handles == 0 || first.privateBytes == 0)
        std::printf("  (the system's handle count or private bytes answer 0 here: the probed handles, the "
                    "committed private memory and the heaps' busy blocks stand for them)\n");

    app.reset();
    fmLogin = nullptr;
    fmSetup = nullptr;
    fmMainForm = nullptr;
    hooks::ResetAll();
    return g_unexpectedBoxes ? 1 : 0;
}
