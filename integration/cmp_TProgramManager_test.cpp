// Tests of the Program Manager client: against a DDE server of the test's
// own (exact command strings, item lists, refusals, a server that is too
// slow) and against Wine's Program Manager on the test's display.
#include "cmp_TProgramManager.h"

#include <windows.h>

#include <ddeml.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace vtrl {
namespace {

const char* const TestService = "VTRLPMTEST";

// A DDE server on a thread of its own with its own message loop, so that it
// can also stay silent while the client waits. It records every execute
// string and requested item, and answers requests from a table of texts.
class TFakeProgMan {
public:
    enum TAnswer { aAccept, aRefuse, aBusy, aSlow };

    TFakeProgMan() {
        Current = this;
        std::promise<void> ready;
        auto started = ready.get_future();
        FThread = std::thread([this, &ready] { Run(ready); });
        started.wait();
    }
    ~TFakeProgMan() {
        PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
        FThread.join();
        Current = nullptr;
    }

    void SetItem(const std::string& Item, const std::string& Text) {
        std::lock_guard lock(FMutex);
        FItems[Item] = Text;
    }
    // Executes that begin with Prefix get Answer; all others are accepted.
    void Answer(const std::string& Prefix, TAnswer Answer) {
        std::lock_guard lock(FMutex);
        FAnswers[Prefix] = Answer;
    }
    // Requests wait this long before answering.
    void SetRequestDelay(int Milliseconds) { FRequestDelay = Milliseconds; }
    std::vector<std::string> Executes() {
        std::lock_guard lock(FMutex);
        return FExecutes;
    }
    std::vector<std::string> Requests() {
        std::lock_guard lock(FMutex);
        return FRequests;
    }

    static constexpr int SlowMilliseconds = 2000;

private:
    // The DDEML callback carries no context: one fake server at a time.
    static inline TFakeProgMan* Current = nullptr;

    void Run(std::promise<void>& Ready) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
        DWORD inst = 0;
        DdeInitializeA(&inst, Callback, APPCLASS_STANDARD | CBF_FAIL_POKES | CBF_FAIL_ADVISES | CBF_SKIP_REGISTRATIONS |
                                            CBF_SKIP_UNREGISTRATIONS, 0);
        FInst = inst;
        HSZ service = DdeCreateStringHandleA(inst, TestService, CP_WINANSI);
        DdeNameService(inst, service, nullptr, DNS_REGISTER);
        FThreadId = GetCurrentThreadId();
        Ready.set_value();
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DdeNameService(inst, service, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(inst, service);
        DdeUninitialize(inst);
    }

    std::string Text(HSZ Handle) {
        char buffer[256] = {};
        DdeQueryStringA(FInst, Handle, buffer, sizeof buffer, CP_WINANSI);
        return buffer;
    }

    HDDEDATA OnExecute(HDDEDATA Data) {
        DWORD size = DdeGetData(Data, nullptr, 0, 0);
        std::string command(size, '\0');
        DdeGetData(Data, reinterpret_cast<LPBYTE>(command.data()), size, 0);
        command.resize(command.find('\0') == std::string::npos ? command.size() : command.find('\0'));
        TAnswer answer = aAccept;
        {
            std::lock_guard lock(FMutex);
            FExecutes.push_back(command);
            for (const auto& [prefix, a] : FAnswers)
                if (command.rfind(prefix, 0) == 0) answer = a;
        }
        switch (answer) {
            case aRefuse: return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
            case aBusy: return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
            case aSlow: Sleep(SlowMilliseconds); break;
            case aAccept: break;
        }
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }

    HDDEDATA OnRequest(HSZ Item) {
        std::string name = Text(Item);
        std::string text;
        bool found;
        {
            std::lock_guard lock(FMutex);
            FRequests.push_back(name);
            auto it = FItems.find(name);
            found = it != FItems.end();
            if (found) text = it->second;
        }
        if (FRequestDelay) Sleep(FRequestDelay);
        if (!found) return nullptr;
        return DdeCreateDataHandle(FInst, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size() + 1),
                                   0, Item, CF_TEXT, 0);
    }

    static HDDEDATA CALLBACK Callback(UINT Type, UINT, HCONV, HSZ Hsz1, HSZ Hsz2, HDDEDATA Data, ULONG_PTR, ULONG_PTR) {
        TFakeProgMan* self = Current;
        if (!self) return nullptr;
        switch (Type) {
            case XTYP_CONNECT:
                return reinterpret_cast<HDDEDATA>(
                    static_cast<UINT_PTR>(lstrcmpiA(self->Text(Hsz1).c_str(), "PROGMAN") == 0));
            case XTYP_EXECUTE: return self->OnExecute(Data);
            case XTYP_REQUEST: return self->OnRequest(Hsz2);
            default: return nullptr;
        }
    }

    std::thread FThread;
    DWORD FThreadId = 0;
    DWORD FInst = 0;
    std::mutex FMutex;
    std::map<std::string, std::string> FItems;
    std::map<std::string, TAnswer> FAnswers;
    std::vector<std::string> FExecutes;
    std::vector<std::string> FRequests;
    std::atomic<int> FRequestDelay = 0;
};

// A group's text as Program Manager returns it: the group itself, then
// one line per item.
const char* const ToolsText =
    "\"Tools\",C:\\WINDOWS\\TOOLS.GRP,3,1\r\n"
    "\"Editor\",\"C:\\ED\\ED.EXE /n\",C:\\ED,\"C:\\ED\\ED.ICO\",10,20,2,1601\r\n"
    "Viewer,C:\\VIEW.EXE,,C:\\VIEW.EXE,30,40,0,0\r\n"
    "\",\"\",\"A,B\"\r\n"
    "Editor,second,,,,,,\r\n";

class ProgramManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        PM.SetServiceName(TestService);
        PM.SetTimeout(3000);
    }
    TFakeProgMan Server;
    TProgramManager PM{nullptr};
};

using Strings = std::vector<std::string>;

// Rule: group commands carry the name in double quotes; the group created
// becomes the current group with the text Program Manager returns for it.
TEST_F(ProgramManagerTest, CreateGroupSendsQuotedNameAndSelectsTheGroup) {
    Server.SetItem("Tools", ToolsText);
    PM.CreateGroup("Tools");
    EXPECT_TRUE(PM.Connected());
    EXPECT_EQ(Server.Executes(), Strings{"[CreateGroup(\"Tools\")]"});
    EXPECT_EQ(Server.Requests(), Strings{"Tools"});
    EXPECT_EQ(PM.CurrentGroup(), "Tools");
    EXPECT_EQ(PM.ItemLines().Count(), 5);

    PM.CreateGroup("");
    EXPECT_EQ(Server.Executes().size(), 1u) << "an empty name sends nothing";
}

// Rule: a group Program Manager lists no items for (Wine's never does)
// still takes the items added after creating it.
TEST_F(ProgramManagerTest, CreatedGroupWithoutItemListStaysCurrent) {
    PM.CreateGroup("Empty");
    EXPECT_EQ(PM.CurrentGroup(), "Empty");
    EXPECT_EQ(PM.ItemCount(), 0);
    PM.AddItem("C:\\A.EXE", "A", "", 0, "C:\\", "");
    EXPECT_EQ(PM.CurrentGroup(), "Empty");
    EXPECT_EQ(Server.Executes(),
              (Strings{"[CreateGroup(\"Empty\")]", "[ShowGroup(Empty,8)]", "[AddItem(C:\\A.EXE,A,,0,,,C:\\,)]"}));
}

// Rule: AddItem shows the group without activating it, then sends the
// fields as given (no quotes added, trailing blanks kept, position empty),
// then rereads the group.
TEST_F(ProgramManagerTest, AddItemCommandIsExact) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    PM.AddItem("C:\\App\\app.exe ", "App", "", 0, "C:\\App", "");
    PM.AddItem("\"C:\\Program Files\\b.exe\" /x", "B b", "C:\\b.ico", 12, "", "Ctrl+Alt+B");
    EXPECT_EQ(Server.Executes(), (Strings{"[ShowGroup(Tools,8)]", "[AddItem(C:\\App\\app.exe ,App,,0,,,C:\\App,)]",
                                          "[ShowGroup(Tools,8)]",
                                          "[AddItem(\"C:\\Program Files\\b.exe\" /x,B b,C:\\b.ico,12,,,,Ctrl+Alt+B)]"}));
    EXPECT_EQ(Server.Requests(), (Strings{"Tools", "Tools", "Tools"}));
}

TEST_F(ProgramManagerTest, DeleteAndReplaceItemCommandsAreExact) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    PM.DeleteItem("Editor");
    PM.ReplaceItem("Viewer");
    EXPECT_EQ(Server.Executes(), (Strings{"[ShowGroup(Tools,8)]", "[DeleteItem(\"Editor\")]", "[ShowGroup(Tools,8)]",
                                          "[ReplaceItem(\"Viewer\")]"}));
    EXPECT_EQ(PM.CurrentGroup(), "Tools");
}

// Rule: without a current group the item commands send nothing; a group
// whose request returns no text is not selected and is not an error.
TEST_F(ProgramManagerTest, ItemCommandsNeedACurrentGroup) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    PM.SelectGroup("Missing");
    EXPECT_EQ(PM.CurrentGroup(), "");
    EXPECT_EQ(PM.ItemLines().Count(), 0);
    PM.AddItem("C:\\A.EXE", "A", "", 0, "", "");
    PM.DeleteItem("A");
    PM.ReplaceItem("A");
    EXPECT_TRUE(Server.Executes().empty());
}

TEST_F(ProgramManagerTest, GetGroupsListsOneGroupPerLine) {
    Server.SetItem("Groups", "Main\r\nAccessories\r\nStart Up\r\n");
    TStringList groups{"old"};
    PM.GetGroups(groups);
    EXPECT_EQ(groups.Strings, (Strings{"Main", "Accessories", "Start Up"}));
    EXPECT_EQ(Server.Requests(), Strings{"Groups"});
}

// Rule: the first line describes the group; items are the lines after it,
// fields 1..8 split at commas, and fields 1 and 2 (only) lose one pair of
// surrounding double quotes.
TEST_F(ProgramManagerTest, ItemListIsParsedByField) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    ASSERT_EQ(PM.ItemCount(), 4);
    EXPECT_EQ(PM.ItemField(1, 1), "Editor");
    EXPECT_EQ(PM.ItemField(1, 2), "C:\\ED\\ED.EXE /n");
    EXPECT_EQ(PM.ItemField(1, 3), "C:\\ED");
    EXPECT_EQ(PM.ItemField(1, 4), "\"C:\\ED\\ED.ICO\"");
    EXPECT_EQ(PM.ItemField(1, 5), "10");
    EXPECT_EQ(PM.ItemField(1, 6), "20");
    EXPECT_EQ(PM.ItemField(1, 7), "2");
    EXPECT_EQ(PM.ItemField(1, 8), "1601");
    EXPECT_EQ(PM.ItemField(1, 9), "");
    EXPECT_EQ(PM.ItemField(2, 3), "");
    // A lone quote is kept, an empty quoted field becomes empty, and a
    // quote on one side only goes too.
    EXPECT_EQ(PM.ItemField(3, 1), "\"");
    EXPECT_EQ(PM.ItemField(3, 2), "");
    EXPECT_EQ(PM.ItemField(3, 3), "\"A");
    EXPECT_EQ(PM.ItemField(3, 4), "B\"");
}

TEST_F(ProgramManagerTest, ItemFieldOutsideTheListIsEmpty) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    EXPECT_EQ(PM.ItemField(0, 1), "") << "line 0 is the group, not an item";
    EXPECT_EQ(PM.ItemField(-1, 1), "");
    EXPECT_EQ(PM.ItemField(5, 1), "");
    EXPECT_EQ(PM.ItemField(4, 2), "second");
}

// Rule: IndexOfItem compares names exactly, case included, and gives the
// first match.
TEST_F(ProgramManagerTest, IndexOfItemIsExactAndFirst) {
    Server.SetItem("Tools", ToolsText);
    Server.SetItem("Empty", "\"Empty\",C:\\WINDOWS\\EMPTY.GRP,0,0\r\n");
    PM.SelectGroup("Tools");
    EXPECT_EQ(PM.IndexOfItem("Editor"), 1);
    EXPECT_EQ(PM.IndexOfItem("Viewer"), 2);
    EXPECT_EQ(PM.IndexOfItem("editor"), -1);
    EXPECT_EQ(PM.IndexOfItem("Edit"), -1);
    PM.SelectGroup("Empty");
    EXPECT_EQ(PM.CurrentGroup(), "Empty");
    EXPECT_EQ(PM.ItemCount(), 0);
    EXPECT_EQ(PM.IndexOfItem("Editor"), -1);
    EXPECT_EQ(PM.IndexOfItem("\"Empty\""), -1);
}

// ----------------------------------------------------------------- failures

TEST_F(ProgramManagerTest, NoServerRaisesCannotOpen) {
    TProgramManager pm(nullptr);
    pm.SetServiceName("VTRLNOBODYHERE");
    try {
        pm.CreateGroup("Tools");
        FAIL() << "no exception";
    } catch (const EAIPMCannotOpen& e) {
        EXPECT_STREQ(e.what(), "The TProgramManager object was unable to establish a link with Program Manager");
        EXPECT_NE(e.Detail.find("VTRLNOBODYHERE"), std::string::npos) << e.Detail;
    }
    EXPECT_FALSE(pm.Connected());
}

TEST_F(ProgramManagerTest, RefusedCreateGroupRaisesAndKeepsNoGroup) {
    Server.Answer("[CreateGroup", TFakeProgMan::aRefuse);
    try {
        PM.CreateGroup("Tools");
        FAIL() << "no exception";
    } catch (const EAIPMCannotCreateGroup& e) {
        EXPECT_EQ(e.Group, "Tools");
        EXPECT_STREQ(e.what(), "The TProgramManager object was unable to create the following group: Tools");
    }
    EXPECT_EQ(PM.CurrentGroup(), "");
    EXPECT_TRUE(Server.Requests().empty());
}

// Rule: an item command on a group Program Manager refuses to show raises
// EAIPMCannotOpenGroup before the item command is sent.
TEST_F(ProgramManagerTest, RefusedShowGroupStopsBeforeTheItemCommand) {
    Server.SetItem("Tools", ToolsText);
    Server.Answer("[ShowGroup", TFakeProgMan::aRefuse);
    PM.SelectGroup("Tools");
    try {
        PM.DeleteItem("Editor");
        FAIL() << "no exception";
    } catch (const EAIPMCannotOpenGroup& e) {
        EXPECT_EQ(e.Group, "Tools");
        EXPECT_STREQ(e.what(), "The TProgramManager object was unable to show the following group: Tools");
    }
    EXPECT_THROW(PM.AddItem("C:\\A.EXE", "A", "", 0, "", ""), EAIPMCannotOpenGroup);
    EXPECT_EQ(Server.Executes(), (Strings{"[ShowGroup(Tools,8)]", "[ShowGroup(Tools,8)]"}));
}

TEST_F(ProgramManagerTest, RefusedItemCommandsCarryTheirMessages) {
    Server.SetItem("Tools", ToolsText);
    Server.Answer("[AddItem", TFakeProgMan::aRefuse);
    Server.Answer("[DeleteItem", TFakeProgMan::aRefuse);
    Server.Answer("[ReplaceItem", TFakeProgMan::aBusy);
    PM.SelectGroup("Tools");
    try {
        PM.AddItem("C:\\A.EXE", "100%s A", "", 0, "C:\\", "");
        FAIL() << "no exception";
    } catch (const EAIPMCannotAddItem& e) {
        EXPECT_EQ(e.ItemName, "100%s A");
        EXPECT_EQ(e.Command, "[AddItem(C:\\A.EXE,100%s A,,0,,,C:\\,)]");
        EXPECT_STREQ(e.what(),
                     "The TProgramManager object was unable to add the following program item: 100%s A to the "
                     "following group: Tools. The arguments passed to  Program Manager were: "
                     "[AddItem(C:\\A.EXE,100%s A,,0,,,C:\\,)]");
    }
    try {
        PM.DeleteItem("Editor");
        FAIL() << "no exception";
    } catch (const EAIPMCannotDeleteItem& e) {
        EXPECT_STREQ(e.what(),
                     "The TProgramManager object was unable to delete the following program item: Editor to the "
                     "following group: Tools");
    }
    try {
        PM.ReplaceItem("Viewer");
        FAIL() << "no exception";
    } catch (const EAIPMCannotReplaceItem& e) {
        EXPECT_EQ(e.Group, "Tools");
        EXPECT_EQ(e.ItemName, "Viewer");
        EXPECT_STREQ(e.what(),
                     "The TProgramManager object was unable to replace the following program item: Viewer to the "
                     "following group: Tools");
    }
}

// Rule: message templates are translated before the values are filled in.
TEST_F(ProgramManagerTest, MessagesPassThroughTranslation) {
    SetMessageTextTranslator([](std::string_view text) {
        if (text == "The TProgramManager object was unable to create the following group: %s")
            return std::string("Gruppe %s nicht angelegt");
        return std::string(text);
    });
    Server.Answer("[CreateGroup", TFakeProgMan::aRefuse);
    try {
        PM.CreateGroup("100%");
        FAIL() << "no exception";
    } catch (const EAIPMCannotCreateGroup& e) {
        EXPECT_STREQ(e.what(), "Gruppe 100% nicht angelegt");
    }
    SetMessageTextTranslator(nullptr);
}

// Rule: a Program Manager that does not answer in time costs the bound,
// not the install: the command fails with its own error, naming the cause.
TEST_F(ProgramManagerTest, SlowServerFailsWithinTheBound) {
    Server.Answer("[CreateGroup", TFakeProgMan::aSlow);
    PM.SetTimeout(300);
    auto start = std::chrono::steady_clock::now();
    try {
        PM.CreateGroup("Tools");
        FAIL() << "no exception";
    } catch (const EAIPMCannotCreateGroup& e) {
        EXPECT_NE(e.Detail.find("timed out"), std::string::npos) << e.Detail;
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(TFakeProgMan::SlowMilliseconds));
}

// Rule: the late answer of a command that timed out is not taken for the
// answer of the next command: that one is judged by its own answer.
TEST_F(ProgramManagerTest, LateAnswerIsNotTakenForTheNextCommand) {
    Server.Answer("[CreateGroup(\"Slow", TFakeProgMan::aSlow);
    Server.Answer("[CreateGroup(\"Refused", TFakeProgMan::aRefuse);
    PM.SetTimeout(300);
    EXPECT_THROW(PM.CreateGroup("Slow"), EAIPMCannotCreateGroup);
    EXPECT_FALSE(PM.Connected());
    PM.SetTimeout(3000);  // long enough to see the late answer
    EXPECT_THROW(PM.CreateGroup("Refused"), EAIPMCannotCreateGroup);
    PM.CreateGroup("Fine");
    EXPECT_EQ(PM.CurrentGroup(), "Fine");
    EXPECT_EQ(Server.Executes(),
              (Strings{"[CreateGroup(\"Slow\")]", "[CreateGroup(\"Refused\")]", "[CreateGroup(\"Fine\")]"}));
}

TEST_F(ProgramManagerTest, SlowRequestRaisesInsteadOfLookingEmpty) {
    Server.SetItem("Groups", "Main\r\n");
    Server.SetRequestDelay(TFakeProgMan::SlowMilliseconds);
    PM.SetTimeout(300);
    TStringList groups{"old"};
    try {
        PM.GetGroups(groups);
        FAIL() << "no exception";
    } catch (const EAIPMError& e) {
        EXPECT_STREQ(e.what(), "The TProgramManager object was unable to communicate with Program Manager");
        EXPECT_NE(e.Detail.find("Groups"), std::string::npos) << e.Detail;
    }
    EXPECT_EQ(groups.Strings, Strings{"old"}) << "the list is left as it was";
}

TEST_F(ProgramManagerTest, DisconnectForgetsTheGroupAndReconnects) {
    Server.SetItem("Tools", ToolsText);
    PM.SelectGroup("Tools");
    PM.Disconnect();
    EXPECT_FALSE(PM.Connected());
    EXPECT_EQ(PM.CurrentGroup(), "");
    PM.SelectGroup("Tools");
    EXPECT_TRUE(PM.Connected());
    EXPECT_EQ(PM.ItemCount(), 4);
}

// ------------------------------------------------------ Wine's Program Manager

std::filesystem::path ProgramsFolder(int Folder) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, Folder, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return std::filesystem::u8path(path);
}

// Wine's desktop serves Program Manager's DDE interface while a display is
// there; it may still be starting when the test begins.
bool ConnectToRealProgramManager(TProgramManager& PM) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        try {
            PM.Connect();
            return true;
        } catch (const EAIPMCannotOpen&) {
            Sleep(250);
        }
    }
    return false;
}

// Wine's Program Manager opens a group it creates or shows in a folder
// window of an explorer process of its own, a moment after the command.
// Those windows are closed again (found by the group name in their
// caption), so that no process the test caused outlives it.
struct TWindowSearch {
    std::string Group;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectGroupWindow(HWND Window, LPARAM Param) {
    auto* search = reinterpret_cast<TWindowSearch*>(Param);
    char caption[512] = {};
    GetWindowTextA(Window, caption, sizeof caption);
    if (std::string(caption).find(search->Group) != std::string::npos) search->Found.push_back(Window);
    return TRUE;
}

void CloseGroupWindows(const std::string& Group) {
    TWindowSearch search{Group, {}};
    int seen = 0;
    int quiet = 0;
    for (int round = 0; round < 100 && !(seen && quiet >= 15); ++round) {
        search.Found.clear();
        EnumWindows(CollectGroupWindow, reinterpret_cast<LPARAM>(&search));
        for (HWND window : search.Found) PostMessageA(window, WM_CLOSE, 0, 0);
        seen += static_cast<int>(search.Found.size());
        quiet = search.Found.empty() ? quiet + 1 : 0;
        Sleep(100);
    }
}

TEST(RealProgramManager, CreateGroupAndAddItem) {
    if (!GetEnvironmentVariableA("DISPLAY", nullptr, 0)) GTEST_SKIP() << "no display, so no Program Manager";
    TProgramManager& pm = ProgramManager();
    EXPECT_EQ(&pm, &ProgramManager()) << "one instance";
    ASSERT_TRUE(ConnectToRealProgramManager(pm)) << "Program Manager did not answer";
    const std::string group = "Vtrl PM Test " + std::to_string(GetCurrentProcessId());
    struct TCloser {
        const std::string& Group;
        ~TCloser() { CloseGroupWindows(Group); }
    } closer{group};
    pm.CreateGroup(group);
    EXPECT_EQ(pm.CurrentGroup(), group);
    // Wine answers this request with data, which is followed by the stray
    // acknowledgement the commands after it must not take for theirs.
    TStringList groups;
    pm.GetGroups(groups);
    EXPECT_NE(groups.IndexOf(group), -1);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string notepad = std::string(windows) + "\\notepad.exe";
    pm.AddItem(notepad, "Vtrl Notepad", notepad, 0, windows, "");
    EXPECT_EQ(pm.CurrentGroup(), group);

    // The group is a Start-menu folder holding the item's link.
    bool found = false;
    for (int folder : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        std::filesystem::path dir = ProgramsFolder(folder);
        if (dir.empty() || !std::filesystem::is_directory(dir / group)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir / group))
            if (entry.path().extension() == ".lnk") found = true;
        std::error_code ignored;
        std::filesystem::remove_all(dir / group, ignored);
    }
    EXPECT_TRUE(found) << "no link in the group's folder";
}

}  // namespace
}  // namespace vtrl
