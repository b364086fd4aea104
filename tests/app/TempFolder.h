// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include "classlib/Streams.h"
#include "classlib/Types.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

class TTempFolder {
public:
    TTempFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        FPath =
            std::filesystem::path(temp) / ("vantorel-app-" + std::to_string(GetCurrentProcessId()) +
                                           "-" + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    AnsiString PathOf(const AnsiString& Name) const { return (FPath / Name).string(); }
    void Put(const AnsiString& Name, const AnsiString& Text) const {
        WriteFileReplacing(PathOf(Name), Text.data(), Text.size());
    }
    AnsiString Get(const AnsiString& Name) const { return ReadWholeFile(PathOf(Name)); }

    static AnsiString ReadWholeFile(const AnsiString& FileName) {
        TStringStream text;
        TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
        text.CopyFrom(&file, 0);
        return text.GetDataString();
    }

private:
    std::filesystem::path FPath;
};
