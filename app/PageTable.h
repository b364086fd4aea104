// The page table: an owner-drawn list box that keeps no items, only a number of rows, so a
// list of any length costs one message and no memory per row; OnDrawItem paints each row
// that shows. Form resources name it TPageTable.
#pragma once

#include "classlib/StdCtrls.h"
#include "classlib/UnitInit.h"

DECLARE_UNIT(PageTable)

class TPageTable : public TCustomListBox {
    DECLARE_CLASS(TPageTable, TCustomListBox)
public:
    explicit TPageTable(TComponent* AOwner);

    int GetRowCount() const { return FRowCount; }
    // Raises EOutOfResources "The page table cannot hold %d rows" and keeps the rows it had
    // when the window refuses the count.
    void SetRowCount(int Value);
    // An index outside the rows selects none.
    void SetItemIndex(int Value) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    int FRowCount = 0;
};
