// The command processor: named tables that map a key, or a sequence of two keys,
// each with its shift state, to a 16-bit command, and the translation of key
// presses through them.
#pragma once

#include "classlib/Messages.h"
#include "classlib/Objects.h"
#include "classlib/Sets.h"

#include <memory>
#include <vector>

class TReader;
class TWriter;

#pragma pack(push, 1)
// One key binding. Shift-state bits: 2 Shift, 4 Ctrl, 8 Alt; an SS2 of 128 lets the
// second key come with no modifier or with Ctrl alone.
struct TGclCmdRec {
    Byte Key1;
    Byte SS1;
    Byte Key2; // 0: a single-key binding
    Byte SS2;
    Word Cmd;
    bool operator==(const TGclCmdRec&) const = default;
};
#pragma pack(pop)
static_assert(sizeof(TGclCmdRec) == 6);

// The first four bytes as one little-endian number: two bindings with equal key
// parts are the same binding, whatever their commands.
Cardinal CmdKeyPart(const TGclCmdRec& Rec);
TGclCmdRec CmdRecFromKeyPart(Cardinal KeyPart, Word Cmd);

// The editing and navigation commands; their names are library messages 33768 + code.
enum : Word {
    ccNone, ccBack, ccBotOfPage, ccBotRightCell, ccCompleteDate, ccCompleteTime, ccCopy,
    ccCtrlChar, ccCut, ccDec, ccDel, ccDelBol, ccDelEol, ccDelLine, ccDelWord, ccDown, ccEnd,
    ccExtendDown, ccExtendEnd, ccExtendHome, ccExtendLeft, ccExtendPgDn, ccExtendPgUp,
    ccExtendRight, ccExtendUp, ccExtBotOfPage, ccExtFirstPage, ccExtLastPage, ccExtTopOfPage,
    ccExtWordLeft, ccExtWordRight, ccFirstPage, ccGotoMarker0, ccGotoMarker1, ccGotoMarker2,
    ccGotoMarker3, ccGotoMarker4, ccGotoMarker5, ccGotoMarker6, ccGotoMarker7, ccGotoMarker8,
    ccGotoMarker9, ccHome, ccInc, ccIns, ccLastPage, ccLeft, ccNewLine, ccNextPage, ccPageLeft,
    ccPageRight, ccPaste, ccPrevPage, ccRedo, ccRestore, ccRight, ccScrollDown, ccScrollUp,
    ccSetMarker0, ccSetMarker1, ccSetMarker2, ccSetMarker3, ccSetMarker4, ccSetMarker5,
    ccSetMarker6, ccSetMarker7, ccSetMarker8, ccSetMarker9, ccTab, ccTableEdit, ccTopLeftCell,
    ccTopOfPage, ccUndo, ccUp, ccWordLeft, ccWordRight,
    // Translation results that are not commands.
    cmdNoMatch = 252,
    cmdSequenceBroken = 254,
    cmdSequencePending = 255,
    ccUserFirst = 256,
};

// The built-in tables "Default", "WordStar" and "Grid".
extern const TGclCmdRec DefCommandTable[64];
extern const TGclCmdRec DefWsCommandTable[40];
extern const TGclCmdRec DefGridCommandTable[38];

enum TGclProcessorState : Byte { psIdle, psAwaitSecondKey, psAwaitLiteral };

class TGclCommandTable : public TPersistent {
    DECLARE_CLASS(TGclCommandTable, TPersistent)
public:
    TGclCommandTable();

    bool IsActive = true;
    AnsiString TableName;

    int AddRec(const TGclCmdRec& Rec);
    void InsertRec(int Index, const TGclCmdRec& Rec);
    void PutCmdRec(int Index, const TGclCmdRec& Rec);
    TGclCmdRec GetCmdRec(int Index) const;
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Move(int FromIndex, int ToIndex);
    void Clear();
    int GetCount() const { return static_cast<int>(FRecords.size()); }
    // The first record with Rec's key part, -1 when none.
    int IndexOf(const TGclCmdRec& Rec) const;

    // The text form: the name, then one line per record ("%4d" x 4 and "%6d").
    // Loading checks the whole file first: a malformed line, a value out of range
    // or a key part given twice raises EReadError naming file and line, and the
    // table stays as it was.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName) const;

    void DefineProperties(TFiler* Filer) override;
    // One table item of a form resource: name, IsActive, list of (key part, command);
    // a table named like a built-in one stores only its differences from it.
    void WriteItem(TWriter* Writer) const;
    void ReadItem(TReader* Reader);

private:
    void CheckIndex(int Index) const;

    std::vector<TGclCmdRec> FRecords;
};

class TGclCommandProcessor : public TPersistent {
    DECLARE_CLASS(TGclCommandProcessor, TPersistent)
public:
    TGclCommandProcessor();
    ~TGclCommandProcessor() override;

    // Appends Table (taking it over), renamed first when its name is taken.
    void Add(TGclCommandTable* Table);
    int CreateCommandTable(const AnsiString& Name, bool Active);
    TGclCommandTable* GetCommandTable(const AnsiString& Name) const;
    int GetCommandTableIndex(const AnsiString& Name) const;
    TGclCommandTable* GetTable(int Index) const;
    void SetTable(int Index, TGclCommandTable* Table);
    int GetCount() const { return static_cast<int>(FTables.size()); }
    void Exchange(int Index1, int Index2);
    void Delete(int Index);
    void DeleteCommandTable(const AnsiString& Name);
    void Clear();

    void AddCommand(const AnsiString& TableName, Byte Key1, Byte SS1, Byte Key2, Byte SS2, Word Cmd);
    void AddCommandRec(const AnsiString& TableName, const TGclCmdRec& Rec);
    void DeleteCommand(const AnsiString& TableName, Byte Key1, Byte SS1, Byte Key2, Byte SS2);
    void ChangeTableName(const AnsiString& OldName, const AnsiString& NewName);
    int GetCommandCount(const AnsiString& TableName) const;
    void SetScanPriority(const std::vector<AnsiString>& Names);
    int LoadCommandTable(const AnsiString& FileName);
    void SaveCommandTable(const AnsiString& TableName, const AnsiString& FileName) const;

    void GetState(TGclProcessorState& State, Byte& Key, Byte& Shift) const;
    void SetState(TGclProcessorState State, Byte Key, Byte Shift);
    void ResetCommandProcessor();

    // Key-down message to command; the shift state is read from the keyboard.
    Word Translate(TMessage& Msg);
    Word TranslateKey(Word Key, TShiftState Shift);
    // Only the named tables, in the order of Names, active or not.
    Word TranslateUsing(const std::vector<AnsiString>& Names, TMessage& Msg);
    Word TranslateKeyUsing(const std::vector<AnsiString>& Names, Word Key, TShiftState Shift);

    void DefineProperties(TFiler* Filer) override;

private:
    Word TranslateWith(const std::vector<TGclCommandTable*>& Tables, Byte Key, Byte Shift);
    Word ScanTable(const TGclCommandTable& Table, Byte Key, Byte Shift);
    std::vector<TGclCommandTable*> ActiveTables() const;
    std::vector<TGclCommandTable*> NamedTables(const std::vector<AnsiString>& Names) const;
    TGclCommandTable* TableOrRaise(const AnsiString& Name) const;
    void CheckIndex(int Index) const;
    class TNameSearch;
    void AddNamed(TGclCommandTable* Table, TNameSearch& Names);

    std::vector<std::unique_ptr<TGclCommandTable>> FTables;
    TGclProcessorState FState = psIdle;
    Byte FKey = 0;
    Byte FShift = 0;
};
