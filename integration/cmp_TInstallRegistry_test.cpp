// Registry entries under Wine's real registry: the key's forms, the entries'
// lines, the handler, the record, and the rules of the parent chain.
#include <gtest/gtest.h>
#include <windows.h>

#include "DefinitionText.h"
#include "TypInfo.h"
#include "cmp_TInstallRegistry.h"
#include "constants_UninstallRecord.h"
#include "model_testkit.h"
#include "routines_Registry.h"
#include "routines_UninstallRecord.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

// A scratch vendor key under HKLM\SOFTWARE and a scratch product record,
// both removed afterwards.
class InstallRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        Vendor = "Vantrel Registry Test " + std::to_string(GetCurrentProcessId()) + " " +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Install->Company = Vendor;
        Install->Product = "Tool";
        Install->Version = "2.1";
        Install->SetDestDirType(ddAbsolute);
        Install->SetDestDir("C:\\Tools\\Tool");
        Base = UninstallKeyBase + Vendor;
        Clean();
    }
    void TearDown() override { Clean(); }
    void Clean() {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        (void)reg.DeleteKey("SOFTWARE\\" + Vendor);
        (void)reg.DeleteKey(Base.substr(1));
        TRegistry user;
        (void)user.DeleteKey("SOFTWARE\\" + Vendor);
    }
    TInstallRegistry* Registry(const std::string& Name, const std::string& Key,
                               std::initializer_list<const char*> Lines) {
        auto* r = Make<TInstallRegistry>(&Root, Name);
        r->SetContainer(Install);
        r->SetKey(Key);
        TStringList lines;
        for (const char* l : Lines) lines.Add(l);
        r->SetEntries(lines);
        return r;
    }
    static std::string Read(int RootKey, const std::string& Key, const std::string& Name) {
        return RegReadString(RootKey, Key, Name, "<none>");
    }
    std::string Vendor, Base;
    TDataModule Root{nullptr};
    TTestInstallation* Install = Make<TTestInstallation>(&Root, "Install1");
};

}  // namespace

// The lines: the first "=" splits, "=x" is the default value, a line
// without "=" is skipped, meta-variables are expanded in names and values.
TEST_F(InstallRegistry, EntriesAreWrittenAsTheirLinesSay) {
    const std::string key = "\\SOFTWARE\\" + Vendor + "\\Lines\\";
    auto* r = Registry("Lines", key, {"a=b=c", "=default", "no equals sign", "Dir=%i", "%i=named", "Empty="});
    r->ProcessHelpers();
    const std::string k = "\\SOFTWARE\\" + Vendor + "\\Lines";
    EXPECT_EQ(r->ExpandedKey(), k);
    EXPECT_EQ(Read(hkLocalMachine, k, "a"), "b=c");
    EXPECT_EQ(Read(hkLocalMachine, k, ""), "default");
    EXPECT_EQ(Read(hkLocalMachine, k, "Dir"), "C:\\Tools\\Tool");
    EXPECT_EQ(Read(hkLocalMachine, k, "C:\\Tools\\Tool"), "named");
    EXPECT_EQ(Read(hkLocalMachine, k, "Empty"), "");
    EXPECT_EQ(Read(hkLocalMachine, k, "no equals sign"), "<none>");
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(k.substr(1)));
    EXPECT_EQ(reg.GetValueNames().size(), 5u);
}

// The product's specifiers take the company, product and version whatever
// Key held, under HKEY_LOCAL_MACHINE; a child's key follows its parent's
// directly, and its root is the parent's.
TEST_F(InstallRegistry, KeysFromTheProductAndFromTheParent) {
    auto* product = Registry("Product", "\\ignored", {"Where=here"});
    product->SetRootKey(hkCurrentUser);
    product->SetKeySpecifierType(ksProductName);
    EXPECT_EQ(product->Key(), "");
    EXPECT_EQ(product->RootKey(), hkLocalMachine);
    product->SetKey("\\still ignored");
    EXPECT_EQ(product->ExpandedKey(), "\\SOFTWARE\\" + Vendor + "\\Tool");
    product->SetKeySpecifierType(ksVersion);
    EXPECT_EQ(product->ExpandedKey(), "\\SOFTWARE\\" + Vendor + "\\Tool\\2.1");
    product->SetKeySpecifierType(ksCompanyName);
    EXPECT_EQ(product->ExpandedKey(), "\\SOFTWARE\\" + Vendor);

    auto* parent = Registry("Parent", "\\SOFTWARE\\" + Vendor + "\\A\\", {});
    parent->SetRootKey(hkCurrentUser);
    auto* child = Registry("Child", "\\Sub", {"x=1"});
    child->SetParentKey(parent);
    child->SetKeySpecifierType(ksParentKeyKey);
    EXPECT_EQ(child->ExpandedKey(), "\\SOFTWARE\\" + Vendor + "\\A\\Sub");
    EXPECT_EQ(child->RootKey(), hkCurrentUser);
    EXPECT_THROW(child->SetRootKey(hkLocalMachine), Exception);
    child->ProcessHelpers();
    EXPECT_EQ(Read(hkCurrentUser, "\\SOFTWARE\\" + Vendor + "\\A\\Sub", "x"), "1");
    EXPECT_EQ(Read(hkLocalMachine, "\\SOFTWARE\\" + Vendor + "\\A\\Sub", "x"), "<none>");
}

// The rules of the chain, with their messages.
TEST_F(InstallRegistry, TheParentChainStaysSound) {
    auto* a = Registry("A", "\\SOFTWARE\\" + Vendor, {});
    auto* b = Registry("B", "\\B", {});
    auto* c = Registry("C", "\\C", {});
    auto messageOf = [](auto&& f) {
        try {
            f();
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf([&] { b->SetKeySpecifierType(ksParentKeyKey); }),
              "Cannot set the KeySpecifier property of B because the ParentKey property is Nil");
    b->SetParentKey(a);
    c->SetParentKey(b);
    EXPECT_EQ(messageOf([&] { a->SetParentKey(c); }), "Parent key cannot be the component");
    EXPECT_EQ(messageOf([&] { a->SetParentKey(a); }), "Parent key cannot be the component");
    EXPECT_EQ(a->ParentKey(), nullptr);
    b->SetKeySpecifierType(ksParentKeyKey);
    c->SetKeySpecifierType(ksParentKeyKey);
    EXPECT_EQ(c->ExpandedKey(), "\\SOFTWARE\\" + Vendor + "\\B\\C");
    // A parent that goes leaves its child without one, and absolute.
    delete b;
    EXPECT_EQ(c->ParentKey(), nullptr);
    EXPECT_EQ(c->KeySpecifierType(), ksAbsolute);
    EXPECT_EQ(c->ExpandedKey(), "\\C");
    // Taking the parent away by hand does the same.
    c->SetParentKey(a);
    c->SetKeySpecifierType(ksParentKeyKey);
    c->SetParentKey(nullptr);
    EXPECT_EQ(c->KeySpecifierType(), ksAbsolute);
}

// A handler may rename, change or skip an entry; the record lists every
// entry of the lines all the same, once however often it is installed.
TEST_F(InstallRegistry, TheHandlerDecidesAndTheRecordListsEveryEntry) {
    const std::string key = "\\SOFTWARE\\" + Vendor + "\\Handled";
    auto* r = Registry("Handled", key, {"Keep=%i", "Skip=no", "Rename=old"});
    r->OnBeforeWriteEntry = [](TCustomInstallRegistry*, std::string& Ident, std::string& Value, bool& Go) {
        if (Ident == "Skip") Go = false;
        if (Ident == "Rename") {
            Ident = "Renamed";
            Value = "new";
        }
    };
    r->ProcessHelpers();
    EXPECT_EQ(Read(hkLocalMachine, key, "Keep"), "C:\\Tools\\Tool");
    EXPECT_EQ(Read(hkLocalMachine, key, "Skip"), "<none>");
    EXPECT_EQ(Read(hkLocalMachine, key, "Renamed"), "new");
    r->WriteUninstallInfo(Base);
    r->WriteUninstallInfo(Base);
    const std::string kind = Base + "\\RegistryKeys";
    EXPECT_EQ(Read(hkLocalMachine, kind, "Entries"), "1");
    const std::string entry = kind + "\\RegistryKey1";
    EXPECT_EQ(Read(hkLocalMachine, entry, "Key"), key);
    int32_t root = -1;
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(entry.substr(1)));
    ASSERT_TRUE(reg.TryReadInteger("Root", root));
    EXPECT_EQ(root, static_cast<int32_t>(hkLocalMachine));
    EXPECT_EQ(Read(hkLocalMachine, entry + "\\Entries", "Keep"), "C:\\Tools\\Tool");
    EXPECT_EQ(Read(hkLocalMachine, entry + "\\Entries", "Skip"), "no");
    EXPECT_EQ(Read(hkLocalMachine, entry + "\\Entries", "Rename"), "old");
    // Another key is another entry.
    auto* other = Registry("Other", key + "\\Other", {"v=1"});
    other->WriteUninstallInfo(Base);
    EXPECT_EQ(Read(hkLocalMachine, kind, "Entries"), "2");
    EXPECT_EQ(Read(hkLocalMachine, kind + "\\RegistryKey2", "Key"), key + "\\Other");
}

// A definition names the class with its lines and its parent; a key that
// does not expand is what the check reports.
TEST_F(InstallRegistry, ADefinitionReadsAndTheCheckSeesAKeyThatDoesNotExpand) {
    ReadComponentText(R"(object Root: TDataModule
  object Vendor: TInstallRegistry
    Container = Install1
    Key = '\SOFTWARE\Vantrel Software\Vantrel96'
    Entries.Strings = (
      'VantrelDirectory=%c')
  end
  object Orphan: TInstallRegistry
    Container = Install1
    Key = '\Sub'
    KeySpecifierType = ksParentKeyKey
  end
end
)",
                      &Root);
    auto* vendor = As<TInstallRegistry>(Root.FindComponent("Vendor"));
    auto* orphan = As<TInstallRegistry>(Root.FindComponent("Orphan"));
    ASSERT_TRUE(vendor && orphan);
    EXPECT_EQ(vendor->Entries().Count(), 1);
    EXPECT_EQ(vendor->RootKey(), hkLocalMachine);
    EXPECT_EQ(vendor->Rank(), 8500);
    std::vector<std::string> problems;
    vendor->CheckDefinition(problems);
    EXPECT_TRUE(problems.empty());
    orphan->CheckDefinition(problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "its key cannot be expanded: Cannot expand the Key of Orphan because the ParentKey is Nil");
}
