#pragma once
// The base of objects that can copy their state from one another (bitmaps, fonts, margins ...).
// Assign(Source) asks the source to copy itself into this object (AssignTo); a pair that does not
// know each other ends in EConvertError "Cannot assign a <source> to a <destination>", with "nil"
// as the source's name when nothing was given.
#include "framework/Events.h"

class TPersistent : public TObject {
public:
    // The class name used in messages ("TBitmap", "TGlyphLayout" ...).
    virtual const wchar_t* ClassName() const { return L"TPersistent"; }

    // Copies Source's state into this object; throws EConvertError if the two do not match.
    virtual void Assign(const TPersistent* Source);

protected:
    // Copies this object's state into Dest; the default knows no destination and throws.
    virtual void AssignTo(TPersistent* Dest) const;
    // Throws EConvertError "Cannot assign a <Source's class or nil> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};
