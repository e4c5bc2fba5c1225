// A small console helper for the end-to-end scripts. Inside a Wine virtual desktop the program's
// windows are not X windows of their own, so xdotool cannot find them; this helper runs in the
// same Wine session and answers what a person would see: which windows are up, where they are,
// what a message box says. It only reads; the scripts act through xdotool as a person would.
//
//   probe list                      every visible top-level window: handle pid class rect title
//   probe wait CLASS [TITLE] [MS]   waits until a visible window of that class (and title) exists,
//                                   prints "handle left top right bottom clientLeft clientTop"
//                                   (screen coordinates); exit 1 on timeout
//   probe gone CLASS [MS]           waits until no visible window of that class exists
//   probe texts HANDLE              the texts of the window's child controls, one per line
//   probe text HANDLE               the window's own text
//   probe checked HANDLE NAME       "1" or "0": the check state of the child button with that text
//   probe focus HANDLE              the class (with "password" for a password box) and text of
//                                   the control with the keyboard focus in that window's thread
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Out(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                          nullptr, nullptr);
    bytes += '\n';
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                &written, nullptr);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[1024]{};
    // WM_GETTEXT reaches windows of other processes too (the system marshals it).
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                          2000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[256]{};
    ::GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

std::wstring Handle(HWND hwnd) {
    wchar_t buffer[32];
    swprintf(buffer, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
    return buffer;
}

HWND ParseHandle(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(text, nullptr, 0)));
}

struct Search {
    std::wstring className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindOne(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (!::IsWindowVisible(hwnd) || ClassOf(hwnd) != s->className) return TRUE;
    if (s->title && TextOf(hwnd) != s->title) return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND Find(const std::wstring& className, const wchar_t* title) {
    Search s{className, title, nullptr};
    ::EnumWindows(FindOne, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

BOOL CALLBACK ListOne(HWND hwnd, LPARAM) {
    if (!::IsWindowVisible(hwnd)) return TRUE;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    Out(Handle(hwnd) + L" " + std::to_wstring(pid) + L" " + ClassOf(hwnd) + L" " +
        std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) +
        L" " + std::to_wstring(r.bottom) + L" " + TextOf(hwnd));
    return TRUE;
}

BOOL CALLBACK ChildText(HWND hwnd, LPARAM) {
    const std::wstring text = TextOf(hwnd);
    if (!text.empty()) Out(text);
    return TRUE;
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindButton(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<ButtonSearch*>(param);
    if (ClassOf(hwnd) == L"Button" && TextOf(hwnd) == s->text) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int Usage() {
    Out(L"usage: probe list | wait CLASS [TITLE] [MS] | gone CLASS [MS] | texts HANDLE | "
        L"text HANDLE | checked HANDLE NAME | focus HANDLE");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    if (command == L"list") {
        ::EnumWindows(ListOne, 0);
        return 0;
    }
    if (command == L"wait" && argc >= 3) {
        const wchar_t* title = argc >= 4 && argv[3][0] ? argv[3] : nullptr;
        const DWORD timeout = argc >= 5 ? wcstoul(argv[4], nullptr, 10) : 15000;
        const DWORD start = ::GetTickCount();
        for (;;) {
            if (HWND hwnd = Find(argv[2], title)) {
                RECT r{};
                ::GetWindowRect(hwnd, &r);
                POINT client{0, 0};
                ::ClientToScreen(hwnd, &client);
                Out(Handle(hwnd) + L" " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) +
                    L" " + std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L" " +
                    std::to_wstring(client.x) + L" " + std::to_wstring(client.y));
                return 0;
            }
            if (::GetTickCount() - start > timeout) return 1;
            ::Sleep(50);
        }
    }
    if (command == L"gone" && argc >= 3) {
        const DWORD timeout = argc >= 4 ? wcstoul(argv[3], nullptr, 10) : 15000;
        const DWORD start = ::GetTickCount();
        while (Find(argv[2], nullptr)) {
            if (::GetTickCount() - start > timeout) return 1;
            ::Sleep(50);
        }
        return 0;
    }
    if (command == L"texts" && argc >= 3) {
        ::EnumChildWindows(ParseHandle(argv[2]), ChildText, 0);
        return 0;
    }
    if (command == L"text" && argc >= 3) {
        Out(TextOf(ParseHandle(argv[2])));
        return 0;
    }
    if (command == L"checked" && argc >= 4) {
        ButtonSearch s{argv[3], nullptr};
        ::EnumChildWindows(ParseHandle(argv[2]), FindButton, reinterpret_cast<LPARAM>(&s));
        if (!s.found) return 1;
        Out(::SendMessageW(s.found, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0");
        return 0;
    }
    if (command == L"focus" && argc >= 3) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = ::GetWindowThreadProcessId(ParseHandle(argv[2]), nullptr);
        if (!::GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return 1;
        const bool password = (::GetWindowLongW(info.hwndFocus, GWL_STYLE) & ES_PASSWORD) != 0;
        Out(ClassOf(info.hwndFocus) + (password ? L" password " : L" ") + TextOf(info.hwndFocus));
        return 0;
    }
    return Usage();
}
