#include "classlib/Registry.h"

#include <gtest/gtest.h>

namespace {

const char kKey[] = "Software\\VantorelRegistryTest";

// A key of the test's own under HKEY_CURRENT_USER, removed afterwards.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        const char text[] = "dd.MM.yyyy";
        RegSetValueExA(key, "sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       sizeof(text));
        DWORD number = 42;
        RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof(number));
        HKEY sub = nullptr;
        RegCreateKeyExA(key, "Inner", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
        RegCloseKey(sub);
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, (AnsiString(kKey) + "\\Inner").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }

    TRegistry Registry;
};

TEST_F(RegistryTest, ReadsStringsAndNumbersOfAnOpenKey) {
    EXPECT_EQ(Registry.GetRootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(Registry.OpenKeyReadOnly(kKey));
    EXPECT_TRUE(Registry.ValueExists("sShortDate"));
    EXPECT_FALSE(Registry.ValueExists("sLongDate"));
    EXPECT_EQ(Registry.ReadString("sShortDate"), "dd.MM.yyyy");
    EXPECT_EQ(Registry.ReadString("sLongDate"), "");
    EXPECT_EQ(Registry.ReadInteger("Count"), 42);
}

TEST_F(RegistryTest, WrongTypesAndMissingNumbersRaise) {
    ASSERT_TRUE(Registry.OpenKeyReadOnly(kKey));
    EXPECT_THROW(Registry.ReadString("Count"), ERegistryException);
    EXPECT_THROW(Registry.ReadInteger("sShortDate"), ERegistryException);
    EXPECT_THROW(Registry.ReadInteger("Missing"), ERegistryException);
}

TEST_F(RegistryTest, MissingKeysAreNotCreated) {
    EXPECT_FALSE(Registry.OpenKeyReadOnly(AnsiString(kKey) + "\\Absent"));
    EXPECT_EQ(Registry.GetCurrentKey(), nullptr);
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (AnsiString(kKey) + "\\Absent").c_str(), 0, KEY_READ,
                            &probe),
              ERROR_SUCCESS);
    EXPECT_FALSE(Registry.ValueExists("sShortDate"));
}

TEST_F(RegistryTest, RelativePathsStartAtTheOpenKey) {
    ASSERT_TRUE(Registry.OpenKeyReadOnly(kKey));
    ASSERT_TRUE(Registry.OpenKeyReadOnly("Inner"));
    EXPECT_EQ(Registry.GetCurrentPath(), AnsiString(kKey) + "\\Inner");
    ASSERT_TRUE(Registry.OpenKeyReadOnly(AnsiString("\\") + kKey));
    EXPECT_EQ(Registry.GetCurrentPath(), kKey);
    Registry.CloseKey();
    EXPECT_EQ(Registry.GetCurrentKey(), nullptr);
}

} // namespace
