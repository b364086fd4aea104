// A small concrete entry field for the tests: text or a LongInt typed through the mask
// at the caret; a value of any other type is kept as its raw bytes. The library leaves
// the concrete fields to its users.
#pragma once

#include "classlib/Persistence.h"
#include "grid/gclef.h"

#include <cstdlib>
#include <cstring>
#include <string>

// A simple text field: typing goes through the mask at the caret.
class TTestField : public TGclBaseEntryField {
    DECLARE_CLASS(TTestField, TGclBaseEntryField)
public:
    explicit TTestField(TComponent* AOwner, Byte Type = fsubString) : TGclBaseEntryField(AOwner) {
        SetDataType(Type, 0);
    }
    using TGclBaseEntryField::SetDataType;
    using TGclBaseEntryField::SetEditString;
    double LastDelta = 0;
    // The type as a form sets it, before the ranges that follow it.
    void SetFieldType(Byte Type) { SetDataType(Type, GetFieldClass()); }
    static void Published(TPropertyList& P) {
        P.Add("DataType", &TTestField::GetFieldType, &TTestField::SetFieldType, Byte(fsubString));
    }

protected:
    void Type(char Ch) {
        AnsiString s = GetEditString();
        int pos = GetCaretPos();
        char prev = pos > 0 ? s[pos - 1] : ' ';
        if (pos >= GetMaxLength() || !efCharOK(efNthMaskChar(pos), Ch, prev, true)) {
            efConditionalBeep();
            return;
        }
        s.insert(s.begin() + pos, Ch);
        SetEditString(s);
        SetCaretPos(pos + 1);
        efFieldModified();
    }
    void efEdit(TMessage& Msg, Word Cmd) override {
        switch (Cmd) {
        case ccChar: Type(static_cast<char>(Msg.WParam)); break;
        case ccPaste: {
            // The text replaces the selection.
            const int start = GetSelStart();
            AnsiString s = GetEditString();
            s.erase(start, GetSelLength());
            SetEditString(s);
            SetCaretPos(start);
            SetSelStart(start);
            for (const char* p = reinterpret_cast<const char*>(Msg.LParam); p && *p; ++p)
                Type(*p);
            break;
        }
        case ccBack:
            if (GetCaretPos() > 0) {
                AnsiString s = GetEditString();
                s.erase(GetCaretPos() - 1, 1);
                SetCaretPos(GetCaretPos() - 1);
                SetEditString(s);
                efFieldModified();
            }
            break;
        case ccLeft: SetCaretPos(GetCaretPos() - 1); break;
        case ccRight: SetCaretPos(GetCaretPos() + 1); break;
        default: break;
        }
    }
    void efIncDecValue(bool, double Delta) override {
        LastDelta = Delta;
        if (GetFieldType() == fsubLongInt)
            SetEditString(std::to_string(std::atoi(GetEditString().c_str()) + static_cast<int>(Delta)));
    }
    Word efValidateField() override { return DoOnUserValidation(TypeCheck()); }
    Word TypeCheck() {
        if (GetEditString() == "bad") return GetFieldType() == fsubTime ? oeInvalidTime : oeInvalidDate;
        if (GetFieldType() != fsubLongInt) return 0;
        AnsiString s = GetEditString();
        if (s.find_first_not_of(' ') == AnsiString::npos) return 0;
        char* end = nullptr;
        long v = std::strtol(s.c_str(), &end, 10);
        if (*end != '\0' && *end != ' ') return oeInvalidNumber;
        std::int32_t lo, hi;
        std::memcpy(&lo, GetRangeLo().data(), 4);
        std::memcpy(&hi, GetRangeHi().data(), 4);
        return v < lo || v > hi ? oeRangeError : 0;
    }
    void efTransfer(void* Data, bool ToField) override {
        if (GetFieldType() == fsubString) {
            if (ToField)
                SetEditString(static_cast<const char*>(Data));
            else
                std::strcpy(static_cast<char*>(Data), GetEditString().c_str());
        } else if (GetFieldType() != fsubLongInt) {
            if (ToField) {
                std::memcpy(Raw, Data, GetDataSize());
                SetEditString("raw");
            } else {
                std::memcpy(Data, Raw, GetDataSize());
            }
        } else {
            std::int32_t v = 0;
            if (ToField) {
                std::memcpy(&v, Data, 4);
                SetEditString(std::to_string(v));
            } else {
                v = std::atoi(GetEditString().c_str());
                std::memcpy(Data, &v, 4);
            }
        }
    }

private:
    unsigned char Raw[10] = {};
};

