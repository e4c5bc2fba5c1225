#include "framework/ErrorHandler.h"

#include <windows.h>

#include "framework/Exception.h"
#include "framework/Hooks.h"

namespace fw {
namespace {

void DefaultHandler(const std::wstring& message) {
    hooks::messageBox(nullptr, message.c_str(), L"Error", MB_OK | MB_ICONSTOP);
}

ExceptionHandlerFn g_handler = DefaultHandler;

std::wstring Widen(const char* text) {
    std::wstring out;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n > 1) {
        out.resize(static_cast<size_t>(n - 1));
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    }
    return out;
}

} // namespace

void SetExceptionHandler(ExceptionHandlerFn handler) { g_handler = handler ? handler : DefaultHandler; }

std::wstring ExceptionText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e)) return own->Message();
    return Widen(e.what());
}

void HandleCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            g_handler(ExceptionText(e));
        } catch (...) {
            g_handler(L"Unknown error");
        }
    } catch (...) {
        // The handler itself failed (out of memory while showing the box): nothing more to do.
    }
}

} // namespace fw
