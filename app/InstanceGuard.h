#pragma once
// The single-instance guard. Its constructor looks for another running copy of the program: a
// top-level window with the class name and text of this process's application window. If one
// exists, that copy is brought forward and this process is told to end without showing a window.
// The object then stays idle until the process ends.
#include <windows.h>

#include "framework/Events.h"

class TInstanceGuard : public TObject {
public:
    explicit TInstanceGuard(TObject* owner = nullptr);

    // What the check found (for tests): the number of matching windows, this process's own
    // application window included, and the last match that is not this process's own.
    static int MatchCount() noexcept;
    static HWND OtherWindow() noexcept;
};
