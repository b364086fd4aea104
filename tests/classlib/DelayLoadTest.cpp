#include "classlib/DelayLoad.h"

#include "classlib/Exceptions.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FailureOf(const char* Dll, const char* Name) {
    try {
        DelayLoadAddress(Dll, Name);
    } catch (const EOSError& e) {
        return e.Message();
    }
    return "no exception";
}

TEST(DelayLoadTest, LoadsTheDllOnTheFirstCall) {
    // Nothing in this program imports the common dialogs.
    ASSERT_EQ(GetModuleHandleA("comdlg32.dll"), nullptr);
    auto* lastError = DelayLoaded<decltype(CommDlgExtendedError)>("comdlg32.dll",
                                                                  "CommDlgExtendedError");
    EXPECT_NE(GetModuleHandleA("comdlg32.dll"), nullptr);
    EXPECT_EQ(lastError(), 0u);
    EXPECT_EQ(DelayLoadAddress("comdlg32.dll", "CommDlgExtendedError"),
              reinterpret_cast<FARPROC>(reinterpret_cast<void*>(lastError)));
}

TEST(DelayLoadTest, AMissingDllOrFunctionIsNamed) {
    EXPECT_EQ(FailureOf("vantorel_missing.dll", "Anything").rfind(
                  "Cannot load vantorel_missing.dll: ", 0),
              0u);
    EXPECT_EQ(FailureOf("kernel32.dll", "NoSuchFunction").rfind(
                  "Cannot find NoSuchFunction in kernel32.dll: ", 0),
              0u);
}

} // namespace
