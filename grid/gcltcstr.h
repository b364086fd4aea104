// Text cells: TGclTCBaseString paints a cell's data as text; TGclTCCustomString and
// TGclTCString add a one-line in-place editor, TGclTCCustomMemo and TGclTCMemo a
// multi-line one.
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gcltcell.h"

DECLARE_UNIT(gcltcstr)

class TCustomEdit;

class TGclTCBaseString : public TGclBaseTableCell {
    DECLARE_CLASS(TGclTCBaseString, TGclBaseTableCell)
public:
    explicit TGclTCBaseString(TComponent* AOwner) : TGclBaseTableCell(AOwner) {}

    void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                 const TGclCellAttributes& CellAttr, void* Data) override;
    void tcPaintStrZ(TCanvas* TableCanvas, const TRect& CellRect, const TGclCellAttributes& CellAttr,
                     const char* Text);

    bool GetUseASCIIZStrings() const { return FUseASCIIZStrings; }
    void SetUseASCIIZStrings(bool Value);
    bool GetUseWordWrap() const { return FUseWordWrap; }
    void SetUseWordWrap(bool Value);

    static void Published(TPropertyList& P);

private:
    bool FUseASCIIZStrings = false;
    bool FUseWordWrap = false;
};

// What the string and memo cells share: the editor's life and how the value goes back.
class TGclTCEditCell : public TGclTCBaseString {
    DECLARE_CLASS(TGclTCEditCell, TGclTCBaseString)
public:
    explicit TGclTCEditCell(TComponent* AOwner) : TGclTCBaseString(AOwner) {}
    ~TGclTCEditCell() override;

    TWinControl* GetCellEditor() override;
    HWND EditHandle() override;
    void EditHide() override;
    void EditMove(const TRect& CellRect) override;
    bool GetModified();
    // MaxLength 0 means 255.
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = static_cast<Word>(Value); }
    int EffectiveMaxLength() const { return FMaxLength == 0 ? 255 : FMaxLength; }
    void StopEditing(bool SaveValue, void* Data) override;
    void SaveEditedData(void* Data) override;

    TNotifyEvent OnChange;

protected:
    virtual TCustomEdit* CreateEditControl(TComponent* AOwner) = 0;
    // Makes the editor, fills it and places it on the table.
    TCustomEdit* OpenEditor(const TRect& CellRect, const TGclCellAttributes& CellAttr,
                            TGclTblEditorStyle CellStyle, const AnsiString& Text);
    // At most the bound's characters of the editor's text, into Data.
    void StoreText(void* Data);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TCustomEdit* FEditor = nullptr;
    Word FMaxLength = 0;
};

class TGclTCCustomString : public TGclTCEditCell {
    DECLARE_CLASS(TGclTCCustomString, TGclTCEditCell)
public:
    explicit TGclTCCustomString(TComponent* AOwner) : TGclTCEditCell(AOwner) {}

    void StartEditing(int RowNum, int ColNum, const TRect& CellRect, const TGclCellAttributes& CellAttr,
                      TGclTblEditorStyle CellStyle, void* Data) override;
    bool GetAutoAdvanceChar() const { return FAutoAdvanceChar; }
    void SetAutoAdvanceChar(bool Value) { FAutoAdvanceChar = Value; }
    bool GetAutoAdvanceLeftRight() const { return FAutoAdvanceLeftRight; }
    void SetAutoAdvanceLeftRight(bool Value) { FAutoAdvanceLeftRight = Value; }

protected:
    TCustomEdit* CreateEditControl(TComponent* AOwner) override;

private:
    bool FAutoAdvanceChar = false;
    bool FAutoAdvanceLeftRight = false;
};

class TGclTCString : public TGclTCCustomString {
    DECLARE_CLASS(TGclTCString, TGclTCCustomString)
public:
    explicit TGclTCString(TComponent* AOwner) : TGclTCCustomString(AOwner) {}
    static void Published(TPropertyList& P);
};

class TGclTCCustomMemo : public TGclTCEditCell {
    DECLARE_CLASS(TGclTCCustomMemo, TGclTCEditCell)
public:
    explicit TGclTCCustomMemo(TComponent* AOwner);

    void StartEditing(int RowNum, int ColNum, const TRect& CellRect, const TGclCellAttributes& CellAttr,
                      TGclTblEditorStyle CellStyle, void* Data) override;
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }

protected:
    TCustomEdit* CreateEditControl(TComponent* AOwner) override;

private:
    bool FWantReturns = false;
    bool FWantTabs = false;
};

class TGclTCMemo : public TGclTCCustomMemo {
    DECLARE_CLASS(TGclTCMemo, TGclTCCustomMemo)
public:
    explicit TGclTCMemo(TComponent* AOwner) : TGclTCCustomMemo(AOwner) {}
    static void Published(TPropertyList& P);
};

// The published properties every cell component shares.
void PublishCellProperties(TPropertyList& P, bool WithFont);
