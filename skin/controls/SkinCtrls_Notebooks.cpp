#include "skin/controls/SkinCtrls_Notebooks.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/Strings.h"

#include <algorithm>

namespace {

constexpr int kButtonHeight = 25;

} // namespace

// ---- TskSkinPage ----------------------------------------------------------------------------

TskSkinPage::TskSkinPage(TComponent* AOwner) : TskSkinPanel(AOwner) {
    SetVisible(false);
    SetAlign(alClient);
    SetBorderStyle(TskSkinBorderStyle::bvNone);
}

TskSkinPage::~TskSkinPage() {
    // A page that is not deleted through delete never told its notebook.
    if (FNotebook) std::erase(FNotebook->FPageList, this);
}

void TskSkinPage::Published(TPropertyList& P) {
    P.Add("ImageIndex", &TskSkinPage::GetImageIndex, &TskSkinPage::SetImageIndex, -1);
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alClient);
    P.Add("BorderStyle", &TskSkinPanel::GetBorderStyle, &TskSkinPanel::SetBorderStyle,
          TskSkinBorderStyle::bvNone);
    // A page is made hidden and the notebook shows the page it names: the state is not kept.
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, false).Stored(false);
}

void TskSkinPage::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (!FNotebook) return;
    const auto& pages = FNotebook->FPageList;
    const auto at = std::find(pages.begin(), pages.end(), this);
    if (at != pages.end()) FNotebook->UpdateButton(static_cast<int>(at - pages.begin()));
}

void TskSkinPage::ReadState(TReader* Reader) {
    auto* notebook = dynamic_cast<TskSkinNotebook*>(Reader->GetParent());
    if (notebook) notebook->AdoptPage(this);
    try {
        TskSkinPanel::ReadState(Reader);
    } catch (Exception& E) {
        // An unnamed page is known by its place in its notebook.
        if (notebook)
            E.SetMessage("Page " + IntToStr(notebook->GetPageCount() - 1) + " of " +
                         notebook->GetName() + ": " + E.Message());
        throw;
    }
}

void TskSkinPage::WMNCHitTest(TMessage& Message) {
    const TPoint at = ScreenToClient(
        TPoint(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))));
    // The page's empty area belongs to the notebook; a window-less control on the page, which
    // the page's window carries, still takes the mouse.
    if (IsDesigning() || GraphicControlAtPos(at, true)) {
        TskSkinPanel::Dispatch(Message);
        return;
    }
    Message.Result = HTTRANSPARENT;
}

// ---- TskPageButton ----------------------------------------------------------------------------

TskPageButton::TskPageButton(TComponent* AOwner, TskSkinNotebook* Notebook, int Index)
    : TskSkinSpeedButton(AOwner), FNotebook(Notebook), FIndex(Index) {
    FNotebook->FButtons.push_back(this);
    SetNumGlyphs(1);
    SetSpacing(5);
    SetSkinDataName(FNotebook->GetButtonSkinDataName());
}

TskPageButton::~TskPageButton() {
    if (FNotebook) std::erase(FNotebook->FButtons, this);
}

void TskPageButton::ButtonClick() {
    TComponentProtector protect(this);
    if (!FNotebook) return;
    FNotebook->SetPageIndex(FIndex);
    // The page change may have rebuilt the buttons or freed the notebook.
    if (IsDestroying()) return;
    TskSkinSpeedButton::ButtonClick();
}

// ---- TskPageAccess ----------------------------------------------------------------------------

int TskPageAccess::GetCount() const {
    return FNotebook->GetPageCount();
}

AnsiString TskPageAccess::Get(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FNotebook->GetPage(Index)->GetCaption();
}

TObject* TskPageAccess::GetObject(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FNotebook->GetPage(Index);
}

void TskPageAccess::Put(int Index, const AnsiString& S) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    FNotebook->SetPageCaption(Index, S);
}

int TskPageAccess::Add(const AnsiString& S) {
    return FNotebook->InsertPage(GetCount(), S);
}

void TskPageAccess::Insert(int Index, const AnsiString& S) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    FNotebook->InsertPage(Index, S);
}

void TskPageAccess::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    FNotebook->DeletePage(Index);
}

void TskPageAccess::Clear() {
    FNotebook->ClearPages();
}

void TskPageAccess::Move(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= GetCount()) IndexError(CurIndex);
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    FNotebook->MovePage(CurIndex, NewIndex);
}

void TskPageAccess::Exchange(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= GetCount()) IndexError(Index1);
    if (Index2 < 0 || Index2 >= GetCount()) IndexError(Index2);
    FNotebook->ExchangePages(Index1, Index2);
}

// ---- TskSkinNotebook: pages ------------------------------------------------------------------

TskSkinNotebook::TskSkinNotebook(TComponent* AOwner)
    : TskSkinPanel(AOwner), FAccess(std::make_unique<TskPageAccess>(this)) {
    SetControlStyle(GetControlStyle() >> csAcceptsControls >> csCaptureMouse >> csClickEvents);
    InsertPage(0, "Default");
}

TskSkinNotebook::~TskSkinNotebook() {
    FreePagesAndButtons();
}

void TskSkinNotebook::FreePagesAndButtons() {
    TFlagGuard removing(FRemovingPages);
    const auto buttons = std::move(FButtons);
    FButtons.clear();
    for (TskPageButton* button : buttons) {
        button->FNotebook = nullptr;
        delete button;
    }
    const auto pages = std::move(FPageList);
    FPageList.clear();
    for (TskSkinPage* page : pages) {
        page->FNotebook = nullptr;
        delete page;
    }
    FShown = nullptr;
}

void TskSkinNotebook::Published(TPropertyList& P) {
    P.Add("Pages", &TskSkinNotebook::GetPages, &TskSkinNotebook::SetPages).Stored(false);
    P.Add("PageIndex", &TskSkinNotebook::GetPageIndex, &TskSkinNotebook::SetPageIndex, 0);
    P.Add("ActivePage", &TskSkinNotebook::GetActivePage, &TskSkinNotebook::SetActivePage)
        .Stored(false);
    P.Add("ButtonsMode", &TskSkinNotebook::GetButtonsMode, &TskSkinNotebook::SetButtonsMode, false);
    P.Add("ButtonSkinDataName", &TskSkinNotebook::GetButtonSkinDataName,
          &TskSkinNotebook::SetButtonSkinDataName, AnsiString("toolbutton"));
    P.Add("Images", &TskSkinNotebook::GetImages, &TskSkinNotebook::SetImages);
    P.Add("OnPageChanged", &TskSkinNotebook::OnPageChanged);
}

TskSkinPage* TskSkinNotebook::GetPage(int Index) const {
    CheckPageIndex(Index);
    return FPageList[static_cast<std::size_t>(Index)];
}

void TskSkinNotebook::CheckPageIndex(int Index) const {
    if (Index < 0 || Index >= GetPageCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
}

void TskSkinNotebook::AdoptPage(TskSkinPage* Page) {
    Page->FNotebook = this;
    FPageList.push_back(Page);
    // A page read from a form belongs to the form: its deletion is heard of here.
    Page->FreeNotification(this);
}

int TskSkinNotebook::InsertPage(int Index, const AnsiString& S) {
    auto* page = new TskSkinPage(this);
    FPageList.insert(FPageList.begin() + Index, page);
    page->FNotebook = this;
    page->SetCaption(S);
    page->SetParent(this);
    UpdateButtons();
    ShowPage(Index);
    return Index;
}

void TskSkinNotebook::DeletePage(int Index) {
    {
        TFlagGuard removing(FRemovingPages);
        delete GetPage(Index);
    }
    PagesRemoved();
}

void TskSkinNotebook::ClearPages() {
    {
        TFlagGuard removing(FRemovingPages);
        const auto pages = FPageList;
        for (TskSkinPage* page : pages) delete page;
    }
    PagesRemoved();
}

void TskSkinNotebook::MovePage(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    TskSkinPage* page = GetPage(CurIndex);
    FPageList.erase(FPageList.begin() + CurIndex);
    FPageList.insert(FPageList.begin() + NewIndex, page);
    PagesMoved();
}

void TskSkinNotebook::ExchangePages(int Index1, int Index2) {
    if (Index1 == Index2) return;
    std::swap(FPageList[static_cast<std::size_t>(Index1)], FPageList[static_cast<std::size_t>(Index2)]);
    PagesMoved();
}

void TskSkinNotebook::PagesMoved() {
    // The shown page stays shown, at its new place.
    const auto at = std::find(FPageList.begin(), FPageList.end(), FShown);
    if (at != FPageList.end()) FPageIndex = static_cast<int>(at - FPageList.begin());
    UpdateButtons();
}

void TskSkinNotebook::SetPageCaption(int Index, const AnsiString& S) {
    GetPage(Index)->SetCaption(S);
    UpdateButton(Index);
}

void TskSkinNotebook::ForgetPage(TskSkinPage* Page) {
    const auto at = std::find(FPageList.begin(), FPageList.end(), Page);
    if (at == FPageList.end()) return;
    FPageList.erase(at);
    Page->FNotebook = nullptr;
    if (Page == FShown) FShown = nullptr;
    if (!FRemovingPages && !IsDestroying()) PagesRemoved();
}

void TskSkinNotebook::PagesRemoved() {
    UpdateButtons();
    if (!FPageList.empty()) {
        ShowPage(0);
        return;
    }
    const bool changed = FPageIndex != -1;
    FPageIndex = -1;
    FShown = nullptr;
    if (changed && OnPageChanged && !IsLoading()) OnPageChanged(this);
}

void TskSkinNotebook::SetPages(TStrings* Value) {
    FAccess->Assign(Value);
    UpdateButtons();
}

// ---- TskSkinNotebook: the shown page ---------------------------------------------------------

void TskSkinNotebook::SetPageIndex(int Value) {
    if (IsLoading()) {
        FPageIndex = Value;
        return;
    }
    if (Value == FPageIndex || Value < 0 || Value >= GetPageCount()) return;
    ShowPage(Value);
}

void TskSkinNotebook::ShowPage(int Index) {
    TskSkinPage* page = GetPage(Index);
    const bool changed = page != FShown || Index != FPageIndex;
    TCustomForm* form = IsLoading() ? nullptr : GetParentForm();
    // The focus leaves a page that is hidden for the notebook itself.
    if (form && form->GetActiveControl() != this && ContainsControl(form->GetActiveControl()) &&
        CanFocus())
        form->SetActiveControl(this);
    // Showing and hiding run the pages' events, which may free them.
    TComponentProtector protect(page);
    page->BringToFront();
    page->SetSkinData(GetSkin());
    page->SetVisible(true);
    page->SetAlign(alClient);
    for (std::size_t i = 0; i < FPageList.size(); ++i)
        if (FPageList[i] != page && FPageList[i]->GetVisible()) FPageList[i]->SetVisible(false);
    if (page->IsDestroying()) return;
    FPageIndex = Index;
    FShown = page;
    if (form && form->GetActiveControl() == this) SelectNext(nullptr, true, true);
    if (FButtonsMode) RealignButtons();
    if (changed && OnPageChanged && !IsLoading()) OnPageChanged(this);
}

void TskSkinNotebook::ShowControl(TControl* AControl) {
    TComponentProtector protect(this);
    const auto at = std::find(FPageList.begin(), FPageList.end(), AControl);
    if (at != FPageList.end()) SetPageIndex(static_cast<int>(at - FPageList.begin()));
    // The page-change event may have freed the notebook.
    if (IsDestroying()) return;
    TskSkinPanel::ShowControl(AControl);
}

AnsiString TskSkinNotebook::GetActivePage() const {
    return FShown ? FShown->GetCaption() : AnsiString();
}

void TskSkinNotebook::SetActivePage(const AnsiString& Value) {
    const int index = FAccess->IndexOf(Value);
    if (index != -1) SetPageIndex(index);
}

// ---- TskSkinNotebook: page buttons -----------------------------------------------------------

void TskSkinNotebook::SetButtonsMode(bool Value) {
    FButtonsMode = Value;
    UpdateButtons();
}

void TskSkinNotebook::SetButtonSkinDataName(const AnsiString& Value) {
    FButtonSkinDataName = Value;
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetSkinDataName(Value);
    Invalidate();
}

void TskSkinNotebook::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    UpdateButtons();
}

void TskSkinNotebook::UpdateButtons() {
    const auto old = std::move(FButtons);
    FButtons.clear();
    for (TskPageButton* button : old) delete button;
    if (!FButtonsMode || IsDestroying()) return;
    const int height = GetHeight();
    for (int i = 0; i < GetPageCount(); ++i) {
        auto* button = new TskPageButton(this, this, i);
        // Below the notebook, each below the one before: the stacks take them in that order.
        button->SetBounds(0, height + i * kButtonHeight, button->GetWidth(), kButtonHeight);
        button->SetSkinData(GetSkin());
        button->SetCaption(GetPage(i)->GetCaption());
        button->SetGlyphFromImages(FImages, GetPage(i)->GetImageIndex());
        button->SetParent(this);
    }
    RealignButtons();
}

void TskSkinNotebook::UpdateButton(int Index) {
    if (!FButtonsMode || Index < 0 || Index >= GetButtonCount()) return;
    TskPageButton* button = GetButton(Index);
    button->SetCaption(GetPage(Index)->GetCaption());
    button->SetGlyphFromImages(FImages, GetPage(Index)->GetImageIndex());
}

void TskSkinNotebook::RealignButtons() {
    StackInOrder(this, std::vector<TControl*>(FButtons.begin(), FButtons.end()), FPageIndex);
}

// ---- TskSkinNotebook: skin, streaming and the window -----------------------------------------

void TskSkinNotebook::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    if (FShown) FShown->SetSkinData(Value);
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetSkinData(Value);
}

void TskSkinNotebook::ReadState(TReader* Reader) {
    // The page the notebook was made with, and any other, give way to the pages read.
    FreePagesAndButtons();
    FPageIndex = 0;
    Reader->ReadProperties(this);
    Reader->ReadChildren(this);
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* child = GetControl(i);
        if (std::find(FPageList.begin(), FPageList.end(), child) == FPageList.end())
            throw EReadError(GetName() + " holds only pages; its resource may hold no " +
                             child->ClassName());
    }
    if (FPageIndex >= 0 && FPageIndex < GetPageCount())
        ShowPage(FPageIndex);
    else
        FPageIndex = -1;
}

void TskSkinNotebook::GetChildren(TGetChildProc Proc, TComponent*) {
    for (TskSkinPage* page : std::vector<TskSkinPage*>(FPageList)) Proc(page);
}

void TskSkinNotebook::Loaded() {
    TskSkinPanel::Loaded();
    if (FShown) FShown->SetSkinData(GetSkin());
    UpdateButtons();
}

void TskSkinNotebook::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (auto* page = dynamic_cast<TskSkinPage*>(AComponent)) ForgetPage(page);
}

void TskSkinNotebook::CreateParams(TCreateParams& Params) {
    TskSkinPanel::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void NotebookHandlesNeeded(TskSkinNotebook* Notebook) {
    if (!Notebook) return;
    for (int i = 0; i < Notebook->GetPageCount(); ++i) {
        TskSkinPage* page = Notebook->GetPage(i);
        page->DisableAlign();
        page->HandleNeeded();
        page->DropPendingAlign();
        page->EnableAlign();
    }
}

REGISTER_CLASS(TskSkinPage);
REGISTER_CLASS(TskSkinNotebook);

DEFINE_UNIT(SkinCtrls_Notebooks, uoSkin + 10, nullptr, nullptr);
