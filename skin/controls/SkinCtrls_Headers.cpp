#include "skin/controls/SkinCtrls_Headers.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>
#include <vector>

namespace {

// A rectangle of the picture that lies wholly inside it.
bool InPicture(const TRect& R, TBitmap* Picture) {
    return Picture && !IsNullRect(R) && R.Left >= 0 && R.Top >= 0 && R.Right <= Picture->GetWidth() &&
           R.Bottom <= Picture->GetHeight();
}

} // namespace

TskSkinHeaderControl::TskSkinHeaderControl(TComponent* AOwner)
    : THeaderControl(AOwner), FDefaultFont(std::make_unique<TFont>()) {
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(TFontStyles());
    GetFont()->Assign(FDefaultFont.get());
}

TskSkinHeaderControl::~TskSkinHeaderControl() = default;

void TskSkinHeaderControl::Published(TPropertyList& P) {
    P.Add("SkinData", &TskSkinHeaderControl::GetSkin, &TskSkinHeaderControl::SetSkinData);
    P.Add("SkinDataName", &TskSkinHeaderControl::GetSkinDataName,
          &TskSkinHeaderControl::SetSkinDataName);
    P.Add("DefaultFont", &TskSkinHeaderControl::GetDefaultFont);
    P.Add("UseSkinFont", &TskSkinHeaderControl::GetUseSkinFont,
          &TskSkinHeaderControl::SetUseSkinFont, true);
    P.Add("DefaultHeight", &TskSkinHeaderControl::GetDefaultHeight,
          &TskSkinHeaderControl::SetDefaultHeight, 0);
    P.Add("OnSkinSectionClick", &TskSkinHeaderControl::OnSkinSectionClick);
    P.Add("OnDrawSkinSection", &TskSkinHeaderControl::OnDrawSkinSection);
}

// ---- The skin -------------------------------------------------------------------------------

void TskSkinHeaderControl::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    FShape.Picture = nullptr;
    if (FIndex == -1) return;
    auto* record = dynamic_cast<TskDataSkinButtonControl*>(
        FSD->CtrlList[static_cast<std::size_t>(FIndex)].get());
    if (!record) return;
    int cursor = -1;
    FShape.ReadShape(FSD, record, cursor);
    if (!InPicture(FShape.SkinRect, FShape.Picture)) {
        FShape.Picture = nullptr;
        return;
    }
    // A state the record leaves out, or places outside the picture, looks like the one before.
    FActiveSkinRect = InPicture(record->ActiveSkinRect, FShape.Picture) ? record->ActiveSkinRect
                                                                         : FShape.SkinRect;
    FDownSkinRect = InPicture(record->DownSkinRect, FShape.Picture) ? record->DownSkinRect
                                                                     : FActiveSkinRect;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FDownFontColor = record->DownFontColor;
}

void TskSkinHeaderControl::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSD, Value);
    if (!Value || (!Value->Empty && !IsDesigning())) ChangeSkinData();
}

void TskSkinHeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
    THeaderControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) {
        FSD = nullptr;
        FIndex = -1;
        FShape.Picture = nullptr;
    }
}

void TskSkinHeaderControl::BeforeChangeSkinData() {
    // The pictures are about to go.
    FIndex = -1;
    FShape.Picture = nullptr;
}

void TskSkinHeaderControl::ChangeSkinData() {
    GetSkinData();
    if (KeepsSkinHeight())
        SetHeight(RectHeight(FShape.SkinRect));
    else if (!Skinned() && FDefaultHeight != 0)
        SetHeight(FDefaultHeight);
    Repaint();
}

void TskSkinHeaderControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    if (KeepsSkinHeight())
        AHeight = RectHeight(FShape.SkinRect);
    else if (!Skinned() && FDefaultHeight != 0)
        AHeight = FDefaultHeight;
    THeaderControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinHeaderControl::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    GetSkinData();
    if (!Skinned() && Value >= 1) SetHeight(Value);
}

void TskSkinHeaderControl::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
    GetSkinData();
    if (!Skinned()) GetFont()->Assign(Value);
    Repaint();
}

void TskSkinHeaderControl::SetUseSkinFont(bool Value) {
    FUseSkinFont = Value;
    Repaint();
}

// ---- Sections --------------------------------------------------------------------------------

void TskSkinHeaderControl::CreateWnd() {
    // Whatever the window would draw, the control draws itself.
    for (int i = 0; i < GetSections()->GetCount(); ++i)
        GetSections()->GetItem(i)->SetStyle(hsOwnerDraw);
    THeaderControl::CreateWnd();
}

int TskSkinHeaderControl::SectionCount() {
    if (!HandleAllocated()) return 0;
    return static_cast<int>(SendMessageA(GetHandle(), HDM_GETITEMCOUNT, 0, 0));
}

namespace {

// The item shown at visual position Index of the header window (the order array is read only
// when the sections can be dragged into another order).
int ItemAt(HWND Header, int Count, int Index, bool Reordered) {
    if (!Reordered || Index < 0 || Index >= Count) return Index;
    std::vector<int> order(static_cast<std::size_t>(Count));
    if (!SendMessageA(Header, HDM_GETORDERARRAY, static_cast<WPARAM>(Count),
                      reinterpret_cast<LPARAM>(order.data())))
        return Index;
    return order[static_cast<std::size_t>(Index)];
}

} // namespace

TRect TskSkinHeaderControl::GetSkinItemRect(int Index) {
    const int count = SectionCount();
    if (Index < 0 || Index >= count) return TRect();
    RECT r{};
    const int item = ItemAt(GetHandle(), count, Index, GetDragReorder());
    if (!SendMessageA(GetHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(item),
                      reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return TRect(r.left, r.top, r.right, r.bottom);
}

THeaderSection* TskSkinHeaderControl::SectionAt(int Index) {
    const int count = SectionCount();
    if (Index < 0 || Index >= count) return nullptr;
    const int item = ItemAt(GetHandle(), count, Index, GetDragReorder());
    return item >= 0 && item < GetSections()->GetCount() ? GetSections()->GetItem(item) : nullptr;
}

// ---- Painting --------------------------------------------------------------------------------

void TskSkinHeaderControl::DrawSkinSectionR(TCanvas* Canvas, THeaderSection* Section, bool Active,
                                            bool Pressed, const TRect& R) {
    if (IsNullRect(R)) return;
    const int w = RectWidth(R);
    const int h = KeepsSkinHeight() ? RectHeight(FShape.SkinRect) : RectHeight(R);
    const TRect part = PaintedPartAt(Canvas->GetHandle(), Bounds(R.Left, R.Top, w, h));
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    TCanvas* c = image.GetCanvas();
    if (Skinned()) {
        SetSkinFont(c, FDefaultFont.get(), FUseSkinFont, FFontName, FFontHeight, FFontStyle);
        const TRect& source = Pressed ? FDownSkinRect : Active ? FActiveSkinRect : FShape.SkinRect;
        c->GetFont()->SetColor(Pressed ? FDownFontColor : Active ? FActiveFontColor : FFontColor);
        FShape.CreateSectionImage(&image, source, w, h);
    } else {
        const TColor frame = Pressed || Active ? clNavy : clBtnShadow;
        const auto fill = Pressed ? static_cast<TColor>(0xB59385)
                                  : Active ? static_cast<TColor>(0xD2BDB6) : clBtnFace;
        c->GetBrush()->SetColor(fill);
        c->FillRect(TRect(0, 0, w, h));
        Frm3D(c, TRect(0, 0, w, h), frame, frame);
        c->GetFont()->Assign(FDefaultFont.get());
    }
    if (Section) {
        if (OnDrawSkinSection)
            OnDrawSkinSection(this, Section, TRect(0, 0, w, h), Active, Pressed, c);
        else
            DrawCaption(c, Section, w, h);
    }
    Canvas->Draw(R.Left, R.Top, &image);
}

void TskSkinHeaderControl::DrawCaption(TCanvas* Canvas, THeaderSection* Section, int W, int H) {
    Canvas->GetBrush()->SetStyle(bsClear);
    const TRect room(5, 0, W - 5, H);
    const int roomWidth = RectWidth(room);
    const TAlignment alignment = Section->GetAlignment();
    AnsiString caption = Section->GetText();
    TCustomImageList* images = GetImages();
    const int image = Section->GetImageIndex();
    int x = room.Left;
    if (images && image >= 0 && image < images->GetCount()) {
        const int iw = images->GetWidth();
        const AnsiString full = caption;
        CorrectTextbyWidth(Canvas, caption, roomWidth - 10 - iw);
        const int tw = Canvas->TextWidth(caption);
        int ix = room.Left;
        if (caption == full) {
            if (alignment == taRightJustify)
                ix = room.Right - tw - iw - 10;
            else if (alignment == taCenter)
                ix = room.Left + roomWidth / 2 - (tw + iw + 10) / 2;
        }
        images->Draw(Canvas, ix, H / 2 - images->GetHeight() / 2, image);
        x = ix + iw + 10;
    } else {
        CorrectTextbyWidth(Canvas, caption, roomWidth);
        const int tw = Canvas->TextWidth(caption);
        if (alignment == taRightJustify)
            x = room.Right - tw - 10;
        else if (alignment == taCenter)
            x = room.Left + roomWidth / 2 - tw / 2;
    }
    Canvas->TextRect(room, x, H / 2 - Canvas->TextHeight(caption) / 2, caption);
}

void TskSkinHeaderControl::PaintRest(TCanvas* Canvas, const TRect& Rest) {
    const int w = RectWidth(Rest);
    if (!Skinned()) {
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(Rest);
        Canvas->GetBrush()->SetColor(clBtnShadow);
        Canvas->FrameRect(Rest);
        return;
    }
    const int h = KeepsSkinHeight() ? RectHeight(FShape.SkinRect) : RectHeight(Rest);
    const TRect part = PaintedPartAt(Canvas->GetHandle(), Bounds(Rest.Left, Rest.Top, w, h));
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    FShape.CreateSectionImage(&image, FShape.SkinRect, w, h, true);
    Canvas->Draw(Rest.Left, Rest.Top, &image);
}

void TskSkinHeaderControl::PaintWindow(HDC DC) {
    if (!HandleAllocated() || GetWidth() < 1 || GetHeight() < 1) return;
    // Every paint draws from the skin loaded at the time.
    GetSkinData();
    TCanvas canvas;
    const int saved = SaveDC(DC);
    canvas.SetHandle(DC);
    struct TRelease {
        TCanvas& Canvas;
        HDC DC;
        int Saved;
        ~TRelease() {
            Canvas.SetHandle(nullptr);
            RestoreDC(DC, Saved);
        }
    } release{canvas, DC, saved};
    int right = 0;
    const int count = SectionCount();
    for (int i = 0; i < count; ++i) {
        const TRect r = GetSkinItemRect(i);
        const bool hot = i == FHotIndex;
        DrawSkinSectionR(&canvas, SectionAt(i), hot && !FPressed, hot && FPressed, r);
        right = std::max(right, static_cast<int>(r.Right));
    }
    const TRect rest(right, 0, GetWidth() + 1, GetHeight());
    if (!IsNullRect(rest)) PaintRest(&canvas, rest);
}

void TskSkinHeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
    THeaderControl::DrawSection(Section, Rect, Pressed);
    DrawSkinSectionR(GetCanvas(), Section, false, Pressed, Rect);
}

void TskSkinHeaderControl::WMPaint(TWMPaint& Message) {
    // Never the window's own painting: the whole header is the skin's.
    if (HDC dc = Message.DC()) {
        PaintWindow(dc);
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(GetHandle(), &paint);
    struct TEndPaint {
        HWND Wnd;
        PAINTSTRUCT* Paint;
        ~TEndPaint() { EndPaint(Wnd, Paint); }
    } end{GetHandle(), &paint};
    PaintWindow(dc);
}

void TskSkinHeaderControl::WMEraseBkgnd(TMessage& Message) {
    Message.Result = 1;
}

// ---- The mouse -------------------------------------------------------------------------------

void TskSkinHeaderControl::TestActive(int X, int Y) {
    FOldHotIndex = FHotIndex;
    FHotIndex = -1;
    const int count = SectionCount();
    for (int i = 0; i < count; ++i)
        if (PointInRect(GetSkinItemRect(i), TPoint(X, Y))) {
            FHotIndex = i;
            break;
        }
    if (FHotIndex != FOldHotIndex && !FDragging) Repaint();
}

void TskSkinHeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TComponentProtector protect(this);
    THeaderControl::MouseDown(Button, Shift, X, Y);
    if (IsDestroying() || Button != mbLeft || !HandleAllocated()) return;
    // The header itself resizes a section pressed by its divider: no section is pushed then.
    HDHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    SendMessageA(GetHandle(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    FOnDivider = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
    if (!IsDesigning()) TestActive(X, Y);
    if (FOnDivider || GetStyle() != hsButtons) return;
    FPressed = true;
    Repaint();
}

void TskSkinHeaderControl::MouseMove(TShiftState Shift, int X, int Y) {
    TComponentProtector protect(this);
    THeaderControl::MouseMove(Shift, X, Y);
    if (IsDestroying()) return;
    if (FPressed && GetDragReorder()) {
        FDragging = true;
        return;
    }
    FDragging = false;
    if (!IsDesigning()) TestActive(X, Y);
}

void TskSkinHeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TComponentProtector protect(this);
    THeaderControl::MouseUp(Button, Shift, X, Y);
    if (IsDestroying()) return;
    const bool dragged = FDragging;
    FDragging = false;
    FHotIndex = FOldHotIndex = -1;
    if (Button == mbLeft && !IsDesigning()) {
        // Flat or not, the section under the pointer is lit again, and is the one clicked.
        FPressed = false;
        TestActive(X, Y);
        Repaint();
    }
    if (FHotIndex == -1 || FOnDivider || dragged || !OnSkinSectionClick) return;
    if (THeaderSection* section = SectionAt(FHotIndex)) OnSkinSectionClick(this, section);
}

void TskSkinHeaderControl::CMMouseEnter(TMessage& Message) {
    THeaderControl::Dispatch(Message);
    if (!FPressed) Repaint();
}

void TskSkinHeaderControl::CMMouseLeave(TMessage& Message) {
    THeaderControl::Dispatch(Message);
    FHotIndex = FOldHotIndex = -1;
    if (!FPressed) Repaint();
}

REGISTER_CLASS(TskSkinHeaderControl);

DEFINE_UNIT(SkinCtrls_Headers, uoSkin + 10, nullptr, nullptr);
