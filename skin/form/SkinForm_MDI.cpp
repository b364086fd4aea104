// The MDI branches of TskSkinForm: the main form's client window, its window menu of the
// children, the maximized child's look on the main form, and the messages between them.
#include "skin/form/SkinForm.h"

#include "skin/form/SkinForm_Arrange.h"

#include <algorithm>
#include <utility>

namespace {

TCustomForm* MainForm() {
    return Application ? Application->GetMainForm() : nullptr;
}

// A child whose look counts on the main form: shown and not on its way out.
bool ShownChild(TCustomForm* Child) {
    return Child && Child->GetVisible() && Child->HandleAllocated() && !Child->IsDestroying();
}

TskSkinForm* MaximizedComponent(TCustomForm* Child) {
    if (!ShownChild(Child)) return nullptr;
    TskSkinForm* c = GetSkinFormComponent(Child);
    return c && !c->IsDestroying() && c->GetWindowState() == wsMaximized ? c : nullptr;
}

} // namespace

TskSkinForm* GetMDIChildSkinFormComponent() {
    TCustomForm* main = MainForm();
    if (!main) return nullptr;
    for (TCustomForm* child : main->GetMDIChildList())
        if (TskSkinForm* c = GetSkinFormComponent(child); c && c->GetWindowState() == wsMaximized) return c;
    return nullptr;
}

TskSkinForm* GetMDIChildSkinFormComponent2() {
    TCustomForm* main = MainForm();
    return main ? GetSkinFormComponent(main->GetActiveMDIChild()) : nullptr;
}

bool TskSkinForm::IsMDIMainForm() const {
    return FForm->GetFormStyle() == fsMDIForm;
}

bool TskSkinForm::IsMDIChild() const {
    return FForm->GetFormStyle() == fsMDIChild;
}

bool TskSkinForm::MaximizedMDIChild() const {
    return IsMDIChild() && FWindowState == wsMaximized;
}

TskSkinForm* TskSkinForm::MainFormComponent() const {
    TCustomForm* main = MainForm();
    return main && main->GetFormStyle() == fsMDIForm ? GetSkinFormComponent(main) : nullptr;
}

void TskSkinForm::SendToMainForm(UINT Msg) {
    TCustomForm* main = MainForm();
    if (main && main != FForm && main->HandleAllocated()) SendMessageA(main->GetHandle(), Msg, 0, 0);
}

TCustomForm* TskSkinForm::GetMaximizeMDIChild() {
    TCustomForm* main = MainForm();
    if (!main) return nullptr;
    if (TCustomForm* active = main->GetActiveMDIChild(); MaximizedComponent(active)) return active;
    for (TCustomForm* child : main->GetMDIChildList())
        if (MaximizedComponent(child)) return child;
    return nullptr;
}

TRect TskSkinForm::GetMDIWorkArea() {
    TCustomForm* main = MainForm();
    if (!main) return TRect();
    const TRect client = main->GetClientRect();
    int left = 0, top = 0, right = client.Right, bottom = client.Bottom;
    for (int i = 0; i < main->GetControlCount(); ++i) {
        TControl* c = main->GetControl(i);
        if (!c->GetVisible()) continue;
        switch (c->GetAlign()) {
        case alLeft: left = std::max(left, c->GetLeft() + c->GetWidth()); break;
        case alTop: top = std::max(top, c->GetTop() + c->GetHeight()); break;
        case alRight: right = std::min(right, c->GetLeft()); break;
        case alBottom: bottom = std::min(bottom, c->GetTop()); break;
        default: break;
        }
    }
    return TRect(left, top, right, bottom);
}

AnsiString TskSkinForm::CaptionText() {
    AnsiString text = FForm->GetCaption();
    if (IsMDIMainForm() && FMDIChildMaximized)
        if (TCustomForm* child = GetMaximizeMDIChild()) text += " - [" + child->GetCaption() + "]";
    return text;
}

// ---------------------------------------------------------------------------
// Messages between the main form and its children

void TskSkinForm::MDIChildMaximized() {
    FMDIChildMaximized = true;
    SendNCPaint();
    if (FMainMenuBar) FMainMenuBar->MDIChildMaximize();
}

void TskSkinForm::MDIChildRestored() {
    FMDIChildMaximized = GetMaximizeMDIChild() != nullptr;
    SendNCPaint();
    if (FMainMenuBar) FMainMenuBar->MDIChildRestore();
}

void TskSkinForm::ResizeMaximizedMDIChild() {
    const TRect area = GetMDIWorkArea();
    FForm->SetBounds(0, 0, RectWidth(area), RectHeight(area));
}

void TskSkinForm::MDIChildShown() {
    SetReference(FForm, FShownToMain, MainFormComponent());
    AddChildToMenu(FForm);
    if (FWindowState == wsMaximized) SendToMainForm(WM_MDICHILDMAXIMIZED);
}

void TskSkinForm::MDIChildHidden() {
    // Nothing the user held on the hidden window goes on.
    if (MouseDownObject != -1 && GetCapture() == FForm->GetHandle()) ReleaseCapture();
    MouseDownObject = -1;
    FDragging = false;
    FInSizeMove = false;
    MouseTimer->SetEnabled(false);
    TestActive(-1, -1, false);
    DeleteChildFromMenu(FForm);
    SetReference<TskSkinForm>(FForm, FShownToMain, nullptr);
    if (FWindowState == wsMaximized) SendToMainForm(WM_MDICHILDRESTORED);
}

void TskSkinForm::MDIChildLeft(TCustomForm* Child) {
    DeleteChildFromMenu(Child);
    if (FMDIChildMaximized) MDIChildRestored();
}

void TskSkinForm::ResizeMDIChilds() {
    for (TCustomForm* child : FForm->GetMDIChildList())
        if (child->HandleAllocated()) SendMessageA(child->GetHandle(), WM_RESIZEMDICHILD, 0, 0);
    if (!IsDestroying()) ArangeMinimizedChilds();
}

// ---------------------------------------------------------------------------
// The main form's client window

void TskSkinForm::HookMDIClient() {
    HWND client = FForm->GetClientHandle();
    if (!client || FClientHook.GetWindow() == client) return;
    FClientHook.Hook(client, TWndMethod(this, &TskSkinForm::FormClientWindowProcHook));
    // Framed anew: the hook leaves it no border.
    SetWindowPos(client, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TskSkinForm::FormClientWindowProcHook(TMessage& Message) {
    TComponentProtector protect(this);
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        Message.Result = 0;
        return;
    case WM_NCACTIVATE:
        Message.Result = 1;
        return;
    case WM_SIZE:
        FClientHook.CallPrevious(Message);
        ResizeMDIChilds();
        return;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(FClientHook.GetWindow(), &r);
        const TRect client(r.left, r.top, r.right, r.bottom);
        auto* dc = reinterpret_cast<HDC>(Message.WParam);
        if (FSkinData && !FSkinData->Empty) {
            if (BackgroundPicture())
                PaintBG2(dc, client);
            else
                PaintBG(dc, client);
        } else {
            PaintMDIBGDefault(dc);
        }
        Message.Result = 1;
        return;
    }
    default:
        FClientHook.CallPrevious(Message);
        return;
    }
}

void TskSkinForm::PaintMDIBGDefault(HDC DC) {
    RECT r{};
    if (HWND client = FForm->GetClientHandle()) GetClientRect(client, &r);
    FillRect(DC, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
}

// ---------------------------------------------------------------------------
// The window menu

void TskSkinForm::AddChildToMenu(TCustomForm* Child) {
    TskSkinForm* main = MainFormComponent();
    TMenuItem* menu = main ? main->FForm->GetWindowMenu() : nullptr;
    if (!menu || !Child || Child->IsDestroying()) return;
    for (const TMDIChildItem& entry : main->FChildItems)
        if (entry.Child == Child) return UpDateChildCaptionInMenu(Child);
    // The divider stands while the list holds any child, however the children came and went.
    if (!main->FChildDivider) {
        auto* divider = new TMenuItem(nullptr);
        divider->SetName("DIVIDER_DSFCHILDITEM");
        divider->SetCaption("-");
        menu->Add(divider);
        divider->FreeNotification(main);
        main->FChildDivider = divider;
    }
    // Owned by no component: children without a name, or of the same name, each get one.
    auto* item = new TMenuItem(nullptr);
    item->SetName(Child->GetName() + "_DSFCHILDITEM");
    item->SetCaption(Child->GetCaption());
    item->OnClick = TNotifyEvent(main, &TskSkinForm::MDIItemClick);
    menu->Add(item);
    item->FreeNotification(main);
    Child->FreeNotification(main);
    main->FChildItems.push_back({Child, item});
    main->UpDateChildActiveInMenu();
}

void TskSkinForm::DeleteChildFromMenu(TCustomForm* Child) {
    TskSkinForm* main = MainFormComponent();
    if (!main) return;
    auto found = std::find_if(main->FChildItems.begin(), main->FChildItems.end(),
                              [&](const TMDIChildItem& e) { return e.Child == Child; });
    if (found != main->FChildItems.end()) {
        TMenuItem* item = found->Item;
        main->FChildItems.erase(found);
        main->RemoveFreeNotification(Child);
        delete item;
    }
    if (main->FChildItems.empty()) delete std::exchange(main->FChildDivider, nullptr);
}

void TskSkinForm::UpDateChildCaptionInMenu(TCustomForm* Child) {
    TskSkinForm* main = MainFormComponent();
    if (!main) return;
    for (const TMDIChildItem& entry : main->FChildItems)
        if (entry.Child == Child) entry.Item->SetCaption(Child->GetCaption());
}

void TskSkinForm::UpDateChildActiveInMenu() {
    TskSkinForm* main = MainFormComponent();
    if (!main) return;
    TCustomForm* active = main->FForm->GetActiveMDIChild();
    for (const TMDIChildItem& entry : main->FChildItems) entry.Item->SetChecked(entry.Child == active);
}

void TskSkinForm::MDIItemClick(TObject* Sender) {
    TCustomForm* child = nullptr;
    for (const TMDIChildItem& entry : FChildItems)
        if (entry.Item == Sender) child = entry.Child;
    if (!child) return;
    TComponentProtector protect(child);
    if (TskSkinForm* c = GetSkinFormComponent(child); c && c->GetWindowState() == wsMinimized)
        c->SetWindowState(wsNormal);
    if (!child->IsDestroying()) child->Show();
}
