// Start-up benchmark: how long from process start until the sign-in window is shown, beside a
// bare Win32 program that shows one plain window, measured alternately in the same run; and the
// size of the client executable, split into code and data on one side and resources (artwork,
// icon, manifest) on the other. Prints figures only; it judges nothing.
//
//   startup_bench CLIENT.exe BARE.exe [RUNS]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    const wchar_t* className;
    bool found;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hwnd)) return TRUE;
    wchar_t name[64]{};
    ::GetClassNameW(hwnd, name, 64);
    if (wcscmp(name, s->className) != 0) return TRUE;
    s->found = true;
    return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Milliseconds from CreateProcess until a visible window of the class belongs to the process;
// negative if none appears within 20 s.
double TimeToWindow(const std::wstring& exe, const wchar_t* className) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start, now;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi))
        return -1;
    double ms = -1;
    for (;;) {
        Search s{pi.dwProcessId, className, false};
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&s));
        ::QueryPerformanceCounter(&now);
        if (s.found) {
            ms = Seconds(start, now) * 1000.0;
            break;
        }
        if (Seconds(start, now) > 20.0) break;
        if (::WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// The executable's size, and how much of it its resource section holds.
void PrintSizes(const std::wstring& exe) {
    HANDLE file = ::CreateFileW(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    if (read < sizeof(IMAGE_DOS_HEADER)) return;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(bytes.data() + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    unsigned long resources = 0;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (std::string(reinterpret_cast<const char*>(section->Name), 5) == ".rsrc")
            resources += section->SizeOfRawData;
    const unsigned long total = static_cast<unsigned long>(size.QuadPart);
    std::printf("executable size: %lu bytes (%.1f KB)\n", total, total / 1024.0);
    std::printf("  resources (artwork, icon, manifest): %lu bytes (%.1f KB)\n", resources,
                resources / 1024.0);
    std::printf("  code, data and the linked runtime: %lu bytes (%.1f KB)\n", total - resources,
                (total - resources) / 1024.0);
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc < 3) {
        std::printf("usage: startup_bench CLIENT.exe BARE.exe [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 10;
    // One untimed start of each first, so both find the system equally warm.
    TimeToWindow(argv[1], L"TfmLogin");
    TimeToWindow(argv[2], L"BareWindow");
    std::vector<double> client, bare;
    for (int i = 0; i < runs; ++i) {
        const double c = TimeToWindow(argv[1], L"TfmLogin");
        const double b = TimeToWindow(argv[2], L"BareWindow");
        if (c < 0 || b < 0) {
            std::printf("run %d: a window did not appear (client %.1f ms, bare %.1f ms)\n", i + 1, c, b);
            return 1;
        }
        client.push_back(c);
        bare.push_back(b);
    }
    const double mc = Median(client), mb = Median(bare);
    std::printf("start until the window is shown, median of %d runs:\n", runs);
    std::printf("  client sign-in window: %.1f ms (min %.1f, max %.1f)\n", mc,
                *std::min_element(client.begin(), client.end()),
                *std::max_element(client.begin(), client.end()));
    std::printf("  bare Win32 window:     %.1f ms (min %.1f, max %.1f)\n", mb,
                *std::min_element(bare.begin(), bare.end()),
                *std::max_element(bare.begin(), bare.end()));
    std::printf("  ratio client / bare:   %.2f\n", mc / mb);
    PrintSizes(argv[1]);
    return 0;
}
