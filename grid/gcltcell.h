// The cell component bases (TGclTableCellAncestor, TGclBaseTableCell), the table's
// ancestor control with its attached-cell list and "CellData", and the per-cell
// override matrix TGclTableCells.
#pragma once

#include "classlib/StringList.h"
#include "grid/gclbase.h"
#include "grid/gclspary.h"
#include "grid/gcltcmmn.h"

#include <memory>
#include <vector>

class TGclTableAncestor;

class TGclTableCellAncestor : public TComponent {
    DECLARE_CLASS(TGclTableCellAncestor, TComponent)
public:
    explicit TGclTableCellAncestor(TComponent* AOwner) : TComponent(AOwner) {}

    TNotifyEvent OnCfgChanged;
    void tcDoCfgChanged();
    virtual void tcChangeScale(int M, int D);
    virtual void tcResetTableValues() = 0;
};

class TGclBaseTableCell : public TGclTableCellAncestor {
    DECLARE_CLASS(TGclBaseTableCell, TGclTableCellAncestor)
public:
    explicit TGclBaseTableCell(TComponent* AOwner);
    ~TGclBaseTableCell() override;

    // What the table calls to draw a cell: the owner draw, else tcPaint.
    void Paint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
               const TGclCellAttributes& CellAttr, void* Data);
    virtual bool DoOwnerDraw(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                             const TGclCellAttributes& CellAttr, void* Data);
    virtual void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                         const TGclCellAttributes& CellAttr, void* Data);
    virtual void ResolveAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr);
    void tcResetTableValues() override;
    void tcChangeScale(int M, int D) override;

    // The in-place edit protocol; here there is no editor.
    virtual TWinControl* GetCellEditor() { return nullptr; }
    virtual HWND EditHandle() { return nullptr; }
    virtual void EditHide() {}
    virtual void EditMove(const TRect&) {}
    virtual bool CanSaveEditedData(bool) { return true; }
    bool CanStopEditing(bool SaveValue) { return CanSaveEditedData(SaveValue); }
    virtual TGclTblKeyNeeds FilterTableKey(TWMKey& Msg);
    virtual void SaveEditedData(void*) {}
    virtual void StartEditing(int, int, const TRect&, const TGclCellAttributes&, TGclTblEditorStyle,
                              void*) {}
    virtual void StopEditing(bool, void*) {}
    virtual bool SpecialCellSupported(int) { return false; }
    virtual int SpecialCellDataSize() { return 0; }
    virtual void SpecialCellDataTransfer(int, void*, TGclCellDataPurpose) {}

    void IncRefs();
    void DecRefs();
    int RefCount() const { return FRefCount; }

    void PostMessageToTable(UINT Msg, WPARAM WParam, LPARAM LParam);
    void SendKeyToTable(TWMKey& Msg);
    bool TableWantsEnter();
    bool TableWantsTab();
    int tcRetrieveTableActiveCol();
    int tcRetrieveTableActiveRow();
    int tcRetrieveTableLockedCols();
    int tcRetrieveTableLockedRows();

    TColor GetColor();
    void SetColor(TColor Value);
    TFont* GetFont();
    void SetFont(TFont* Value);
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    TGclTableAncestor* GetTable() const { return FTable; }
    void SetTable(TGclTableAncestor* Value);
    TColor GetTextHiColor() const { return FTextHiColor; }
    void SetTextHiColor(TColor Value);
    bool GetAcceptActivationClick() const { return FAcceptActivationClick; }
    void SetAcceptActivationClick(bool Value) { FAcceptActivationClick = Value; }
    TGclTblAccess GetAccess() const { return FAccess; }
    void SetAccess(TGclTblAccess Value);
    TGclTblAdjust GetAdjust() const { return FAdjust; }
    void SetAdjust(TGclTblAdjust Value);
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    bool GetTableColor() const { return FTableColor; }
    void SetTableColor(bool Value);
    bool GetTableFont() const { return FTableFont; }
    void SetTableFont(bool Value);
    TGclTextStyle GetTextStyle() const { return FTextStyle; }
    void SetTextStyle(TGclTextStyle Value);
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    bool IsColorStored() const { return !FTableColor; }
    bool IsFontStored() const { return !FTableFont; }

    TNotifyEvent OnClick, OnDblClick, OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCellPaintNotifyEvent OnOwnerDraw;

    static void Published(TPropertyList& P);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool Designing() const { return IsDesigning(); }
    LRESULT SendToTable(UINT Msg);

private:
    void RetrieveColor();
    void RetrieveFont();
    void tcFontHasChanged(TObject* Sender);

    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    AnsiString FHint;
    int FMargin = 4;
    int FRefCount = 0;
    TGclTableAncestor* FTable = nullptr;
    TColor FTextHiColor = clBtnHighlight;
    bool FAcceptActivationClick = false;
    TGclTblAccess FAccess = otxDefault;
    TGclTblAdjust FAdjust = otaDefault;
    bool FShowHint = false;
    bool FTableColor = true;
    bool FTableFont = true;
    TGclTextStyle FTextStyle = tsFlat;
    bool FColorPending = true;
    bool FFontPending = true;
    bool FFontLoading = false;
};

class TGclTableAncestor : public TGcl32CustomControl {
    DECLARE_CLASS(TGclTableAncestor, TGcl32CustomControl)
public:
    explicit TGclTableAncestor(TComponent* AOwner) : TGcl32CustomControl(AOwner) {}
    ~TGclTableAncestor() override;

    bool ControllerAssigned() const { return FController != nullptr; }
    TGclController* GetController() const { return FController; }
    virtual void SetController(TGclController* Value);

    virtual void tbCellChanged(TObject* Sender) = 0;
    virtual TGclTblKeyNeeds FilterKey(TWMKey& Msg) = 0;
    virtual void ResolveCellAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) = 0;

    void tbIncludeCell(TGclTableCellAncestor* Cell);
    void tbExcludeCell(TGclTableCellAncestor* Cell);
    void tbNotifyCellsOfTableChange();
    // Drops every reference the table holds to Cell (the table knows them all).
    virtual void RemoveCell(TGclTableCellAncestor* Cell) { tbExcludeCell(Cell); }
    void tbFinishLoadingCellList();
    const std::vector<TGclTableCellAncestor*>& AttachedCells() const { return FCells; }

    void DefineProperties(TFiler* Filer) override;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void tbReadCellData(TReader* Reader);
    void tbWriteCellData(TWriter* Writer);

    TGclController* FController = nullptr;
    std::vector<TGclTableCellAncestor*> FCells;
    std::unique_ptr<TStringList> FCellNames;
};

// The name under which a form resource refers to Cell: "Owner.Name", or the name alone.
AnsiString CellReferenceName(TComponent* Cell);
// Finds the component that a "Owner.Name" reference of a form resource names, from the
// form or frame around Control, then the data modules; null when nothing matches.
TComponent* ResolveCellReference(TControl* Control, const AnsiString& Reference);

// One override entry.
#pragma pack(push, 1)
struct TGclSparseAttr {
    TGclTblAccess Access = otxDefault;
    TGclTblAdjust Adjust = otaDefault;
    TColor Color = clGclUnset;
    TFont* Font = nullptr;
    TGclBaseTableCell* Cell = nullptr;
};
#pragma pack(pop)

// The overrides of single cells of one table.
class TGclTableCells : public TObject {
    DECLARE_CLASS(TGclTableCells, TObject)
public:
    explicit TGclTableCells(TGclTableAncestor* Table);
    ~TGclTableCells() override;

    TGclBaseTableCell* GetCell(int Row, int Col) const;
    TGclTblAccess GetAccess(int Row, int Col) const;
    TGclTblAdjust GetAdjust(int Row, int Col) const;
    TColor GetColor(int Row, int Col) const;
    TFont* GetFont(int Row, int Col) const;
    void SetCell(int Row, int Col, TGclBaseTableCell* Cell);
    void SetAccess(int Row, int Col, TGclTblAccess Value);
    void SetAdjust(int Row, int Col, TGclTblAdjust Value);
    void SetColor(int Row, int Col, TColor Value);
    void SetFont(int Row, int Col, TFont* Value);
    void ResetCell(int Row, int Col);
    void ResolveFullAttr(int Row, int Col, TGclSparseAttr& Attr) const;

    void InsertRow(int Row);
    void DeleteRow(int Row);
    void ExchangeRows(int Row1, int Row2);
    void InsertCol(int Col);
    void DeleteCol(int Col);
    void ExchangeCols(int Col1, int Col2);
    void tcNotifyCellDeletion(TGclBaseTableCell* OldCell);
    void tcDoCfgChanged();

    int EntryCount() const { return FCount; }
    TNotifyEvent OnCfgChanged;
    TGclTableAncestor* Table = nullptr;

private:
    TGclSparseAttr* Find(int Row, int Col) const;
    TGclSparseAttr* FindOrCreate(int Row, int Col);
    // Frees the entry when all its fields are back to "not overridden".
    void DropIfEmpty(int Row, int Col, TGclSparseAttr* Entry);
    void FreeEntry(TGclSparseAttr* Entry);

    TGclSparseArray FMatrix;
    int FCount = 0;
};
