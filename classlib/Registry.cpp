#include "classlib/Registry.h"

#include <algorithm>
#include <vector>

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == FRootKey) return;
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& Key) {
    bool absolute = !Key.empty() && Key[0] == '\\';
    AnsiString path = absolute ? Key.substr(1) : Key;
    AnsiString fullPath = path;
    HKEY base = FRootKey;
    if (!absolute && FCurrentKey) {
        base = FCurrentKey;
        fullPath = path.empty() ? FCurrentPath : FCurrentPath + "\\" + path;
    }
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &opened);
    CloseKey();
    if (status != ERROR_SUCCESS) return false;
    FCurrentKey = opened;
    FCurrentPath = fullPath;
    return true;
}

void TRegistry::CloseKey() {
    if (FCurrentKey) RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
}

bool TRegistry::QueryValue(const AnsiString& Name, DWORD& Type, DWORD& Size) const {
    if (!FCurrentKey) return false;
    Size = 0;
    return RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, nullptr, &Size) ==
           ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const AnsiString& Name) const {
    DWORD type = 0;
    DWORD size = 0;
    return QueryValue(Name, type, size);
}

AnsiString TRegistry::ReadString(const AnsiString& Name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryValue(Name, type, size)) return AnsiString();
    if (type != REG_SZ && type != REG_EXPAND_SZ) DataTypeError(Name);
    // The value may change between the two calls: ask again while it grows.
    std::vector<char> data;
    LONG status;
    do {
        data.resize(size + 1);
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS) return AnsiString();
    if (type != REG_SZ && type != REG_EXPAND_SZ) DataTypeError(Name);
    AnsiString result(data.data(), std::min<std::size_t>(size, data.size()));
    // Stored strings normally end with their terminator; keep what comes before it.
    auto end = result.find('\0');
    if (end != AnsiString::npos) result.resize(end);
    return result;
}

int TRegistry::ReadInteger(const AnsiString& Name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!FCurrentKey ||
        RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        DataTypeError(Name);
    return static_cast<int>(value);
}

void TRegistry::DataTypeError(const AnsiString& Name) const {
    throw ERegistryException("Invalid data type for '" + Name + "'");
}
