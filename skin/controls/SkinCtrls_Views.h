// Skinned tree and list views: the system's views without their own scroll bars, driving
// two skinned scroll bars beside them both ways, in the skin's font and colour; the list
// view's column header is painted from a button-like skin section. The skinned rich edit
// stands on the same base.
#pragma once

#include "skin/controls/SkinCtrls_ScrollBars.h"

#include "classlib/ListViews.h"
#include "classlib/TreeViews.h"

DECLARE_UNIT(SkinCtrls_Views)

// What the native views share: the skin reference, the default font and colour, the two bars.
class TskViewSkin : public TskSkinFollower {
public:
    TskViewSkin();
    ~TskViewSkin() override;

    TskSkinData* GetSkin() const override { return FSD; }
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return SkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { SkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TColor GetDefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TskSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    int GetSkinIndex() const { return FIndex; }

    // Font and colour from the skin (or the defaults), then the bars.
    void ChangeSkinData() override;
    virtual void UpDateScrollBars() = 0;

    AnsiString SkinDataName;

protected:
    virtual TWinControl* View() = 0;
    virtual void OnVScrollBarChange(TObject* Sender) = 0;
    virtual void OnHScrollBarChange(TObject* Sender) = 0;
    // Whether the view takes its font and colour from the skin (and the defaults).
    virtual bool TakesSkinLook() const { return true; }
    // A bar the view is given: its events call the view.
    void BindBar(TskSkinScrollBar* Bar, bool Vertical);
    // The bar before the view first updates it: the views show it only once they scroll.
    virtual void PrepareBar(TskSkinScrollBar* Bar);
    // Whether the vertical bar's arrows step the view by lines (the bar then does not step).
    virtual bool StepsByLines() const { return false; }
    virtual void OnVScrollBarUpButtonClick(TObject*) {}
    virtual void OnVScrollBarDownButtonClick(TObject*) {}
    void ViewNotification(TComponent* AComponent, TOperation Operation);
    // The view lets go of a bar it no longer drives: the bar stops calling it.
    void ReleaseBar(TskSkinScrollBar* Bar);
    // The view is going: no bar calls it any more. A view deleted during one of its own
    // calls does this when it is unlinked, since its free links are gone by then.
    void ForgetBars();
    // The bars show and hide with the view.
    void BarsFollowView();
    // Shows or hides a bar with the guard set; true when its visibility changed.
    bool ShowBar(TskSkinScrollBar* Bar, bool Visible);
    // The corner marker follows the vertical bar; an aligned view's parent realigns once
    // when a bar came or went.
    void FinishBars(bool Changed);
    // The native range and position of one bar of the view.
    void NativeScroll(int Bar, int& Min, int& Max, int& Pos);
    // Scrolls the view to Bar's position with Msg (WM_VSCROLL or WM_HSCROLL); thumb
    // positions travel in 16 bits.
    void ScrollToThumb(UINT Msg, TskSkinScrollBar* Bar);
    // The bars' parent lays them out again.
    void RealignBars();

    bool FUpdating = false;
    TskSkinScrollBar* FVScrollBar = nullptr;
    TskSkinScrollBar* FHScrollBar = nullptr;

private:
    TskSkinData* FSD = nullptr;
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor = clWindow;
};

template <class C> void PublishViewSkin(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("SkinData", Own<C>(&C::GetSkin), Own<C>(&C::SetSkinData));
    P.Add("SkinDataName", Own<C>(&C::GetSkinDataName), Own<C>(&C::SetSkinDataName));
    P.Add("DefaultFont", Own<C>(&C::GetDefaultFont));
    P.Add("DefaultColor", Own<C>(&C::GetDefaultColor), Own<C>(&C::SetDefaultColor), clWindow);
    P.Add("VScrollBar", Own<C>(&C::GetVScrollBar), Own<C>(&C::SetVScrollBar));
    P.Add("HScrollBar", Own<C>(&C::GetHScrollBar), Own<C>(&C::SetHScrollBar));
}

class TskSkinCustomTreeView : public TCustomTreeView, public TskViewSkin {
    DECLARE_CLASS(TskSkinCustomTreeView, TCustomTreeView)
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void UpDateScrollBars() override;
    void ChangeSkinData() override;
    void Loaded() override;

protected:
    TWinControl* View() override { return this; }
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Change(TTreeNode Node) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Unlink() override;

    void WMNCSwallow(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomTreeView, TCustomTreeView)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCSwallow)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCSwallow)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    END_MESSAGE_HANDLERS
};

class TskSkinCustomListView : public TCustomListView, public TskViewSkin {
    DECLARE_CLASS(TskSkinCustomListView, TCustomListView)
public:
    explicit TskSkinCustomListView(TComponent* AOwner);
    ~TskSkinCustomListView() override;
    static void Published(TPropertyList& P);

    void UpDateScrollBars() override;
    void ChangeSkinData() override;
    void Loaded() override;

    const AnsiString& GetHeaderSkinDataName() const { return HeaderSkinDataName; }
    void SetHeaderSkinDataName(const AnsiString& Value) { HeaderSkinDataName = Value; }
    HWND GetHeaderHandle() const { return FHeaderHandle; }
    // A section rectangle, through the display order when columns can be dragged.
    TRect GetHeaderSectionRect(int Index);
    int GetHotSection() const { return FHotSection; }
    bool GetSectionPressed() const { return FSectionPressed; }

    AnsiString HeaderSkinDataName = "resizebutton";

protected:
    TWinControl* View() override { return this; }
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Unlink() override;

    void WMNCSwallow(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomListView, TCustomListView)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCSwallow)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCSwallow)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    END_MESSAGE_HANDLERS

private:
    friend LRESULT CALLBACK HeaderSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void HookHeader(HWND Header);
    void UnhookHeader();
    LRESULT HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    void PaintHeader(HDC DC);
    void GetHeaderSkin();
    void DrawHeaderSection(TCanvas* Canvas, int Index, bool Pressed, const TRect& R);
    int ItemHeight();

    HWND FHeaderHandle = nullptr;
    int FHotSection = -1;
    bool FSectionPressed = false;
    bool FBarScrolling = false;
    int FLastVPos = 0;
    int FLastHPos = 0;
    int FHeaderIndex = -1;
    TskSkinShape FHeader;
    TColor FHeaderFontColor = clBtnText;
    TColor FHeaderDownFontColor = clBtnText;
    TRect FHeaderDownRect;
};

class TskSkinTreeView : public TskSkinCustomTreeView {
    DECLARE_CLASS(TskSkinTreeView, TskSkinCustomTreeView)
public:
    explicit TskSkinTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner) {}
};

class TskSkinListView : public TskSkinCustomListView {
    DECLARE_CLASS(TskSkinListView, TskSkinCustomListView)
public:
    explicit TskSkinListView(TComponent* AOwner) : TskSkinCustomListView(AOwner) {}
};
