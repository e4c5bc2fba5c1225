// Paint cost of the window chrome: the main window's three bitmap frame panels at 1920 x 1080
// with its caption buttons, and the sign-in window's buttons, painted again and again through
// their windows' own paint handling (WM_PRINTCLIENT into one 1920 x 1080 bitmap).
//
// Prints, per paint of all of them: the time, beside one full-window BitBlt of 1920 x 1080; the
// GDI objects created and the memory allocated by the program (counted by replacing the program's
// imports of the GDI creation functions and of malloc, and operator new); and the process's GDI
// and USER handle counts before and after.
//
//   paint_bench.exe [paints]     (default 10000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "framework/CustomPanel.h"
#include "resources/resource.h"
#include "widgets/BmpPanel.h"
#include "widgets/v2TransBtn.h"

// ---- counting ----

namespace {

long g_gdiCreated = 0;
long g_allocations = 0;
bool g_counting = false;

} // namespace

void* operator new(std::size_t size) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The real functions behind the replaced imports.
struct Original {
    const char* name;
    void* real = nullptr;
};

#define COUNTED(ret, name, params, args)                                                           \
    using name##_t = ret(WINAPI*) params;                                                          \
    name##_t real_##name = nullptr;                                                                \
    ret WINAPI counted_##name params {                                                            \
        if (g_counting) ++g_gdiCreated;                                                            \
        return real_##name args;                                                                   \
    }

COUNTED(HDC, CreateCompatibleDC, (HDC dc), (dc))
COUNTED(HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
COUNTED(HBITMAP, CreateBitmap, (int w, int h, UINT p, UINT b, const void* bits), (w, h, p, b, bits))
COUNTED(HBITMAP, CreateDIBSection, (HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o),
        (dc, bi, u, bits, s, o))
COUNTED(HFONT, CreateFontIndirectW, (const LOGFONTW* lf), (lf))
COUNTED(HPEN, CreatePen, (int s, int w, COLORREF c), (s, w, c))
COUNTED(HBRUSH, CreateSolidBrush, (COLORREF c), (c))
COUNTED(HBRUSH, CreateBrushIndirect, (const LOGBRUSH* lb), (lb))
COUNTED(HRGN, CreateRectRgn, (int l, int t, int r, int b), (l, t, r, b))
COUNTED(HRGN, CreateRectRgnIndirect, (const RECT* r), (r))

using malloc_t = void*(__cdecl*)(size_t);
using calloc_t = void*(__cdecl*)(size_t, size_t);
using realloc_t = void*(__cdecl*)(void*, size_t);
malloc_t real_malloc = nullptr;
calloc_t real_calloc = nullptr;
realloc_t real_realloc = nullptr;
void* __cdecl counted_malloc(size_t n) {
    if (g_counting) ++g_allocations;
    return real_malloc(n);
}
void* __cdecl counted_calloc(size_t n, size_t m) {
    if (g_counting) ++g_allocations;
    return real_calloc(n, m);
}
void* __cdecl counted_realloc(void* p, size_t n) {
    if (g_counting) ++g_allocations;
    return real_realloc(p, n);
}

struct Hook {
    const char* name;
    void* replacement;
    void** real;
};

// Replaces the named imports of one module with the counting versions; returns how many.
int HookImports(HMODULE module, const Hook* hooks, size_t count) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    int replaced = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (!imp->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (size_t i = 0; i < count; ++i) {
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), hooks[i].name) != 0) continue;
                DWORD old = 0;
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
                if (!*hooks[i].real) *hooks[i].real = reinterpret_cast<void*>(slots->u1.Function);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(hooks[i].replacement);
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
                ++replaced;
            }
        }
    }
    return replaced;
}

#define HOOK(name) {#name, reinterpret_cast<void*>(&counted_##name), reinterpret_cast<void**>(&real_##name)}

const Hook kGdiHooks[] = {HOOK(CreateCompatibleDC), HOOK(CreateCompatibleBitmap), HOOK(CreateBitmap),
                          HOOK(CreateDIBSection), HOOK(CreateFontIndirectW), HOOK(CreatePen),
                          HOOK(CreateSolidBrush), HOOK(CreateBrushIndirect), HOOK(CreateRectRgn),
                          HOOK(CreateRectRgnIndirect)};
const Hook kHeapHooks[] = {HOOK(malloc), HOOK(calloc), HOOK(realloc)};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

// The main window's chrome and the sign-in buttons, as the program lays them out.
class Host : public TWinControl {
public:
    const wchar_t* ClassName() const override { return L"TPaintBench"; }
};

void LoadStrip(TV2TransparentButton& b, int id) {
    TBitmap strip;
    strip.LoadFromResourceID(nullptr, id);
    b.SetGlyph(&strip);
    b.SetFrameStyle(fsNone);
    b.SetAutoSize(true);
}

void LoadFrame(TBmpPanel& p, int id, int left, int top, int right, int bottom) {
    TBitmap frame;
    frame.LoadFromResourceID(nullptr, id);
    p.SetGlyph(&frame);
    p.GlyphLayout().SetBottom(bottom);
    p.GlyphLayout().SetRight(right);
    p.GlyphLayout().SetTop(top);
    p.GlyphLayout().SetLeft(left);
}

} // namespace

int main(int argc, char** argv) {
    const int paints = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int W = 1920, H = 1080;

    Host host;
    host.SetBounds(0, 0, W, H);
    host.SetColor(clBtnFace);
    TBmpPanel title(nullptr), browser(nullptr), status(nullptr);
    TPanel captionButtons(nullptr);
    TV2TransparentButton mainMin(nullptr), mainMax(nullptr), mainClose(nullptr), loginClose(nullptr),
        loginMin(nullptr), login(nullptr);
    try {
        title.SetParent(&host);
        title.SetBevelOuter(bvNone);
        title.SetHeight(50);
        title.SetAlign(alTop);
        title.SetColor(MakeColor(231, 231, 231));
        LoadFrame(title, IDB_MAIN_TITLE_FRAME, 17, 17, 17, 17);
        status.SetParent(&host);
        status.SetBevelOuter(bvNone);
        status.SetHeight(32);
        status.SetAlign(alBottom);
        status.SetColor(clActiveBorder);
        LoadFrame(status, IDB_MAIN_STATUS_FRAME, 8, 0, 18, 32);
        browser.SetParent(&host);
        browser.SetBevelOuter(bvNone);
        browser.SetBorderWidth(5);
        browser.SetAlign(alClient);
        browser.SetColor(clWhite);
        LoadFrame(browser, IDB_MAIN_BROWSER_FRAME, 17, 17, 17, 17);

        captionButtons.SetParent(&title);
        captionButtons.SetBevelOuter(bvNone);
        captionButtons.SetBounds(W - 94, -1, 94, 25);
        for (auto* b : {&mainMin, &mainMax, &mainClose}) b->SetParent(&captionButtons);
        LoadStrip(mainMin, IDB_MAIN_MINIMIZE);
        LoadStrip(mainMax, IDB_MAIN_MAXIMIZE);
        LoadStrip(mainClose, IDB_MAIN_CLOSE);
        mainMin.SetLeft(0);
        mainMax.SetLeft(29);
        mainClose.SetLeft(59);
        for (auto* b : {&loginMin, &loginClose}) b->SetParent(&title);
        LoadStrip(loginMin, IDB_LOGIN_MINIMIZE);
        LoadStrip(loginClose, IDB_LOGIN_CLOSE);
        loginMin.SetLeft(400);
        loginClose.SetLeft(432);
        login.SetParent(&status);
        LoadStrip(login, IDB_LOGIN_BUTTON);
        login.SetBounds(600, 4, 0, 0);
        login.Font().SetColor(clBlack);
        login.SetCaption(L"订货登陆");
        host.HandleNeeded();
    } catch (const Exception& e) {
        std::fwprintf(stderr, L"set-up failed: %ls\n", e.Message().c_str());
        return 1;
    }

    TBitmap target, source;
    target.SetSize(W, H);
    source.SetSize(W, H);
    HDC dc = target.Canvas().Handle();
    HDC src = source.Canvas().Handle();
    TWinControl* windows[] = {&title, &captionButtons, &browser, &status};

    auto paintAll = [&] {
        for (TWinControl* w : windows) {
            POINT at{0, 0};
            ::MapWindowPoints(w->Handle(), host.Handle(), &at, 1);
            ::SetViewportOrgEx(dc, at.x, at.y, nullptr);
            ::SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                           PRF_CLIENT | PRF_ERASEBKGND);
        }
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
        ::GdiFlush();
    };

    // Warm up: fonts and the shared DCs are made at the first paint and kept.
    paintAll();
    paintAll();

    const int hookedGdi = HookImports(::GetModuleHandleW(nullptr), kGdiHooks, std::size(kGdiHooks));
    const int hookedHeap = HookImports(::GetModuleHandleW(nullptr), kHeapHooks, std::size(kHeapHooks));

    const DWORD gdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);

    g_counting = true;
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < paints; ++i) paintAll();
    ::QueryPerformanceCounter(&t1);
    g_counting = false;
    const long gdiCreated = g_gdiCreated;
    const long allocations = g_allocations;

    const DWORD gdiAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userAfter = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);

    // The same count inside the system's common controls library, which the paint may call into.
    HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    const int hookedComctl = comctl ? HookImports(comctl, kGdiHooks, std::size(kGdiHooks)) : 0;
    const int systemPaints = paints < 200 ? paints : 200;
    g_gdiCreated = 0;
    g_counting = true;
    for (int i = 0; i < systemPaints; ++i) paintAll();
    g_counting = false;
    const long gdiCreatedWithSystem = g_gdiCreated;

    // One full-window opaque copy, for scale.
    const int blits = paints < 1000 ? paints : 1000;
    LARGE_INTEGER b0, b1;
    ::QueryPerformanceCounter(&b0);
    for (int i = 0; i < blits; ++i) {
        ::BitBlt(dc, 0, 0, W, H, src, 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    ::QueryPerformanceCounter(&b1);

    // Where the time goes: each window alone.
    const char* names[] = {"title bar", "caption buttons", "browser frame", "status bar"};
    double perWindow[4] = {};
    const int each = paints < 200 ? paints : 200;
    for (int k = 0; k < 4; ++k) {
        TWinControl* w = windows[k];
        POINT at{0, 0};
        ::MapWindowPoints(w->Handle(), host.Handle(), &at, 1);
        ::SetViewportOrgEx(dc, at.x, at.y, nullptr);
        LARGE_INTEGER w0, w1;
        ::QueryPerformanceCounter(&w0);
        for (int i = 0; i < each; ++i) {
            ::SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
            ::GdiFlush();
        }
        ::QueryPerformanceCounter(&w1);
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
        perWindow[k] = Seconds(w0, w1) / each * 1e6;
    }

    const double perPaint = Seconds(t0, t1) / paints * 1e6;
    const double perBlit = Seconds(b0, b1) / blits * 1e6;
    std::printf("paint_bench: %d paints of 3 frame panels at %dx%d with 6 image buttons\n", paints, W, H);
    std::printf("  imports counted: %d GDI, %d heap in the program; %d GDI in comctl32%s\n", hookedGdi,
                hookedHeap, hookedComctl, comctl ? "" : " (not loaded)");
    std::printf("  time per paint:           %10.1f us\n", perPaint);
    std::printf("  one 1920x1080 BitBlt:     %10.1f us\n", perBlit);
    std::printf("  ratio paint / BitBlt:     %10.2f\n", perPaint / perBlit);
    for (int k = 0; k < 4; ++k) std::printf("    %-22s%10.1f us\n", names[k], perWindow[k]);
    std::printf("  GDI objects created:      %ld in %d paints (%.3f per paint)\n", gdiCreated, paints,
                double(gdiCreated) / paints);
    std::printf("  with comctl32's own:      %ld in %d paints (%.3f per paint)\n", gdiCreatedWithSystem,
                systemPaints, double(gdiCreatedWithSystem) / systemPaints);
    std::printf("  memory allocations:       %ld in %d paints (%.3f per paint)\n", allocations, paints,
                double(allocations) / paints);
    std::printf("  GDI handles (GetGuiResources):  before %lu, after %lu\n", gdiBefore, gdiAfter);
    std::printf("  USER handles (GetGuiResources): before %lu, after %lu\n", userBefore, userAfter);
    if (gdiBefore == 0 && userBefore == 0)
        std::printf("  (GetGuiResources answers 0 on this system: the counts above are the measure)\n");
    return 0;
}
