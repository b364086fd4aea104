// Tree views: the system's tree view control (classic common controls). The items live
// in the window; the control makes its window when items are added.
#pragma once

#include "classlib/ImageLists.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

DECLARE_UNIT(TreeViews)

using TTreeNode = HTREEITEM;

using TTVExpandingEvent = TEvent<void(TObject* Sender, TTreeNode Node, bool& AllowExpansion)>;
using TTVEditingEvent = TEvent<void(TObject* Sender, TTreeNode Node, bool& AllowEdit)>;
using TTVEditedEvent = TEvent<void(TObject* Sender, TTreeNode Node, AnsiString& S)>;

class TCustomTreeView : public TWinControl {
    DECLARE_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // Fired when the selected node changes.
    TNotifyEvent OnChange;
    // Asked before a node shows its children, by the user or by Expand.
    TTVExpandingEvent OnExpanding;
    // Asked before a label is edited in place.
    TTVEditingEvent OnEditing;
    // An edited label is about to be stored; S may be changed.
    TTVEditedEvent OnEdited;

    // No in-place editing of labels.
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The selection shows only while the view has the focus.
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // The +/- buttons of nodes with children.
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    // Node images; not owned.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // A new last child of Parent (null: a top-level node); the parent shows a button.
    TTreeNode AddChild(TTreeNode Parent, const AnsiString& Text);
    // Asks CanExpand, then shows Node's children; nothing for a node already expanded.
    void Expand(TTreeNode Node);
    bool GetExpanded(TTreeNode Node);
    void Select(TTreeNode Node);
    TTreeNode GetSelected();
    int GetCount();
    void Clear();
    // Redrawing stops until the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // Navigation; null where there is no such node.
    TTreeNode GetFirstNode();
    TTreeNode GetParentNode(TTreeNode Node);
    TTreeNode GetFirstChild(TTreeNode Node);
    TTreeNode GetNextSibling(TTreeNode Node);
    // The node after Node in tree order: its first child, else the next sibling of it or
    // of its nearest ancestor that has one.
    TTreeNode GetNextNode(TTreeNode Node);
    // 0 for a top-level node.
    int GetLevel(TTreeNode Node);
    // The node whose row holds (X, Y) of the client area; Flags gets the TVHT_ bits.
    TTreeNode GetNodeAt(int X, int Y, UINT* Flags = nullptr);

    AnsiString GetNodeText(TTreeNode Node);
    void SetNodeText(TTreeNode Node, const AnsiString& Text);
    // The button mark, whether or not children were added.
    bool GetHasChildren(TTreeNode Node);
    void SetHasChildren(TTreeNode Node, bool Value);
    int GetImageIndex(TTreeNode Node);
    void SetNodeImages(TTreeNode Node, int ImageIndex, int SelectedIndex);
    // Node's children in alphabetical order, ignoring case.
    void SortChildren(TTreeNode Node);
    // Starts editing Node's label in place; the edit window, or null.
    HWND EditNode(TTreeNode Node);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The selection changed to Node.
    virtual void Change(TTreeNode Node);
    // Whether Node may show its children: OnExpanding's answer.
    virtual bool CanExpand(TTreeNode Node);
    // Whether Node's label may be edited: OnEditing's answer.
    virtual bool CanEdit(TTreeNode Node);
    // The end of an in-place edit (Item.pszText null when cancelled): OnEdited, then the
    // new label is stored.
    virtual void Edit(const TVITEMA& Item);

    void CNNotify(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    MESSAGE_HANDLERS(TCustomTreeView, TWinControl)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    END_MESSAGE_HANDLERS

private:
    // The system draws the view in its own colours unless given Color and the font's.
    void ApplyColors();
    void SetStyleBit(DWORD Bit, bool On);
    void SetItemField(TTreeNode Node, UINT Mask, TVITEMA& Item);

    TCustomImageList* FImages = nullptr;
    int FUpdateCount = 0;
    bool FExpandingByCall = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FShowButtons = true;
};

class TTreeView : public TCustomTreeView {
    DECLARE_CLASS(TTreeView, TCustomTreeView)
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

// The common controls of the views, registered once before the first view's window.
void InitViewControls();
