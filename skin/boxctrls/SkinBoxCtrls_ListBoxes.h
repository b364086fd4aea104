// The skinned list box: a container with a skinned frame, an optional caption bar with
// up, down and check buttons, and skinned scroll bars, holding a native owner-drawn list
// that keeps items, selection and scroll state. The list never paints itself: the
// container draws every item off-screen from the skin (or in a plain look) and mirrors the
// list's hidden scroll state into its bars, made and freed as they are needed.
#pragma once

#include "skin/controls/SkinCtrls_ScrollBars.h"

#include "classlib/ImageLists.h"
#include "classlib/ListBoxes.h"

DECLARE_UNIT(SkinBoxCtrls_ListBoxes)

class TskSkinCustomListBox;

// Replaces an item's image and text: Cnvs is the item's off-screen bitmap, its origin the
// item's top-left corner.
using TskDrawSkinItemEvent =
    TEvent<void(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, const TRect& TextRect,
                TOwnerDrawState State)>;

// The inner list. Without a container it behaves as a plain owner-drawn list box.
class TskListBox : public TListBox {
    DECLARE_CLASS(TskListBox, TListBox)
public:
    explicit TskListBox(TComponent* AOwner);

    // The container that owns the list; set right after creation.
    TskSkinCustomListBox* SkinListBox = nullptr;
    // Pixels the item text is shifted left by the horizontal bar.
    int HOffset = 0;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void PaintWindow(HDC DC) override;
    // Fires Click as a selection change by the user does.
    void Click() override;

protected:
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMNCSwallow(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

    MESSAGE_HANDLERS(TskListBox, TListBox)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCSwallow)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCSwallow)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    MESSAGE_HANDLER(CM_ENTER, CMEnter)
    MESSAGE_HANDLER(CM_EXIT, CMExit)
    END_MESSAGE_HANDLERS

private:
    void PaintList(TCanvas* Canvas);
    void PaintColumnsList(TCanvas* Canvas);
    TOwnerDrawState ItemState(int Index);
    // Item Index through the container's skinned or plain drawing.
    void DrawItemState(TCanvas* Canvas, int Index, const TRect& R, TOwnerDrawState State);
    // Item Index drawn when it meets Part (what Canvas repaints); its rectangle.
    TRect DrawItemIn(TCanvas* Canvas, const TRect& Part, int Index);

    bool FRedrawOff = false;
};

// One of the caption bar's buttons: 0 up, 1 down, 2 check.
struct TskListBoxCaptionButton {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

class TskSkinCustomListBox : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinCustomListBox, TskSkinCustomControl)
    friend class TskListBox;

public:
    explicit TskSkinCustomListBox(TComponent* AOwner);
    ~TskSkinCustomListBox() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;
    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown;
    TMouseEvent OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown;
    TKeyEvent OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TskDrawSkinItemEvent OnDrawItem;

    // The inner list.
    TskListBox* GetListBox() const { return ListBox; }

    bool GetHorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int GetColumns() const;
    void SetColumns(int Value);
    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool GetCaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont* GetDefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
    void SetDefaultCaptionFont(TFont* Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int GetDefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    bool GetMultiSelect() const;
    void SetMultiSelect(bool Value);
    bool GetExtandedSelect() const;
    void SetExtandedSelect(bool Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    TFont* GetListBoxFont() const;
    void SetListBoxFont(TFont* Value);
    int GetListBoxTabOrder() const;
    void SetListBoxTabOrder(int Value);
    bool GetListBoxTabStop() const;
    void SetListBoxTabStop(bool Value);
    TComponent* GetListBoxPopupMenu() const;
    void SetListBoxPopupMenu(TComponent* Value);

    void Clear();
    int ItemAtPos(const TPoint& Pos, bool Existing) const;
    TRect ItemRect(int Index) const;
    int GetSelCount() const;
    bool GetSelected(int Index) const;
    void SetSelected(int Index, bool Value);
    int GetTopIndex() const;
    void SetTopIndex(int Value);
    // The control's height that shows Rows items.
    int CalcHeight(int Rows);
    // The bars follow the list's scroll state; they are made or freed as needed.
    void UpDateScrollBar();
    void ShowScrollBar();
    void ShowHScrollBar();
    void HideScrollBar();
    void HideHScrollBar();
    // Places the bars and the list for the current size, skin and caption.
    void CalcRects();

    TskSkinScrollBar* GetVScrollBar() const { return VScrollBar; }
    TskSkinScrollBar* GetHScrollBar() const { return HScrollBar; }
    TRect GetListBoxRect() const { return ListBoxRect; }
    // A caption button's rectangle (0 up, 1 down, 2 check) as last laid out.
    TRect GetButtonRect(int Index) const { return Buttons[Index].R; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The operations a descendant overrides, in this order.
    virtual int GetFullItemWidth(int Index, TCanvas* ACanvas);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(char& Key);
    virtual void ListBoxEnter();
    virtual void ListBoxExit();
    // Sees every message of the list first; clearing PassOn drops the message.
    virtual void ListBoxWProc(TMessage& Message, bool& PassOn);
    virtual void ListBoxCreateWnd();

protected:
    // The inner list is made by NewList (owned by the container).
    TskSkinCustomListBox(TComponent* AOwner, TskListBox* (*NewList)(TComponent* Owner));

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Item Index in the skin's look, into Canvas at Rect.
    void DrawSkinItem(TCanvas* Canvas, int Index, const TRect& Rect, TOwnerDrawState State);
    // What the skinned item shows over its background (W x H, text rectangle TR):
    // OnDrawItem, or the image and the text.
    virtual void DrawSkinItemContent(TCanvas* Canvas, int Index, int W, int H, const TRect& TR,
                                     TOwnerDrawState State);
    // Item Index in the plain look.
    void DrawDefaultItem(TCanvas* Canvas, int Index, const TRect& Rect, TOwnerDrawState State);
    // Where the plain item's fill and focus rectangle start: the pixels before belong to the
    // content.
    virtual int DefaultItemIndent() const { return 0; }
    // What the plain item shows over its fill (W x H, text rectangle TR): OnDrawItem, or the
    // image and the text.
    virtual void DrawDefaultItemContent(TCanvas* Canvas, int Index, int W, int H, const TRect& TR,
                                        TOwnerDrawState State);
    // The skin's client area tiled over W x H, drawn at (X, Y).
    void PaintBGWH(TCanvas* Canvas, int W, int H, int X, int Y);
    bool Skinned() const { return FIndex != -1; }
    // Items come from the skin only when its record gives their picture; else they are plain.
    virtual bool SkinnedItems() const { return Skinned() && Picture && !IsNullRect(SkinItemRect); }
    // The caption's check button released over it without OnCheckButtonClick: the list's
    // click.
    virtual void CheckButtonAction();
    // The off-screen bitmap each item is composed in before it is copied to the list, kept
    // from one item to the next (a new bitmap per item costs more than the item).
    TBitmap& ItemBuffer();
    // The item's image (when Images is set) at TR's left and its text after it, both
    // vertically centred.
    void DrawItemImageAndText(TCanvas* Canvas, int Index, TRect TR);

    void WMSize(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomListBox, TskSkinCustomControl)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

protected:
    TskListBox* ListBox = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TRect ListRect;
    TRect ListBoxRect;
    bool SkinChanging = false;

    // Copied from a list box record.
    AnsiString FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    // ItemRect of the record (the name ItemRect is the item's place in the list).
    TRect SkinItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FontColor = clBlack, ActiveFontColor = clBlack, FocusFontColor = clBlack;
    TRect CaptionRect;
    AnsiString CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = clBlack;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    AnsiString VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar",
               BothHScrollBarName = "bothhscrollbar";

    // The caption bar.
    TRect NewCaptionRect;
    TskListBoxCaptionButton Buttons[3];
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    // 0 no repeat, 1 stepping up, 2 stepping down.
    int TimerMode = 0;
    // The first, longer wait of the repeat is running.
    bool WaitMode = false;

private:
    void SBChange(TObject* Sender);
    void HSBChange(TObject* Sender);
    void CaptionChanged(TObject* Sender);
    void NewScrollBar(TskSkinScrollBar*& Bar, TScrollBarKind Kind, TNotifyEvent Change);
    void SkinVScrollBar();
    void SkinHScrollBar();
    // The item's image (when Images is set) and text into TR, shifted by HOffset.
    void DrawItemContent(TCanvas* Canvas, int Index, const TRect& TR);
    // The caption bar of the skinned or plain frame.
    void DrawSkinCaption(TCanvas* Canvas);
    void DrawDefaultCaption(TCanvas* Canvas);
    void DrawButton(TCanvas* Canvas, int I);
    void TestActive(int X, int Y);
    void ButtonAction(int I);
    void StartTimer(UINT Interval);
    void StopTimer();
    void StepUp();
    // Stops at the last item.
    void StepDown();
    TNotifyEvent& ButtonEvent(int I);

    bool FHorizontalExtent = false;
    int FRowCount = 0;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 20;
    std::unique_ptr<TFont> FDefaultCaptionFont;
    TAlignment FAlignment = taLeftJustify;
    int FDefaultItemHeight = 20;
    bool FUpdatingBars = false;
    std::unique_ptr<TBitmap> FItemBuffer;
};

class TskSkinListBox : public TskSkinCustomListBox {
    DECLARE_CLASS(TskSkinListBox, TskSkinCustomListBox)
public:
    explicit TskSkinListBox(TComponent* AOwner) : TskSkinCustomListBox(AOwner) {}
    static void Published(TPropertyList& P);
};
