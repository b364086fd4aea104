// What the table and its cell components share: enumerations, event types, the
// resolved attributes of a cell, row styles, display arrays, the table's exception and
// its private window messages.
#pragma once

#include "classlib/Canvas.h"
#include "classlib/Events.h"
#include "classlib/Exceptions.h"
#include "classlib/Graphics.h"
#include "classlib/Platform.h"
#include "classlib/Sets.h"
#include "grid/gclmisc.h"
#include "grid/gcltsell.h"

#include <vector>

enum TGclTblAccess : Byte { otxDefault, otxNormal, otxReadOnly, otxInvisible };
enum TGclTblAdjust : Byte {
    otaDefault,
    otaTopLeft,
    otaTopCenter,
    otaTopRight,
    otaCenterLeft,
    otaCenter,
    otaCenterRight,
    otaBottomLeft,
    otaBottomCenter,
    otaBottomRight
};
enum TGclTextStyle : Byte { tsFlat, tsRaised, tsLowered };
enum TGclTblEditorStyle { tesNormal, tesBorder, tes3D };
enum TGclTblActions { taGeneral, taSingle, taAll, taInsert, taDelete, taExchange };
enum TGclCellDataPurpose { cdpForPaint, cdpForEdit, cdpForSave };
enum TGclTblRegion { otrInMain, otrInLocked, otrInUnused, otrOutside };
enum TGclTblOption {
    otoBrowseRow,
    otoNoRowResizing,
    otoNoColResizing,
    otoTabToArrow,
    otoEnterToArrow,
    otoAlwaysEditing,
    otoNoSelection,
    otoMouseDragSelect,
    otoRowSelection,
    otoColSelection,
    otoThumbTrack,
    otoAllowColMoves,
    otoAllowRowMoves
};
using TGclTblOptionSet = TSet<TGclTblOption, 16>;
enum TGclTblState {
    otsFocused,
    otsUnfocused,
    otsDesigning,
    otsNormal,
    otsEditing,
    otsHiddenEdit,
    otsMouseSelect,
    otsShowSize,
    otsSizing,
    otsShowMove,
    otsMoving,
    otsDoingRow,
    otsDoingCol,
    otsANOther
};
using TGclTblStateSet = TSet<TGclTblState, 16>;
enum TGclScrollBar { otsbVertical, otsbHorizontal };
enum TGclTblKeyNeeds { otkDontCare, otkWouldLike, otkMustHave };

// The colour that means "no colour set" in overrides and during resolution.
constexpr TColor clGclUnset = 0x02FFFFFF;

// The resolved attributes of one cell. Font belongs to whoever built the record;
// resolution copies into it and never replaces it.
#pragma pack(push, 1)
struct TGclCellAttributes {
    TGclTblAccess Access = otxDefault;
    TGclTblAdjust Adjust = otaDefault;
    TColor Color = 0;
    TFont* Font = nullptr;
    TColor FontColor = 0;
    TColor FontHiColor = 0;
    TGclTextStyle TextStyle = tsFlat;
};
#pragma pack(pop)

struct TRowStyle {
    int Height;
    bool Hidden;
};
TRowStyle MakeRowStyle(int Height, bool Hidden);

// Dest takes Source's look; nothing is done (no new font handle) when it has it already.
void CopyFont(TFont* Dest, TFont* Source);

// What is on screen of rows or columns: table number and pixel offset per entry, then
// one more entry whose offset is the end of the last one.
struct TGclDisplayEntry {
    int Num;
    int Offset;
};
struct TGclTblDisplayArray {
    Word Capacity = 0;
    Word Count = 0;
    std::vector<TGclDisplayEntry> Entries; // Capacity entries
};
// Resizes A to Num entries, keeping the first min(Num, Count) of them.
void AssignDisplayArray(TGclTblDisplayArray& A, int Num);

class TGclTableCellAncestor;
class TObject;

using TCellPaintNotifyEvent =
    TEvent<void(TObject* Sender, TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                const TGclCellAttributes& CellAttr, void* Data, bool& DoneIt)>;
using TCellDataNotifyEvent =
    TEvent<void(TObject* Sender, int RowNum, int ColNum, void*& Data, TGclCellDataPurpose Purpose)>;
using TCellNotifyEvent = TEvent<void(TObject* Sender, int RowNum, int ColNum)>;
using TColChangeNotifyEvent =
    TEvent<void(TObject* Sender, int ColNum1, int ColNum2, TGclTblActions Action)>;
using TRowChangeNotifyEvent =
    TEvent<void(TObject* Sender, int RowNum1, int RowNum2, TGclTblActions Action)>;
using TCellAttrNotifyEvent =
    TEvent<void(TObject* Sender, int RowNum, int ColNum, TGclCellAttributes& CellAttr)>;
using TCellBeginEditNotifyEvent =
    TEvent<void(TObject* Sender, int RowNum, int ColNum, bool& AllowIt)>;
using TCellEndEditNotifyEvent = TEvent<void(TObject* Sender, TGclTableCellAncestor* Cell,
                                            int RowNum, int ColNum, bool& AllowIt)>;
using TCellMoveNotifyEvent =
    TEvent<void(TObject* Sender, Word Command, int& RowNum, int& ColNum)>;
using TRowNotifyEvent = TEvent<void(TObject* Sender, int RowNum)>;
using TColNotifyEvent = TEvent<void(TObject* Sender, int ColNum)>;
using TCellChangeNotifyEvent = TEvent<void(TObject* Sender, int& RowNum, int& ColNum)>;
using TColResizeEvent = TEvent<void(TObject* Sender, int ColNum, int NewWidth)>;
using TRowResizeEvent = TEvent<void(TObject* Sender, int RowNum, int NewHeight)>;
using TSizeCellEditorNotifyEvent = TEvent<void(TObject* Sender, int RowNum, int ColNum,
                                               TRect& CellRect, TGclTblEditorStyle& CellStyle)>;
using TUserCommandEvent = TEvent<void(TObject* Sender, Word Command)>;

DECLARE_EXCEPTION(EGclTable, Exception);

[[noreturn]] void TableError(const AnsiString& Msg);
[[noreturn]] void TableErrorRes(Word Num);


// The table's private window messages.
constexpr UINT ctimQueryOptions = 18757;
constexpr UINT ctimQueryColor = 18758;
constexpr UINT ctimQueryFont = 18759;
constexpr UINT ctimQueryLockedCols = 18760;
constexpr UINT ctimQueryLockedRows = 18761;
constexpr UINT ctimQueryActiveCol = 18762;
constexpr UINT ctimQueryActiveRow = 18763;
constexpr UINT ctimRemoveCell = 18767;
constexpr UINT ctimStartEdit = 18768;
constexpr UINT ctimStartEditMouse = 18769;
constexpr UINT ctimStartEditKey = 18770;
constexpr UINT ctimEditorGotFocus = 18771;
constexpr UINT ctimEditorLostFocus = 18772;
constexpr UINT ctimLoadDefaultCells = 18777;

// Message numbers of the table's texts.
namespace gcltblmsg {
constexpr Word RowOutOfBounds = 30258;
constexpr Word MaxRows = 30259;
constexpr Word MaxColumns = 30260;
} // namespace gcltblmsg
