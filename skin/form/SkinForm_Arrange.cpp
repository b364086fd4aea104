#include "skin/form/SkinForm_Arrange.h"

#include "skin/form/SkinForm.h"

#include "skin/data/Skutils_Geometry.h"

#include <algorithm>
#include <cmath>

std::vector<TRect> TileRects(int Count, int W, int H) {
    const int columns = static_cast<int>(std::sqrt(static_cast<double>(std::max(Count, 0))));
    if (columns < 1) return {};
    auto rowsFor = [](int N, int Columns) {
        int rows = N / Columns;
        if (N > rows * Columns) ++rows;
        return std::max(rows, 1);
    };
    std::vector<TRect> rects(static_cast<std::size_t>(Count));
    const int cw = W / columns;
    int rh = H / rowsFor(Count, columns);
    int x = W, y = H, columnsLeft = columns;
    for (int i = Count; i >= 1; --i) {
        const int left = std::max(x - cw, 0), top = std::max(y - rh, 0);
        rects[static_cast<std::size_t>(i - 1)] = TRect(left, top, left + cw, top + rh);
        y -= rh;
        if (y - rh < 0) {
            y = H;
            x -= cw;
            columnsLeft = std::max(columnsLeft - 1, 1);
            rh = H / rowsFor(i - 1, columnsLeft);
        }
    }
    return rects;
}

int CascadeSteps(int W, int Step) {
    return Step > 0 ? (W - RoundEven(W * 0.8)) / Step : 0;
}

TSize CascadeSize(int Count, int W, int H, int Step) {
    const int k = CascadeSteps(W, Step);
    const int steps = k <= Count ? k : Count - 1;
    return TSize(W - steps * Step, H - steps * Step);
}

std::vector<int> CascadeOffsets(const std::vector<TSize>& Sizes, int W, int H, int Step) {
    std::vector<int> offsets;
    int p = 0;
    for (const TSize& s : Sizes) {
        if (p + s.cx > W || p + s.cy > H) p = 0;
        offsets.push_back(p);
        p += Step;
    }
    return offsets;
}

TPoint MinimizedSlot(const TRect& Area, int W, int H, const std::function<bool(TPoint)>& Taken) {
    int x = Area.Left, y = Area.Bottom - H;
    // A slot without width or height would step nowhere and the search would never end.
    if (W <= 0 || H <= 0) return TPoint(x, y);
    while (Taken(TPoint(x, y))) {
        x += W;
        if (x + W > Area.Right) {
            x = Area.Left;
            y -= H;
        }
        if (y < Area.Top) {
            y = Area.Bottom - H;
            break;
        }
    }
    return TPoint(x, y);
}

// ---------------------------------------------------------------------------
// TskSkinForm

namespace {

// The client window paints nothing while the children move and everything once after, so
// that no child is painted over and over as the ones above it leave and arrive.
class TArrangement {
public:
    explicit TArrangement(HWND Client) : FClient(Client) {
        if (FClient) SendMessageA(FClient, WM_SETREDRAW, FALSE, 0);
    }
    ~TArrangement() {
        if (!FClient || !IsWindow(FClient)) return;
        SendMessageA(FClient, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(FClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    TArrangement(const TArrangement&) = delete;
    TArrangement& operator=(const TArrangement&) = delete;

private:
    HWND FClient;
};

// The children of the form with a skinned frame of their own, with that frame.
std::vector<std::pair<TCustomForm*, TskSkinForm*>> SkinnedChildren(TCustomForm* Form) {
    std::vector<std::pair<TCustomForm*, TskSkinForm*>> children;
    for (TCustomForm* child : Form->GetMDIChildList())
        if (TskSkinForm* c = GetSkinFormComponent(child)) children.emplace_back(child, c);
    return children;
}

// Every skinned child of an MDI main form given State; a child freed by another's change is
// passed over.
void SetChildrenState(TskSkinForm* Main, TCustomForm* Form, TWindowState State) {
    TComponentProtector protect(Main);
    for (auto [child, c] : SkinnedChildren(Form)) {
        TComponentProtector keep(c);
        if (!c->IsDestroying()) c->SetWindowState(State);
    }
}

} // namespace

void TskSkinForm::MinimizeAll() {
    if (IsMDIMainForm()) SetChildrenState(this, FForm, wsMinimized);
}

void TskSkinForm::MaximizeAll() {
    if (IsMDIMainForm()) SetChildrenState(this, FForm, wsMaximized);
}

void TskSkinForm::RestoreAll() {
    if (!IsMDIMainForm()) return;
    TComponentProtector protect(this);
    for (auto [child, c] : SkinnedChildren(FForm)) {
        TComponentProtector keep(c);
        if (!c->IsDestroying() && c->GetWindowState() != wsNormal) c->SetWindowState(wsNormal);
        if (!c->IsDestroying() && c->GetRollUpState() && c->GetWindowState() == wsNormal) c->SetRollUpState(false);
    }
}

void TskSkinForm::CloseAll() {
    if (!IsMDIMainForm()) return;
    std::vector<TCustomForm*> children = FForm->GetMDIChildList();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TComponentProtector keep(*it);
        if (!(*it)->IsDestroying()) (*it)->Close();
    }
}

void TskSkinForm::Tile() {
    if (!IsMDIMainForm()) return;
    TComponentProtector protect(this);
    TArrangement arrangement(FForm->GetClientHandle());
    RestoreAll();
    if (IsDestroying()) return;
    const std::vector<TCustomForm*> children = FForm->GetMDIChildList();
    const TRect area = GetMDIWorkArea();
    const std::vector<TRect> rects = TileRects(static_cast<int>(children.size()), RectWidth(area), RectHeight(area));
    for (std::size_t i = rects.size(); i-- > 0;) {
        TComponentProtector keep(children[i]);
        if (children[i]->IsDestroying()) continue;
        const TRect& r = rects[i];
        children[i]->SetBounds(r.Left, r.Top, RectWidth(r), RectHeight(r));
    }
}

void TskSkinForm::Cascade() {
    if (!IsMDIMainForm()) return;
    TComponentProtector protect(this);
    TArrangement arrangement(FForm->GetClientHandle());
    RestoreAll();
    if (IsDestroying()) return;
    const std::vector<TCustomForm*> children = FForm->GetMDIChildList();
    const TRect area = GetMDIWorkArea();
    const int w = RectWidth(area), h = RectHeight(area);
    int step = FSkinApplied ? NewClRect.Top : 0;
    // A skin whose client area starts at the top gives no step: the plain caption's.
    if (step <= 0) step = GetDefCaptionHeight() + 3;
    TSize size = CascadeSize(static_cast<int>(children.size()), w, h, step);
    size.cx = std::max<int>(size.cx, GetMinWidth());
    size.cy = std::max<int>(size.cy, GetMinHeight());
    std::vector<TSize> sizes;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        sizes.push_back((*it)->GetBorderStyle() == bsSingle ? TSize((*it)->GetWidth(), (*it)->GetHeight()) : size);
    const std::vector<int> offsets = CascadeOffsets(sizes, w, h, step);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        TCustomForm* child = children[children.size() - 1 - i];
        TComponentProtector keep(child);
        if (!child->IsDestroying()) child->SetBounds(offsets[i], offsets[i], sizes[i].cx, sizes[i].cy);
    }
}

void TskSkinForm::ArangeMinimizedChilds() {
    TComponentProtector protect(this);
    for (auto [child, c] : SkinnedChildren(FForm)) {
        TComponentProtector keep(child);
        if (child->IsDestroying() || c->IsDestroying() || c->GetWindowState() != wsMinimized) continue;
        const TPoint p = c->GetMinimizeCoord();
        child->SetBounds(p.X, p.Y, child->GetWidth(), child->GetHeight());
    }
}

TPoint TskSkinForm::GetMDIMinimizeCoord() {
    const TRect work = GetMDIWorkArea();
    const TRect area(0, 0, RectWidth(work), RectHeight(work));
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    const std::vector<TCustomForm*> others = main ? main->GetMDIChildList() : std::vector<TCustomForm*>();
    return MinimizedSlot(area, GetMinWidth(), GetMinHeight(), [&](TPoint P) {
        for (TCustomForm* f : others) {
            if (f == FForm || !f->GetVisible()) continue;
            TskSkinForm* c = GetSkinFormComponent(f);
            if (c && c->GetWindowState() == wsMinimized && f->GetLeft() == P.X && f->GetTop() == P.Y) return true;
        }
        return false;
    });
}
