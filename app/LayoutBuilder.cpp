#include "app/LayoutBuilder.h"

#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "widgets/ImagePanel.h"
#include "widgets/v2TransBtn.h"

namespace {

void LoadPicture(TBitmap& bitmap, int id) {
    if (id == 0) return;
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    // A picture the executable does not carry leaves the control empty rather than failing the
    // window.
    if (!::FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_BITMAP))) return;
    bitmap.LoadFromResourceID(module, id);
}

void ApplyFont(TControl& control, const TLayoutFont& font) {
    if (!font.name) return;
    control.Font().SetName(font.name);
    control.Font().SetHeight(font.height);
    control.Font().SetColor(font.color);
}

TControl* MakeControl(TForm& form, const TLayoutItem& item) {
    const bool autoSize = (item.flags & lfAutoSize) != 0;
    switch (item.kind) {
    case TLayoutKind::Image: {
        auto* image = new TImage(&form);
        image->SetTransparent((item.flags & lfTransparent) != 0);
        LoadPicture(image->Picture(), item.picture);
        image->SetAutoSize(autoSize);
        return image;
    }
    case TLayoutKind::Label: {
        auto* label = new TLabel(&form);
        label->SetTransparent((item.flags & lfTransparent) != 0);
        label->SetAutoSize(autoSize);
        return label;
    }
    case TLayoutKind::ImageButton: {
        auto* button = new TV2TransparentButton(&form);
        button->SetFrameStyle(fsNone);
        LoadPicture(button->Glyph(), item.picture);
        if (item.numGlyphs > 0) button->SetNumGlyphs(item.numGlyphs);
        button->SetAutoSize(autoSize);
        return button;
    }
    case TLayoutKind::SpeedButton: {
        auto* button = new TSpeedButton(&form);
        button->SetFlat((item.flags & lfFlat) != 0);
        button->SetTransparent((item.flags & lfOpaque) == 0);
        LoadPicture(button->Glyph(), item.picture);
        return button;
    }
    case TLayoutKind::Edit: {
        auto* edit = new TEdit(&form);
        if (item.flags & lfPassword) edit->SetPasswordChar(L'*');
        return edit;
    }
    case TLayoutKind::RadioButton:
        return new TRadioButton(&form);
    case TLayoutKind::CheckBox:
        return new TCheckBox(&form);
    case TLayoutKind::ImagePanel: {
        auto* panel = new TImagePanel(&form);
        LoadPicture(panel->Glyph(), item.picture);
        panel->SetStretch((item.flags & lfStretch) != 0);
        return panel;
    }
    }
    throw Exception(L"Unknown control kind");
}

} // namespace

void BuildLayout(TForm& form, const TFormLayout& layout) {
    form.SetCaption(layout.caption);
    form.SetBorderStyle(layout.border == TLayoutBorder::None ? bsNone : bsSizeable);
    form.SetPosition(poDesktopCenter);
    form.SetColor(layout.color);
    ApplyFont(form, layout.font);
    form.SetClientWidth(layout.clientWidth);
    form.SetClientHeight(layout.clientHeight);

    for (size_t i = 0; i < layout.count; ++i) {
        const TLayoutItem& item = layout.items[i];
        TControl* control = MakeControl(form, item);
        control->SetName(item.name);
        ApplyFont(*control, item.font);
        if (item.caption) control->SetCaption(item.caption);
        if (item.hint) control->SetHint(item.hint);
        control->SetShowHint((item.flags & lfShowHint) != 0);
        if (auto* native = dynamic_cast<TNativeControl*>(control); native && item.tabOrder >= 0)
            native->SetTabOrder(item.tabOrder);
        TWinControl* parent = item.parent ? form.FindControl<TWinControl>(item.parent) : &form;
        control->SetBounds(item.left, item.top, item.width, item.height);
        control->SetParent(parent);
        if (item.flags & lfAlignClient) control->SetAlign(alClient);
    }
}
