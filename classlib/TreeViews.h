// Tree views: the system's tree view control (classic common controls). The items live
// in the window; the control makes its window when items are added.
#pragma once

#include "classlib/ImageLists.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

DECLARE_UNIT(TreeViews)

using TTreeNode = HTREEITEM;

class TCustomTreeView : public TWinControl {
    DECLARE_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // Fired when the selected node changes.
    TNotifyEvent OnChange;

    // A new last child of Parent (null: a top-level node).
    TTreeNode AddChild(TTreeNode Parent, const AnsiString& Text);
    void Expand(TTreeNode Node);
    void Select(TTreeNode Node);
    TTreeNode GetSelected();
    int GetCount();
    void Clear();

protected:
    void CreateParams(TCreateParams& Params) override;
    // The selection changed to Node.
    virtual void Change(TTreeNode Node);

    void CNNotify(TMessage& Message);

    MESSAGE_HANDLERS(TCustomTreeView, TWinControl)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    END_MESSAGE_HANDLERS
};

class TTreeView : public TCustomTreeView {
    DECLARE_CLASS(TTreeView, TCustomTreeView)
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

// The common controls of the views, registered once before the first view's window.
void InitViewControls();
