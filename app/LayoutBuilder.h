#pragma once
// Makes a window's controls from its layout table (resources/layouts/): each control is created
// with the window as owner, named, placed on its parent and given its settings, in table order.
#include "resources/layouts/Layout.h"

class TForm;

// Applies the window's own settings (caption, border, client size, colour, font, centred on the
// desktop) and creates every control of the table. Pictures come from the executable's bitmap
// resources; a missing one leaves the picture empty.
void BuildLayout(TForm& form, const TFormLayout& layout);
