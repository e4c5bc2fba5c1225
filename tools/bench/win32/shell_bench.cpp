// Main window benchmark. Prints figures only; it judges nothing.
//
// 1. Repainting the chrome of the maximized main window (title bar, browser frame and status bar
//    with their buttons, logo and texts) beside one BitBlt of the whole window's area, both into
//    32-bit memory bitmaps of the window's size; the ratio of the two medians.
// 2. GDI and USER objects of the process before and after 1,000 hide-to-tray-and-restore cycles
//    and 1,000 maximize toggles, each followed by the message loop (so every repaint runs).
//    Windows answers GetGuiResources; Wine answers it with 0, and there the GDI objects are
//    counted in the process's GDI handle table and the USER objects stand in as the windows of
//    the process.
//
//   shell_bench [REPAINTS]
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "shell/unMainForm.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A 32-bit memory bitmap selected into its own DC.
struct Surface {
    Surface(int w, int h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = ::SelectObject(dc, bitmap);
    }
    ~Surface() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// ---- object counts ----

// Live entries of the process's GDI handle table (the table the PEB points to; 24-byte entries
// on 64-bit, 16-byte entries on 32-bit, the object pointer first).
long GdiTableCount() {
#ifdef _WIN64
    const size_t offset = 0xF8, entry = 24;
#else
    const size_t offset = 0x94, entry = 16;
#endif
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return -1;
    auto* peb = reinterpret_cast<unsigned char*>(info.PebBaseAddress);
    auto* table = *reinterpret_cast<unsigned char**>(peb + offset);
    if (!table) return -1;
    long count = 0;
    for (size_t i = 0; i < 0x10000; ++i) {
        const unsigned char* e = table + i * entry;
        const void* object = *reinterpret_cast<void* const*>(e);
        if (object) ++count;
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<long*>(param);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<long*>(param);
    ::EnumChildWindows(hwnd, CountChild, param);
    return TRUE;
}

long WindowCount() {
    long count = 0;
    ::EnumWindows(CountTop, reinterpret_cast<LPARAM>(&count));
    // Message-only windows (timers' windows) are not enumerated with the others.
    for (HWND h = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = ::FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(h, &pid);
        if (pid == ::GetCurrentProcessId()) ++count;
    }
    return count;
}

struct Counts {
    long gdi;
    long user;
};

bool g_systemCounts = false;

Counts Objects() {
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    g_systemCounts = gdi != 0 && user != 0;
    if (g_systemCounts) return Counts{static_cast<long>(gdi), static_cast<long>(user)};
    return Counts{GdiTableCount(), WindowCount()};
}

void PrintCounts(const char* what, const Counts& before, const Counts& after) {
    std::printf("  %-38s GDI %ld -> %ld (%+ld), USER %ld -> %ld (%+ld)\n", what, before.gdi, after.gdi,
                after.gdi - before.gdi, before.user, after.user, after.user - before.user);
}

} // namespace

int main(int argc, char** argv) {
    const int repaints = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;

    TApplication app;
    TForm* principal = nullptr; // stands for the sign-in window
    app.CreateForm(principal);
    app.CreateForm(fmMainForm);
    TfmMainForm& f = *fmMainForm;
    f.Show();
    // Let the start-up maximize happen.
    const double until = Now() + 0.8;
    while (Now() < until) {
        Pump();
        ::Sleep(10);
    }
    if (f.buttMax.Tag() == 0) f.buttMaxClick(&f);
    Pump();

    const int w = f.Width(), h = f.Height();
    std::printf("== main window chrome repaint (maximized, %d x %d), %d runs each\n", w, h, repaints);
    Surface target(w, h), source(w, h);
    std::vector<double> chrome, blit;
    TWinControl* panels[] = {&f.BmpPanel1, &f.BmpPanel2, &f.bpState};
    for (int i = 0; i < repaints; ++i) {
        double t0 = Now();
        for (TWinControl* p : panels) p->PaintTo(target.dc, p->Left(), p->Top());
        ::GdiFlush();
        double t1 = Now();
        ::BitBlt(target.dc, 0, 0, w, h, source.dc, 0, 0, SRCCOPY);
        ::GdiFlush();
        double t2 = Now();
        chrome.push_back((t1 - t0) * 1e6);
        blit.push_back((t2 - t1) * 1e6);
    }
    const double mc = Median(chrome), mb = Median(blit);
    std::printf("  chrome repaint (3 panels and their controls): median %8.1f us\n", mc);
    std::printf("  one full-window BitBlt:                        median %8.1f us\n", mb);
    std::printf("  ratio chrome / BitBlt:                         %8.2f\n", mb > 0 ? mc / mb : 0.0);

    std::vector<double> onScreen;
    for (int i = 0; i < repaints / 3; ++i) {
        double t0 = Now();
        ::RedrawWindow(f.Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        onScreen.push_back((Now() - t0) * 1e6);
    }
    std::printf("  whole window through WM_PAINT (RedrawWindow):  median %8.1f us\n", Median(onScreen));

    std::printf("== objects of the process\n");
    // The first cycle may make what is made once and kept (a tooltip, a cached font); the
    // figures that matter are those of the 999 cycles after it.
    auto trayCycle = [&] {
        f.buttMinClick(&f.buttMin);
        Pump();
        f.TrayIcon1Click(&f.TrayIcon1);
        Pump();
    };
    auto toggle = [&] {
        f.buttMaxClick(&f.buttMax);
        Pump();
    };
    Counts start = Objects();
    trayCycle();
    Counts afterFirst = Objects();
    for (int i = 1; i < 1000; ++i) trayCycle();
    Counts afterTray = Objects();
    PrintCounts("first hide-to-tray and restore cycle", start, afterFirst);
    PrintCounts("the next 999 cycles", afterFirst, afterTray);
    toggle();
    toggle();
    Counts afterFirstToggles = Objects();
    for (int i = 2; i < 1000; ++i) toggle();
    Counts afterToggle = Objects();
    PrintCounts("first two maximize toggles", afterTray, afterFirstToggles);
    PrintCounts("the next 998 toggles", afterFirstToggles, afterToggle);
    std::printf("  (counted by %s)\n", g_systemCounts ? "GetGuiResources"
                                                      : "the GDI handle table and the process's windows");
    return 0;
}
