#include "classlib/DelayLoad.h"

#include "classlib/Exceptions.h"

#include <lzexpand.h>

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
    // A small system DLL that nothing in this program imports.
    ASSERT_EQ(GetModuleHandleA("lz32.dll"), nullptr);
    auto* close = DelayLoaded<decltype(LZClose)>("lz32.dll", "LZClose");
    EXPECT_NE(GetModuleHandleA("lz32.dll"), nullptr);
    EXPECT_EQ(DelayLoadAddress("lz32.dll", "LZClose"),
              reinterpret_cast<FARPROC>(reinterpret_cast<void*>(close)));
    close(-1); // no such handle: nothing to do
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
