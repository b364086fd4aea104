// Heading cells: TGclTCColHead shows column captions (cell data, its Headings list or
// letters), TGclTCRowHead row numbers; both can mark the active column or row.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "grid/gcltcstr.h"

#include <memory>

DECLARE_UNIT(gcltchdr)

class TGclTCColHead : public TGclTCBaseString {
    DECLARE_CLASS(TGclTCColHead, TGclTCBaseString)
public:
    explicit TGclTCColHead(TComponent* AOwner);

    void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                 const TGclCellAttributes& CellAttr, void* Data) override;
    TStrings* GetHeadings() const { return FHeadings.get(); }
    void SetHeadings(TStrings* Value);
    bool GetShowActiveCol() const { return FShowActiveCol; }
    void SetShowActiveCol(bool Value);
    bool GetShowLetters() const { return FShowLetters; }
    void SetShowLetters(bool Value);
    // Keeps the headings in step with the table's columns.
    void chColumnsChanged(int ColNum1, int ColNum2, TGclTblActions Action);

    static void Published(TPropertyList& P);

private:
    std::unique_ptr<TStringList> FHeadings;
    bool FShowActiveCol = false;
    bool FShowLetters = true;
};

class TGclTCRowHead : public TGclTCBaseString {
    DECLARE_CLASS(TGclTCRowHead, TGclTCBaseString)
public:
    explicit TGclTCRowHead(TComponent* AOwner);

    void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                 const TGclCellAttributes& CellAttr, void* Data) override;
    bool GetShowActiveRow() const { return FShowActiveRow; }
    void SetShowActiveRow(bool Value);
    bool GetShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);

    static void Published(TPropertyList& P);

private:
    bool FShowActiveRow = false;
    bool FShowNumbers = true;
};

// N written in letters: 1 "A", 26 "Z", 27 "AA"; empty for N below 1.
AnsiString ColumnLetters(int N);
