// Reading the system registry.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Objects.h"

#include "classlib/Platform.h"

DECLARE_EXCEPTION(ERegistryException, Exception);

// A read-only view of one registry key at a time, under a root key (HKEY_CURRENT_USER
// unless set otherwise). The open key is closed by CloseKey, by opening another one, by
// changing the root and by destruction.
class TRegistry : public TObject {
    DECLARE_CLASS(TRegistry, TObject)
public:
    TRegistry() = default;
    ~TRegistry() override;

    HKEY GetRootKey() const { return FRootKey; }
    void SetRootKey(HKEY Value);
    // The open key; null when none is open.
    HKEY GetCurrentKey() const { return FCurrentKey; }
    // The open key's path below the root ("" when none is open).
    const AnsiString& GetCurrentPath() const { return FCurrentPath; }

    // Opens Key for reading, never creating it: a path relative to the open key, or to
    // the root when none is open or Key starts with "\". False when the key cannot be
    // opened (the key open before stays closed).
    bool OpenKeyReadOnly(const AnsiString& Key);
    void CloseKey();

    // Values of the open key; "" names the key's default value.
    bool ValueExists(const AnsiString& Name) const;
    // A string (REG_SZ or REG_EXPAND_SZ, not expanded) value; "" when there is no such
    // value. Another type raises ERegistryException "Invalid data type for 'Name'".
    AnsiString ReadString(const AnsiString& Name) const;
    // A REG_DWORD value. A missing value or another type raises ERegistryException
    // "Invalid data type for 'Name'".
    int ReadInteger(const AnsiString& Name) const;

private:
    // Type and size of a value; false when the value is absent or no key is open.
    bool QueryValue(const AnsiString& Name, DWORD& Type, DWORD& Size) const;
    [[noreturn]] void DataTypeError(const AnsiString& Name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
    AnsiString FCurrentPath;
};
