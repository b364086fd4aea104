#include "classlib/HeaderControls.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "classlib/TreeViews.h"

#include <algorithm>

// ---- THeaderSection -----------------------------------------------------------------------

THeaderSection::THeaderSection(TCollection* Collection) : TCollectionItem(Collection) {}

void THeaderSection::Published(TPropertyList& P) {
    P.Add("Text", &THeaderSection::GetText, &THeaderSection::SetText);
    P.Add("Width", &THeaderSection::GetWidth, &THeaderSection::SetWidth, 50);
    P.Add("Alignment", &THeaderSection::GetAlignment, &THeaderSection::SetAlignment,
          taLeftJustify);
    P.Add("ImageIndex", &THeaderSection::GetImageIndex, &THeaderSection::SetImageIndex, -1);
    P.Add("Style", &THeaderSection::GetStyle, &THeaderSection::SetStyle, hsText);
}

void THeaderSection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<THeaderSection*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    FText = source->FText;
    FWidth = source->FWidth;
    FAlignment = source->FAlignment;
    FImageIndex = source->FImageIndex;
    FStyle = source->FStyle;
    Changed(false);
}

AnsiString THeaderSection::GetDisplayName() {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void THeaderSection::SetText(const AnsiString& Value) {
    if (Value == FText) return;
    FText = Value;
    Changed(false);
}

void THeaderSection::SetWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == FWidth) return;
    FWidth = Value;
    Changed(false);
}

void THeaderSection::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Changed(false);
}

void THeaderSection::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed(false);
}

void THeaderSection::SetStyle(THeaderSectionStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed(false);
}

THeaderControl* THeaderSection::HeaderControl() const {
    auto* sections = dynamic_cast<THeaderSections*>(GetCollection());
    return sections ? dynamic_cast<THeaderControl*>(sections->GetOwner()) : nullptr;
}

// ---- THeaderSections ----------------------------------------------------------------------

THeaderSections::THeaderSections(THeaderControl* Header)
    : TCollection(Header, THeaderSection::StaticClass(), &NewCollectionItem<THeaderSection>),
      FHeader(Header) {
    SetPropName("Sections");
}

void THeaderSections::Update(TCollectionItem* Item) {
    FHeader->UpdateSections(static_cast<THeaderSection*>(Item));
}

// ---- THeaderControl -----------------------------------------------------------------------

namespace {

int FormatOf(const THeaderSection* Section, bool WithImage) {
    int format = Section->GetStyle() == hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING;
    switch (Section->GetAlignment()) {
    case taRightJustify: format |= HDF_RIGHT; break;
    case taCenter: format |= HDF_CENTER; break;
    case taLeftJustify: format |= HDF_LEFT; break;
    }
    if (WithImage) format |= HDF_IMAGE;
    return format;
}

} // namespace

THeaderControl::THeaderControl(TComponent* AOwner)
    : TWinControl(AOwner), FSections(std::make_unique<THeaderSections>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
    // The system control follows the mouse itself: it captures it and reports clicks.
    TControlStyle style = GetControlStyle();
    style.Exclude(csClickEvents);
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
    SetBounds(GetLeft(), GetTop(), 250, 17);
}

THeaderControl::~THeaderControl() {
    FCanvas->FreeHandle();
}

void THeaderControl::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Sections", &THeaderControl::GetSections);
    P.Add("Style", &THeaderControl::GetStyle, &THeaderControl::SetStyle, hsButtons);
    P.Add("DragReorder", &THeaderControl::GetDragReorder, &THeaderControl::SetDragReorder, false);
    P.Add("Images", &THeaderControl::GetImages, &THeaderControl::SetImages);
    P.Add("OnSectionClick", &THeaderControl::OnSectionClick);
    P.Add("OnSectionResize", &THeaderControl::OnSectionResize);
    P.Add("OnDrawSection", &THeaderControl::OnDrawSection);
}

void THeaderControl::CreateParams(TCreateParams& Params) {
    // The header class comes with the list view's.
    InitViewControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_HEADERA);
    Params.Style |= HDS_FULLDRAG | HDS_HORZ;
    if (FStyle == hsButtons) Params.Style |= HDS_BUTTONS;
    if (FDragReorder) Params.Style |= HDS_DRAGDROP;
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    if (FImages)
        SendMessageA(GetHandle(), HDM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(FImages->GetHandle()));
    UpdateSections();
}

void THeaderControl::SetSections(THeaderSections* Value) {
    FSections->Assign(Value);
}

void THeaderControl::SetStyle(THeaderStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void THeaderControl::SetDragReorder(bool Value) {
    if (Value == FDragReorder) return;
    FDragReorder = Value;
    if (HandleAllocated()) RecreateWnd();
}

void THeaderControl::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    if (!HandleAllocated()) return;
    SendMessageA(GetHandle(), HDM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
    UpdateSections();
}

void THeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FImages) return;
    // The window shares the list's handle: it lets go before the handle is destroyed.
    FImages = nullptr;
    if (HandleAllocated()) {
        SendMessageA(GetHandle(), HDM_SETIMAGELIST, 0, 0);
        UpdateSections();
    }
}

void THeaderControl::ReleaseCanvasHandle() {
    FCanvas->FreeHandle();
}

void THeaderControl::ItemInfo(THeaderSection* Section, HDITEMA& Info) {
    Info = HDITEMA{};
    const bool withImage = FImages && Section->FImageIndex >= 0;
    Info.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
    Info.pszText = const_cast<char*>(Section->FText.c_str());
    Info.cchTextMax = static_cast<int>(Section->FText.size());
    Info.cxy = Section->FWidth;
    Info.fmt = FormatOf(Section, withImage);
    Info.iImage = withImage ? Section->FImageIndex : 0;
}

void THeaderControl::InsertItem(int Index) {
    HDITEMA info;
    ItemInfo(FSections->GetItem(Index), info);
    SendMessageA(GetHandle(), HDM_INSERTITEMA, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(&info));
}

void THeaderControl::UpdateSections(THeaderSection* Section) {
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    if (Section) {
        HDITEMA info;
        ItemInfo(Section, info);
        SendMessageA(wnd, HDM_SETITEMA, static_cast<WPARAM>(Section->GetIndex()),
                     reinterpret_cast<LPARAM>(&info));
        return;
    }
    for (int i = static_cast<int>(SendMessageA(wnd, HDM_GETITEMCOUNT, 0, 0)) - 1; i >= 0; --i)
        SendMessageA(wnd, HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    for (int i = 0; i < FSections->GetCount(); ++i) InsertItem(i);
}

THeaderSection* THeaderControl::SectionOf(int Item) const {
    return Item >= 0 && Item < FSections->GetCount() ? FSections->GetItem(Item) : nullptr;
}

void THeaderControl::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHEADERA*>(Message.LParam);
    switch (header->hdr.code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
        if (THeaderSection* section = SectionOf(header->iItem)) SectionClick(section);
        break;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW: {
        // Only a width the window has and the section has not yet is the user's doing.
        THeaderSection* section = SectionOf(header->iItem);
        if (!section || !header->pitem || !(header->pitem->mask & HDI_WIDTH) ||
            header->pitem->cxy == section->FWidth)
            break;
        section->FWidth = std::max(header->pitem->cxy, 0);
        SectionResize(section);
        break;
    }
    default: break;
    }
}

void THeaderControl::CNDrawItem(TMessage& Message) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    THeaderSection* section = SectionOf(static_cast<int>(item->itemID));
    if (!section) return;
    FCanvas->FreeHandle();
    FCanvas->Lock();
    const int saved = SaveDC(item->hDC);
    FCanvas->SetHandle(item->hDC);
    struct TRelease {
        TControlCanvas* Canvas;
        HDC DC;
        int Saved;
        ~TRelease() {
            Canvas->SetHandle(nullptr);
            Canvas->Unlock();
            RestoreDC(DC, Saved);
        }
    } release{FCanvas.get(), item->hDC, saved};
    const RECT& r = item->rcItem;
    DrawSection(section, TRect(r.left, r.top, r.right, r.bottom), (item->itemState & ODS_SELECTED) != 0);
    Message.Result = TRUE;
}

void THeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
    if (OnDrawSection) OnDrawSection(this, Section, Rect, Pressed);
}

void THeaderControl::SectionClick(THeaderSection* Section) {
    TComponentProtector protect(this);
    if (OnSectionClick) OnSectionClick(this, Section);
}

void THeaderControl::SectionResize(THeaderSection* Section) {
    TComponentProtector protect(this);
    if (OnSectionResize) OnSectionResize(this, Section);
}

REGISTER_CLASS(THeaderControl);

namespace {

void RegisterHeaderEnums() {
    RegisterEnum<THeaderSectionStyle>({"hsText", "hsOwnerDraw"});
    RegisterEnum<THeaderStyle>({"hsButtons", "hsFlat"});
}

} // namespace

DEFINE_UNIT(HeaderControls, uoClassLib, RegisterHeaderEnums, nullptr);
