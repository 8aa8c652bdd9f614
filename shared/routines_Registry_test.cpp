// Tests of the registry routines and the registry object, in a scratch key
// under HKEY_CURRENT_USER that each test creates and removes.
#include "routines_Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

using namespace vtrl;

namespace {

// Scratch key HKCU\Software\VantrelTest-<pid>-<test>, checked and removed
// with the raw API so that the code under test does not check itself.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sub = "Software\\VantrelTest-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Abs = "\\" + Sub;
        RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str()); }

    bool RawKeyExists(const std::string& Path) {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
            return false;
        RegCloseKey(k);
        return true;
    }
    // Type and bytes of a value, or type REG_NONE with no bytes when missing.
    std::pair<DWORD, std::string> RawValue(const std::string& Path, const char* Name) {
        char data[256];
        DWORD type = REG_NONE, size = sizeof(data);
        if (RegGetValueA(HKEY_CURRENT_USER, Path.c_str(), Name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                         data, &size) != ERROR_SUCCESS)
            return {REG_NONE, {}};
        return {type, std::string(data, size)};
    }
    void RawCreate(const std::string& Path, DWORD Options = REG_OPTION_NON_VOLATILE) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path.c_str(), 0, nullptr, Options,
                                  KEY_ALL_ACCESS, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(k);
    }
    void RawSetDword(const std::string& Path, const char* Name, DWORD v) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, Path.c_str(), Name, REG_DWORD, &v, sizeof(v)),
                  ERROR_SUCCESS);
    }

    std::string Sub;  // without the leading backslash, for the raw API
    std::string Abs;  // with it, as the kit writes paths
};

}  // namespace

// TRootKeys ordinals are stored in definitions and in the uninstall record:
// the order and the names are fixed.
TEST(RootKeys, OrdinalsAndNamesAreFixed) {
    EXPECT_EQ(hkClassesRoot, 0);
    EXPECT_EQ(hkLocalMachine, 4);
    EXPECT_EQ(hkUsers, 5);
    const TEnumInfo& info = EnumInfoOf(hkUsers);
    EXPECT_EQ(info.TypeName, "TRootKeys");
    EXPECT_EQ(info.Names, (std::vector<std::string>{"hkClassesRoot", "hkCurrentConfig",
                                                    "hkCurrentUser", "hkDynData",
                                                    "hkLocalMachine", "hkUsers"}));
}

TEST(RootKeys, OrdinalSelectsThePredefinedKey) {
    EXPECT_EQ(RootKeyHandle(hkClassesRoot), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyHandle(hkCurrentConfig), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyHandle(hkCurrentUser), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyHandle(hkDynData), HKEY_DYN_DATA);
    EXPECT_EQ(RootKeyHandle(hkLocalMachine), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyHandle(hkUsers), HKEY_USERS);
    EXPECT_EQ(RootKeyHandle(6), nullptr);
    EXPECT_EQ(RootKeyHandle(-1), nullptr);
}

// SelectRootKey ignores bit 7; an ordinal outside 0-5 leaves the root as it was.
TEST(RootKeys, SelectRootKeyClearsBit7AndIgnoresUnknownOrdinals) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    SelectRootKey(reg, hkLocalMachine);
    EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);
    SelectRootKey(reg, 0x80 | hkUsers);
    EXPECT_EQ(reg.RootKey(), HKEY_USERS);
    SelectRootKey(reg, 6);
    EXPECT_EQ(reg.RootKey(), HKEY_USERS);
    SelectRootKey(reg, 0x86);
    EXPECT_EQ(reg.RootKey(), HKEY_USERS);
    SelectRootKey(reg, 0x80 | hkClassesRoot);
    EXPECT_EQ(reg.RootKey(), HKEY_CLASSES_ROOT);
}

TEST(RootKeys, LeadingBackslashIsRemovedOnce) {
    EXPECT_EQ(StripLeadingBackslash("\\Software\\X"), "Software\\X");
    EXPECT_EQ(StripLeadingBackslash("Software\\X"), "Software\\X");
    EXPECT_EQ(StripLeadingBackslash("\\"), "");
    EXPECT_EQ(StripLeadingBackslash(""), "");
}

// RegWriteString creates missing keys and stores REG_SZ with its NUL;
// RegReadString gives it back. The leading backslash means "from the root".
TEST_F(RegistryTest, WriteStringCreatesTheKeyAndReadsBack) {
    RegWriteString(hkCurrentUser, Abs + "\\Files\\Deeper", "File1", "C:\\Program Files\\a.dll");
    EXPECT_EQ(RawValue(Sub + "\\Files\\Deeper", "File1"),
              (std::pair<DWORD, std::string>{REG_SZ, std::string("C:\\Program Files\\a.dll\0", 23)}));
    EXPECT_EQ(RegReadString(hkCurrentUser, Abs + "\\Files\\Deeper", "File1", "x"),
              "C:\\Program Files\\a.dll");
    // The same key without the leading backslash is the same key.
    EXPECT_EQ(RegReadString(hkCurrentUser, Sub + "\\Files\\Deeper", "File1", "x"),
              "C:\\Program Files\\a.dll");
    // Writing again overwrites; the bit-7 root ordinal selects the same root.
    RegWriteString(0x80 | hkCurrentUser, Abs + "\\Files\\Deeper", "File1", "");
    EXPECT_EQ(RegReadString(hkCurrentUser, Abs + "\\Files\\Deeper", "File1", "x"), "");
}

TEST_F(RegistryTest, WriteIntegerStoresA32BitValue) {
    RegWriteInteger(hkCurrentUser, Abs + "\\RegistryKey1", "Root", -2);
    EXPECT_EQ(RawValue(Sub + "\\RegistryKey1", "Root"),
              (std::pair<DWORD, std::string>{REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4)}));
    RegWriteInteger(hkCurrentUser, Abs + "\\RegistryKey1", "Root", hkLocalMachine);
    EXPECT_EQ(RawValue(Sub + "\\RegistryKey1", "Root").second, std::string("\x04\0\0\0", 4));
}

// RegReadString never raises and never creates the key it reads.
TEST_F(RegistryTest, ReadStringFallsBackToTheDefault) {
    EXPECT_EQ(RegReadString(hkCurrentUser, Abs + "\\Missing", "Entries", "0"), "0");
    EXPECT_FALSE(RawKeyExists(Sub + "\\Missing"));
    RawCreate(Sub);
    EXPECT_EQ(RegReadString(hkCurrentUser, Abs, "Entries", "0"), "0");
    RawSetDword(Sub, "Entries", 7);  // not a string: the read fails, the default stays
    EXPECT_EQ(RegReadString(hkCurrentUser, Abs, "Entries", "0"), "0");
    EXPECT_EQ(RegReadString(99, Abs, "Entries", "d"), "d");
}

// A key that cannot be created: a non-volatile key cannot live below a
// volatile one, so creating Vol\Sub fails for real.
TEST_F(RegistryTest, WriteFailureRaisesEIRCannotWriteValueWithTheMessage) {
    static_assert(std::is_base_of_v<Exception, EIRCannotWriteValue>);
    RawCreate(Sub);
    RawCreate(Sub + "\\Vol", REG_OPTION_VOLATILE);
    const std::string key = Abs + "\\Vol\\Sub";
    try {
        RegWriteString(hkCurrentUser, key, "DisplayName", "My Product");
        FAIL() << "no exception";
    } catch (const EIRCannotWriteValue& e) {
        EXPECT_EQ(e.Message, "Cannot install into registry. Key: " + key +
                                 " Ident: DisplayName Value My Product");
    }
    try {
        RegWriteInteger(hkCurrentUser, key, "Root", 4);
        FAIL() << "no exception";
    } catch (const EIRCannotWriteValue& e) {
        EXPECT_EQ(e.Message, key);
    }
    EXPECT_FALSE(RawKeyExists(Sub + "\\Vol\\Sub"));
}

// The value itself failing (the key opens fine) is reported the same way.
TEST_F(RegistryTest, ValueWriteFailureRaisesEIRCannotWriteValue) {
    RawCreate(Sub);
    // Value names longer than 16383 characters are refused by the registry.
    const std::string longName(20000, 'v');
    EXPECT_THROW(RegWriteString(hkCurrentUser, Abs, longName, "x"), EIRCannotWriteValue);
    EXPECT_THROW(RegWriteInteger(hkCurrentUser, Abs, longName, 1), EIRCannotWriteValue);
}

TEST_F(RegistryTest, MessagePassesThroughTheTranslator) {
    RawCreate(Sub);
    RawCreate(Sub + "\\Vol", REG_OPTION_VOLATILE);
    SetMessageTranslator([](std::string_view t) -> std::string {
        return t == "Cannot install into registry. Key: %s Ident: %s Value %s"
                   ? "Registry: %s/%s/%s"
                   : std::string(t);
    });
    try {
        RegWriteString(hkCurrentUser, Abs + "\\Vol\\Sub", "I", "V");
        ADD_FAILURE() << "no exception";
    } catch (const EIRCannotWriteValue& e) {
        EXPECT_EQ(e.Message, "Registry: " + Abs + "\\Vol\\Sub/I/V");
    }
    SetMessageTranslator(nullptr);
}

// ------------------------------------------------------ the registry object

// Opening without creating fails for a missing key and keeps the old key open.
TEST_F(RegistryTest, OpenKeyCreatesOnlyWhenAsked) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(Abs, false));
    EXPECT_FALSE(RawKeyExists(Sub));
    ASSERT_TRUE(reg.OpenKey(Abs, true));
    EXPECT_EQ(reg.CurrentPath(), Sub);
    EXPECT_FALSE(reg.OpenKeyReadOnly("NoSuchChild"));
    EXPECT_EQ(reg.CurrentPath(), Sub);
    // Relative paths continue from the open key.
    ASSERT_TRUE(reg.OpenKey("Child", true));
    EXPECT_EQ(reg.CurrentPath(), Sub + "\\Child");
    EXPECT_TRUE(RawKeyExists(Sub + "\\Child"));
    // Absolute paths start at the root again.
    ASSERT_TRUE(reg.OpenKeyReadOnly(Abs));
    EXPECT_EQ(reg.CurrentPath(), Sub);
    EXPECT_TRUE(reg.KeyExists("Child"));
    EXPECT_TRUE(reg.KeyExists(Abs + "\\Child"));
    EXPECT_FALSE(reg.KeyExists("Other"));
    reg.CloseKey();
    EXPECT_FALSE(reg.HasCurrentKey());
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites) {
    RawCreate(Sub);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Abs));
    EXPECT_THROW(reg.WriteString("A", "B"), ERegistryException);
    EXPECT_THROW(reg.WriteInteger("A", 1), ERegistryException);
    EXPECT_EQ(RawValue(Sub, "A").first, static_cast<DWORD>(REG_NONE));
}

// Strings: missing reads as "", another type is an error. Integers: missing
// or another type is an error.
TEST_F(RegistryTest, TypedReads) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Abs, true));
    reg.WriteString("S", "text");
    reg.WriteInteger("I", 3);
    EXPECT_EQ(reg.ReadString("S"), "text");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_THROW(reg.ReadString("I"), ERegistryException);
    EXPECT_EQ(reg.ReadInteger("I"), 3);
    EXPECT_THROW(reg.ReadInteger("S"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    int32_t i = 42;
    EXPECT_FALSE(reg.TryReadInteger("S", i));
    EXPECT_EQ(i, 42);
    std::string s = "kept";
    EXPECT_FALSE(reg.TryReadString("Missing", s));
    EXPECT_EQ(s, "kept");
    EXPECT_TRUE(reg.ValueExists("S"));
    EXPECT_FALSE(reg.ValueExists("Missing"));
}

// Data written by other programs may lack the terminating NUL, or be longer
// than a first guess of the buffer.
TEST_F(RegistryTest, StringsWithoutNulAndLongStrings) {
    RawCreate(Sub);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, Sub.c_str(), "NoNul", REG_SZ, "abc", 3),
              ERROR_SUCCESS);
    const std::string big(5000, 'x');
    RegWriteString(hkCurrentUser, Abs, "Big", big);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Abs));
    EXPECT_EQ(reg.ReadString("NoNul"), "abc");
    EXPECT_EQ(reg.ReadString("Big"), big);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, Sub.c_str(), "Exp", REG_EXPAND_SZ, "%WINDIR%",
                              9),
              ERROR_SUCCESS);
    EXPECT_EQ(reg.ReadString("Exp"), "%WINDIR%");  // not expanded
}

// The uninstall reader lists values and sub-keys whatever their names.
TEST_F(RegistryTest, ListsValueAndKeyNames) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Abs, true));
    reg.WriteString("Entries", "2");
    reg.WriteString("File1", "a");
    reg.WriteString("File2", "b");
    const std::string longName(300, 'n');  // beyond the first buffer size
    reg.WriteString(longName, "c");
    ASSERT_TRUE(reg.OpenKey("RegistryKey1", true));
    ASSERT_TRUE(reg.OpenKey(Abs + "\\RegistryKey7", true));
    ASSERT_TRUE(reg.OpenKeyReadOnly(Abs));
    auto values = reg.GetValueNames();
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"Entries", "File1", "File2", longName}));
    auto keys = reg.GetKeyNames();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"RegistryKey1", "RegistryKey7"}));
    EXPECT_FALSE(reg.DeleteValue("File1"));  // opened for reading only
    ASSERT_TRUE(reg.OpenKey(Abs, false));
    EXPECT_TRUE(reg.DeleteValue("File1"));
    EXPECT_FALSE(reg.DeleteValue("File1"));
    EXPECT_EQ(reg.GetValueNames().size(), 3u);
}

// Deleting a key removes everything below it, depth first; the NT family's
// RegDeleteKey alone would refuse a key with sub-keys.
TEST_F(RegistryTest, DeleteKeyRemovesTheWholeTree) {
    RegWriteString(hkCurrentUser, Abs + "\\Record\\RegistryKeys\\RegistryKey1\\Entries", "A", "1");
    RegWriteString(hkCurrentUser, Abs + "\\Record\\RegistryKeys\\RegistryKey2", "Key", "\\X");
    RegWriteString(hkCurrentUser, Abs + "\\Record\\Files", "File1", "f");
    RegWriteString(hkCurrentUser, Abs + "\\Keep", "V", "v");
    TRegistry reg;
    // The open key lies inside the deleted tree: it is closed first.
    ASSERT_TRUE(reg.OpenKey(Abs + "\\Record\\Files", false));
    EXPECT_TRUE(reg.DeleteKey(Abs + "\\Record"));
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_FALSE(RawKeyExists(Sub + "\\Record"));
    EXPECT_TRUE(RawKeyExists(Sub + "\\Keep"));
    EXPECT_FALSE(reg.DeleteKey(Abs + "\\Record"));  // gone already
    // Relative to an open key that stays open.
    ASSERT_TRUE(reg.OpenKey(Abs, false));
    EXPECT_TRUE(reg.DeleteKey("Keep"));
    EXPECT_TRUE(reg.HasCurrentKey());
    EXPECT_FALSE(RawKeyExists(Sub + "\\Keep"));
    EXPECT_TRUE(RawKeyExists(Sub));
    EXPECT_FALSE(reg.DeleteKey(""));  // never the open key or the root by an empty name
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_TRUE(RawKeyExists(Sub));
}

// Each registry object owns at most one key handle and releases it.
TEST(RegKeyHandle, MovesAndClosesOnce) {
    HKEY raw;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &raw), ERROR_SUCCESS);
    TRegKeyHandle a(raw);
    TRegKeyHandle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Get(), raw);
    TRegKeyHandle c;
    c = std::move(b);
    EXPECT_EQ(c.Get(), raw);
    c.Close();
    EXPECT_FALSE(c);
    // The handle is really closed: using it fails.
    EXPECT_NE(RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}
