#include "classlib/Objects.h"

#include "classlib/Exceptions.h"

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() {
    return nullptr;
}

AnsiString TPersistent::GetNamePath() {
    return ClassName();
}

void TPersistent::AssignError(TPersistent* Source) {
    AnsiString source = Source ? Source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + source + " to a " + ClassName());
}
