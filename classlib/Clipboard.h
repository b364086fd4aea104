// The system clipboard.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Objects.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

DECLARE_EXCEPTION(EClipboardException, Exception);

DECLARE_UNIT(Clipboard)

// The clipboard of the program's desktop. Every operation opens the clipboard for itself
// when it is not open; Open and Close (counted, so they nest) keep it open over several
// operations, which then act as one change.
//
// Pictures: assigning a TBitmap or a TPicture puts the image on the clipboard as a
// device-independent bitmap; assigning the clipboard to a TBitmap or a TPicture takes the
// device-independent bitmap from it (the system makes one from any other bitmap format).
class TClipboard : public TPersistent {
    DECLARE_CLASS(TClipboard, TPersistent)
public:
    TClipboard() = default;
    ~TClipboard() override;

    // EClipboardException "Cannot open clipboard" when another program holds it.
    void Open();
    void Close();
    // Removes everything from the clipboard.
    void Clear();

    bool HasFormat(UINT Format) const;
    // The text (CF_TEXT); "" when the clipboard holds none.
    AnsiString GetAsText();
    // Replaces the clipboard's content by Value.
    void SetAsText(const AnsiString& Value);
    // The clipboard's own handle of that format (null when absent); it stays the
    // clipboard's and is valid only while the clipboard is not changed.
    HANDLE GetAsHandle(UINT Format);
    // Replaces the clipboard's content by Value, which then belongs to the clipboard (on
    // failure it is freed here). EClipboardException on failure.
    void SetAsHandle(UINT Format, HANDLE Value);

    // From a TBitmap or TPicture; any other source is asked to AssignTo the clipboard.
    void Assign(TPersistent* Source) override;

protected:
    // To a TBitmap or TPicture. EClipboardException "Clipboard does not contain a
    // picture" when it holds none.
    void AssignTo(TPersistent* Dest) override;

private:
    // Replaces the content by one handle, opening the clipboard as needed.
    void SetBuffer(UINT Format, HANDLE Value);

    HWND FWindow = nullptr;
    int FOpenRefCount = 0;
    bool FEmptied = false;
};

// The program's clipboard object, made on first use and freed at shut-down.
TClipboard* Clipboard();
