#include "skin/controls/SkinCtrls_Shape.h"

#include "skin/data/Skutils_Geometry.h"
#include "skin/data/Skutils_Images.h"

TRect TskSkinShape::AreaAtSize(const TRect& Area, bool Vertical, int W, int H) const {
    TRect r = Area;
    if (ResizeMode <= rmFixed) return r;
    if (Vertical)
        r.Bottom += H - RectHeight(SkinRect);
    else
        r.Right += W - RectWidth(SkinRect);
    return r;
}

void TskSkinShape::CreateSectionImage(TBitmap* B, const TRect& Source, int W, int H,
                                     bool OpenRight) const {
    if (LBPoint.X != 0 || LBPoint.Y != 0) {
        TskSkinShape shape = *this;
        shape.ResizeMode = rmBoth;
        shape.MapToSize(W, H, true);
        (OpenRight ? CreateSkinImage2 : CreateSkinImage)(shape.SkinGeometry(), shape.NewGeometry(), B,
                                                         Picture, Source, W, H, true);
        return;
    }
    TBitmap strip;
    (OpenRight ? CreateHSkinImage2 : CreateHSkinImage)(LTPoint.X, RectWidth(SkinRect) - RTPoint.X,
                                                       &strip, Picture, Source, W,
                                                       RectHeight(Source));
    B->SetSize(W, H);
    B->GetCanvas()->StretchDraw(TRect(0, 0, W, H), &strip);
}

TBitmap* SkinPicture(TskSkinData* Data, int Index) {
    if (!Data || Index < 0 || Index >= static_cast<int>(Data->ActivePictures.size()))
        return nullptr;
    return Data->ActivePictures[static_cast<std::size_t>(Index)].get();
}

void TilePicture(TCanvas* Canvas, TBitmap* Picture, int W, int H, const TRect& Part) {
    const int pw = Picture->GetWidth();
    const int ph = Picture->GetHeight();
    if (W < 1 || H < 1 || pw < 1 || ph < 1) return;
    const TTileRange columns = TilesMeeting(0, pw, W / pw, Part.Left, Part.Right);
    const TTileRange rows = TilesMeeting(0, ph, H / ph, Part.Top, Part.Bottom);
    for (int i = columns.First; i <= columns.Last; ++i)
        for (int j = rows.First; j <= rows.Last; ++j) Canvas->Draw(i * pw, j * ph, Picture);
}

TRect TskSkinShape::ClientTile() const {
    return TRect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top,
                 SkinRect.Left + ClRect.Right, SkinRect.Top + ClRect.Bottom);
}

void TskSkinShape::TileClientPart(TBitmap* B, int W, int H) const {
    if (!Picture) return;
    TileClient(B, Picture, ClientTile(), TRect(0, 0, W, H));
}

bool TskSkinShape::TileClientPart(TCanvas* Canvas, const TRect& Part, int W, int H) const {
    const TRect tile = ClientTile();
    if (!Picture || tile.Width() <= 0 || tile.Height() <= 0 || tile.Left < 0 || tile.Top < 0 ||
        tile.Right > Picture->GetWidth() || tile.Bottom > Picture->GetHeight())
        return false;
    TileClient(Canvas, Part, Picture, tile, TRect(0, 0, W, H));
    return true;
}

void TskSkinShape::ReadShape(TskSkinData* Data, TskDataSkinControl* Record, int& CursorIndex) {
    auto* custom = dynamic_cast<TskDataSkinCustomControl*>(Record);
    if (!custom) {
        // No corner geometry: a fixed size, that of the record's rectangle if it has one.
        SkinRect = Record->SkinRect;
        ResizeMode = rmFixed;
        Picture = MaskPicture = nullptr;
        return;
    }
    LTPoint = custom->LTPoint;
    RTPoint = custom->RTPoint;
    LBPoint = custom->LBPoint;
    RBPoint = custom->RBPoint;
    SkinRect = custom->SkinRect;
    ClRect = custom->ClRect;
    CursorIndex = custom->CursorIndex;
    Picture = SkinPicture(Data, custom->PictureIndex);
    MaskPicture = SkinPicture(Data, custom->MaskPictureIndex);
    ResizeMode = GetResizeMode();
}

int TskSkinShape::GetResizeMode() const {
    if (IsNullRect(SkinRect)) return rmNoSkinRect;
    if (RBPoint.X != 0 && RBPoint.Y != 0) return rmBoth;
    if (RTPoint.X != 0 || RTPoint.Y != 0) return rmWidth;
    if (LBPoint.X != 0 || LBPoint.Y != 0) return rmHeight;
    return rmFixed;
}

void TskSkinShape::MapToSize(int& W, int& H, bool Skinned) {
    if (!Skinned) return;
    const int dW = W - RectWidth(SkinRect);
    const int dH = H - RectHeight(SkinRect);
    switch (ResizeMode) {
    case rmBoth:
        NewLTPoint = LTPoint;
        NewRTPoint = TPoint(RTPoint.X + dW, RTPoint.Y);
        NewLBPoint = TPoint(LBPoint.X, LBPoint.Y + dH);
        NewRBPoint = TPoint(RBPoint.X + dW, RBPoint.Y + dH);
        NewClRect = TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH);
        break;
    case rmWidth:
        H = RectHeight(SkinRect);
        NewLTPoint = LTPoint;
        NewRTPoint = TPoint(RTPoint.X + dW, RTPoint.Y);
        NewClRect = TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom);
        break;
    case rmHeight:
        W = RectWidth(SkinRect);
        NewLTPoint = LTPoint;
        NewLBPoint = TPoint(LBPoint.X, LBPoint.Y + dH);
        NewClRect = TRect(ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + dH);
        break;
    case rmFixed:
        if (IsNullRect(SkinRect)) break;
        W = RectWidth(SkinRect);
        H = RectHeight(SkinRect);
        NewClRect = ClRect;
        break;
    default:
        break;
    }
}

namespace {

// Both corners inside Area, its right and bottom edges included, so that a rectangle
// flush with the skin's right or bottom edge still counts as lying in the corner.
bool InArea(const TRect& R, const TRect& Area) {
    return PointInRect(Area, R.TopLeft()) && PointInRect(Area, R.BottomRight());
}

TRect Moved(const TRect& R, int DX, int DY) {
    return TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

} // namespace

TRect TskSkinShape::GetNewRect(const TRect& R, int W, int H) const {
    const int sw = RectWidth(SkinRect);
    const int sh = RectHeight(SkinRect);
    const int dW = W - sw;
    const int dH = H - sh;
    TRect result = R;
    switch (ResizeMode) {
    case rmBoth: {
        const TRect lt(0, 0, LTPoint.X, LTPoint.Y);
        const TRect rt(RTPoint.X, 0, sw, RTPoint.Y);
        const TRect lb(0, LBPoint.Y, LBPoint.X, sh);
        const TRect rb(RBPoint.X, RBPoint.Y, sw, sh);
        if (InArea(R, lt)) return R;
        if (InArea(R, rt)) return Moved(R, dW, 0);
        if (InArea(R, lb)) return Moved(R, 0, dH);
        if (InArea(R, rb)) return Moved(R, dW, dH);
        const TPoint tl = R.TopLeft();
        const TPoint br = R.BottomRight();
        if (PointInRect(lt, tl) && PointInRect(rb, br)) {
            result.Right += dW;
            result.Bottom += dH;
        } else if (PointInRect(lt, tl) && PointInRect(rt, br)) {
            result.Right += dW;
        } else if (PointInRect(lb, tl) && PointInRect(rb, br)) {
            result.Right += dW;
            result = Moved(result, 0, dH);
        } else if (PointInRect(lt, tl) && PointInRect(lb, br)) {
            result.Bottom += dH;
        } else if (PointInRect(rt, tl) && PointInRect(rb, br)) {
            result = Moved(result, dW, 0);
            result.Bottom += dH;
        }
        break;
    }
    case rmWidth:
        if (R.Left <= LTPoint.X && R.Right >= RTPoint.X)
            result.Right += dW;
        else if (RTPoint.X <= R.Left && RTPoint.X < R.Right)
            result = Moved(result, dW, 0);
        break;
    case rmHeight:
        if (R.Top <= LTPoint.Y && R.Bottom >= LBPoint.Y)
            result.Bottom += dH;
        else if (LBPoint.Y <= R.Top && LBPoint.Y < R.Bottom)
            result = Moved(result, 0, dH);
        break;
    default:
        break;
    }
    return result;
}

void TskSkinShape::CreateSkinControlImage(TBitmap* B, TBitmap* SB, const TRect& R, int W,
                                          int H) const {
    if (!SB || SB->GetEmpty()) return;
    switch (ResizeMode) {
    case rmFixed:
        B->SetSize(RectWidth(R), RectHeight(R));
        B->GetCanvas()->CopyRect(TRect(0, 0, RectWidth(R), RectHeight(R)), SB->GetCanvas(), R);
        break;
    case rmBoth:
        CreateSkinImage(SkinGeometry(), NewGeometry(), B, SB, R, W, H, true);
        break;
    case rmWidth:
        CreateHSkinImage(LTPoint.X, RectWidth(SkinRect) - RTPoint.X, B, SB, R, W, H);
        break;
    case rmHeight:
        CreateVSkinImage(LTPoint.Y, RectHeight(SkinRect) - LBPoint.Y, B, SB, R, W, H);
        break;
    default:
        break;
    }
}

HRGN TskSkinShape::CreateShapeRegion(int W, int H) const {
    const int sw = RectWidth(SkinRect);
    const int sh = RectHeight(SkinRect);
    switch (ResizeMode) {
    case rmFixed:
        return CreateSkinSimplyRegion(MaskPicture);
    case rmBoth:
        return CreateSkinRegion(SkinGeometry(), NewGeometry(), MaskPicture, W, H);
    case rmWidth: {
        const TPoint p(RTPoint.X + W - sw, RTPoint.Y);
        return CreateSkinRegion({LTPoint, RTPoint, LTPoint, RTPoint, ClRect},
                                {LTPoint, p, LTPoint, p, NewClRect}, MaskPicture, W, H);
    }
    case rmHeight: {
        const TPoint p(LBPoint.X, LBPoint.Y + H - sh);
        return CreateSkinRegion({LTPoint, LTPoint, LBPoint, LBPoint, ClRect},
                                {LTPoint, LTPoint, p, p, NewClRect}, MaskPicture, W, H);
    }
    default:
        return nullptr;
    }
}
