#include "classlib/Printers.h"

#include <memory>

namespace {

std::unique_ptr<TPrinter>& PrinterInstance() {
    static std::unique_ptr<TPrinter> instance;
    return instance;
}

void FreePrinter() {
    PrinterInstance().reset();
}

} // namespace

TPrinter::~TPrinter() {
    if (FHandle) DeleteDC(FHandle);
}

AnsiString TPrinter::DefaultPrinterName() {
    // "name,driver,port" in the [windows] section names the default printer.
    char device[512] = {};
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    AnsiString name(device);
    const auto comma = name.find(',');
    if (comma != AnsiString::npos) name.resize(comma);
    return name;
}

HDC TPrinter::GetHandle() {
    if (FHandle) return FHandle;
    const AnsiString name = DefaultPrinterName();
    if (!name.empty()) FHandle = CreateICA("WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!FHandle) throw EPrinter("There is no default printer currently selected");
    return FHandle;
}

TPrinter* Printer() {
    std::unique_ptr<TPrinter>& instance = PrinterInstance();
    if (!instance) instance = std::make_unique<TPrinter>();
    return instance.get();
}

DEFINE_UNIT(Printers, uoClassLib, nullptr, FreePrinter);
