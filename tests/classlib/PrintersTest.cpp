#include "classlib/Printers.h"

#include <gtest/gtest.h>

// The test machines have no printer; a machine with one gives a context that answers
// device queries.
TEST(Printer, GivesTheDefaultPrintersContextOrSaysThereIsNone) {
    TPrinter* printer = Printer();
    ASSERT_EQ(printer, Printer());
    if (TPrinter::DefaultPrinterName().empty()) {
        try {
            printer->GetHandle();
            FAIL() << "a context without a printer";
        } catch (const EPrinter& e) {
            EXPECT_STREQ(e.what(), "There is no default printer currently selected");
        }
        return;
    }
    HDC dc = printer->GetHandle();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc, printer->GetHandle());
    EXPECT_GT(GetDeviceCaps(dc, LOGPIXELSY), 0);
}
