// The system's default printer, as far as programs here ask it anything: its fonts and
// metrics through an information context. Printing itself is not offered.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Types.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

DECLARE_EXCEPTION(EPrinter, Exception);

DECLARE_UNIT(Printers)

class TPrinter {
public:
    TPrinter() = default;
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The default printer's name, "" when the system has none.
    static AnsiString DefaultPrinterName();
    // An information context of the default printer, made on first use and kept; EPrinter
    // "There is no default printer currently selected" when the system has none.
    HDC GetHandle();

private:
    HDC FHandle = nullptr;
};

// The program's printer object, made on first use and freed at shut-down.
TPrinter* Printer();
