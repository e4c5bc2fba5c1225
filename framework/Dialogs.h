#pragma once
// The simple message dialog: a text and an OK button, through hooks::messageBox so tests read
// it. Its caption is the application's title, which the application object provides.
#include <string>

namespace fw {

using TitleSourceFn = std::wstring (*)();
// Where ShowMessage takes its caption from; nullptr: the executable's name.
void SetMessageTitleSource(TitleSourceFn source);
std::wstring MessageTitle();

} // namespace fw

void ShowMessage(const std::wstring& text);
