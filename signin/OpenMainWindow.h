#pragma once
// The hand-over from the sign-in window to the main window, after a sign-in has passed its checks
// and stored its values: open the main window (made on first use), point its browser at the
// sign-in page and hide the sign-in window.
#include <string>

class TfmLogin;

// userName and password are the trimmed texts of the boxes; pageTemplate is the page path of the
// selected mode with its two "%s" (user name, then the password's digest).
void OpenMainWindow(TfmLogin& login, const std::wstring& userName, const std::wstring& password,
                    const std::wstring& pageTemplate);
