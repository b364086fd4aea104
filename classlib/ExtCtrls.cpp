#include "classlib/ExtCtrls.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace {

void BevelColors(TPanelBevel Bevel, TColor Face, TColor& Top, TColor& Bottom) {
    switch (Bevel) {
    case bvRaised:
        Top = clBtnHighlight;
        Bottom = clBtnShadow;
        break;
    case bvLowered:
        Top = clBtnShadow;
        Bottom = clBtnHighlight;
        break;
    default:
        Top = Face;
        Bottom = Face;
        break;
    }
}

bool Designing(const TComponent* Component) {
    return Component->GetComponentState().Contains(csDesigning);
}

// The outline shown at design time for controls that may draw nothing.
void DrawDesignFrame(TCanvas* Canvas, const TRect& Rect) {
    Canvas->GetPen()->SetStyle(psDash);
    Canvas->GetPen()->SetColor(clBlack);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(Rect);
    Canvas->GetPen()->SetStyle(psSolid);
}

} // namespace

// ---------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBounds(GetLeft(), GetTop(), 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TCustomPanel::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment, taCenter);
    P.Add("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner, bvNone);
    P.Add("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
    P.Add("BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth, 1);
    P.Add("BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
    P.Add("BorderWidth", &TCustomPanel::GetBorderWidth, &TCustomPanel::SetBorderWidth, 0);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    BordersChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    BordersChanged();
}

void TCustomPanel::SetBevelWidth(int Value) {
    Value = std::max(Value, 1);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    BordersChanged();
}

void TCustomPanel::SetBorderWidth(int Value) {
    Value = std::max(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    BordersChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::BordersChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    Rect = TRect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect rect = GetClientRect();
    TColor top;
    TColor bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, GetColor(), top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    if (FBorderWidth > 0) Frame3D(canvas, rect, GetColor(), GetColor(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, GetColor(), top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(rect);

    AnsiString caption = GetCaption();
    if (caption.empty()) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter)
        flags |= DT_CENTER;
    else if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->SetFont(GetFont());
    if (!GetEnabled()) canvas->GetFont()->SetColor(clGrayText);
    canvas->TextRect(rect, caption, flags);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

// ---------------------------------------------------------------------------
// TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 105, 105);
}

void TPaintBox::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("OnPaint", &TPaintBox::OnPaint);
}

void TPaintBox::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetColor(GetColor());
    if (Designing(this)) DrawDesignFrame(canvas, GetClientRect());
    if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 105, 105);
    FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

void TImage::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("Center", &TImage::GetCenter, &TImage::SetCenter, false);
    P.Add("Picture", &TImage::GetPicture);
    P.Add("Stretch", &TImage::GetStretch, &TImage::SetStretch, false);
    P.Add("Transparent", &TImage::GetTransparent, &TImage::SetTransparent, false);
}

void TImage::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* graphic = FPicture->GetGraphic();
    // Setting the graphic's transparency announces a change again; it is then equal.
    if (graphic && graphic->GetTransparent() != FTransparent) graphic->SetTransparent(FTransparent);
    AdjustSize();
    Invalidate();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
    if (FPicture->GetWidth() <= 0 || FPicture->GetHeight() <= 0) return false;
    NewWidth = FPicture->GetWidth();
    NewHeight = FPicture->GetHeight();
    return true;
}

TRect TImage::DestRect() {
    if (FStretch) return GetClientRect();
    int width = FPicture->GetWidth();
    int height = FPicture->GetHeight();
    if (!FCenter) return Bounds(0, 0, width, height);
    return Bounds((GetWidth() - width) / 2, (GetHeight() - height) / 2, width, height);
}

void TImage::Paint() {
    TCanvas* canvas = GetCanvas();
    if (Designing(this)) DrawDesignFrame(canvas, GetClientRect());
    if (TGraphic* graphic = FPicture->GetGraphic(); graphic && !graphic->GetEmpty())
        canvas->StretchDraw(DestRect(), graphic);
}

// ---------------------------------------------------------------------------
// TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

void TBevel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Shape", &TBevel::GetShape, &TBevel::SetShape, bsBox);
    P.Add("Style", &TBevel::GetStyle, &TBevel::SetStyle, bsLowered);
}

void TBevel::SetShape(TBevelShape Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* canvas = GetCanvas();
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = GetWidth();
    const int h = GetHeight();
    auto line = [canvas](TColor Color, int X1, int Y1, int X2, int Y2) {
        canvas->GetPen()->SetColor(Color);
        canvas->MoveTo(X1, Y1);
        canvas->LineTo(X2, Y2);
    };
    canvas->GetPen()->SetWidth(1);
    switch (FShape) {
    case bsBox: {
        TRect rect = GetClientRect();
        Frame3D(canvas, rect, first, second, 1);
        break;
    }
    case bsFrame: {
        TRect outer(0, 0, w - 1, h - 1);
        Frame3D(canvas, outer, first, first, 1);
        TRect inner(1, 1, w, h);
        Frame3D(canvas, inner, second, second, 1);
        break;
    }
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        if (Designing(this)) DrawDesignFrame(canvas, GetClientRect());
        break;
    }
}

// ---------------------------------------------------------------------------
// TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetAlign(alLeft);
    SetBounds(GetLeft(), GetTop(), 3, 100);
    SetCursor(crHSplit);
    SetParentColor(true);
}

void TSplitter::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize, 30);
    P.Add("OnMoved", &TSplitter::OnMoved);
}

void TSplitter::SetMinSize(int Value) {
    FMinSize = std::max(Value, 1);
}

bool TSplitter::ResizesWidth() const {
    return GetAlign() == alLeft || GetAlign() == alRight;
}

TControl* TSplitter::FindNeighbour() const {
    TWinControl* parent = GetParent();
    if (!parent) return nullptr;
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* c = parent->GetControl(i);
        if (c == this || !c->GetVisible() || c->GetAlign() != GetAlign()) continue;
        bool touches = false;
        switch (GetAlign()) {
        case alLeft:
            touches = c->GetLeft() + c->GetWidth() == GetLeft();
            break;
        case alRight:
            touches = c->GetLeft() == GetLeft() + GetWidth();
            break;
        case alTop:
            touches = c->GetTop() + c->GetHeight() == GetTop();
            break;
        case alBottom:
            touches = c->GetTop() == GetTop() + GetHeight();
            break;
        default:
            break;
        }
        if (touches) return c;
    }
    return nullptr;
}

int TSplitter::NeighbourSize() const {
    return ResizesWidth() ? FNeighbour->GetWidth() : FNeighbour->GetHeight();
}

void TSplitter::SetNeighbourSize(int Size) {
    if (ResizesWidth())
        FNeighbour->SetWidth(Size);
    else
        FNeighbour->SetHeight(Size);
}

int TSplitter::MaxNeighbourSize() const {
    TWinControl* parent = GetParent();
    int room = ResizesWidth() ? parent->GetClientWidth() : parent->GetClientHeight();
    // Everything else aligned along the same axis keeps its size.
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* c = parent->GetControl(i);
        if (c == FNeighbour || !c->GetVisible()) continue;
        TAlign align = c->GetAlign();
        if (ResizesWidth() && (align == alLeft || align == alRight)) room -= c->GetWidth();
        if (!ResizesWidth() && (align == alTop || align == alBottom)) room -= c->GetHeight();
    }
    return room - FMinSize;
}

int TSplitter::ParentPos(int X, int Y) const {
    return ResizesWidth() ? GetLeft() + X : GetTop() + Y;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || FDragging) return;
    FNeighbour = FindNeighbour();
    if (!FNeighbour) return;
    FNeighbour->FreeNotification(this);
    FDragging = true;
    FDragStart = ParentPos(X, Y);
    FStartSize = NeighbourSize();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FNeighbour) return;
    int delta = ParentPos(X, Y) - FDragStart;
    if (GetAlign() == alRight || GetAlign() == alBottom) delta = -delta;
    int size = std::clamp(FStartSize + delta, FMinSize, std::max(FMinSize, MaxNeighbourSize()));
    if (size != NeighbourSize()) SetNeighbourSize(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragging && Button == mbLeft) {
        FDragging = false;
        bool moved = FNeighbour && NeighbourSize() != FStartSize;
        if (FNeighbour) FNeighbour->RemoveFreeNotification(this);
        FNeighbour = nullptr;
        if (moved && OnMoved) OnMoved(this);
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSplitter::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FNeighbour) {
        FNeighbour = nullptr;
        FDragging = false;
    }
}

void TSplitter::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(GetClientRect());
}

// ---------------------------------------------------------------------------

namespace {

void RegisterExtControls() {
    RegisterEnum<TPanelBevel>({"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    RegisterEnum<TBevelShape>(
        {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
    RegisterEnum<TBevelStyle>({"bsLowered", "bsRaised"});
    for (const TClassInfo* info :
         {TPanel::StaticClass(), TPaintBox::StaticClass(), TImage::StaticClass(),
          TBevel::StaticClass(), TSplitter::StaticClass()})
        RegisterClass(info);
}

} // namespace

DEFINE_UNIT(ExtCtrls, uoClassLib, RegisterExtControls, nullptr);
