#include "grid/gcltcell.h"

#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "grid/gclconst.h"

// ---- TGclTableCellAncestor ------------------------------------------------------

void TGclTableCellAncestor::tcDoCfgChanged() {
    if (OnCfgChanged) OnCfgChanged(this);
}

void TGclTableCellAncestor::tcChangeScale(int, int) {}

// ---- TGclBaseTableCell ----------------------------------------------------------

TGclBaseTableCell::TGclBaseTableCell(TComponent* AOwner)
    : TGclTableCellAncestor(AOwner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = TNotifyEvent(this, &TGclBaseTableCell::tcFontHasChanged);
}

TGclBaseTableCell::~TGclBaseTableCell() {
    SetTable(nullptr);
    FFont->OnChange = nullptr;
}

AnsiString TGclBaseTableCell::GetAbout() const { return GclVersion; }

void TGclBaseTableCell::Paint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                              const TGclCellAttributes& CellAttr, void* Data) {
    if (!DoOwnerDraw(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Data))
        tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Data);
}

bool TGclBaseTableCell::DoOwnerDraw(TCanvas* TableCanvas, const TRect& CellRect, int RowNum,
                                    int ColNum, const TGclCellAttributes& CellAttr, void* Data) {
    bool DoneIt = false;
    if (OnOwnerDraw) OnOwnerDraw(this, TableCanvas, CellRect, RowNum, ColNum, CellAttr, Data, DoneIt);
    return DoneIt;
}

void TGclBaseTableCell::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int, int,
                                const TGclCellAttributes& CellAttr, void*) {
    TableCanvas->GetBrush()->SetColor(CellAttr.Color);
    TableCanvas->FillRect(CellRect);
}

void TGclBaseTableCell::ResolveAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) {
    CellAttr.Access = FAccess;
    CellAttr.Adjust = FAdjust;
    CellAttr.Color = GetColor();
    TFont* Font = GetFont();
    CopyFont(CellAttr.Font, Font);
    CellAttr.FontColor = Font->GetColor();
    CellAttr.FontHiColor = FTextHiColor;
    CellAttr.TextStyle = FTextStyle;
    if (FTable) FTable->ResolveCellAttributes(RowNum, ColNum, CellAttr);
    if (CellAttr.Access == otxDefault) CellAttr.Access = otxNormal;
    if (CellAttr.Adjust == otaDefault) CellAttr.Adjust = otaCenterLeft;
    if (CellAttr.Color == clGclUnset) CellAttr.Color = clBtnFace;
}

LRESULT TGclBaseTableCell::SendToTable(UINT Msg) {
    if (!FTable || !FTable->HandleAllocated()) return 0;
    return SendMessageA(FTable->GetHandle(), Msg, 0, 0);
}

void TGclBaseTableCell::RetrieveColor() {
    if (!FTable || !FTable->HandleAllocated()) {
        FColorPending = true;
        return;
    }
    FColor = static_cast<TColor>(SendToTable(ctimQueryColor));
    FColorPending = false;
}

void TGclBaseTableCell::RetrieveFont() {
    if (!FTable || !FTable->HandleAllocated()) {
        FFontPending = true;
        return;
    }
    auto* TableFont = reinterpret_cast<TFont*>(SendToTable(ctimQueryFont));
    if (TableFont) FFont->Assign(TableFont);
    FFontPending = false;
    FTableFont = true;
}

TColor TGclBaseTableCell::GetColor() {
    if (FTableColor && FColorPending) RetrieveColor();
    return FColor;
}

TFont* TGclBaseTableCell::GetFont() {
    if (FTableFont && FFontPending) {
        FFontLoading = true;
        RetrieveFont();
        FFontLoading = false;
    }
    return FFont.get();
}

void TGclBaseTableCell::tcFontHasChanged(TObject*) {
    if (FFontLoading) return;
    FTableFont = false;
    tcDoCfgChanged();
}

void TGclBaseTableCell::tcResetTableValues() {
    if (!FTable) return;
    if (FTableFont) {
        FFontLoading = true;
        RetrieveFont();
        FFontLoading = false;
    }
    if (FTableColor) RetrieveColor();
}

void TGclBaseTableCell::tcChangeScale(int M, int D) {
    if (M != D && !FTableFont) FFont->SetSize(MulDiv(FFont->GetSize(), M, D));
}

void TGclBaseTableCell::SetColor(TColor Value) {
    if (Value == FColor && !FTableColor) return;
    FColor = Value;
    FTableColor = false;
    FColorPending = false;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetFont(TFont* Value) {
    FFontLoading = true;
    FFont->Assign(Value);
    FFontLoading = false;
    FFontPending = false;
    FTableFont = false;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetTableColor(bool Value) {
    if (Value == FTableColor) return;
    FColorPending = false;
    FTableColor = Value;
    if (Value) RetrieveColor();
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetTableFont(bool Value) {
    if (Value == FTableFont) return;
    FFontPending = false;
    if (Value) {
        FFontLoading = true;
        RetrieveFont();
        FFontLoading = false;
    }
    FTableFont = Value;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetMargin(int Value) {
    if (Value < 0 || Value == FMargin) return;
    FMargin = Value;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetTextHiColor(TColor Value) {
    if (Value == FTextHiColor) return;
    FTextHiColor = Value;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetAccess(TGclTblAccess Value) {
    if (Value == FAccess) return;
    FAccess = Value;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetAdjust(TGclTblAdjust Value) {
    if (Value == FAdjust) return;
    FAdjust = Value;
    tcDoCfgChanged();
}

void TGclBaseTableCell::SetTextStyle(TGclTextStyle Value) {
    if (Value == FTextStyle) return;
    FTextStyle = Value;
    tcDoCfgChanged();
}

// The old table hears of the departure directly as well as through its window, so a
// table without a window keeps no reference to the cell either.
void TGclBaseTableCell::SetTable(TGclTableAncestor* Value) {
    if (Value == FTable) return;
    TGclTableAncestor* Old = FTable;
    if (Old) {
        if (Old->HandleAllocated())
            SendMessageA(Old->GetHandle(), ctimRemoveCell, 0, reinterpret_cast<LPARAM>(this));
        else
            Old->RemoveCell(this);
    }
    SetReference(this, FTable, Value);
    OnCfgChanged = nullptr;
    FRefCount = 0;
    tcResetTableValues();
}

void TGclBaseTableCell::IncRefs() {
    if (FRefCount == 0 && FTable) FTable->tbIncludeCell(this);
    ++FRefCount;
}

void TGclBaseTableCell::DecRefs() {
    if (FRefCount <= 0) return;
    if (--FRefCount > 0) return;
    if (FTable) FTable->tbExcludeCell(this);
    SetReference<TGclTableAncestor>(this, FTable, nullptr);
    OnCfgChanged = nullptr;
}

void TGclBaseTableCell::Notification(TComponent* AComponent, TOperation Operation) {
    TGclTableCellAncestor::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FTable) {
        FTable = nullptr;
        FRefCount = 0;
        OnCfgChanged = nullptr;
    }
}

TGclTblKeyNeeds TGclBaseTableCell::FilterTableKey(TWMKey& Msg) {
    return FTable ? FTable->FilterKey(Msg) : otkDontCare;
}

void TGclBaseTableCell::PostMessageToTable(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (FTable && FTable->HandleAllocated()) PostMessageA(FTable->GetHandle(), Msg, WParam, LParam);
}

void TGclBaseTableCell::SendKeyToTable(TWMKey& Msg) {
    PostMessageToTable(WM_KEYDOWN, Msg.CharCode(), Msg.KeyData());
}

bool TGclBaseTableCell::TableWantsEnter() { return (SendToTable(ctimQueryOptions) & 16) != 0; }
bool TGclBaseTableCell::TableWantsTab() { return (SendToTable(ctimQueryOptions) & 8) != 0; }
int TGclBaseTableCell::tcRetrieveTableActiveCol() { return static_cast<int>(SendToTable(ctimQueryActiveCol)); }
int TGclBaseTableCell::tcRetrieveTableActiveRow() { return static_cast<int>(SendToTable(ctimQueryActiveRow)); }
int TGclBaseTableCell::tcRetrieveTableLockedCols() { return static_cast<int>(SendToTable(ctimQueryLockedCols)); }
int TGclBaseTableCell::tcRetrieveTableLockedRows() { return static_cast<int>(SendToTable(ctimQueryLockedRows)); }

void TGclBaseTableCell::Published(TPropertyList& P) {
    P.Add("About", &TGclBaseTableCell::GetAbout, &TGclBaseTableCell::SetAbout).Stored(false);
}

// ---- Cell references of form resources --------------------------------------------

AnsiString CellReferenceName(TComponent* Cell) {
    TComponent* Owner = Cell->GetOwner();
    if (!Owner || Owner->GetName().empty()) return Cell->GetName();
    return Owner->GetName() + "." + Cell->GetName();
}

namespace {

void SplitReference(const AnsiString& Reference, const AnsiString& RootName, AnsiString& OwnerPart,
                    AnsiString& CellPart) {
    std::size_t Dot = Reference.find('.');
    if (Dot == AnsiString::npos) {
        OwnerPart = RootName;
        CellPart = Reference;
    } else {
        OwnerPart = Reference.substr(0, Dot);
        CellPart = Reference.substr(Dot + 1);
    }
}

// A form named "FM_1" is a second instance of "FM".
bool OwnerMatchesForm(const AnsiString& OwnerPart, const AnsiString& FormName) {
    if (FormName.empty() || OwnerPart == FormName) return true;
    std::size_t Under = FormName.rfind('_');
    return Under != AnsiString::npos && OwnerPart == FormName.substr(0, Under);
}

} // namespace

TComponent* ResolveCellReference(TControl* Control, const AnsiString& Reference) {
    TWinControl* Form = nullptr;
    for (TWinControl* p = Control->GetParent(); p; p = p->GetParent())
        if (dynamic_cast<TCustomForm*>(p)) {
            Form = p;
            break;
        }
    AnsiString OwnerPart, CellPart;
    if (Form) {
        SplitReference(Reference, Form->GetName(), OwnerPart, CellPart);
        if (OwnerMatchesForm(OwnerPart, Form->GetName()))
            if (TComponent* Found = Form->FindComponent(CellPart)) return Found;
    }
    if (!Screen) return nullptr;
    for (int i = 0; i < Screen->GetDataModuleCount(); ++i) {
        TDataModule* Module = Screen->GetDataModule(i);
        SplitReference(Reference, Module->GetName(), OwnerPart, CellPart);
        if (OwnerPart == Module->GetName())
            if (TComponent* Found = Module->FindComponent(CellPart)) return Found;
    }
    return nullptr;
}

// ---- TGclTableAncestor ------------------------------------------------------------

TGclTableAncestor::~TGclTableAncestor() {
    // Cells outlive their table in the form: let them go before the table does.
    std::vector<TGclTableCellAncestor*> Cells = FCells;
    FCells.clear();
    for (TGclTableCellAncestor* Cell : Cells) Cell->OnCfgChanged = nullptr;
}

void TGclTableAncestor::SetController(TGclController* Value) {
    SetReference(this, FController, Value);
}

void TGclTableAncestor::CreateWnd() {
    SetController(ChooseController(this, FController));
    TGcl32CustomControl::CreateWnd();
}

void TGclTableAncestor::Notification(TComponent* AComponent, TOperation Operation) {
    TGcl32CustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FController) FController = nullptr;
    if (Operation == opInsert && !FController)
        if (auto* Controller = dynamic_cast<TGclController*>(AComponent)) SetController(Controller);
}

void TGclTableAncestor::tbIncludeCell(TGclTableCellAncestor* Cell) {
    if (!Cell) return;
    for (TGclTableCellAncestor* c : FCells)
        if (c == Cell) return;
    FCells.push_back(Cell);
    Cell->OnCfgChanged = TNotifyEvent(this, &TGclTableAncestor::tbCellChanged);
    FreeNotification(Cell);
}

void TGclTableAncestor::tbExcludeCell(TGclTableCellAncestor* Cell) {
    if (std::erase(FCells, Cell)) RemoveFreeNotification(Cell);
}

void TGclTableAncestor::tbNotifyCellsOfTableChange() {
    for (TGclTableCellAncestor* Cell : FCells) Cell->tcResetTableValues();
}

void TGclTableAncestor::DefineProperties(TFiler* Filer) {
    TGcl32CustomControl::DefineProperties(Filer);
    Filer->DefineProperty(
        "CellData", [this](TReader* Reader) { tbReadCellData(Reader); },
        [this](TWriter* Writer) { tbWriteCellData(Writer); }, true);
}

void TGclTableAncestor::tbReadCellData(TReader* Reader) {
    if (!FCellNames) FCellNames = std::make_unique<TStringList>();
    FCellNames->Clear();
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) FCellNames->Add(Reader->ReadString());
    Reader->ReadListEnd();
}

// Names read but not resolved yet are written as they were read, so nothing is lost.
void TGclTableAncestor::tbWriteCellData(TWriter* Writer) {
    Writer->WriteListBegin();
    if (FCellNames)
        for (int i = 0; i < FCellNames->GetCount(); ++i) Writer->WriteString(FCellNames->Get(i));
    else
        for (TGclTableCellAncestor* Cell : FCells) Writer->WriteString(CellReferenceName(Cell));
    Writer->WriteListEnd();
}

void TGclTableAncestor::tbFinishLoadingCellList() {
    if (!FCellNames) return;
    for (int i = FCellNames->GetCount() - 1; i >= 0; --i)
        if (auto* Cell = dynamic_cast<TGclTableCellAncestor*>(
                ResolveCellReference(this, FCellNames->Get(i))))
            tbIncludeCell(Cell);
    FCellNames.reset();
}
