// List views: the system's list view control (classic common controls) in its four view
// styles, with report columns. The items live in the window.
#pragma once

#include "classlib/ImageLists.h"
#include "classlib/TreeViews.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <vector>

DECLARE_UNIT(ListViews)

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

struct TListColumn {
    AnsiString Caption;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
};

class TCustomListView : public TWinControl {
    DECLARE_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    // Columns may be dragged into another order.
    bool GetFullDrag() const { return FFullDrag; }
    void SetFullDrag(bool Value);
    TCustomImageList* GetSmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);

    const std::vector<TListColumn>& GetColumns() const { return FColumns; }
    void AddColumn(const TListColumn& Column);
    // A new last item; its index.
    int AddItem(const AnsiString& Caption);
    int GetItemCount();
    // Scrolls the view by DX, DY (pixels; rows in the report and list styles, as the
    // system takes them).
    void Scroll(int DX, int DY);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void InsertColumn(int Index);

    TViewStyle FViewStyle = vsIcon;
    bool FShowColumnHeaders = true;
    bool FFullDrag = false;
    TCustomImageList* FSmallImages = nullptr;
    std::vector<TListColumn> FColumns;
};

class TListView : public TCustomListView {
    DECLARE_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
