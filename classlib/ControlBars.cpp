#include "classlib/ControlBars.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

UINT OuterEdge(TPanelBevel Bevel) {
    return Bevel == bvRaised ? BDR_RAISEDOUTER : Bevel == bvLowered ? BDR_SUNKENOUTER : 0;
}

UINT InnerEdge(TPanelBevel Bevel) {
    return Bevel == bvRaised ? BDR_RAISEDINNER : Bevel == bvLowered ? BDR_SUNKENINNER : 0;
}

} // namespace

TCustomControlBar::TCustomControlBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 100, 50);
    SetParentColor(false);
    SetColor(clBtnFace);
    FPicture->OnChange = TNotifyEvent(this, &TCustomControlBar::PictureChanged);
}

TCustomControlBar::~TCustomControlBar() {
    FPicture->OnChange = nullptr;
}

void TCustomControlBar::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("BevelInner", &TCustomControlBar::GetBevelInner, &TCustomControlBar::SetBevelInner,
          bvRaised);
    P.Add("BevelOuter", &TCustomControlBar::GetBevelOuter, &TCustomControlBar::SetBevelOuter,
          bvLowered);
    P.Add("Picture", &TCustomControlBar::GetPicture);
    P.Add("RowSize", &TCustomControlBar::GetRowSize, &TCustomControlBar::SetRowSize, 26);
    P.Add("RowSnap", &TCustomControlBar::GetRowSnap, &TCustomControlBar::SetRowSnap, true);
}

TRect TCustomControlBar::BandRect(TControl* Control) {
    const TRect r = Control->GetBoundsRect();
    return TRect(r.Left - BandGrip, r.Top - BandEdge, r.Right + BandEdge, r.Bottom + BandEdge);
}

void TCustomControlBar::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void TCustomControlBar::PictureChanged(TObject*) {
    Invalidate();
}

void TCustomControlBar::SetRowSize(int Value) {
    Value = std::max(Value, 1);
    if (Value == FRowSize) return;
    FRowSize = Value;
    Realign();
    Invalidate();
}

void TCustomControlBar::SetRowSnap(bool Value) {
    if (Value == FRowSnap) return;
    FRowSnap = Value;
    Realign();
    Invalidate();
}

void TCustomControlBar::SetBevelInner(TPanelBevel Value) {
    if (Value == FBevelInner) return;
    FBevelInner = Value;
    FrameChanged();
}

void TCustomControlBar::SetBevelOuter(TPanelBevel Value) {
    if (Value == FBevelOuter) return;
    FBevelOuter = Value;
    FrameChanged();
}

void TCustomControlBar::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

int TCustomControlBar::BevelExtent() const {
    return (FBevelOuter != bvNone ? 1 : 0) + (FBevelInner != bvNone ? 1 : 0);
}

void TCustomControlBar::WMNCCalcSize(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    // The first rectangle of the parameters, whatever WParam says.
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    const int e = BevelExtent();
    r->left += e;
    r->top += e;
    r->right = std::max(r->left, r->right - e);
    r->bottom = std::max(r->top, r->bottom - e);
}

void TCustomControlBar::WMNCPaint(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (BevelExtent() == 0) return;
    HDC dc = GetWindowDC(GetHandle());
    if (!dc) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect ring(0, 0, GetWidth(), GetHeight());
    const std::pair<TPanelBevel, UINT> bevels[] = {{FBevelOuter, OuterEdge(FBevelOuter)},
                                                   {FBevelInner, InnerEdge(FBevelInner)}};
    for (const auto& [bevel, edge] : bevels) {
        if (bevel == bvNone) continue;
        if (edge == 0) {
            // A space: a ring in the bar's colour.
            Frame3D(&canvas, ring, GetColor(), GetColor(), 1);
            continue;
        }
        RECT r{ring.Left, ring.Top, ring.Right, ring.Bottom};
        DrawEdge(dc, &r, edge, BF_RECT);
        ring = TRect(ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1);
    }
    canvas.SetHandle(nullptr);
    ReleaseDC(GetHandle(), dc);
}

void TCustomControlBar::Paint() {
    TCanvas* canvas = GetCanvas();
    const TRect client = GetClientRect();
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(client);
    if (TGraphic* picture = FPicture->GetGraphic(); picture && !picture->GetEmpty()) {
        const int pw = picture->GetWidth(), ph = picture->GetHeight();
        for (int y = 0; y < client.Bottom; y += ph)
            for (int x = 0; x < client.Right; x += pw) canvas->Draw(x, y, picture);
    }
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* band = GetControl(i);
        if (band->GetVisible()) PaintControlFrame(canvas, band, BandRect(band));
    }
}

void TCustomControlBar::PaintControlFrame(TCanvas* Canvas, TControl*, const TRect& ARect) {
    HDC dc = Canvas->GetHandle();
    RECT frame{ARect.Left, ARect.Top, ARect.Right, ARect.Bottom};
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    // The grip: two raised lines down the band's left edge.
    for (int x : {ARect.Left + 3, ARect.Left + 6}) {
        RECT line{x, ARect.Top + 3, x + 3, ARect.Bottom - 3};
        if (line.bottom > line.top) DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    }
}

void TCustomControlBar::AlignControls(TControl*, TRect& Rect) {
    // The bands in the order they were placed on the bar.
    std::vector<TControl*> bands;
    for (int i = 0; i < GetControlCount(); ++i)
        if (GetControl(i)->GetVisible()) bands.push_back(GetControl(i));
    auto rowHeightOf = [this](int BandHeight) {
        if (!FRowSnap) return BandHeight;
        return std::max(1, (BandHeight + FRowSize - 1) / FRowSize) * FRowSize;
    };
    int x = Rect.Left, y = Rect.Top, rowHeight = 0;
    for (TControl* band : bands) {
        const int bw = band->GetWidth() + BandGrip + BandEdge;
        const int bh = band->GetHeight() + 2 * BandEdge;
        if (x > Rect.Left && x + bw > Rect.Right) {
            y += rowHeight;
            x = Rect.Left;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, rowHeightOf(bh));
        band->SetBounds(x + BandGrip, y + BandEdge, band->GetWidth(), band->GetHeight());
        x += bw;
    }
    FRowsHeight = y + rowHeight - Rect.Top;
    Invalidate();
    AdjustSize();
}

bool TCustomControlBar::CanAutoSize(int&, int& NewHeight) {
    const int frame = GetHeight() - GetClientHeight();
    NewHeight = std::max(FRowsHeight, FRowSize) + frame;
    return true;
}

REGISTER_CLASS(TControlBar);

DEFINE_UNIT(ControlBars, uoClassLib, nullptr, nullptr);
