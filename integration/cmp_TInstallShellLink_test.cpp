#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <mutex>
#include <thread>
#include <vector>

#include "DefinitionText.h"
#include "FileShim.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TProgramManager.h"
#include "cmp_TUninstallEXE.h"
#include "model_testkit.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"
#include "routines_WinVersion.h"

using namespace vtrl;
using vtrl::testkit::Make;
using vtrl::testkit::TTestInstallation;

namespace {

// ------------------------------------------------ a reader of link files

// What a shell link file says, read from its bytes: the header's hot key,
// the target from the link information (local base path + common suffix),
// and the working directory and arguments from the string data.
struct TLinkFile {
    bool Valid = false;
    uint16_t HotKey = 0;
    std::string Target, WorkingDir, Arguments;
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24 : 0;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return at + 2 <= b.size() ? static_cast<uint16_t>(b[at] | b[at + 1] << 8) : 0;
}
std::string CString(const std::vector<uint8_t>& b, size_t at) {
    std::string s;
    while (at < b.size() && b[at]) s += static_cast<char>(b[at++]);
    return s;
}

TLinkFile ReadLinkFile(const std::string& Path) {
    TLinkFile r;
    std::ifstream in(Path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 0x4C || U32(b, 0) != 0x4C) return r;
    const uint32_t flags = U32(b, 0x14);
    r.HotKey = U16(b, 0x40);
    size_t at = 0x4C;
    if (flags & 0x01) at += 2 + U16(b, at);  // LinkTargetIDList
    if (flags & 0x02) {                      // LinkInfo
        const uint32_t size = U32(b, at);
        if (U32(b, at + 8) & 0x01)
            r.Target = CString(b, at + U32(b, at + 16)) + CString(b, at + U32(b, at + 24));
        at += size;
    }
    const bool unicode = flags & 0x80;
    auto readString = [&]() {
        const uint16_t count = U16(b, at);
        at += 2;
        std::string s;
        for (uint16_t i = 0; i < count && at < b.size(); ++i) {
            // The test's texts are ASCII: the low byte of each UTF-16 unit.
            s += static_cast<char>(b[at]);
            at += unicode ? 2 : 1;
        }
        // Wine counts the terminating NUL, Windows does not.
        while (!s.empty() && s.back() == '\0') s.pop_back();
        return s;
    };
    if (flags & 0x04) readString();  // name
    if (flags & 0x08) readString();  // relative path
    if (flags & 0x10) r.WorkingDir = readString();
    if (flags & 0x20) r.Arguments = readString();
    r.Valid = at <= b.size();
    return r;
}

// --------------------------------------------------------- the fixture

// A scratch directory, a scratch product (whose uninstall record is removed
// afterwards) and a TInstall whose main directory is Scratch\App.
class ShellLinks : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string id = std::to_string(GetCurrentProcessId()) + "-" + info->name();
        Scratch = "C:\\vtrltest\\shelllink-" + id;
        Install = Make<TTestInstallation>(&Root, "Install1");
        Install->Product = "Vantrel 100% Links " + id;
        Install->SetDestDirType(ddAbsolute);
        Install->SetDestDir(Scratch + "\\App");
        Base = UninstallKeyBase + Install->Product;
        DeleteRecord();
        ASSERT_TRUE(ForceDirectories(Scratch + "\\App"));
    }
    void TearDown() override {
        if (Scratch.empty()) return;  // skipped before SetUp
        DeleteRecord();
        std::error_code ignored;
        std::filesystem::remove_all(Scratch, ignored);
    }
    void DeleteRecord() {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        (void)reg.DeleteKey(Base.substr(1));
    }
    std::string Record(const std::string& Name) { return RegReadString(hkLocalMachine, Base + "\\Files", Name, "<none>"); }

    // A file of the installation at Scratch\App\Name, present on disk.
    template <class T = TInstallFile>
    T* File(const std::string& Name, const std::string& DestName = "") {
        auto* f = Make<T>(&Root, "File" + std::to_string(++Count));
        f->SetFileName(Name);
        f->SetDestName(DestName);
        f->SetDestDirType(ddAbsolute);
        f->SetDestDir(Scratch + "\\App");
        std::ofstream(Scratch + "\\App\\" + f->EffectiveDestName()) << "x";
        return f;
    }
    // A folder of its own at Scratch\Menu (no role, absolute).
    TShellLinkGroup* Folder(const std::string& Dir = "\\Menu") {
        auto* g = Make<TShellLinkGroup>(&Root, "Folder" + std::to_string(++Count));
        g->SetContainer(Install);
        g->SetDestDirType(ddAbsolute);
        g->SetDestDir(Scratch + Dir);
        return g;
    }
    TInstallShellLink* Link(TShellLinkGroup* In, TInstallContainer* To) {
        auto* l = Make<TInstallShellLink>(&Root, "Link" + std::to_string(++Count));
        l->SetContainer(In);
        l->SetMethod(mtShellLinkInterface);
        if (To) l->SetObjectLink(To);
        return l;
    }
    std::string MessageOf(const std::function<void()>& Fn) {
        try {
            Fn();
        } catch (const Exception& e) {
            return e.Message;
        }
        return "<no error>";
    }

    TDataModule Root{nullptr};
    TTestInstallation* Install = nullptr;
    std::string Scratch, Base;
    int Count = 0;
};

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

// ------------------------------------------------------ link files as made

// Rule: the link file points at the installed file, passes the expanded
// Parameters, starts in the file's directory and keeps the hot key as
// given; its path goes to the record's Files keys, and the folder records
// nothing.
TEST_F(ShellLinks, ALinkToAnInstalledFileAsTheShellReadsIt) {
    TInstallFile* tool = File("tool.exe");
    TShellLinkGroup* menu = Folder();
    TInstallShellLink* link = Link(menu, tool);
    link->SetParameters("/dir %i /pct 100%%");
    link->SetHotKey(0x0254);  // Ctrl+T
    menu->Process();

    const std::string app = Scratch + "\\App";
    const std::string path = Scratch + "\\Menu\\tool.lnk";
    const TLinkFile lnk = ReadLinkFile(path);
    ASSERT_TRUE(lnk.Valid) << path;
    EXPECT_TRUE(SameText(lnk.Target, app + "\\tool.exe")) << lnk.Target;
    EXPECT_EQ(lnk.Arguments, "/dir " + app + " /pct 100%");
    EXPECT_TRUE(SameText(lnk.WorkingDir, app)) << lnk.WorkingDir;
    EXPECT_EQ(lnk.HotKey, 0x0254);
    EXPECT_TRUE(link->ComInitialized());
    EXPECT_EQ(Record("File1"), path);
    EXPECT_EQ(Record("Entries"), "1");
}

// Rule: the uninstall program's link passes the product name exactly,
// whatever Parameters held and although the name has a percent sign.
TEST_F(ShellLinks, TheUninstallLinkPassesTheProductName) {
    auto* uninstall = File<TUninstallEXE>("uninstall.exe");
    TInstallShellLink* link = Link(Folder(), uninstall);
    link->SetParameters("-quiet");
    link->Process();
    const TLinkFile lnk = ReadLinkFile(Scratch + "\\Menu\\uninstall.lnk");
    ASSERT_TRUE(lnk.Valid);
    EXPECT_EQ(lnk.Arguments, Install->Product);
}

// Rule: a link to a folder creates that folder too and targets it without a
// trailing backslash; a link name given without extension gets ".LNK".
TEST_F(ShellLinks, ALinkToAFolderNamedWithoutExtension) {
    TShellLinkGroup* menu = Folder();
    TShellLinkGroup* other = Folder("\\Menu\\More\\");
    TInstallShellLink* link = Link(menu, other);
    EXPECT_EQ(link->LinkName(), other->Name() + ".lnk");
    link->SetLinkName("More things");
    EXPECT_EQ(link->LinkName(), "More things.LNK");
    link->Process();
    EXPECT_TRUE(Exists(Scratch + "\\Menu\\More"));
    const TLinkFile lnk = ReadLinkFile(Scratch + "\\Menu\\More things.LNK");
    ASSERT_TRUE(lnk.Valid);
    EXPECT_TRUE(SameText(lnk.Target, Scratch + "\\Menu\\More")) << lnk.Target;
}

// Rule: a blank link name (or one that is only the extension) is an error
// that names the component, and nothing is created or recorded.
TEST_F(ShellLinks, ABlankLinkNameIsAnErrorAndLeavesNothing) {
    TInstallShellLink* link = Link(Folder("\\Blank"), File("a.exe"));
    link->SetLinkName("");
    EXPECT_EQ(link->LinkName(), ".LNK");
    EXPECT_EQ(MessageOf([&] { link->Process(); }),
              "The LinkName is blank for " + link->Name() + " and therefore could not be installed");
    EXPECT_FALSE(Exists(Scratch + "\\Blank\\.LNK"));
    EXPECT_EQ(Record("Entries"), "<none>");
}

// ---------------------------------------------- paths that are not full

// Rule: a link whose folder did not resolve is refused before anything is
// made: the error names the link and the path, a file of that name in the
// current folder (the user's own) stays as it was, and nothing is
// recorded. A folder that did not resolve is refused the same way.
TEST_F(ShellLinks, ALinkOrFolderWithoutAFullPathIsRefused) {
    const std::string cwd = Scratch + "\\Cwd";
    ASSERT_TRUE(ForceDirectories(cwd));
    std::ofstream(cwd + "\\Notepad.LNK") << "the user's own";
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));

    TShellLinkGroup* unresolved = Folder("");
    unresolved->SetDestDir("");  // what an anchor without a value leaves
    TInstallShellLink* link = Link(unresolved, File("notepad.exe"));
    link->SetLinkName("Notepad");
    const std::string linkError = MessageOf([&] { link->Process(); });
    TShellLinkGroup* relative = Folder("");
    relative->SetDestDir("Accessories");
    const std::string folderError = MessageOf([&] { relative->Process(); });
    const std::string recordError = MessageOf([&] { link->WriteUninstallInfo(Base); });
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(linkError, "The TInstallShellLink " + link->Name() +
                             " could not be installed: its link file, Notepad.LNK, is not a full path (its location "
                             "did not resolve)");
    EXPECT_EQ(folderError, "The folder Accessories of " + relative->Name() +
                               " is not a full path (its location did not resolve); it is not created");
    EXPECT_NE(recordError.find("Notepad.LNK"), std::string::npos) << recordError;
    std::ifstream in(cwd + "\\Notepad.LNK");
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "the user's own");
    EXPECT_FALSE(Exists(cwd + "\\Accessories"));
    EXPECT_EQ(Record("Entries"), "<none>");
}

// ------------------------------------------------------------ names

// Rule: LinkName always carries ".LNK" when set; pointing at a file names
// the link after its DestName with ".lnk"; an object location names a link
// that has no name yet.
TEST_F(ShellLinks, LinkNamesFollowTheirObject) {
    TInstallShellLink* link = Link(Folder(), nullptr);
    link->SetLinkName("Readme.txt");
    EXPECT_EQ(link->LinkName(), "Readme.LNK");
    link->SetObjectLink(File("prog.bin", "Program.exe"));
    EXPECT_EQ(link->LinkName(), "Program.lnk");
    EXPECT_EQ(link->ObjectLocationType(), ddObjectLink);
    link->SetObjectLink(nullptr);
    EXPECT_EQ(link->ObjectLocationType(), ddAbsolute);
    link->SetLinkName("");
    link->SetObjectLocation("C:\\Tools\\edit.com");
    EXPECT_EQ(link->LinkName(), "edit.LNK");
    link->SetObjectLocation("C:\\Tools\\other.com");
    EXPECT_EQ(link->LinkName(), "edit.LNK");
}

// ---------------------------------------------------- target resolution

// Rule: each missing anchor of the target is an error naming the link;
// absolute targets lose a trailing backslash.
TEST_F(ShellLinks, TargetsAndTheirErrors) {
    auto* link = Make<TInstallShellLink>(&Root, "Loose");
    link->SetObjectLocation("C:\\Somewhere\\");
    EXPECT_EQ(link->ExpandObjectLocation(), "C:\\Somewhere");
    EXPECT_EQ(MessageOf([&] { link->SetObjectLocationType(ddContainerDestDir); }),
              "Cannot set the ObjectLocation property of Loose because the Container property is Nil");
    EXPECT_EQ(MessageOf([&] { link->SetObjectLocationType(ddObjectLink); }),
              "Cannot set the ObjectLocation property of Loose because the ObjectLink property is Nil");
    EXPECT_EQ(MessageOf([&] { link->SetObjectLocationType(ddFontDir); }),
              "That path specifier is not allowed for the ObjectLocation property for Loose");
    EXPECT_EQ(link->ObjectLocationType(), ddAbsolute);
    // A definition stores values as they are; the errors then come at use.
    link->ComponentState.Include(csLoading);
    link->SetObjectLocationType(ddObjectLink);
    link->ComponentState.Exclude(csLoading);
    EXPECT_EQ(MessageOf([&] { link->ExpandObjectLocation(); }),
              "Cannot expand the ObjectLocation property of Loose because the ObjectLink is Nil");
}

// ----------------------------------------------------------------- roles

// Rule: a main role needs a TInstall; the main folder lives in the Programs
// menu under the TInstall, and a new main folder takes the role from the old.
TEST(ShellLinkRoles, MainFoldersNeedATInstallAndAreUnique) {
    TDataModule root{nullptr};
    auto* lone = Make<TShellLinkGroup>(&root, "Lone");
    try {
        lone->SetGroupKind(gkMainFolder);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Must first have a TInstall component");
    }
    EXPECT_EQ(lone->GroupKind(), gkCustom);
    auto* install = Make<TTestInstallation>(&root, "Install1");
    lone->SetGroupKind(gkMainFolder);
    EXPECT_EQ(lone->Container(), install);
    EXPECT_EQ(lone->DestDirType(), ddProgramMenuDir);
    lone->SetDestDirType(ddAbsolute);
    EXPECT_EQ(lone->DestDirType(), ddProgramMenuDir);
    auto* second = Make<TShellLinkGroup>(&root, "Second");
    second->SetGroupKind(gkMainFolder);
    EXPECT_EQ(lone->GroupKind(), gkCustom);
    EXPECT_EQ(TShellLinkGroup::MainFolder(), second);
}

// Rule: role links need their folders and a file; the link to the sub
// folder points at the main sub folder from the main folder; leaving the
// sub-folder role turns its links into custom links.
TEST(ShellLinkRoles, RoleLinksFollowTheirFolders) {
    TDataModule root{nullptr};
    auto* install = Make<TTestInstallation>(&root, "Install1");
    auto* file = Make<TInstallFile>(&root, "Prog");
    file->SetFileName("prog.exe");
    file->SetContainer(install);
    auto* inSub = Make<TInstallShellLink>(&root, "InSub");
    inSub->SetObjectLink(file);
    try {
        inSub->SetLinkKind(lkLinkInSubFolder);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "You must first specify a folder as the main sub folder");
    }
    auto* main = Make<TShellLinkGroup>(&root, "Main");
    main->SetGroupKind(gkMainFolder);
    auto* sub = Make<TShellLinkGroup>(&root, "Sub");
    sub->SetGroupKind(gkMainSubFolder);
    inSub->SetLinkKind(lkLinkInSubFolder);
    EXPECT_EQ(inSub->Container(), sub);
    EXPECT_EQ(inSub->DestDirType(), ddContainerDestDir);

    auto* toSub = Make<TInstallShellLink>(&root, "ToSub");
    toSub->SetLinkKind(lkLinkToSubFolder);
    EXPECT_EQ(toSub->Container(), main);
    EXPECT_EQ(toSub->ObjectLink(), sub);
    EXPECT_EQ(toSub->ObjectLocationType(), ddObjectLink);
    try {
        toSub->SetObjectLink(file);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "For lkLinkToSubFolder, ObjectLink must be a ShellLinkGroup that is the main sub folder");
    }

    auto* inMain = Make<TInstallShellLink>(&root, "InMain");
    inMain->SetObjectLocation("C:\\x.exe");
    try {
        inMain->SetLinkKind(lkLinkInMainFolder);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "You must the ObjectLocationType set to ddObjectLink");
    }
    // Moving a role link to another folder drops its role.
    inMain->SetObjectLink(file);
    inMain->SetLinkKind(lkLinkInMainFolder);
    inMain->SetContainer(sub);
    EXPECT_EQ(inMain->LinkKind(), lkCustom);

    sub->SetGroupKind(gkCustom);
    EXPECT_EQ(inSub->LinkKind(), lkCustom);
    EXPECT_EQ(toSub->LinkKind(), lkCustom);
}

// Rule: a link goes with its target or its folder; a folder goes with its
// container.
TEST(ShellLinkRoles, DestroyedTargetsAndFoldersTakeTheirLinks) {
    TDataModule root{nullptr};
    auto* install = Make<TTestInstallation>(&root, "Install1");
    auto* folder = Make<TShellLinkGroup>(&root, "Folder");
    folder->SetContainer(install);
    auto* file = Make<TInstallFile>(&root, "Prog");
    file->SetFileName("prog.exe");
    auto* toFile = Make<TInstallShellLink>(&root, "ToFile");
    toFile->SetContainer(folder);
    toFile->SetObjectLink(file);
    auto* other = Make<TInstallShellLink>(&root, "Other");
    other->SetContainer(folder);
    delete file;
    EXPECT_EQ(root.FindComponent("ToFile"), nullptr);
    EXPECT_EQ(folder->HelperCount(), 1);
    delete install;
    EXPECT_EQ(root.FindComponent("Folder"), nullptr);
    EXPECT_EQ(root.FindComponent("Other"), nullptr);
    EXPECT_EQ(root.ComponentCount(), 0);
}

// Rule: the five COM codes have their own texts, others the system's; a
// failed COM start keeps its code and says it in decimal.
TEST(ShellLinkErrors, ComErrorTexts) {
    TDataModule root{nullptr};
    auto* link = Make<TInstallShellLink>(&root, "L");
    EXPECT_EQ(link->ComErrorText(static_cast<int32_t>(0x80040154)),
              "Indicates that a specified class is not registered in the registration database");
    EXPECT_EQ(link->ComErrorText(static_cast<int32_t>(0x8007000E)), "Out of memory");
    EXPECT_FALSE(link->ComErrorText(static_cast<int32_t>(0x80070005)).empty());
    const ESHELLCannotInitialize e(static_cast<int32_t>(0x80010106));
    EXPECT_EQ(e.Code(), static_cast<int32_t>(0x80010106));
    EXPECT_STREQ(e.what(), "Could not initialize IShellLink with following error code returned: -2147417850");
}

// ------------------------------------------------ Program Manager items

namespace {

// A DDE server on a thread of its own that plays Program Manager under a
// service name of its own: it accepts every command and records it, and
// answers a request for Group with GroupText. One at a time (the DDEML
// callback has no context).
struct TFakeProgman {
    static inline DWORD Inst = 0;
    static inline std::mutex Lock;
    static inline std::vector<std::string> Commands;
    static inline std::string Group, GroupText;
    static inline int Requests = 0;

    static std::vector<std::string> Sent() {
        std::lock_guard guard(Lock);
        return Commands;
    }
    static HDDEDATA CALLBACK Callback(UINT Type, UINT, HCONV, HSZ, HSZ Item, HDDEDATA Data, ULONG_PTR, ULONG_PTR) {
        switch (Type) {
        case XTYP_CONNECT: return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_EXECUTE: {
            std::string text(DdeGetData(Data, nullptr, 0, 0), '\0');
            DdeGetData(Data, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size()), 0);
            std::lock_guard guard(Lock);
            Commands.push_back(text.c_str());
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        case XTYP_REQUEST: {
            char name[256] = {};
            DdeQueryStringA(Inst, Item, name, sizeof name, CP_WINANSI);
            if (Group.empty() || lstrcmpiA(name, Group.c_str()) != 0) return nullptr;
            // Only the first request is answered with data: under Wine 8 an
            // execute that follows a second data answer in the same
            // conversation comes back "not processed" although the server
            // acknowledged it. The rereads after item commands then get no
            // text, which the client takes as it is.
            if (++Requests > 1) return nullptr;
            return DdeCreateDataHandle(Inst, reinterpret_cast<LPBYTE>(GroupText.data()),
                                       static_cast<DWORD>(GroupText.size() + 1), 0, Item, CF_TEXT, 0);
        }
        default: return nullptr;
        }
    }
    // The server thread: registers Service, serves until WM_QUIT.
    static void Serve(std::string Service, std::promise<DWORD>* Ready) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
        Inst = 0;
        DdeInitializeA(&Inst, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
        HSZ hsz = DdeCreateStringHandleA(Inst, Service.c_str(), CP_WINANSI);
        DdeNameService(Inst, hsz, nullptr, DNS_REGISTER);
        Ready->set_value(GetCurrentThreadId());
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        DdeNameService(Inst, hsz, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(Inst, hsz);
        DdeUninitialize(Inst);
    }
};

class ProgramManagerItems : public ShellLinks {
protected:
    void SetUp() override {
        ShellLinks::SetUp();
        Service = "VTRLPM" + std::to_string(GetCurrentProcessId());
        TFakeProgman::Commands.clear();
        TFakeProgman::Requests = 0;
        std::promise<DWORD> ready;
        Server = std::thread(TFakeProgman::Serve, Service, &ready);
        ServerThread = ready.get_future().get();
        ProgramManager().Disconnect();
        ProgramManager().SetServiceName(Service);
    }
    void TearDown() override {
        ProgramManager().Disconnect();
        ProgramManager().SetServiceName("PROGMAN");
        PostThreadMessageA(ServerThread, WM_QUIT, 0, 0);
        Server.join();
        ShellLinks::TearDown();
    }
    // A link in the Programs menu's folder Group, made as an item.
    TInstallShellLink* ItemLink(const std::string& Group, TInstallContainer* To) {
        TInstallShellLink* l = Link(nullptr, To);
        l->SetMethod(mtProgramManager);
        l->SetDestDirType(ddProgramMenuDir);
        l->SetDestDir("\\" + Group);
        return l;
    }
    std::string Service;
    std::thread Server;
    DWORD ServerThread = 0;
};

}  // namespace

// Rule: an item of the same name is replaced in place: the group is made
// (and selected), ReplaceItem goes before AddItem, and the item quotes the
// target and its directory; the link path is still recorded.
TEST_F(ProgramManagerItems, AnExistingItemIsReplacedInPlace) {
    TFakeProgman::Group = "Links";
    TFakeProgman::GroupText = "\"Links\",C:\\links.grp,2,0\r\n\"Tool\",\"C:\\old\\tool.exe\",C:\\old,,0,0,0,0\r\n";
    TInstallShellLink* link = ItemLink("Links", File("tool.exe"));
    link->SetLinkName("Tool");
    link->SetParameters("/x");
    try {
        link->Process();
    } catch (const std::exception& e) {
        ADD_FAILURE() << ExceptionLogText(e) << " after " << ::testing::PrintToString(TFakeProgman::Sent());
    }
    const std::string app = Scratch + "\\App";
    const std::vector<std::string> expected = {
        "[CreateGroup(\"Links\")]",
        "[ShowGroup(Links,8)]",
        "[ReplaceItem(\"Tool\")]",
        "[ShowGroup(Links,8)]",
        "[AddItem(\"" + app + "\\tool.exe\" /x,Tool,,0,,,\"" + app + "\",)]",
    };
    EXPECT_EQ(TFakeProgman::Sent(), expected) << ::testing::PrintToString(TFakeProgman::Sent());
    EXPECT_EQ(Record("File1"), link->LinkFilePath());
    EXPECT_EQ(ExtractFileName(Record("File1")), "Tool.LNK");
}

// Rule: a new item is only added; a link in a nested folder is no item and
// sends nothing (Program Manager has no nested groups).
TEST_F(ProgramManagerItems, NewItemsAreAddedAndNestedLinksSkipped) {
    TFakeProgman::Group = "Fresh";
    TFakeProgman::GroupText = "\"Fresh\",C:\\fresh.grp,0,0\r\n";
    ItemLink("Fresh", File("new.exe"))->Process();
    const std::vector<std::string> sent = TFakeProgman::Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], "[CreateGroup(\"Fresh\")]");
    EXPECT_EQ(sent[2].rfind("[AddItem(", 0), 0u) << sent[2];

    TInstallShellLink* nested = Link(Folder("\\Nested"), File("deep.exe"));
    nested->SetMethod(mtProgramManager);
    EXPECT_NO_THROW(nested->Process());
    EXPECT_EQ(TFakeProgman::Sent().size(), 3u);
}

// ------------------------------------------ on another Windows version

// These run only in a prefix of their own (shelllink_platform_test.sh),
// which names its Windows version in VTRL_PLATFORM_VERSION.
class ShellLinkPlatform : public ShellLinks {
protected:
    void SetUp() override {
        const char* version = std::getenv("VTRL_PLATFORM_VERSION");
        if (!version || std::string(version) != "nt351") GTEST_SKIP() << "needs a Windows NT 3.51 prefix";
        ShellLinks::SetUp();
    }
};

// Rule: on Windows NT 3.51 links are Program Manager items: one in the sub
// folder creates nothing and raises nothing; one in the main folder becomes
// an item of the group named after the main folder (Wine's Program Manager
// keeps its items as link files in the group's folder).
TEST_F(ShellLinkPlatform, NT351MakesProgramManagerItems) {
    ASSERT_EQ(GetWindowsPlatform(), wpWindowsNT35);
    TInstallFile* tool = File("tool.exe");
    auto* main = Make<TShellLinkGroup>(&Root, "Main");
    main->SetGroupKind(gkMainFolder);
    const std::string group = "Vantrel PM " + std::to_string(GetCurrentProcessId());
    main->SetDestDir("\\" + group);
    auto* sub = Make<TShellLinkGroup>(&Root, "Sub");
    sub->SetGroupKind(gkMainSubFolder);
    sub->SetDestDir("\\More");
    auto* inSub = Make<TInstallShellLink>(&Root, "InSub");
    inSub->SetObjectLink(tool);
    inSub->SetLinkKind(lkLinkInSubFolder);
    auto* inMain = Make<TInstallShellLink>(&Root, "InMain");
    inMain->SetObjectLink(tool);
    inMain->SetLinkKind(lkLinkInMainFolder);
    inMain->SetLinkName("Vantrel Tool");
    ASSERT_EQ(inSub->Method(), mtAutoDetect);

    EXPECT_NO_THROW(inSub->Process());
    EXPECT_FALSE(Exists(inSub->LinkFilePath()));
    EXPECT_NO_THROW(inMain->Process());
    const std::string item = ProgramsFolder() + "\\" + group + "\\Vantrel Tool.lnk";
    EXPECT_TRUE(Exists(item)) << item;
    const TLinkFile lnk = ReadLinkFile(item);
    EXPECT_TRUE(SameText(lnk.Target, Scratch + "\\App\\tool.exe")) << lnk.Target;
    std::error_code ignored;
    std::filesystem::remove_all(ProgramsFolder() + "\\" + group, ignored);
}

// ------------------------------------------------------------ definitions

// Rule: a definition's values are taken as stored: roles, names and
// references come back without the design rules rewriting or refusing them
// (the links are read before the folders they need).
TEST(ShellLinkDefinition, StoredValuesAreTakenAsTheyAre) {
    TDataModule root{nullptr};
    auto* install = Make<TTestInstallation>(&root, "Install1");
    ReadComponentText(R"(object Root: TDataModule
  object HelpLink: TInstallShellLink
    Container = MainFolder
    DestDirType = ddContainerDestDir
    HotKey = 1620
    LinkKind = lkLinkInMainFolder
    LinkName = 'Help file'
    ObjectLink = HelpFile
    ObjectLocationType = ddObjectLink
  end
  object MainFolder: TShellLinkGroup
    DestDir = '\Vantrel 2.0'
    DestDirType = ddProgramMenuDir
    GroupKind = gkMainFolder
  end
  object HelpFile: TInstallFile
    DestDir = 'C:\Help'
    FileName = 'help.hlp'
  end
end
)",
                      &root);
    auto* link = As<TInstallShellLink>(root.FindComponent("HelpLink"));
    auto* folder = As<TShellLinkGroup>(root.FindComponent("MainFolder"));
    ASSERT_TRUE(link && folder);
    EXPECT_EQ(link->LinkKind(), lkLinkInMainFolder);
    // A name stored without the link file's extension gets it.
    EXPECT_EQ(link->LinkName(), "Help file.LNK");
    EXPECT_EQ(link->HotKey(), 1620);
    EXPECT_EQ(link->ObjectLink(), root.FindComponent("HelpFile"));
    EXPECT_EQ(link->Container(), folder);
    EXPECT_EQ(folder->GroupKind(), gkMainFolder);
    EXPECT_EQ(TShellLinkGroup::MainFolder(), folder);
    EXPECT_EQ(link->ExpandObjectLocation(), "C:\\Help\\help.hlp");
    (void)install;
}

// A link written by hand in its short form, a target and a folder, works:
// it points at the target, lies in the folder, and is named after the
// target; what the author did write is kept.
TEST(ShellLinkDefinition, TheShortFormOfALinkMakesAWorkingLink) {
    TDataModule root{nullptr};
    auto* install = Make<TTestInstallation>(&root, "Install1");
    ReadComponentText(R"(object Root: TDataModule
  object StartMenu: TShellLinkGroup
    GroupKind = gkMainFolder
    DestDir = '\Vantrel Short'
  end
  object Tool: TInstallFile
    DestDir = 'C:\Short\bin'
    FileName = 'tool.exe'
  end
  object ToolLink: TInstallShellLink
    Container = StartMenu
    ObjectLink = Tool
  end
  object NamedLink: TInstallShellLink
    Container = StartMenu
    ObjectLink = Tool
    LinkName = 'Vantrel 2.0'
  end
  object PathLink: TInstallShellLink
    Container = StartMenu
    ObjectLocation = '\notes\today.txt'
    ObjectLocationType = ddWindows
  end
  object PlacedLink: TInstallShellLink
    Container = StartMenu
    DestDir = 'C:\Links'
    ObjectLink = Tool
    LinkName = 'Placed.lnk'
  end
end
)",
                      &root);
    auto link = [&](const char* Name) { return As<TInstallShellLink>(root.FindComponent(Name)); };
    auto* folder = As<TShellLinkGroup>(root.FindComponent("StartMenu"));
    ASSERT_TRUE(folder && link("ToolLink") && link("NamedLink") && link("PathLink") && link("PlacedLink"));
    EXPECT_EQ(folder->DestDirType(), ddProgramMenuDir);
    EXPECT_EQ(link("ToolLink")->ObjectLocationType(), ddObjectLink);
    EXPECT_EQ(link("ToolLink")->DestDirType(), ddContainerDestDir);
    EXPECT_EQ(link("ToolLink")->LinkName(), "tool.lnk");
    EXPECT_EQ(link("ToolLink")->ExpandObjectLocation(), "C:\\Short\\bin\\tool.exe");
    EXPECT_EQ(link("ToolLink")->LinkFilePath(), folder->ExpandDestDir() + "\\tool.lnk");
    EXPECT_TRUE(IsFullPath(link("ToolLink")->LinkFilePath()));
    // ".LNK" is added to a name, never put in place of a part of it.
    EXPECT_EQ(link("NamedLink")->LinkName(), "Vantrel 2.0.LNK");
    EXPECT_EQ(link("PathLink")->LinkName(), "today.LNK");
    EXPECT_EQ(link("PathLink")->ObjectLocationType(), ddWindows);
    // A full destination of its own stays the link's.
    EXPECT_EQ(link("PlacedLink")->DestDirType(), ddAbsolute);
    EXPECT_EQ(link("PlacedLink")->LinkFilePath(), "C:\\Links\\Placed.lnk");
    std::vector<std::string> problems;
    link("ToolLink")->CheckDefinition(problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    (void)install;
}
