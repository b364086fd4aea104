// The controller's walks over the entry fields of its form.
#include "classlib/Forms.h"
#include "grid/gclbase.h"
#include "grid/gclconst.h"
#include "grid/gclef.h"

#include <functional>

namespace {
// Visits the components of Root depth first; Visit answers whether to go into a
// component's own components and whether to stop.
bool Walk(TComponent* Root, const std::function<bool(TComponent*, bool&)>& Visit) {
    for (int i = 0; i < Root->GetComponentCount(); ++i) {
        TComponent* c = Root->GetComponent(i);
        bool descend = true;
        if (Visit(c, descend)) return true;
        if (descend && Walk(c, Visit)) return true;
    }
    return false;
}
} // namespace

void TGclController::MarkAsUninitialized(bool Uninitialized) {
    auto* form = dynamic_cast<TCustomForm*>(GetOwner());
    if (!form) return;
    Walk(form, [&](TComponent* c, bool&) {
        if (auto* field = dynamic_cast<TGclBaseEntryField*>(c)) field->SetUninitialized(Uninitialized);
        return false;
    });
}

TGclBaseEntryField* TGclController::ValidateEntryFields() {
    return ValidateEntryFieldsEx(true, true);
}

TGclBaseEntryField* TGclController::ValidateEntryFieldsEx(bool ReportError, bool ChangeFocus) {
    auto* form = dynamic_cast<TCustomForm*>(GetOwner());
    if (!form) return nullptr;
    TGclBaseEntryField* result = nullptr;
    Walk(form, [&](TComponent* c, bool& descend) {
        auto* field = dynamic_cast<TGclBaseEntryField*>(c);
        if (!field) return false;
        if (!field->GetVisible() || !field->GetEnabled()) {
            descend = false;
            return false;
        }
        if (field->ValidateContents(false) == 0) return false;
        if (!result) result = field;
        if (ReportError && !ErrorPending)
            PostMessageA(field->GetHandle(), om_ReportError, field->GetLastError(), 0);
        if (ChangeFocus && !ErrorPending) {
            PostFocusControl(field);
            ErrorPending = true;
        }
        return ReportError || ChangeFocus;
    });
    return result;
}

TGclBaseEntryField* TGclController::ValidateTheseEntryFields(const std::vector<TComponent*>& Fields) {
    for (TComponent* c : Fields) {
        auto* field = dynamic_cast<TGclBaseEntryField*>(c);
        if (!field || field->ValidateContents(false) == 0) continue;
        if (!ErrorPending) {
            PostMessageA(field->GetHandle(), om_ReportError, field->GetLastError(), 0);
            PostFocusControl(field);
            ErrorPending = true;
        }
        return field;
    }
    return nullptr;
}
