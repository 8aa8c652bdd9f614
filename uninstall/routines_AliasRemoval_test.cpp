// Tests of the alias step against a scratch uninstall record and the
// stand-in engine library (testdata/idapi32_standin.c), which writes one
// line per call into the file named by VTRL_IDAPI_LOG. Each test places
// copies of the stand-in where the library search should (or should not)
// find it; DLLPATH of the engine's key is set for the test and put back.
#include "routines_AliasRemoval.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "FileShim.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "routines_Registry.h"

namespace vtrl {
namespace {

// The stand-in as the build names it: a Linux path, reached through Wine's
// drive Z:.
std::string StandinPath() {
    std::string p = VTRL_IDAPI_STANDIN;
    if (!p.empty() && p[0] == '/') p = "Z:" + p;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

std::string EnvOf(const char* Name) {
    char buffer[32768];
    const DWORD n = GetEnvironmentVariableA(Name, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// The system locale's OEM code page (the one the engine's names are in).
UINT LocaleOemCodePage() {
    DWORD cp = 0;
    GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTCODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&cp), sizeof cp / sizeof(WCHAR));
    return cp;
}

std::string Encode(const std::wstring& Text, UINT CodePage) {
    const int n = WideCharToMultiByte(CodePage, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CodePage, 0, Text.data(), static_cast<int>(Text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// DLLPATH of the engine's key as it was before the test, put back after it;
// keys the test had to create go again when nothing else was written there.
class TSavedDllPath {
public:
    TSavedDllPath() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        FParentExisted = reg.KeyExists("\\Software\\Borland");
        FKeyExisted = reg.KeyExists(EngineKey);
        std::string value;
        if (reg.OpenKeyReadOnly(EngineKey) && reg.TryReadString(DatabaseEngineDllPathValue, value) &&
            reg.ValueExists(DatabaseEngineDllPathValue))
            FValue = value;
    }
    ~TSavedDllPath() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        if (FValue) {
            RegWriteString(hkLocalMachine, EngineKey, DatabaseEngineDllPathValue, *FValue);
            return;
        }
        if (reg.OpenKey(EngineKey, false)) {
            (void)reg.DeleteValue(DatabaseEngineDllPathValue);
            const bool empty = reg.GetValueNames().empty() && reg.GetKeyNames().empty();
            reg.CloseKey();
            if (!FKeyExisted && empty) (void)reg.DeleteKey(EngineKey);
        }
        if (!FParentExisted && reg.OpenKeyReadOnly("\\Software\\Borland")) {
            const bool empty = reg.GetValueNames().empty() && reg.GetKeyNames().empty();
            reg.CloseKey();
            if (empty) (void)reg.DeleteKey("\\Software\\Borland");
        }
    }
    void Set(const std::string& Value) {
        RegWriteString(hkLocalMachine, EngineKey, DatabaseEngineDllPathValue, Value);
    }

private:
    bool FParentExisted = false;
    bool FKeyExisted = false;
    std::optional<std::string> FValue;
};

class AliasRemoval : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string unique = IntToStr(GetCurrentProcessId()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Ctx.BaseKey = UninstallBaseKey("Vantrel Alias Test " + unique);
        AliasesKey = Ctx.BaseKey + "\\Aliases";
        Dir = AddBackSlash(GetTempDirectory()) + "vtrl-alias-" + unique;
        WorkDir = Dir + "\\work";
        EngineDir = Dir + "\\engine";
        EmptyDir = Dir + "\\empty";
        LogFile = Dir + "\\calls.log";
        for (const std::string& d : {WorkDir, EngineDir, EmptyDir}) ASSERT_TRUE(ForceDirectories(d));
        OldDir = CurrentDirectory();
        OldPath = EnvOf("PATH");
        ASSERT_TRUE(SetCurrentDirectoryA(WorkDir.c_str()));
        SetEnvironmentVariableA("VTRL_IDAPI_LOG", LogFile.c_str());
        SetEnvironmentVariableA("VTRL_IDAPI_INIT_RESULT", nullptr);
        // Nothing found unless a test places the stand-in.
        DllPath.Set(EmptyDir);
    }
    void TearDown() override {
        SetCurrentDirectoryA(OldDir.c_str());
        SetEnvironmentVariableA("PATH", OldPath.c_str());
        SetEnvironmentVariableA("VTRL_IDAPI_LOG", nullptr);
        SetEnvironmentVariableA("VTRL_IDAPI_INIT_RESULT", nullptr);
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Ctx.BaseKey);
        for (const std::string& d : {WorkDir, EngineDir}) FileDelete(d + "\\IDAPI32.DLL");
        FileDelete(LogFile);
        for (const std::string& d : {WorkDir, EngineDir, EmptyDir, Dir}) RemoveDirectoryA(d.c_str());
    }

    static std::string CurrentDirectory() {
        char buffer[MAX_PATH + 1];
        const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
        return std::string(buffer, n);
    }
    void PlaceEngine(const std::string& Folder) {
        ASSERT_TRUE(CopyFileA(StandinPath().c_str(), (Folder + "\\IDAPI32.DLL").c_str(), FALSE))
            << StandinPath() << " -> " << Folder;
    }
    void AddAlias(const std::string& Name) {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        ASSERT_TRUE(reg.OpenKey(AliasesKey + "\\" + Name, true)) << Name;
    }
    void AddEmptyAliasesKey() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        ASSERT_TRUE(reg.OpenKey(AliasesKey, true));
    }
    bool AliasesKeyExists() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        return reg.KeyExists(AliasesKey);
    }
    // The stand-in's calls, one per line, as bytes.
    std::vector<std::string> Calls() {
        std::ifstream in(LogFile, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    TRemovalContext Ctx;
    TSavedDllPath DllPath;
    std::string AliasesKey, Dir, WorkDir, EngineDir, EmptyDir, LogFile, OldDir, OldPath;
};

// Rule: without an engine nothing is called and the Aliases key stays for
// the deletion of the whole record.
TEST_F(AliasRemoval, NoEngineLeavesTheKey) {
    AddAlias("Sales");
    EXPECT_EQ(RemoveAliases(Ctx), 0);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(AliasesKeyExists());
}

// Rule: an engine that refuses to start gets no further call; the key stays.
TEST_F(AliasRemoval, FailingStartLeavesTheKey) {
    PlaceEngine(EngineDir);
    DllPath.Set(EngineDir);
    SetEnvironmentVariableA("VTRL_IDAPI_INIT_RESULT", "10025");
    AddAlias("Sales");
    EXPECT_EQ(RemoveAliases(Ctx), 0);
    EXPECT_EQ(Calls(), std::vector<std::string>({"DbiInitFn 300"}));
    EXPECT_TRUE(AliasesKeyExists());
}

// Rule: with an engine found through DLLPATH (missing folders and blanks
// skipped) each alias is deleted by its OEM name, the key goes, the
// configuration is saved persistently and the session ends.
TEST_F(AliasRemoval, DeletesEachAliasThroughDllPath) {
    PlaceEngine(EngineDir);
    DllPath.Set(Dir + "\\missing; " + EngineDir + " ;");
    const std::string ansi = Encode(L"Gr\u00f6\u00dfe", CP_ACP);
    const std::string oem = Encode(L"Gr\u00f6\u00dfe", LocaleOemCodePage());
    if (LocaleOemCodePage() == 437 || LocaleOemCodePage() == 850) {
        EXPECT_EQ(oem, "Gr\x94\xE1" "e");
    }
    ASSERT_NE(ansi, oem) << "the test needs an OEM code page other than the process's";
    AddAlias("Sales");
    AddAlias(ansi);

    EXPECT_EQ(RemoveAliases(Ctx), 2);

    const std::vector<std::string> calls = Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0], "DbiInitFn 300");
    std::vector<std::string> deleted(calls.begin() + 1, calls.begin() + 3);
    std::sort(deleted.begin(), deleted.end());
    std::vector<std::string> expected = {"DeleteAlias " + oem, "DeleteAlias Sales"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(deleted, expected);
    EXPECT_EQ(calls[3], "SaveConfig persistent=1");
    EXPECT_EQ(calls[4], "DbiExit");
    EXPECT_FALSE(AliasesKeyExists());
}

// Rule: an Aliases key without aliases is deleted, but the configuration is
// not saved; a record without the key does not load the engine at all.
TEST_F(AliasRemoval, NoAliasesMeansNoSave) {
    PlaceEngine(EngineDir);
    DllPath.Set(EngineDir);
    AddEmptyAliasesKey();
    EXPECT_EQ(RemoveAliases(Ctx), 0);
    EXPECT_EQ(Calls(), std::vector<std::string>({"DbiInitFn 300", "DbiExit"}));
    EXPECT_FALSE(AliasesKeyExists());

    // Without an "Aliases" key the engine's library is not even loaded.
    FileDelete(LogFile);
    EXPECT_EQ(RemoveAliases(Ctx), 0);
    EXPECT_TRUE(Calls().empty());
}

// Rule: a name with a character the OEM code page lacks is not passed on
// (its substitute could name another alias); the others still go.
TEST_F(AliasRemoval, NameWithoutOemFormIsLeft) {
    const std::string euro = Encode(L"Price\u20ac", CP_ACP);
    std::string oem;
    if (AliasNameToOem(euro, oem)) GTEST_SKIP() << "this OEM code page has the euro sign";
    PlaceEngine(EngineDir);
    DllPath.Set(EngineDir);
    AddAlias(euro);
    AddAlias("Sales");
    EXPECT_EQ(RemoveAliases(Ctx), 1);
    EXPECT_EQ(Calls(),
              std::vector<std::string>({"DbiInitFn 300", "DeleteAlias Sales", "SaveConfig persistent=1", "DbiExit"}));
    EXPECT_FALSE(AliasesKeyExists());
}

// Rule: the library is looked for in the current directory first, then in
// the DLLPATH folders, then through the system's search (PATH here).
TEST_F(AliasRemoval, SearchOrder) {
    PlaceEngine(WorkDir);
    PlaceEngine(EngineDir);
    DllPath.Set(EngineDir);
    {
        TDatabaseEngine engine;
        ASSERT_TRUE(engine.Load());
        EXPECT_TRUE(SameText(engine.LibraryPath(), WorkDir + "\\IDAPI32.DLL")) << engine.LibraryPath();
    }
    ASSERT_TRUE(SetCurrentDirectoryA(EmptyDir.c_str()));
    {
        TDatabaseEngine engine;
        ASSERT_TRUE(engine.Load());
        EXPECT_TRUE(SameText(engine.LibraryPath(), EngineDir + "\\IDAPI32.DLL")) << engine.LibraryPath();
    }
    DllPath.Set(EmptyDir);
    {
        TDatabaseEngine engine;
        EXPECT_FALSE(engine.Load());
        EXPECT_EQ(engine.InitFn(DatabaseEngineVersion), DbiResultNoEngine);
        EXPECT_EQ(engine.Exit(), DbiResultNoEngine);
    }
    SetEnvironmentVariableA("PATH", (EngineDir + ";" + OldPath).c_str());
    {
        TDatabaseEngine engine;
        ASSERT_TRUE(engine.Load());
        EXPECT_TRUE(SameText(engine.LibraryPath(), EngineDir + "\\IDAPI32.DLL")) << engine.LibraryPath();
    }
    EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace vtrl
