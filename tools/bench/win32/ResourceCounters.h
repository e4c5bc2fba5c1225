#pragma once
// What a long run of the program holds: the system's own counts (GDI and USER objects, kernel
// handles, private bytes) and, because some systems answer 0 for the GDI and USER counts (Wine
// does), counts of our own: the GDI objects and device contexts the program made and has not
// given back, its menus and icons, and its windows. Ours are kept by replacing the executable's
// imports of the creating and freeing functions with counting ones; they see what the program's
// own code makes, not what the system makes for it inside its DLLs.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstring>
#include <unordered_set>

namespace counters {

struct Counts {
    DWORD gdiObjects = 0;  // GetGuiResources(GR_GDIOBJECTS)
    DWORD userObjects = 0; // GetGuiResources(GR_USEROBJECTS)
    DWORD handles = 0;     // GetProcessHandleCount
    SIZE_T privateBytes = 0;
    long liveGdi = 0;      // GDI objects made by the program and not deleted
    long heldDcs = 0;      // window device contexts taken and not released
    long liveMenus = 0;
    long liveIcons = 0;
    long windows = 0;      // the thread's windows: top-level, child and message-only
    long gdiTable = -1;    // used entries of the process's GDI handle table, -1 where unreadable
    long openHandles = 0;  // kernel handles found open by asking each possible handle value
    SIZE_T committedPrivate = 0; // committed private memory, summed over the address space
    SIZE_T heapInUse = 0;  // bytes in the busy blocks of every heap of the process
};

namespace detail {

inline std::unordered_set<void*>& Live(int kind) {
    static std::unordered_set<void*> sets[4];
    return sets[kind];
}
enum Kind { kGdi, kDc, kMenu, kIcon };

inline void Made(int kind, void* h) {
    if (h) Live(kind).insert(h);
}
inline void Gone(int kind, void* h) { Live(kind).erase(h); }

#define ORDER_REAL(name) inline decltype(&::name) real_##name = nullptr;
#define ORDER_MAKES(kind, ret, name, params, args)                                                  \
    ORDER_REAL(name)                                                                                \
    inline ret WINAPI counted_##name params {                                                      \
        ret made_ = real_##name args;                                                              \
        Made(kind, reinterpret_cast<void*>(made_));                                                \
        return made_;                                                                              \
    }

ORDER_MAKES(kGdi, HDC, CreateCompatibleDC, (HDC dc), (dc))
ORDER_MAKES(kGdi, HDC, CreateDCW, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d))
ORDER_MAKES(kGdi, HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
ORDER_MAKES(kGdi, HBITMAP, CreateBitmap, (int w, int h, UINT p, UINT b, const void* bits), (w, h, p, b, bits))
ORDER_MAKES(kGdi, HBITMAP, CreateDIBSection,
            (HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o), (dc, bi, u, bits, s, o))
ORDER_MAKES(kGdi, HBITMAP, CreateDIBitmap,
            (HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* i, UINT u),
            (dc, h, f, b, i, u))
ORDER_MAKES(kGdi, HFONT, CreateFontIndirectW, (const LOGFONTW* lf), (lf))
ORDER_MAKES(kGdi, HPEN, CreatePen, (int s, int w, COLORREF c), (s, w, c))
ORDER_MAKES(kGdi, HBRUSH, CreateSolidBrush, (COLORREF c), (c))
ORDER_MAKES(kGdi, HBRUSH, CreateBrushIndirect, (const LOGBRUSH* lb), (lb))
ORDER_MAKES(kGdi, HBRUSH, CreatePatternBrush, (HBITMAP b), (b))
ORDER_MAKES(kGdi, HRGN, CreateRectRgn, (int l, int t, int r, int b), (l, t, r, b))
ORDER_MAKES(kGdi, HRGN, CreateRectRgnIndirect, (const RECT* r), (r))
ORDER_MAKES(kDc, HDC, GetDC, (HWND w), (w))
ORDER_MAKES(kDc, HDC, GetWindowDC, (HWND w), (w))
ORDER_MAKES(kDc, HDC, GetDCEx, (HWND w, HRGN r, DWORD f), (w, r, f))
ORDER_MAKES(kMenu, HMENU, CreatePopupMenu, (), ())
ORDER_MAKES(kMenu, HMENU, CreateMenu, (), ())
ORDER_MAKES(kIcon, HICON, CreateIconIndirect, (PICONINFO i), (i))
ORDER_MAKES(kIcon, HICON, CopyIcon, (HICON i), (i))

ORDER_REAL(DeleteObject)
inline BOOL WINAPI counted_DeleteObject(HGDIOBJ h) {
    const BOOL done = real_DeleteObject(h);
    if (done) Gone(kGdi, h);
    return done;
}
ORDER_REAL(DeleteDC)
inline BOOL WINAPI counted_DeleteDC(HDC h) {
    const BOOL done = real_DeleteDC(h);
    if (done) Gone(kGdi, h);
    return done;
}
ORDER_REAL(ReleaseDC)
inline int WINAPI counted_ReleaseDC(HWND w, HDC h) {
    const int done = real_ReleaseDC(w, h);
    if (done) Gone(kDc, h);
    return done;
}
ORDER_REAL(DestroyMenu)
inline BOOL WINAPI counted_DestroyMenu(HMENU h) {
    const BOOL done = real_DestroyMenu(h);
    if (done) Gone(kMenu, h);
    return done;
}
ORDER_REAL(DestroyIcon)
inline BOOL WINAPI counted_DestroyIcon(HICON h) {
    const BOOL done = real_DestroyIcon(h);
    if (done) Gone(kIcon, h);
    return done;
}
// A region given to a window belongs to the system from then on.
ORDER_REAL(SetWindowRgn)
inline int WINAPI counted_SetWindowRgn(HWND w, HRGN r, BOOL redraw) {
    const int done = real_SetWindowRgn(w, r, redraw);
    if (done) Gone(kGdi, r);
    return done;
}
// Pictures and icons loaded from resources: bitmaps are GDI objects, icons USER objects; shared
// ones belong to the system.
ORDER_REAL(LoadImageW)
inline HANDLE WINAPI counted_LoadImageW(HINSTANCE i, LPCWSTR n, UINT type, int cx, int cy, UINT flags) {
    HANDLE h = real_LoadImageW(i, n, type, cx, cy, flags);
    if (!(flags & LR_SHARED)) {
        if (type == IMAGE_BITMAP) Made(kGdi, h);
        if (type == IMAGE_ICON || type == IMAGE_CURSOR) Made(kIcon, h);
    }
    return h;
}
ORDER_REAL(CopyImage)
inline HANDLE WINAPI counted_CopyImage(HANDLE from, UINT type, int cx, int cy, UINT flags) {
    HANDLE h = real_CopyImage(from, type, cx, cy, flags);
    if (type == IMAGE_BITMAP) Made(kGdi, h);
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) Made(kIcon, h);
    if (h && h != from && (flags & LR_COPYDELETEORG)) Gone(type == IMAGE_BITMAP ? kGdi : kIcon, from);
    return h;
}

struct Hook {
    const char* name;
    void* replacement;
    void** real;
};

#define ORDER_HOOK(name)                                                                            \
    Hook { #name, reinterpret_cast<void*>(&counted_##name), reinterpret_cast<void**>(&real_##name) }

inline const Hook kHooks[] = {
    ORDER_HOOK(CreateCompatibleDC), ORDER_HOOK(CreateDCW),          ORDER_HOOK(CreateCompatibleBitmap),
    ORDER_HOOK(CreateBitmap),       ORDER_HOOK(CreateDIBSection),   ORDER_HOOK(CreateDIBitmap),
    ORDER_HOOK(CreateFontIndirectW), ORDER_HOOK(CreatePen),         ORDER_HOOK(CreateSolidBrush),
    ORDER_HOOK(CreateBrushIndirect), ORDER_HOOK(CreatePatternBrush), ORDER_HOOK(CreateRectRgn),
    ORDER_HOOK(CreateRectRgnIndirect), ORDER_HOOK(GetDC),           ORDER_HOOK(GetWindowDC),
    ORDER_HOOK(GetDCEx),            ORDER_HOOK(CreatePopupMenu),    ORDER_HOOK(CreateMenu),
    ORDER_HOOK(CreateIconIndirect), ORDER_HOOK(CopyIcon),           ORDER_HOOK(DeleteObject),
    ORDER_HOOK(DeleteDC),           ORDER_HOOK(ReleaseDC),          ORDER_HOOK(DestroyMenu),
    ORDER_HOOK(DestroyIcon),        ORDER_HOOK(SetWindowRgn),       ORDER_HOOK(LoadImageW),
    ORDER_HOOK(CopyImage),
};

#undef ORDER_HOOK
#undef ORDER_MAKES
#undef ORDER_REAL

// The process's GDI handle table, which the PEB points to (GdiSharedHandleTable): 0x10000
// entries of 24 bytes (16 on 32-bit systems), the object's address first, zero when unused.
// Only read where GetGuiResources answers 0: there the table is the process's own.
inline long GdiTableEntries() {
#ifdef _WIN64
    constexpr size_t kTableOffset = 0xF8, kEntrySize = 24;
#else
    constexpr size_t kTableOffset = 0x94, kEntrySize = 16;
#endif
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + kTableOffset);
    if (!table) return -1;
    long used = 0;
    for (size_t i = 0; i < 0x10000; ++i)
        if (*reinterpret_cast<const ULONG_PTR*>(table + i * kEntrySize)) ++used;
    return used;
}

// Handle values are multiples of 4; asking each one whether it is open counts them where the
// system's own count answers 0.
inline long ProbeHandles() {
    long open = 0;
    for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
    }
    return open;
}

inline SIZE_T CommittedPrivate() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const BYTE* at = nullptr;
    while (::VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

inline SIZE_T HeapInUse() {
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    SIZE_T total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<long*>(param);
    return TRUE;
}
inline BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
    ++*reinterpret_cast<long*>(param);
    ::EnumChildWindows(hwnd, CountChild, param);
    return TRUE;
}

} // namespace detail

// Replaces the executable's imports of the functions above; returns how many were found. Call
// it before the program makes anything, so that every object it makes is seen.
inline int Install() {
    using namespace detail;
    for (auto& set : {&Live(kGdi), &Live(kDc), &Live(kMenu), &Live(kIcon)}) set->reserve(1024);
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    int replaced = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (!imp->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name =
                reinterpret_cast<const char*>(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            for (const Hook& hook : kHooks) {
                if (std::strcmp(name, hook.name) != 0) continue;
                DWORD old = 0;
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
                *hook.real = reinterpret_cast<void*>(slots->u1.Function);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook.replacement);
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
                ++replaced;
            }
        }
    }
    return replaced;
}

inline Counts Take() {
    using namespace detail;
    Counts c;
    HANDLE self = ::GetCurrentProcess();
    c.gdiObjects = ::GetGuiResources(self, GR_GDIOBJECTS);
    c.userObjects = ::GetGuiResources(self, GR_USEROBJECTS);
    ::GetProcessHandleCount(self, &c.handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::K32GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        c.privateBytes = memory.PrivateUsage;
    c.liveGdi = static_cast<long>(Live(kGdi).size());
    c.heldDcs = static_cast<long>(Live(kDc).size());
    c.liveMenus = static_cast<long>(Live(kMenu).size());
    c.liveIcons = static_cast<long>(Live(kIcon).size());
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&c.windows));
    for (HWND h = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = ::FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr))
        if (::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId()) ++c.windows;
    if (c.gdiObjects == 0) c.gdiTable = GdiTableEntries();
    c.openHandles = ProbeHandles();
    c.committedPrivate = CommittedPrivate();
    c.heapInUse = HeapInUse();
    return c;
}

} // namespace counters
