#include "skin/controls/SkinCtrls_Views.h"

#include "skin/data/Skutils.h"
#include "classlib/DelayLoad.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

// ---- TskViewSkin ---------------------------------------------------------------------------

TskViewSkin::TskViewSkin() : FDefaultFont(std::make_unique<TFont>()) {
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(TFontStyles());
}

void TskViewSkin::SetSkinData(TskSkinData* Value) {
    SetReference(View(), FSD, Value);
    if (!Value) return;
    if (!Value->Empty && !View()->IsDesigning()) ChangeSkinData();
}

void TskViewSkin::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
    if (FIndex == -1 && TakesSkinLook()) View()->GetFont()->Assign(Value);
}

void TskViewSkin::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FIndex == -1 && TakesSkinLook()) View()->SetColor(Value);
}

void TskViewSkin::ChangeSkinData() {
    TWinControl* view = View();
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(SkinDataName);
    if (!TakesSkinLook()) {
        // Nothing to apply.
    } else if (FIndex == -1) {
        view->SetColor(FDefaultColor);
        view->GetFont()->Assign(FDefaultFont.get());
    } else {
        TskDataSkinControl* record = FSD->CtrlList[static_cast<std::size_t>(FIndex)].get();
        auto apply = [view](const auto* R) {
            TFont* font = view->GetFont();
            font->SetName(R->FontName);
            font->SetColor(R->FontColor);
            font->SetStyle(R->FontStyle);
            font->SetHeight(R->FontHeight);
            view->SetColor(R->BGColor);
        };
        if (auto* tree = dynamic_cast<TskDataSkinTreeView*>(record))
            apply(tree);
        else if (auto* list = dynamic_cast<TskDataSkinListView*>(record))
            apply(list);
        else if (auto* rich = dynamic_cast<TskDataSkinRichEdit*>(record))
            apply(rich);
    }
    UpDateScrollBars();
}

TskViewSkin::~TskViewSkin() {
    ForgetBars();
}

namespace {

// The bar stops calling View: every event of it bound to View goes.
void Unbind(TskSkinScrollBar* Bar, const TskViewSkin* View) {
    for (TNotifyEvent* event : {&Bar->OnChange, &Bar->OnUpButtonClick, &Bar->OnDownButtonClick})
        if (event->Object() == View) *event = nullptr;
}

} // namespace

void TskViewSkin::ForgetBars() {
    // A bar freed first has told this view already; one still here stops calling it.
    for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar) Unbind(bar, this);
    FVScrollBar = FHScrollBar = nullptr;
}

void TskViewSkin::ReleaseBar(TskSkinScrollBar* Bar) {
    if (Bar) Unbind(Bar, this);
}

void TskViewSkin::BindBar(TskSkinScrollBar* Bar, bool Vertical) {
    Bar->OnChange = Vertical ? TNotifyEvent(this, &TskViewSkin::OnVScrollBarChange)
                             : TNotifyEvent(this, &TskViewSkin::OnHScrollBarChange);
    if (Vertical && StepsByLines()) {
        Bar->OnUpButtonClick = TNotifyEvent(this, &TskViewSkin::OnVScrollBarUpButtonClick);
        Bar->OnDownButtonClick = TNotifyEvent(this, &TskViewSkin::OnVScrollBarDownButtonClick);
    }
    PrepareBar(Bar);
}

void TskViewSkin::PrepareBar(TskSkinScrollBar* Bar) {
    Bar->SetEnabled(true);
    Bar->SetVisible(false);
}

void TskViewSkin::SetVScrollBar(TskSkinScrollBar* Value) {
    if (FVScrollBar != Value) ReleaseBar(FVScrollBar);
    SetReference(View(), FVScrollBar, Value);
    if (Value) BindBar(Value, true);
    UpDateScrollBars();
}

void TskViewSkin::SetHScrollBar(TskSkinScrollBar* Value) {
    if (FHScrollBar != Value) ReleaseBar(FHScrollBar);
    SetReference(View(), FHScrollBar, Value);
    if (Value) BindBar(Value, false);
    UpDateScrollBars();
}

void TskViewSkin::ViewNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TskViewSkin::BarsFollowView() {
    if (FVScrollBar) FVScrollBar->SetVisible(View()->GetVisible());
    if (FHScrollBar) FHScrollBar->SetVisible(View()->GetVisible());
}

bool TskViewSkin::ShowBar(TskSkinScrollBar* Bar, bool Visible) {
    if (Bar->GetVisible() == Visible) return false;
    FUpdating = true;
    Bar->SetVisible(Visible);
    FUpdating = false;
    return true;
}

void TskViewSkin::FinishBars(bool Changed) {
    if (FVScrollBar && FHScrollBar) {
        if (!FVScrollBar->GetVisible() && FHScrollBar->GetBoth())
            FHScrollBar->SetBoth(false);
        else if (FVScrollBar->GetVisible() && !FHScrollBar->GetBoth())
            FHScrollBar->SetBoth(true);
    }
    TWinControl* view = View();
    if (!Changed || view->GetAlign() == alNone || !view->GetParent()) return;
    FUpdating = true;
    view->GetParent()->Realign();
    FUpdating = false;
}

void TskViewSkin::NativeScroll(int Bar, int& Min, int& Max, int& Pos) {
    HWND wnd = View()->GetHandle();
    Min = Max = 0;
    GetScrollRange(wnd, Bar, &Min, &Max);
    Pos = GetScrollPos(wnd, Bar);
}

void TskViewSkin::ScrollToThumb(UINT Msg, TskSkinScrollBar* Bar) {
    SendMessageA(View()->GetHandle(), Msg, MAKEWPARAM(SB_THUMBPOSITION, Bar->GetPosition() & 0xFFFF),
                 0);
}

void TskViewSkin::RealignBars() {
    for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar && bar->GetParent()) bar->GetParent()->Realign();
}

// ---- Tree view --------------------------------------------------------------------------------

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {
    SkinDataName = "treeview";
    SetColor(clWindow);
    GetFont()->Assign(GetDefaultFont());
}

void TskSkinCustomTreeView::Published(TPropertyList& P) {
    PublishViewSkin<TskSkinCustomTreeView>(P);
}

void TskSkinCustomTreeView::CreateParams(TCreateParams& Params) {
    TCustomTreeView::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TskSkinCustomTreeView::WMNCSwallow(TMessage& Message) {
    // No native bars and no border: the skinned bars take their place.
    Message.Result = 0;
}

void TskSkinCustomTreeView::CMVisibleChanged(TMessage& Message) {
    TCustomTreeView::Dispatch(Message);
    BarsFollowView();
}

void TskSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomTreeView::Notification(AComponent, Operation);
    ViewNotification(AComponent, Operation);
}

void TskSkinCustomTreeView::Unlink() {
    TCustomTreeView::Unlink();
    ForgetBars();
}

void TskSkinCustomTreeView::Loaded() {
    TCustomTreeView::Loaded();
    ChangeSkinData();
}

void TskSkinCustomTreeView::ChangeSkinData() {
    if (IsLoading()) return;
    TskViewSkin::ChangeSkinData();
}

void TskSkinCustomTreeView::Change(TTreeNode Node) {
    TCustomTreeView::Change(Node);
    UpDateScrollBars();
}

void TskSkinCustomTreeView::WndProc(TMessage& Message) {
    TCustomTreeView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        if (!FUpdating) UpDateScrollBars();
        break;
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

void TskSkinCustomTreeView::UpDateScrollBars() {
    if (IsLoading() || FUpdating || !HandleAllocated()) return;
    bool changed = false;
    int min = 0, max = 0, pos = 0;
    if (FVScrollBar) {
        NativeScroll(SB_VERT, min, max, pos);
        const int page = static_cast<int>(SendMessageA(GetHandle(), TVM_GETVISIBLECOUNT, 0, 0));
        const int count = GetCount();
        const bool visible = max > 0 && page <= max && max < count && GetVisible();
        changed |= ShowBar(FVScrollBar, visible);
        if (visible) FVScrollBar->SetRange(min, max, pos, page);
    }
    if (FHScrollBar) {
        NativeScroll(SB_HORZ, min, max, pos);
        const bool visible = max > GetWidth() && GetVisible();
        changed |= ShowBar(FHScrollBar, visible);
        if (visible) FHScrollBar->SetRange(min, max, pos, GetWidth());
    }
    FinishBars(changed);
}

void TskSkinCustomTreeView::OnVScrollBarChange(TObject*) {
    ScrollToThumb(WM_VSCROLL, FVScrollBar);
}

void TskSkinCustomTreeView::OnHScrollBarChange(TObject*) {
    ScrollToThumb(WM_HSCROLL, FHScrollBar);
}

// ---- List view ----------------------------------------------------------------------------------

namespace {

// The common controls' subclassing, loaded with the first list view rather than at start-up.
BOOL SetSubclass(HWND Wnd, SUBCLASSPROC Proc, UINT_PTR Id, DWORD_PTR Data) {
    static auto* const set =
        DelayLoaded<decltype(SetWindowSubclass)>("comctl32.dll", "SetWindowSubclass");
    return set(Wnd, Proc, Id, Data);
}

BOOL RemoveSubclass(HWND Wnd, SUBCLASSPROC Proc, UINT_PTR Id) {
    static auto* const remove =
        DelayLoaded<decltype(RemoveWindowSubclass)>("comctl32.dll", "RemoveWindowSubclass");
    return remove(Wnd, Proc, Id);
}

LRESULT DefSubclass(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    static auto* const def =
        DelayLoaded<decltype(DefSubclassProc)>("comctl32.dll", "DefSubclassProc");
    return def(Wnd, Msg, WParam, LParam);
}

} // namespace

LRESULT CALLBACK HeaderSubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                    DWORD_PTR Data) {
    auto* view = reinterpret_cast<TskSkinCustomListView*>(Data);
    if (Msg == WM_NCDESTROY) {
        RemoveSubclass(Wnd, HeaderSubclassProc, 1);
        if (view->FHeaderHandle == Wnd) view->FHeaderHandle = nullptr;
        return DefSubclass(Wnd, Msg, WParam, LParam);
    }
    return view->HeaderWndProc(Msg, WParam, LParam);
}

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner) : TCustomListView(AOwner) {
    SkinDataName = "listview";
    SetColor(clWindow);
    GetFont()->Assign(GetDefaultFont());
}

TskSkinCustomListView::~TskSkinCustomListView() {
    UnhookHeader();
}

void TskSkinCustomListView::Published(TPropertyList& P) {
    PublishViewSkin<TskSkinCustomListView>(P);
    P.Add("HeaderSkinDataName", &TskSkinCustomListView::GetHeaderSkinDataName,
          &TskSkinCustomListView::SetHeaderSkinDataName);
}

void TskSkinCustomListView::CreateParams(TCreateParams& Params) {
    TCustomListView::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TskSkinCustomListView::CreateWnd() {
    TCustomListView::CreateWnd();
    if (HWND header = reinterpret_cast<HWND>(SendMessageA(GetHandle(), LVM_GETHEADER, 0, 0)))
        if (GetShowColumnHeaders()) HookHeader(header);
}

void TskSkinCustomListView::DestroyWnd() {
    UnhookHeader();
    TCustomListView::DestroyWnd();
}

void TskSkinCustomListView::HookHeader(HWND Header) {
    if (Header == FHeaderHandle) return;
    UnhookHeader();
    if (SetSubclass(Header, HeaderSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)))
        FHeaderHandle = Header;
}

void TskSkinCustomListView::UnhookHeader() {
    if (!FHeaderHandle) return;
    RemoveSubclass(FHeaderHandle, HeaderSubclassProc, 1);
    FHeaderHandle = nullptr;
}

void TskSkinCustomListView::WMNCSwallow(TMessage& Message) {
    Message.Result = 0;
}

void TskSkinCustomListView::CMVisibleChanged(TMessage& Message) {
    TCustomListView::Dispatch(Message);
    BarsFollowView();
}

void TskSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomListView::Notification(AComponent, Operation);
    ViewNotification(AComponent, Operation);
}

void TskSkinCustomListView::Unlink() {
    TCustomListView::Unlink();
    ForgetBars();
}

void TskSkinCustomListView::Loaded() {
    TCustomListView::Loaded();
    ChangeSkinData();
}

void TskSkinCustomListView::ChangeSkinData() {
    TskViewSkin::ChangeSkinData();
    RealignBars();
}

void TskSkinCustomListView::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE &&
        GetShowColumnHeaders()) {
        char name[32] = {};
        HWND child = reinterpret_cast<HWND>(Message.LParam);
        GetClassNameA(child, name, sizeof(name));
        if (lstrcmpiA(name, WC_HEADERA) == 0) HookHeader(child);
    }
    TCustomListView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!FUpdating) UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

int TskSkinCustomListView::ItemHeight() {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageA(GetHandle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
    return r.bottom - r.top;
}

void TskSkinCustomListView::UpDateScrollBars() {
    if (!HandleAllocated() || FBarScrolling || FUpdating || GetWidth() <= 5 || GetHeight() <= 5)
        return;
    bool changed = false;
    int min = 0, max = 0, pos = 0;
    const bool shown = GetVisible();
    const int perPage = static_cast<int>(SendMessageA(GetHandle(), LVM_GETCOUNTPERPAGE, 0, 0));
    auto horizontal = [&](int Page) {
        if (!FHScrollBar) return;
        NativeScroll(SB_HORZ, min, max, pos);
        const bool visible = max > GetWidth() && shown;
        changed |= ShowBar(FHScrollBar, visible);
        if (!visible) return;
        FHScrollBar->SetRange(min, max, pos, Page);
        FLastHPos = FHScrollBar->GetPosition();
    };
    switch (GetViewStyle()) {
    case vsIcon:
    case vsSmallIcon: {
        const int step = std::max(1, ItemHeight() / 2);
        if (FVScrollBar) {
            NativeScroll(SB_VERT, min, max, pos);
            const bool visible = max > GetHeight() && shown;
            changed |= ShowBar(FVScrollBar, visible);
            if (visible) {
                FVScrollBar->SetSmallChange(step);
                FVScrollBar->SetLargeChange(step);
                FVScrollBar->SetRange(min, max, pos, GetHeight());
                FLastVPos = FVScrollBar->GetPosition();
            }
        }
        horizontal(GetWidth());
        if (FHScrollBar) {
            FHScrollBar->SetSmallChange(step);
            FHScrollBar->SetLargeChange(step);
        }
        break;
    }
    case vsReport:
        if (FVScrollBar) {
            NativeScroll(SB_VERT, min, max, pos);
            const bool visible = perPage < max + 1 && shown;
            changed |= ShowBar(FVScrollBar, visible);
            if (visible) {
                FVScrollBar->SetRange(min, max, pos, perPage);
                FVScrollBar->SetSmallChange(1);
                FVScrollBar->SetLargeChange(1);
                FLastVPos = FVScrollBar->GetPosition();
            }
        }
        horizontal(GetWidth());
        break;
    case vsList: {
        if (FVScrollBar) changed |= ShowBar(FVScrollBar, false);
        if (!FHScrollBar) break;
        RECT r{};
        r.left = LVIR_BOUNDS;
        int column = GetItemCount() > 0 &&
                             SendMessageA(GetHandle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))
                         ? r.right - r.left
                         : 1;
        if (column < 1) column = 1;
        NativeScroll(SB_HORZ, min, max, pos);
        const bool visible = perPage < GetItemCount() && shown;
        changed |= ShowBar(FHScrollBar, visible);
        if (visible) {
            FHScrollBar->SetRange(min, max, pos, GetWidth() / column);
            FHScrollBar->SetSmallChange(1);
            FHScrollBar->SetLargeChange(1);
            FLastHPos = FHScrollBar->GetPosition();
        }
        break;
    }
    }
    FinishBars(changed);
}

void TskSkinCustomListView::OnVScrollBarChange(TObject*) {
    const int position = FVScrollBar->GetPosition();
    const int diff = position - FLastVPos;
    const bool rows = GetViewStyle() == vsList || GetViewStyle() == vsReport;
    FBarScrolling = true;
    Scroll(0, rows ? diff * ItemHeight() : diff);
    FBarScrolling = false;
    FLastVPos = position;
}

void TskSkinCustomListView::OnHScrollBarChange(TObject*) {
    const int position = FHScrollBar->GetPosition();
    const int diff = position - FLastHPos;
    FBarScrolling = true;
    if (GetViewStyle() == vsList) {
        const WPARAM code = diff > 0 ? SB_LINERIGHT : SB_LINELEFT;
        for (int i = 0; i < std::abs(diff); ++i) SendMessageA(GetHandle(), WM_HSCROLL, code, 0);
    } else {
        Scroll(diff, 0);
    }
    FBarScrolling = false;
    FLastHPos = position;
}

// ---- The column header ---------------------------------------------------------------------------

TRect TskSkinCustomListView::GetHeaderSectionRect(int Index) {
    int logical = Index;
    if (GetFullDrag()) {
        const int count = static_cast<int>(SendMessageA(FHeaderHandle, HDM_GETITEMCOUNT, 0, 0));
        std::vector<int> order(static_cast<std::size_t>(std::max(count, 1)));
        SendMessageA(FHeaderHandle, HDM_GETORDERARRAY, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(order.data()));
        if (Index >= 0 && Index < count) logical = order[static_cast<std::size_t>(Index)];
    }
    RECT r{};
    if (!SendMessageA(FHeaderHandle, HDM_GETITEMRECT, static_cast<WPARAM>(logical),
                      reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return TRect(r.left, r.top, r.right, r.bottom);
}

LRESULT TskSkinCustomListView::HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_PAINT) {
        PaintHeader(reinterpret_cast<HDC>(WParam));
        return 0;
    }
    if (Msg == WM_ERASEBKGND) return 1;
    const HWND header = FHeaderHandle;
    const LRESULT result = DefSubclass(header, Msg, WParam, LParam);
    if (Msg == WM_LBUTTONDOWN) {
        const POINT point{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
        FHotSection = -1;
        const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (PointInRect(GetHeaderSectionRect(i), TPoint(point.x, point.y))) {
                FHotSection = i;
                break;
            }
        HDHITTESTINFO hit{};
        hit.pt = point;
        SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        // A press on a divider resizes: no section looks pressed.
        FSectionPressed = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) == 0;
        RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
    } else if (Msg == WM_LBUTTONUP) {
        FSectionPressed = false;
        FHotSection = -1;
        RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
    }
    return result;
}

void TskSkinCustomListView::GetHeaderSkin() {
    TskSkinData* data = GetSkin();
    FHeaderIndex = (!data || data->Empty) ? -1 : data->GetControlIndex(HeaderSkinDataName);
    auto* record = FHeaderIndex == -1 ? nullptr
                                      : dynamic_cast<TskDataSkinButtonControl*>(
                                            data->CtrlList[static_cast<std::size_t>(FHeaderIndex)].get());
    if (!record || !SkinPicture(data, record->PictureIndex) || IsNullRect(record->SkinRect)) {
        FHeaderIndex = -1;
        return;
    }
    int cursor = -1;
    FHeader.ReadShape(data, record, cursor);
    FHeaderFontColor = record->FontColor;
    FHeaderDownFontColor = record->DownFontColor;
    const TRect active = IsNullRect(record->ActiveSkinRect) ? record->SkinRect : record->ActiveSkinRect;
    FHeaderDownRect = IsNullRect(record->DownSkinRect) ? active : record->DownSkinRect;
}

void TskSkinCustomListView::DrawHeaderSection(TCanvas* Canvas, int Index, bool Pressed,
                                              const TRect& R) {
    const int w = RectWidth(R);
    const int h = RectHeight(R);
    if (w < 1 || h < 1) return;
    TBitmap image(w, h);
    TCanvas* c = image.GetCanvas();
    c->GetFont()->Assign(GetFont());
    if (FHeaderIndex != -1) {
        FHeader.CreateSectionImage(&image, Pressed ? FHeaderDownRect : FHeader.SkinRect, w, h);
        c->GetFont()->SetColor(Pressed ? FHeaderDownFontColor : FHeaderFontColor);
    } else {
        c->GetBrush()->SetColor(static_cast<TColor>(Pressed ? 0xB59385 : ColorToRGB(clBtnFace)));
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(Pressed ? static_cast<TColor>(0x800000) : clBtnShadow);
        c->FrameRect(TRect(0, 0, w, h));
        c->GetFont()->SetColor(clBtnText);
    }
    const std::vector<TListColumn>& columns = GetColumns();
    if (Index < 0 || Index >= static_cast<int>(columns.size())) {
        Canvas->Draw(R.Left, R.Top, &image);
        return;
    }
    const TListColumn& column = columns[static_cast<std::size_t>(Index)];
    const TRect inset(5, 0, w - 5, h);
    AnsiString caption = column.Caption;
    c->GetBrush()->SetStyle(bsClear);
    TCustomImageList* images = GetSmallImages();
    const bool withImage =
        images && column.ImageIndex >= 0 && column.ImageIndex < images->GetCount();
    const int imageWidth = withImage ? images->GetWidth() + 10 : 0;
    const AnsiString full = caption;
    CorrectTextbyWidth(c, caption, w - 10 - imageWidth);
    const int tw = c->TextWidth(caption);
    int x = inset.Left;
    if (caption == full) {
        if (column.Alignment == taRightJustify)
            x = inset.Right - tw - imageWidth - (withImage ? 0 : 10);
        else if (column.Alignment == taCenter)
            x = w / 2 + (withImage ? inset.Left - (tw + imageWidth) / 2 : -tw / 2);
    }
    if (withImage) {
        images->Draw(c, x, h / 2 - images->GetHeight() / 2, column.ImageIndex);
        x += imageWidth;
    }
    c->TextOut(x, h / 2 - c->TextHeight(caption) / 2, caption);
    Canvas->Draw(R.Left, R.Top, &image);
}

void TskSkinCustomListView::PaintHeader(HDC DC) {
    const HWND header = FHeaderHandle;
    PAINTSTRUCT paint{};
    HDC dc = DC ? DC : BeginPaint(header, &paint);
    GetHeaderSkin();
    TCanvas canvas;
    canvas.SetHandle(dc);
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> order(static_cast<std::size_t>(std::max(count, 1)));
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    if (GetFullDrag() && count > 0)
        SendMessageA(header, HDM_GETORDERARRAY, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(order.data()));
    int right = 0;
    int height = 0;
    for (int i = 0; i < count; ++i) {
        const TRect r = GetHeaderSectionRect(i);
        DrawHeaderSection(&canvas, order[static_cast<std::size_t>(i)],
                          i == FHotSection && FSectionPressed, r);
        right = std::max(right, static_cast<int>(r.Right));
        height = RectHeight(r);
    }
    RECT client{};
    ::GetClientRect(header, &client);
    if (height < 1) height = client.bottom;
    const TRect rest(right, 0, client.right + 1, height);
    if (RectWidth(rest) > 0 && height > 0) {
        if (FHeaderIndex != -1) {
            TBitmap image;
            FHeader.CreateSectionImage(&image, FHeader.SkinRect, RectWidth(rest), height);
            canvas.Draw(rest.Left, 0, &image);
        } else {
            canvas.GetBrush()->SetColor(clBtnFace);
            canvas.FillRect(rest);
            canvas.GetBrush()->SetColor(clBtnShadow);
            canvas.FrameRect(rest);
        }
    }
    canvas.SetHandle(nullptr);
    if (!DC) EndPaint(header, &paint);
}

REGISTER_CLASS(TskSkinTreeView);
REGISTER_CLASS(TskSkinListView);

DEFINE_UNIT(SkinCtrls_Views, uoSkin + 10, nullptr, nullptr);
