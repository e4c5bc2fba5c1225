#pragma once
// The general error handler: every window procedure, callback and COM method of the program ends
// in a catch that passes the exception here, so no exception ever crosses a Win32 or COM boundary.
// The application object installs its own handler (a message box with the exception's text);
// until then the default shows a plain message box.
#include <exception>
#include <string>

namespace fw {

using ExceptionHandlerFn = void (*)(const std::wstring& message);

// Installs the handler; nullptr restores the default.
void SetExceptionHandler(ExceptionHandlerFn handler);

// Called from inside a catch block: reports the exception being handled. Never throws.
void HandleCurrentException() noexcept;

// The text shown for an exception: Exception::Message(), or what() of other std::exceptions.
std::wstring ExceptionText(const std::exception& e);

} // namespace fw

// Wraps one event dispatch: runs fn, and on any exception hands it to the general error handler.
#define FW_GUARDED(...)                                                                            \
    try {                                                                                          \
        __VA_ARGS__;                                                                               \
    } catch (...) {                                                                                \
        ::fw::HandleCurrentException();                                                            \
    }
