// A fresh folder for one test, removed with everything in it (read-only files too)
// afterwards. A test holds one, or its fixture derives from it.
#pragma once

#include "classlib/Streams.h"
#include "classlib/Types.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <cctype>
#include <filesystem>
#include <string>

class TTempFolder {
public:
    TTempFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        FPath = std::filesystem::path(temp) / ("vantorel-" + std::to_string(GetCurrentProcessId()) +
                                               "-" + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() {
        std::error_code ignored;
        // A folder that is the current one cannot be removed: step out of it first.
        auto lower = [](std::string Text) {
            for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return Text;
        };
        const std::string current = lower(std::filesystem::current_path(ignored).string());
        if (current.rfind(lower(FPath.string()), 0) == 0) std::filesystem::current_path(FPath.parent_path(), ignored);
        for (auto& entry : std::filesystem::recursive_directory_iterator(FPath, ignored))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& GetPath() const { return FPath; }
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
