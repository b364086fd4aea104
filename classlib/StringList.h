// TStrings, the abstract list of strings with an object beside each, and TStringList,
// the list that stores them.
//
// A derived TStrings supplies GetCount, Get, Insert, Delete and Clear (and, when it can
// do better than the defaults, Put, GetObject, PutObject, Add, Move, SetUpdateState);
// everything else is built on those.
#pragma once

#include "classlib/Events.h"
#include "classlib/Objects.h"

#include "classlib/Platform.h"

#include <vector>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
    DECLARE_CLASS(TStrings, TPersistent)
public:
    virtual int GetCount() const = 0;
    virtual AnsiString Get(int Index) const = 0;
    // Default: deletes the line and inserts S in its place, keeping its object.
    virtual void Put(int Index, const AnsiString& S);
    // Default: a list that holds no objects (null; storing one is ignored).
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);

    // Returns the index of the new line.
    virtual int Add(const AnsiString& S);
    virtual int AddObject(const AnsiString& S, TObject* AObject);
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void InsertObject(int Index, const AnsiString& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // Comparisons ignore case unless the list says otherwise; -1 when absent.
    virtual int IndexOf(const AnsiString& S) const;
    int IndexOfName(const AnsiString& Name) const;
    int IndexOfObject(TObject* AObject) const;

    // Every line followed by CR LF. Setting splits at CR, LF or CR LF; a line break at
    // the very end does not start another line.
    AnsiString GetText() const;
    virtual void SetText(const AnsiString& Value);
    // The lines separated by commas; a line that is empty or holds a space, a control
    // character, a comma or a double quote is written in double quotes, its quotes
    // doubled. Setting splits at commas and at unquoted white space.
    AnsiString GetCommaText() const;
    void SetCommaText(const AnsiString& Value);

    // Lines of the form Name=Value.
    // The part before the first "=", or "" when the line has none.
    AnsiString GetName(int Index) const;
    // "" when no line has that name.
    AnsiString GetValue(const AnsiString& Name) const;
    // Replaces or adds the line; an empty Value deletes it.
    void SetValue(const AnsiString& Name, const AnsiString& Value);
    // The part after the first "=", or "" when the line has none.
    AnsiString GetValueFromIndex(int Index) const;

    // Nested; SetUpdateState(true) at the first BeginUpdate, (false) at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    void AddStrings(TStrings* Strings);
    // From another TStrings: the same lines and objects.
    void Assign(TPersistent* Source) override;
    // Same lines, compared exactly.
    bool Equals(TStrings* Strings) const;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    // Loading reads from the stream's position to its end and replaces the lines.
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream);
    // EFOpenError "Cannot open file %s"; saving replaces the file only once all is
    // written, else EFCreateError "Cannot create file %s".
    virtual void LoadFromFile(const AnsiString& FileName);
    virtual void SaveToFile(const AnsiString& FileName);

    AnsiString operator[](int Index) const { return Get(Index); }

protected:
    virtual void SetUpdateState(bool Updating);
    int GetUpdateCount() const;
    // Negative, zero or positive, as the list orders and matches strings.
    virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;
    // EStringListError "List index out of bounds (%d)".
    [[noreturn]] void IndexError(int Index) const;

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
    DECLARE_CLASS(TStringList, TStrings)
public:
    TStringList() = default;

    // Fired around every change, but not while an update is in progress; a whole
    // BeginUpdate/EndUpdate bracket counts as one change.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // A sorted list keeps its lines in order: Add inserts at the sorted place, and
    // Insert, Put, Exchange and Move raise EStringListError
    // "Operation not allowed on sorted string list".
    bool GetSorted() const;
    void SetSorted(bool Value);
    // What Add does, in a sorted list, with a line that is there already: ignore it,
    // accept it, or raise EStringListError "String list does not allow duplicates".
    TDuplicates GetDuplicates() const;
    void SetDuplicates(TDuplicates Value);
    bool GetCaseSensitive() const;
    void SetCaseSensitive(bool Value);

    // Binary search of a sorted list: true when found; Index is the position of S (the
    // first one with dupAccept) or where it would be inserted. An unsorted list raises
    // EStringListError.
    virtual bool Find(const AnsiString& S, int& Index) const;
    virtual void Sort();

    int GetCount() const override;
    AnsiString Get(int Index) const override;
    void Put(int Index, const AnsiString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const AnsiString& S) override;
    int AddObject(const AnsiString& S, TObject* AObject) override;
    void Insert(int Index, const AnsiString& S) override;
    void InsertObject(int Index, const AnsiString& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const AnsiString& S) const override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
    virtual void Changing();
    virtual void Changed();

private:
    struct TStringItem {
        AnsiString String;
        TObject* Object = nullptr;
    };
    void CheckIndex(int Index) const;
    void CheckUnsorted() const;
    void InsertItem(int Index, const AnsiString& S, TObject* AObject);

    std::vector<TStringItem> FList;
    TDuplicates FDuplicates = dupIgnore;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
