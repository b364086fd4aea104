#include "classlib/Splitters.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetAlign(alLeft);
    SetBounds(GetLeft(), GetTop(), 3, 100);
    SetCursor(crHSplit);
    SetParentColor(true);
}

void TSplitter::Published(TPropertyList& P) {
    PublishControlProperties(P);
    // The align and cursor a splitter is made with are the ones a form leaves out.
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alLeft);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crHSplit)
        .Idents(CursorToIdent, IdentToCursor);
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
    SetReference(this, FNeighbour, FindNeighbour());
    if (!FNeighbour) return;
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
        SetReference(this, FNeighbour, nullptr);
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

REGISTER_CLASS(TSplitter);

DEFINE_UNIT(Splitters, uoClassLib, nullptr, nullptr);
