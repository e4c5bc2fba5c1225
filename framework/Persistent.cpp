#include "framework/Persistent.h"

#include <string>

#include "framework/Exception.h"

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
    std::wstring text = L"Cannot assign a ";
    text += Source ? Source->ClassName() : L"nil";
    text += L" to a ";
    text += ClassName();
    throw EConvertError(std::move(text));
}
