// The layout of a control's children: alignment, anchors and scrolling them together.
#include "classlib/WinControls.h"

#include <algorithm>
#include <limits>

namespace {

// The start of a control that keeps its centre's share of its parent's size along one axis.
// Its place may be any that scrolling gave it: the product is taken in 64 bits.
int KeptShare(int Start, int Size, int ParentSize, int OldParentSize) {
    const Int64 start = (Int64{Start} + Size / 2) * ParentSize / OldParentSize - Size / 2;
    return static_cast<int>(
        std::clamp<Int64>(start, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Sets a control's FPlacedByParent for the duration of a placement.
class TPlacement {
public:
    TPlacement(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TPlacement() { FFlag = false; }

private:
    bool& FFlag;
};

} // namespace

// ---- Layout -------------------------------------------------------------------------

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::ScrollBy(int DeltaX, int DeltaY) {
    if (DeltaX == 0 && DeltaY == 0) return;
    DisableAlign();
    // Moving a child may run its handlers: the walk goes over a copy, and a child that left
    // meanwhile is passed over.
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (std::find(FControls.begin(), FControls.end(), c) != FControls.end())
            c->SetBounds(c->GetLeft() + DeltaX, c->GetTop() + DeltaY, c->GetWidth(), c->GetHeight());
    EnableAlign();
}

void TWinControl::AlignControl(TControl* AControl) {
    TComponentState state = GetComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying) || FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    if (FAligning) return;
    FAligning = true;
    FAlignPending = false;
    try {
        TRect rect = GetClientRect();
        AdjustClientRect(rect);
        AlignControls(AControl, rect);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    static const TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : kOrder) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->FVisible) list.push_back(c);
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop:
                return c->FTop;
            case alBottom:
                return -(c->FTop + c->FHeight);
            case alLeft:
                return c->FLeft;
            case alRight:
                return -(c->FLeft + c->FWidth);
            default:
                return 0;
            }
        };
        // Each keeps its place: the one being aligned takes the place it was given before
        // a sibling that was there already; creation order decides only between the others.
        std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
            int ka = key(a), kb = key(b);
            if (ka != kb) return ka < kb;
            if (a != b && (a == AControl || b == AControl)) return a == AControl;
            return a->FCreationOrder < b->FCreationOrder;
        });
        for (TControl* c : list) {
            TPlacement placement(c->FPlacedByParent);
            int width = std::max(Rect.Width(), 0);
            int height = std::max(Rect.Height(), 0);
            switch (align) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, width, c->FHeight);
                Rect.Top += c->FHeight;
                break;
            case alBottom: {
                int h = c->FHeight;
                c->SetBounds(Rect.Left, Rect.Bottom - h, width, h);
                if (c->FHeight != h) c->SetBounds(Rect.Left, Rect.Bottom - c->FHeight, width, h);
                Rect.Bottom -= c->FHeight;
                break;
            }
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->FWidth, height);
                Rect.Left += c->FWidth;
                break;
            case alRight: {
                int w = c->FWidth;
                c->SetBounds(Rect.Right - w, Rect.Top, w, height);
                if (c->FWidth != w) c->SetBounds(Rect.Right - c->FWidth, Rect.Top, w, height);
                Rect.Right -= c->FWidth;
                break;
            }
            default:
                c->SetBounds(Rect.Left, Rect.Top, width, height);
                break;
            }
        }
    }
    TRect client = GetClientRect();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FAlign == alNone) ApplyAnchors(c, client);
}

void TWinControl::ApplyAnchors(TControl* Control, const TRect& Client) {
    const TControl::TAnchorRules& rules = Control->FAnchorRules;
    TAnchors anchors = Control->FAnchors;
    if (!rules.Valid || anchors == TAnchors{akLeft, akTop}) return;
    int left = Control->FLeft, top = Control->FTop;
    int width = Control->FWidth, height = Control->FHeight;
    if (anchors.Contains(akRight)) {
        if (anchors.Contains(akLeft)) {
            left = rules.Left;
            width = Client.Width() - rules.Left - rules.Right;
        } else {
            left = Client.Width() - rules.Right - width;
        }
    } else if (!anchors.Contains(akLeft) && rules.ParentWidth > 0) {
        left = KeptShare(rules.Left, width, Client.Width(), rules.ParentWidth);
    }
    if (anchors.Contains(akBottom)) {
        if (anchors.Contains(akTop)) {
            top = rules.Top;
            height = Client.Height() - rules.Top - rules.Bottom;
        } else {
            top = Client.Height() - rules.Bottom - height;
        }
    } else if (!anchors.Contains(akTop) && rules.ParentHeight > 0) {
        top = KeptShare(rules.Top, height, Client.Height(), rules.ParentHeight);
    }
    TPlacement placement(Control->FPlacedByParent);
    Control->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
}
