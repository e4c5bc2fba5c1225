#include "signin/OpenMainWindow.h"

// The main window does not exist yet: a sign-in ends once its values are stored, and the sign-in
// window stays up.
void OpenMainWindow(TfmLogin&, const std::wstring&, const std::wstring&, const std::wstring&) {}
