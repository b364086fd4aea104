#include "classlib/StringList.h"

#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <algorithm>

namespace {

// Runs Body between BeginUpdate and EndUpdate, also when Body throws.
template <typename F> void WithinUpdate(TStrings& Strings, F Body) {
    Strings.BeginUpdate();
    try {
        Body();
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

bool NeedsQuotes(const AnsiString& S) {
    return S.empty() || std::any_of(S.begin(), S.end(),
                                    [](char c) { return IsBlank(c) || c == ',' || c == '"'; });
}

AnsiString Quoted(const AnsiString& S) {
    AnsiString result = "\"";
    for (char c : S) {
        if (c == '"') result += '"';
        result += c;
    }
    return result + '"';
}

// The text from the quote at Pos up to the closing quote, with doubled quotes made
// single; an unclosed quote runs to the end. Pos ends after the closing quote.
AnsiString ReadQuoted(const AnsiString& S, std::size_t& Pos) {
    AnsiString result;
    ++Pos;
    while (Pos < S.size()) {
        if (S[Pos] == '"') {
            if (Pos + 1 < S.size() && S[Pos + 1] == '"') {
                result += '"';
                Pos += 2;
                continue;
            }
            ++Pos;
            break;
        }
        result += S[Pos++];
    }
    return result;
}

void SkipBlanks(const AnsiString& S, std::size_t& Pos) {
    while (Pos < S.size() && IsBlank(S[Pos]))
        ++Pos;
}

} // namespace

// ---- TStrings

void TStrings::Put(int Index, const AnsiString& S) {
    TObject* object = GetObject(Index);
    WithinUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, object);
    });
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const AnsiString& S) {
    int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const AnsiString& S, TObject* AObject) {
    int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::IndexOf(const AnsiString& S) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const {
    for (int i = 0; i < GetCount(); ++i) {
        AnsiString line = Get(i);
        std::size_t equals = line.find('=');
        if (equals != AnsiString::npos && CompareStrings(line.substr(0, equals), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

AnsiString TStrings::GetText() const {
    AnsiString result;
    for (int i = 0; i < GetCount(); ++i)
        result += Get(i) + "\r\n";
    return result;
}

void TStrings::SetText(const AnsiString& Value) {
    WithinUpdate(*this, [&] {
        Clear();
        std::size_t start = 0;
        while (start < Value.size()) {
            std::size_t end = Value.find_first_of("\r\n", start);
            if (end == AnsiString::npos) end = Value.size();
            Add(Value.substr(start, end - start));
            start = end;
            if (start < Value.size() && Value[start] == '\r') ++start;
            if (start < Value.size() && Value[start] == '\n') ++start;
        }
    });
}

AnsiString TStrings::GetCommaText() const {
    AnsiString result;
    for (int i = 0; i < GetCount(); ++i) {
        if (i > 0) result += ',';
        AnsiString s = Get(i);
        result += NeedsQuotes(s) ? Quoted(s) : s;
    }
    return result;
}

void TStrings::SetCommaText(const AnsiString& Value) {
    WithinUpdate(*this, [&] {
        Clear();
        std::size_t pos = 0;
        SkipBlanks(Value, pos);
        while (pos < Value.size()) {
            if (Value[pos] == '"') {
                Add(ReadQuoted(Value, pos));
            } else {
                std::size_t start = pos;
                while (pos < Value.size() && !IsBlank(Value[pos]) && Value[pos] != ',')
                    ++pos;
                Add(Value.substr(start, pos - start));
            }
            SkipBlanks(Value, pos);
            if (pos < Value.size() && Value[pos] == ',') {
                ++pos;
                SkipBlanks(Value, pos);
                // A comma at the very end still ends an (empty) item.
                if (pos == Value.size()) Add(AnsiString());
            }
        }
    });
}

AnsiString TStrings::GetName(int Index) const {
    AnsiString line = Get(Index);
    std::size_t equals = line.find('=');
    return equals == AnsiString::npos ? AnsiString() : line.substr(0, equals);
}

AnsiString TStrings::GetValue(const AnsiString& Name) const {
    int index = IndexOfName(Name);
    return index < 0 ? AnsiString() : GetValueFromIndex(index);
}

void TStrings::SetValue(const AnsiString& Name, const AnsiString& Value) {
    int index = IndexOfName(Name);
    if (Value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(index, Name + "=" + Value);
    }
}

AnsiString TStrings::GetValueFromIndex(int Index) const {
    AnsiString line = Get(Index);
    std::size_t equals = line.find('=');
    return equals == AnsiString::npos ? AnsiString() : line.substr(equals + 1);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) throw EInvalidOperation("EndUpdate without BeginUpdate");
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::AddStrings(TStrings* Strings) {
    WithinUpdate(*this, [&] {
        int count = Strings->GetCount();
        for (int i = 0; i < count; ++i)
            AddObject(Strings->Get(i), Strings->GetObject(i));
    });
}

void TStrings::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    WithinUpdate(*this, [&] {
        Clear();
        AddStrings(source);
    });
}

bool TStrings::Equals(TStrings* Strings) const {
    if (GetCount() != Strings->GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

void TStrings::Exchange(int Index1, int Index2) {
    AnsiString s1 = Get(Index1), s2 = Get(Index2);
    TObject* o1 = GetObject(Index1);
    TObject* o2 = GetObject(Index2);
    WithinUpdate(*this, [&] {
        Put(Index1, s2);
        PutObject(Index1, o2);
        Put(Index2, s1);
        PutObject(Index2, o1);
    });
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    AnsiString s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    WithinUpdate(*this, [&] {
        Delete(CurIndex);
        InsertObject(NewIndex, s, object);
    });
}

void TStrings::LoadFromStream(TStream* Stream) {
    const std::size_t chunk = 65536;
    AnsiString text;
    for (;;) {
        std::size_t filled = text.size();
        text.resize(filled + chunk);
        Int64 got = Stream->Read(text.data() + filled, static_cast<Int64>(chunk));
        text.resize(filled + static_cast<std::size_t>(got > 0 ? got : 0));
        if (got <= 0) break;
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) {
    AnsiString text = GetText();
    Stream->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TStrings::SaveToFile(const AnsiString& FileName) {
    TMemoryStream stream;
    SaveToStream(&stream);
    WriteFileReplacing(FileName, stream.GetMemory(), static_cast<std::size_t>(stream.GetSize()));
}

void TStrings::SetUpdateState(bool) {}

int TStrings::GetUpdateCount() const {
    return FUpdateCount;
}

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
    return AnsiCompareText(S1, S2);
}

void TStrings::IndexError(int Index) const {
    throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

// ---- TStringList

bool TStringList::GetSorted() const {
    return FSorted;
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

TDuplicates TStringList::GetDuplicates() const {
    return FDuplicates;
}

void TStringList::SetDuplicates(TDuplicates Value) {
    FDuplicates = Value;
}

bool TStringList::GetCaseSensitive() const {
    return FCaseSensitive;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}

bool TStringList::Find(const AnsiString& S, int& Index) const {
    if (!FSorted) throw EStringListError("Find needs a sorted string list");
    bool found = false;
    int low = 0, high = GetCount() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int order = CompareStrings(FList[static_cast<std::size_t>(middle)].String, S);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                // Without duplicates any match will do; with them, go on to the first.
                if (FDuplicates != dupAccept) low = middle;
            }
        }
    }
    Index = low;
    return found;
}

void TStringList::Sort() {
    if (FList.size() < 2) return;
    Changing();
    std::stable_sort(FList.begin(), FList.end(),
                     [this](const TStringItem& a, const TStringItem& b) {
                         return CompareStrings(a.String, b.String) < 0;
                     });
    Changed();
}

int TStringList::GetCount() const {
    return static_cast<int>(FList.size());
}

AnsiString TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)].String;
}

void TStringList::Put(int Index, const AnsiString& S) {
    CheckUnsorted();
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)].String = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)].Object = AObject;
    Changed();
}

int TStringList::Add(const AnsiString& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const AnsiString& S, TObject* AObject) {
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const AnsiString& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
    CheckUnsorted();
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

int TStringList::IndexOf(const AnsiString& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckUnsorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    CheckUnsorted();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    Changing();
    TStringItem item = std::move(FList[static_cast<std::size_t>(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(item));
    Changed();
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changing() {
    if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TStringList::CheckUnsorted() const {
    if (FSorted) throw EStringListError("Operation not allowed on sorted string list");
}

void TStringList::InsertItem(int Index, const AnsiString& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}
