#include "grid/gclcmd.h"

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "grid/gcldata.h"
#include "grid/gclexcpt.h"
#include "grid/gclmisc.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

Cardinal CmdKeyPart(const TGclCmdRec& Rec) {
    return Cardinal(Rec.Key1) | Cardinal(Rec.SS1) << 8 | Cardinal(Rec.Key2) << 16 |
           Cardinal(Rec.SS2) << 24;
}

TGclCmdRec CmdRecFromKeyPart(Cardinal KeyPart, Word Cmd) {
    return {Byte(KeyPart), Byte(KeyPart >> 8), Byte(KeyPart >> 16), Byte(KeyPart >> 24), Cmd};
}

namespace {

Byte ShiftFlagsOf(TShiftState Shift) {
    return Byte((Shift.Contains(ssShift) ? 2 : 0) + (Shift.Contains(ssCtrl) ? 4 : 0) +
                (Shift.Contains(ssAlt) ? 8 : 0));
}

bool IsLoneModifier(Byte Key) {
    return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU || Key == VK_CAPITAL ||
           Key == VK_NUMLOCK || Key == VK_SCROLL;
}

struct TBuiltIn {
    Word Name;
    const TGclCmdRec* Records;
    int Count;
    bool Active;
};

const TBuiltIn BuiltInTables[] = {
    {30275, DefCommandTable, 64, true},
    {30276, DefWsCommandTable, 40, false},
    {30266, DefGridCommandTable, 38, false},
};

const TBuiltIn* BuiltInNamed(const AnsiString& Name) {
    for (const TBuiltIn& table : BuiltInTables)
        if (SameText(Name, GetGclStr(table.Name))) return &table;
    return nullptr;
}

[[noreturn]] void FileError(const AnsiString& FileName, int Line, const AnsiString& What) {
    throw EReadError(ReadErrorPrefix(FileName, Line, "", "") + What);
}

} // namespace

// ---- TGclCommandTable ------------------------------------------------------

TGclCommandTable::TGclCommandTable() : TableName(GetGclStr(30277)) {}

void TGclCommandTable::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
}

int TGclCommandTable::AddRec(const TGclCmdRec& Rec) {
    FRecords.push_back(Rec);
    return GetCount() - 1;
}

void TGclCommandTable::InsertRec(int Index, const TGclCmdRec& Rec) {
    if (Index != GetCount()) CheckIndex(Index);
    FRecords.insert(FRecords.begin() + Index, Rec);
}

void TGclCommandTable::PutCmdRec(int Index, const TGclCmdRec& Rec) {
    CheckIndex(Index);
    FRecords[Index] = Rec;
}

TGclCmdRec TGclCommandTable::GetCmdRec(int Index) const {
    CheckIndex(Index);
    return FRecords[Index];
}

void TGclCommandTable::Delete(int Index) {
    CheckIndex(Index);
    FRecords.erase(FRecords.begin() + Index);
}

void TGclCommandTable::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FRecords[Index1], FRecords[Index2]);
}

void TGclCommandTable::Move(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    CheckIndex(FromIndex);
    CheckIndex(ToIndex);
    const TGclCmdRec rec = FRecords[FromIndex];
    FRecords.erase(FRecords.begin() + FromIndex);
    FRecords.insert(FRecords.begin() + ToIndex, rec);
}

void TGclCommandTable::Clear() {
    FRecords.clear();
}

int TGclCommandTable::IndexOf(const TGclCmdRec& Rec) const {
    const Cardinal key = CmdKeyPart(Rec);
    for (int i = 0; i < GetCount(); ++i)
        if (CmdKeyPart(FRecords[i]) == key) return i;
    return -1;
}

namespace {

// The lines of a file one at a time, so that a file of any length costs one line of
// memory. A line ends at CR, LF or CR LF.
class TFileLines {
public:
    explicit TFileLines(const AnsiString& FileName)
        : FStream(FileName, fmOpenRead | fmShareDenyWrite), FBuffer(65536) {}

    bool Next(AnsiString& Line) {
        Line.clear();
        for (;;) {
            if (FAt == FFilled && !Fill()) return !Line.empty(); // the last line may lack its end
            char c = FBuffer[FAt++];
            if (FSkipLF) {
                FSkipLF = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                FSkipLF = c == '\r';
                return true;
            }
            Line += c;
        }
    }

private:
    bool Fill() {
        FAt = 0;
        Int64 Got = FStream.Read(FBuffer.data(), static_cast<Int64>(FBuffer.size()));
        FFilled = Got > 0 ? static_cast<std::size_t>(Got) : 0;
        return FFilled > 0;
    }

    TFileStream FStream;
    std::vector<char> FBuffer;
    std::size_t FAt = 0, FFilled = 0;
    bool FSkipLF = false;
};

// The whitespace-separated words of Line.
std::vector<AnsiString> WordsOf(const AnsiString& Line) {
    std::vector<AnsiString> words;
    std::size_t at = 0;
    for (;;) {
        at = Line.find_first_not_of(" \t", at);
        if (at == AnsiString::npos) return words;
        std::size_t end = std::min(Line.find_first_of(" \t", at), Line.size());
        words.push_back(Line.substr(at, end - at));
        at = end;
    }
}

// A decimal whole number from 0 to Max, or -1 when Text is none.
long WholeNumber(const AnsiString& Text, long Max) {
    if (Text.empty()) return -1;
    long value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > Max) return -1;
    }
    return value;
}

} // namespace

void TGclCommandTable::LoadFromFile(const AnsiString& FileName) {
    TFileLines lines(FileName);
    AnsiString name, line;
    if (!lines.Next(name) || Trim(name).empty()) FileError(FileName, 1, "The table name is missing");
    std::vector<TGclCmdRec> records;
    std::unordered_set<Cardinal> keys;
    for (int number = 2; lines.Next(line); ++number) {
        const std::vector<AnsiString> words = WordsOf(line);
        if (words.empty()) continue;
        if (words.size() < 5) FileError(FileName, number, "Five whole numbers expected");
        if (words.size() > 5) FileError(FileName, number, "Text after the fifth number");
        long v[5];
        for (int f = 0; f < 5; ++f) {
            v[f] = WholeNumber(words[f], f < 4 ? 255 : 65535);
            if (v[f] < 0)
                FileError(FileName, number,
                          "'" + words[f] + (f < 4 ? "' is no key or shift state from 0 to 255"
                                                  : "' is no command from 0 to 65535"));
        }
        const TGclCmdRec rec{Byte(v[0]), Byte(v[1]), Byte(v[2]), Byte(v[3]), Word(v[4])};
        if (!keys.insert(CmdKeyPart(rec)).second) FileError(FileName, number, "Duplicate key sequence");
        records.push_back(rec);
    }
    TableName = name;
    FRecords.swap(records);
}

void TGclCommandTable::SaveToFile(const AnsiString& FileName) const {
    TStringList lines;
    lines.Add(TableName);
    for (const TGclCmdRec& r : FRecords) {
        char line[40];
        std::snprintf(line, sizeof line, "%4d%4d%4d%4d%6d", r.Key1, r.SS1, r.Key2, r.SS2, r.Cmd);
        lines.Add(line);
    }
    lines.SaveToFile(FileName);
}

void TGclCommandTable::WriteItem(TWriter* Writer) const {
    Writer->WriteString(TableName);
    Writer->WriteBoolean(IsActive);
    Writer->WriteListBegin();
    auto pair = [Writer](Cardinal key, Word cmd) {
        Writer->WriteInteger(static_cast<std::int32_t>(key));
        Writer->WriteInteger(cmd);
    };
    if (const TBuiltIn* builtIn = BuiltInNamed(TableName)) {
        for (int i = 0; i < builtIn->Count; ++i)
            if (IndexOf(builtIn->Records[i]) < 0) pair(CmdKeyPart(builtIn->Records[i]), 0);
        for (const TGclCmdRec& r : FRecords)
            if (std::find(builtIn->Records, builtIn->Records + builtIn->Count, r) ==
                builtIn->Records + builtIn->Count)
                pair(CmdKeyPart(r), r.Cmd);
    } else {
        for (const TGclCmdRec& r : FRecords)
            pair(CmdKeyPart(r), r.Cmd);
    }
    Writer->WriteListEnd();
}

void TGclCommandTable::ReadItem(TReader* Reader) {
    const AnsiString name = Reader->ReadString();
    const bool active = Reader->ReadBoolean();
    const TBuiltIn* builtIn = BuiltInNamed(name);
    // A built-in table's records by key part (each key once), so that a long list of
    // changes costs linear time; removed records are dropped at the end.
    std::vector<TGclCmdRec> records;
    std::vector<bool> removed;
    std::unordered_map<Cardinal, std::size_t> byKey;
    std::unordered_set<Cardinal> listed;
    if (builtIn)
        for (int i = 0; i < builtIn->Count; ++i) {
            byKey.emplace(CmdKeyPart(builtIn->Records[i]), records.size());
            records.push_back(builtIn->Records[i]);
        }
    removed.resize(records.size());
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) {
        const int key = Reader->ReadInteger();
        const int cmd = Reader->ReadInteger();
        if (cmd < 0 || cmd > 65535) throw EReadError("Invalid property value");
        const TGclCmdRec rec = CmdRecFromKeyPart(static_cast<Cardinal>(key), Word(cmd));
        // One binding per key sequence, as in a file: the writer names each key once.
        if (!listed.insert(CmdKeyPart(rec)).second) throw EReadError("Duplicate key sequence");
        auto at = byKey.find(CmdKeyPart(rec));
        if (at == byKey.end()) {
            records.push_back(rec);
            removed.push_back(false);
        } else if (cmd != 0) {
            records[at->second].Cmd = rec.Cmd;
        } else {
            removed[at->second] = true;
        }
    }
    Reader->ReadListEnd();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (!removed[i]) records[kept++] = records[i];
    records.resize(kept);
    TableName = name;
    IsActive = active;
    FRecords.swap(records);
}

void TGclCommandTable::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        "CommandList",
        [this](TReader* Reader) {
            Reader->ReadListBegin();
            ReadItem(Reader);
            Reader->ReadListEnd();
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            WriteItem(Writer);
            Writer->WriteListEnd();
        },
        GetCount() > 0);
}

// ---- TGclCommandProcessor --------------------------------------------------

TGclCommandProcessor::TGclCommandProcessor() {
    for (const TBuiltIn& builtIn : BuiltInTables) {
        const AnsiString name = GetGclStr(builtIn.Name);
        CreateCommandTable(name, builtIn.Active);
        for (int i = 0; i < builtIn.Count; ++i)
            AddCommandRec(name, builtIn.Records[i]);
    }
    ResetCommandProcessor();
}

TGclCommandProcessor::~TGclCommandProcessor() = default;

// The names in use, upper-cased once, and for each base the number from which a free
// numbered name is still to be found: a batch of tables of one name costs time in
// proportion to the batch, not to its cube.
class TGclCommandProcessor::TNameSearch {
public:
    explicit TNameSearch(const TGclCommandProcessor& Processor) {
        for (const auto& table : Processor.FTables) FTaken.insert(AnsiUpperCase(table->TableName));
    }

    // The name a table called Name gets: its own while the base of it (the name without
    // its trailing digits) is free, else the base with the first free number.
    AnsiString FreeName(const AnsiString& Name) {
        AnsiString base = Name;
        while (base.size() >= 2 && base.back() >= '0' && base.back() <= '9') base.pop_back();
        const AnsiString upperBase = AnsiUpperCase(base);
        AnsiString chosen = Name;
        if (FTaken.count(upperBase) || FTaken.count(AnsiUpperCase(Name))) {
            int& n = FNext.try_emplace(upperBase, 1).first->second;
            while (FTaken.count(upperBase + IntToStr(n))) ++n;
            chosen = base + IntToStr(n);
        }
        FTaken.insert(AnsiUpperCase(chosen));
        return chosen;
    }

private:
    std::unordered_set<AnsiString> FTaken;
    std::unordered_map<AnsiString, int> FNext;
};

void TGclCommandProcessor::Add(TGclCommandTable* Table) {
    TNameSearch names(*this);
    AddNamed(Table, names);
}

void TGclCommandProcessor::AddNamed(TGclCommandTable* Table, TNameSearch& Names) {
    std::unique_ptr<TGclCommandTable> owned(Table);
    owned->TableName = Names.FreeName(owned->TableName);
    FTables.push_back(std::move(owned));
}

int TGclCommandProcessor::CreateCommandTable(const AnsiString& Name, bool Active) {
    auto* table = new TGclCommandTable;
    table->TableName = Name;
    table->IsActive = Active;
    Add(table);
    return GetCount() - 1;
}

int TGclCommandProcessor::GetCommandTableIndex(const AnsiString& Name) const {
    const AnsiString upper = AnsiUpperCase(Name);
    for (int i = 0; i < GetCount(); ++i)
        if (AnsiUpperCase(FTables[i]->TableName) == upper) return i;
    return -1;
}

TGclCommandTable* TGclCommandProcessor::GetCommandTable(const AnsiString& Name) const {
    const int index = GetCommandTableIndex(Name);
    return index < 0 ? nullptr : FTables[index].get();
}

TGclCommandTable* TGclCommandProcessor::TableOrRaise(const AnsiString& Name) const {
    TGclCommandTable* table = GetCommandTable(Name);
    if (!table) throw ETableNotFound();
    return table;
}

void TGclCommandProcessor::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw ETableNotFound();
}

TGclCommandTable* TGclCommandProcessor::GetTable(int Index) const {
    CheckIndex(Index);
    return FTables[Index].get();
}

void TGclCommandProcessor::SetTable(int Index, TGclCommandTable* Table) {
    std::unique_ptr<TGclCommandTable> owned(Table);
    CheckIndex(Index);
    FTables[Index] = std::move(owned);
}

void TGclCommandProcessor::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FTables[Index1], FTables[Index2]);
}

void TGclCommandProcessor::Delete(int Index) {
    CheckIndex(Index);
    FTables.erase(FTables.begin() + Index);
}

void TGclCommandProcessor::DeleteCommandTable(const AnsiString& Name) {
    const int index = GetCommandTableIndex(Name);
    if (index < 0) throw ETableNotFound();
    Delete(index);
}

void TGclCommandProcessor::Clear() {
    FTables.clear();
}

void TGclCommandProcessor::AddCommand(const AnsiString& TableName, Byte Key1, Byte SS1, Byte Key2,
                                      Byte SS2, Word Cmd) {
    AddCommandRec(TableName, TGclCmdRec{Key1, SS1, Key2, SS2, Cmd});
}

void TGclCommandProcessor::AddCommandRec(const AnsiString& TableName, const TGclCmdRec& Rec) {
    TGclCommandTable* table = TableOrRaise(TableName);
    if (table->IndexOf(Rec) >= 0) throw EDuplicateCommand();
    table->AddRec(Rec);
}

void TGclCommandProcessor::DeleteCommand(const AnsiString& TableName, Byte Key1, Byte SS1, Byte Key2,
                                         Byte SS2) {
    TGclCommandTable* table = TableOrRaise(TableName);
    const int index = table->IndexOf(TGclCmdRec{Key1, SS1, Key2, SS2, 0});
    if (index >= 0) table->Delete(index);
}

void TGclCommandProcessor::ChangeTableName(const AnsiString& OldName, const AnsiString& NewName) {
    TableOrRaise(OldName)->TableName = NewName;
}

int TGclCommandProcessor::GetCommandCount(const AnsiString& TableName) const {
    return TableOrRaise(TableName)->GetCount();
}

void TGclCommandProcessor::SetScanPriority(const std::vector<AnsiString>& Names) {
    for (int i = 0; i < static_cast<int>(Names.size()); ++i) {
        const int j = GetCommandTableIndex(Names[i]);
        if (j >= 0 && j != i && i < GetCount()) Exchange(i, j);
    }
}

int TGclCommandProcessor::LoadCommandTable(const AnsiString& FileName) {
    auto table = std::make_unique<TGclCommandTable>();
    table->LoadFromFile(FileName);
    Add(table.release());
    return GetCount() - 1;
}

void TGclCommandProcessor::SaveCommandTable(const AnsiString& TableName,
                                            const AnsiString& FileName) const {
    if (TGclCommandTable* table = GetCommandTable(TableName)) table->SaveToFile(FileName);
}

void TGclCommandProcessor::GetState(TGclProcessorState& State, Byte& Key, Byte& Shift) const {
    State = FState;
    Key = FKey;
    Shift = FShift;
}

void TGclCommandProcessor::SetState(TGclProcessorState State, Byte Key, Byte Shift) {
    FState = State;
    FKey = Key;
    FShift = Shift;
}

void TGclCommandProcessor::ResetCommandProcessor() {
    SetState(psIdle, 0, 0);
}

std::vector<TGclCommandTable*> TGclCommandProcessor::ActiveTables() const {
    std::vector<TGclCommandTable*> tables;
    for (const auto& table : FTables)
        if (table->IsActive) tables.push_back(table.get());
    return tables;
}

std::vector<TGclCommandTable*>
TGclCommandProcessor::NamedTables(const std::vector<AnsiString>& Names) const {
    std::vector<TGclCommandTable*> tables;
    for (const AnsiString& name : Names)
        if (TGclCommandTable* table = GetCommandTable(name)) tables.push_back(table);
    return tables;
}

Word TGclCommandProcessor::ScanTable(const TGclCommandTable& Table, Byte Key, Byte Shift) {
    for (int i = 0; i < Table.GetCount(); ++i) {
        const TGclCmdRec r = Table.GetCmdRec(i);
        if (FState == psAwaitSecondKey) {
            if (r.Key1 == FKey && r.SS1 == FShift && r.Key2 == Key &&
                (r.SS2 == Shift || (r.SS2 == 128 && (Shift == 0 || Shift == 4)))) {
                FState = r.Cmd == ccCtrlChar ? psAwaitLiteral : psIdle;
                return r.Cmd;
            }
        } else if (r.Key1 == Key && r.SS1 == Shift) {
            if (r.Key2 == 0) {
                if (r.Cmd == ccCtrlChar) FState = psAwaitLiteral;
                return r.Cmd;
            }
            SetState(psAwaitSecondKey, Key, Shift);
            return cmdSequencePending;
        }
    }
    return 0;
}

Word TGclCommandProcessor::TranslateWith(const std::vector<TGclCommandTable*>& Tables, Byte Key,
                                         Byte Shift) {
    if (IsLoneModifier(Key)) return FState == psAwaitSecondKey ? cmdSequencePending : cmdNoMatch;
    if (FState == psAwaitLiteral) {
        FState = psIdle;
        return cmdNoMatch;
    }
    const bool pending = FState == psAwaitSecondKey;
    for (TGclCommandTable* table : Tables)
        if (Word result = ScanTable(*table, Key, Shift)) return result;
    FState = psIdle;
    return pending ? cmdSequenceBroken : cmdNoMatch;
}

Word TGclCommandProcessor::Translate(TMessage& Msg) {
    return TranslateWith(ActiveTables(), Byte(Msg.WParam), GetShiftFlags());
}

Word TGclCommandProcessor::TranslateKey(Word Key, TShiftState Shift) {
    return TranslateWith(ActiveTables(), Byte(Key), ShiftFlagsOf(Shift));
}

Word TGclCommandProcessor::TranslateUsing(const std::vector<AnsiString>& Names, TMessage& Msg) {
    return TranslateWith(NamedTables(Names), Byte(Msg.WParam), GetShiftFlags());
}

Word TGclCommandProcessor::TranslateKeyUsing(const std::vector<AnsiString>& Names, Word Key,
                                             TShiftState Shift) {
    return TranslateWith(NamedTables(Names), Byte(Key), ShiftFlagsOf(Shift));
}

void TGclCommandProcessor::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        "TableList",
        [this](TReader* Reader) {
            // Read whole before anything changes, so bad data loses no table.
            std::vector<std::unique_ptr<TGclCommandTable>> tables;
            Reader->ReadListBegin();
            while (!Reader->EndOfList()) {
                tables.push_back(std::make_unique<TGclCommandTable>());
                tables.back()->ReadItem(Reader);
            }
            Reader->ReadListEnd();
            Clear();
            TNameSearch names(*this);
            for (auto& table : tables)
                AddNamed(table.release(), names);
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (const auto& table : FTables)
                table->WriteItem(Writer);
            Writer->WriteListEnd();
        },
        GetCount() > 0);
}
