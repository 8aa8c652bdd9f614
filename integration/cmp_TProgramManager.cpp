// The Program Manager client over DDEML, its DDE conversation and its errors.
#include "cmp_TProgramManager.h"

#include "TypInfo.h"

#include <windows.h>

#include <dde.h>
#include <ddeml.h>

namespace vtrl {

// ------------------------------------------------------------------ errors

namespace {

// A value written straight into a template must not be read as a format
// directive: an item named "100%s" would otherwise consume an argument.
std::string EscapePercent(const std::string& Text) {
    std::string result;
    for (char c : Text) {
        result += c;
        if (c == '%') result += '%';
    }
    return result;
}

}  // namespace

EAIPMError::EAIPMError()
    : EAI(TranslateMessageText("The TProgramManager object was unable to communicate with Program Manager")) {}

EAIPMCannotOpen::EAIPMCannotOpen()
    : EAIPMError(TFinished{},
                 TranslateMessageText("The TProgramManager object was unable to establish a link with Program Manager")) {}

EAIPMCannotOpenGroup::EAIPMCannotOpenGroup(const std::string& group)
    : EAIPMError(TFinished{},
                 TranslatedFmt("The TProgramManager object was unable to show the following group: %s", group)),
      Group(group) {}

EAIPMCannotCreateGroup::EAIPMCannotCreateGroup(const std::string& group)
    : EAIPMError(TFinished{},
                 TranslatedFmt("The TProgramManager object was unable to create the following group: %s", group)),
      Group(group) {}

// The item name is part of the template itself, so it is translated with
// it; the group and the command are filled in afterwards.
EAIPMCannotAddItem::EAIPMCannotAddItem(const std::string& group, const std::string& itemName,
                                       const std::string& command)
    : EAIPMError(TFinished{},
                 TranslatedFmt("The TProgramManager object was unable to add the following program item: " +
                                   EscapePercent(itemName) + " to the following group: %s. The arguments passed to " +
                                   " Program Manager were: %s",
                               group, command)),
      Group(group),
      ItemName(itemName),
      Command(command) {}

EAIPMCannotReplaceItem::EAIPMCannotReplaceItem(const std::string& group, const std::string& itemName)
    : EAIPMError(TFinished{},
                 TranslatedFmt(std::string("The TProgramManager object was unable to replace the following program "
                                           "item: %s") +
                                   " to the following group: %s",
                               itemName, group)),
      Group(group),
      ItemName(itemName) {}

EAIPMCannotDeleteItem::EAIPMCannotDeleteItem(const std::string& group, const std::string& itemName)
    : EAIPMError(TFinished{},
                 TranslatedFmt(std::string("The TProgramManager object was unable to delete the following program "
                                           "item: %s") +
                                   " to the following group: %s",
                               itemName, group)),
      Group(group),
      ItemName(itemName) {}

// ------------------------------------------------------- DDE conversation

namespace {

// A client-only instance gets no transactions worth answering.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// A DDEML string handle, freed with its owner scope (before the instance).
class TStringHandle {
public:
    TStringHandle(DWORD Inst, const std::string& Text)
        : FInst(Inst), FHandle(DdeCreateStringHandleA(Inst, Text.c_str(), CP_WINANSI)) {}
    ~TStringHandle() {
        if (FHandle) DdeFreeStringHandle(FInst, FHandle);
    }
    TStringHandle(const TStringHandle&) = delete;
    TStringHandle& operator=(const TStringHandle&) = delete;
    operator HSZ() const { return FHandle; }

private:
    DWORD FInst;
    HSZ FHandle;
};

std::string DdeErrorText(UINT Code) {
    switch (Code) {
        case DMLERR_NO_ERROR: return "no error";
        case DMLERR_ADVACKTIMEOUT: return "advise timed out";
        case DMLERR_BUSY: return "server busy";
        case DMLERR_DATAACKTIMEOUT: return "request timed out";
        case DMLERR_DLL_NOT_INITIALIZED: return "DDEML not initialised";
        case DMLERR_DLL_USAGE: return "DDEML usage error";
        case DMLERR_EXECACKTIMEOUT: return "execute timed out";
        case DMLERR_INVALIDPARAMETER: return "invalid parameter";
        case DMLERR_LOW_MEMORY: return "low memory";
        case DMLERR_MEMORY_ERROR: return "memory error";
        case DMLERR_NOTPROCESSED: return "not processed";
        case DMLERR_NO_CONV_ESTABLISHED: return "no conversation established";
        case DMLERR_POKEACKTIMEOUT: return "poke timed out";
        case DMLERR_POSTMSG_FAILED: return "posting a message failed";
        case DMLERR_REENTRANCY: return "reentrant call";
        case DMLERR_SERVER_DIED: return "server died";
        case DMLERR_SYS_ERROR: return "system error";
        case DMLERR_UNADVACKTIMEOUT: return "unadvise timed out";
        case DMLERR_UNFOUND_QUEUE_ID: return "unknown transaction";
        default: return "DDEML error " + std::to_string(Code);
    }
}

bool IsTimeout(UINT Code) {
    return Code == DMLERR_EXECACKTIMEOUT || Code == DMLERR_DATAACKTIMEOUT || Code == DMLERR_POKEACKTIMEOUT ||
           Code == DMLERR_ADVACKTIMEOUT || Code == DMLERR_UNADVACKTIMEOUT;
}

}  // namespace

TDdeClientConv::~TDdeClientConv() { CloseLink(); }

bool TDdeClientConv::OpenLink() {
    if (FConv) return true;
    FLastError.clear();
    DWORD inst = 0;
    UINT status = DdeInitializeA(&inst, ClientCallback, APPCMD_CLIENTONLY, 0);
    if (status != DMLERR_NO_ERROR) {
        FLastError = "DdeInitialize failed: " + DdeErrorText(status);
        return false;
    }
    HCONV conv = nullptr;
    {
        TStringHandle service(inst, DdeService);
        TStringHandle topic(inst, DdeTopic);
        conv = DdeConnect(inst, service, topic, nullptr);
        if (!conv)
            FLastError = "no DDE server answered service \"" + DdeService + "\", topic \"" + DdeTopic + "\" (" +
                         DdeErrorText(DdeGetLastError(inst)) + ")";
    }
    if (!conv) {
        DdeUninitialize(inst);
        return false;
    }
    FInst = inst;
    FConv = conv;
    return true;
}

void TDdeClientConv::CloseLink() {
    FAbandoned.push_back({FInst, FConv});
    FInst = 0;
    FConv = nullptr;
    for (const auto& [inst, conv] : FAbandoned) {
        if (conv) DdeDisconnect(static_cast<HCONV>(conv));
        if (inst) DdeUninitialize(inst);
    }
    FAbandoned.clear();
}

bool TDdeClientConv::EnsureOpen() {
    if (FConv) return true;
    if (ConnectMode == ddeAutomatic) return OpenLink();
    FLastError = "no DDE conversation is open";
    return false;
}

// A server that answers after the bound still answers: its late
// acknowledgement would be taken for the answer to the next transaction,
// and every answer after it would be one late. So a conversation whose
// answer is overdue is given up and the next transaction needs a new one.
// It is not ended now: DdeDisconnect waits for the busy server to confirm,
// which would undo the bound. Late answers reach its own window, which
// ignores them; CloseLink ends it.
void TDdeClientConv::SetTransactionError(const std::string& What, uint32_t Code) {
    FLastError = What + ": " + DdeErrorText(Code);
    if (IsTimeout(Code)) {
        FLastError += " (no answer within " + std::to_string(Timeout) + " ms)";
        FAbandoned.push_back({FInst, FConv});
        FInst = 0;
        FConv = nullptr;
    }
}

namespace {

// A synchronous transaction needs a finite, non-zero bound; TIMEOUT_ASYNC
// would return at once without an answer.
DWORD TransactionTimeout(uint32_t Timeout) {
    if (Timeout == 0) return 1;
    if (Timeout >= TIMEOUT_ASYNC) return TIMEOUT_ASYNC - 1;
    return Timeout;
}

// Wine's DDEML server follows the data it returns for a request with a
// positive acknowledgement, which Windows does not send. Left in the queue,
// the next transaction takes it for its own answer and every answer after
// that arrives one transaction late (a refused command looks accepted).
// Between two synchronous transactions none is outstanding, so any
// acknowledgement waiting for the conversation's window is such a stray
// one. Waits up to WaitMilliseconds for one to arrive, since the server
// posts it just after the data.
void DropStrayAcknowledgements(HCONV Conv, DWORD WaitMilliseconds) {
    CONVINFO info = {};
    info.cb = sizeof info;
    if (!DdeQueryConvInfo(Conv, QID_SYNC, &info) || !info.hwnd) return;
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        bool dropped = false;
        while (PeekMessageA(&msg, info.hwnd, WM_DDE_ACK, WM_DDE_ACK, PM_REMOVE)) {
            // The item atom in it is the one the data message carried and
            // released; only the packed parameter is ours to free.
            FreeDDElParam(WM_DDE_ACK, msg.lParam);
            dropped = true;
        }
        DWORD elapsed = GetTickCount() - start;
        if (dropped || elapsed >= WaitMilliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, WaitMilliseconds - elapsed, QS_POSTMESSAGE);
    }
}

// Only Wine's DDEML sends the stray acknowledgement, so only under Wine is
// it worth waiting for.
bool DdemlSendsStrayAcknowledgements() {
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace

bool TDdeClientConv::ExecuteMacro(const std::string& Command) {
    if (!EnsureOpen()) return false;
    // The command travels with its terminating NUL; DDEML converts it when
    // the server is a Unicode one.
    DropStrayAcknowledgements(static_cast<HCONV>(FConv), 0);
    std::string data = Command;
    DWORD result = 0;
    HDDEDATA done = DdeClientTransaction(reinterpret_cast<LPBYTE>(data.data()), static_cast<DWORD>(data.size() + 1),
                                         static_cast<HCONV>(FConv), nullptr, CF_TEXT, XTYP_EXECUTE,
                                         TransactionTimeout(Timeout), &result);
    if (!done) {
        SetTransactionError("execute of \"" + Command + "\"", DdeGetLastError(FInst));
        return false;
    }
    return true;
}

TDdeClientConv::TRequestResult TDdeClientConv::RequestData(const std::string& Item, std::string& Text) {
    Text.clear();
    if (!EnsureOpen()) return rrFailed;
    DropStrayAcknowledgements(static_cast<HCONV>(FConv), 0);
    HDDEDATA data;
    {
        TStringHandle item(FInst, Item);
        data = DdeClientTransaction(nullptr, 0, static_cast<HCONV>(FConv), item, CF_TEXT, XTYP_REQUEST,
                                    TransactionTimeout(Timeout), nullptr);
    }
    if (!data) {
        // A server that has no data for the item answers with a negative
        // acknowledgement: an answer, not a failure.
        UINT code = DdeGetLastError(FInst);
        if (code == DMLERR_NO_ERROR || code == DMLERR_NOTPROCESSED) return rrNoData;
        SetTransactionError("request of \"" + Item + "\"", code);
        return rrFailed;
    }
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string text(size, '\0');
    if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
    DdeFreeDataHandle(data);
    DropStrayAcknowledgements(static_cast<HCONV>(FConv), DdemlSendsStrayAcknowledgements() ? 200 : 0);
    // CF_TEXT ends at its first NUL; the handle may be larger than the text.
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    Text = std::move(text);
    return Text.empty() ? rrNoData : rrData;
}

// -------------------------------------------------------- Program Manager

VTRL_IMPLEMENT_CLASS(TProgramManager, TComponent, [](auto&) {})

TProgramManager::TProgramManager(TComponent* AOwner)
    : TComponent(AOwner), FConversation(std::make_unique<TDdeClientConv>()), FItemLines(std::make_unique<TStringList>()) {}

TProgramManager::~TProgramManager() {
    if (FConnected) FConversation->CloseLink();
}

uint32_t TProgramManager::Timeout() const { return FConversation->Timeout; }

void TProgramManager::SetTimeout(uint32_t Milliseconds) { FConversation->Timeout = Milliseconds; }

// A conversation that timed out has been closed: the next operation
// connects again.
template <class E>
void TProgramManager::RaiseWithCause(E&& Error) {
    if (!FConversation->Connected()) FConnected = false;
    Error.Detail = FConversation->LastError();
    throw std::forward<E>(Error);
}

void TProgramManager::Connect() {
    if (FConnected) return;
    FConversation->DdeService = FServiceName;
    FConversation->DdeTopic = FTopicName;
    FConversation->ConnectMode = ddeManual;
    if (!FConversation->OpenLink()) RaiseWithCause(EAIPMCannotOpen());
    FConnected = true;
}

void TProgramManager::Disconnect() {
    FConversation->CloseLink();
    FConnected = false;
    FCurrentGroup.clear();
    FItemLines->Clear();
}

bool TProgramManager::Execute(const std::string& Command) { return FConversation->ExecuteMacro(Command); }

void TProgramManager::GetGroups(TStringList& Groups) {
    Connect();
    std::string text;
    if (FConversation->RequestData("Groups", text) == TDdeClientConv::rrFailed) RaiseWithCause(EAIPMError());
    Groups.SetText(text);
}

bool TProgramManager::ReadGroup(const std::string& Group) {
    FItemLines->Clear();
    if (Group.empty()) return false;  // DDEML has no item of that name
    std::string text;
    TDdeClientConv::TRequestResult result = FConversation->RequestData(Group, text);
    if (result == TDdeClientConv::rrFailed) RaiseWithCause(EAIPMError());
    if (result == TDdeClientConv::rrNoData) return false;
    FItemLines->SetText(text);
    return true;
}

void TProgramManager::SelectGroup(const std::string& Group) {
    Connect();
    FCurrentGroup.clear();
    if (ReadGroup(Group)) FCurrentGroup = Group;
}

// Program Manager has just accepted a command on this group, so the group
// exists even when it returns no item list for it (Wine's Program Manager
// never does): it stays current, or the next item command would be
// dropped without a word.
void TProgramManager::RefreshGroup() {
    std::string group = FCurrentGroup;
    ReadGroup(group);
    FCurrentGroup = group;
}

void TProgramManager::CreateGroup(const std::string& Group) {
    Connect();
    if (Group.empty()) return;
    if (!Execute("[CreateGroup(\"" + Group + "\")]")) RaiseWithCause(EAIPMCannotCreateGroup(Group));
    FCurrentGroup = Group;
    RefreshGroup();
}

int TProgramManager::ItemCount() const {
    int lines = FItemLines->Count();
    return lines < 2 ? 0 : lines - 1;
}

std::string TProgramManager::ItemField(int Index, int Field) const {
    if (Index <= 0 || Index >= FItemLines->Count()) return std::string();
    std::string field = GetToken((*FItemLines)[Index], ',', Field);
    if ((Field == 1 || Field == 2) && field.size() > 1) {
        if (field.front() == '"') field.erase(0, 1);
        if (!field.empty() && field.back() == '"') field.pop_back();
    }
    return field;
}

int TProgramManager::IndexOfItem(const std::string& Name) const {
    for (int i = 1; i <= ItemCount(); ++i)
        if (ItemField(i, 1) == Name) return i;
    return -1;
}

void TProgramManager::ShowCurrentGroup() {
    // 8: show the group in its current state without activating it.
    if (!Execute("[ShowGroup(" + FCurrentGroup + ",8)]")) RaiseWithCause(EAIPMCannotOpenGroup(FCurrentGroup));
}

void TProgramManager::AddItem(const std::string& CommandLine, const std::string& Name, const std::string& IconPath,
                              int IconIndex, const std::string& DefaultDir, const std::string& HotKey) {
    Connect();
    if (FCurrentGroup.empty()) return;
    ShowCurrentGroup();
    // The two empty fields after the icon index are the item's position,
    // left to Program Manager.
    std::string command = "[AddItem(" + CommandLine + "," + Name + "," + IconPath + "," + std::to_string(IconIndex) +
                          "," + ",," + DefaultDir + "," + HotKey + ")]";
    if (!Execute(command)) RaiseWithCause(EAIPMCannotAddItem(FCurrentGroup, Name, command));
    RefreshGroup();
}

void TProgramManager::DeleteItem(const std::string& Name) {
    Connect();
    if (FCurrentGroup.empty()) return;
    ShowCurrentGroup();
    if (!Execute("[DeleteItem(\"" + Name + "\")]")) RaiseWithCause(EAIPMCannotDeleteItem(FCurrentGroup, Name));
    RefreshGroup();
}

void TProgramManager::ReplaceItem(const std::string& Name) {
    Connect();
    if (FCurrentGroup.empty()) return;
    ShowCurrentGroup();
    if (!Execute("[ReplaceItem(\"" + Name + "\")]")) RaiseWithCause(EAIPMCannotReplaceItem(FCurrentGroup, Name));
    RefreshGroup();
}

// Created on first use and never destroyed: the DDE conversation belongs to
// the thread that first used it (the user-interface thread), and Windows
// ends the conversation when the program's windows go at exit, which is
// safer than closing it from a static destructor after the runtime's own
// globals are gone.
TProgramManager& ProgramManager() {
    static TProgramManager* instance = new TProgramManager(nullptr);
    return *instance;
}

}  // namespace vtrl
