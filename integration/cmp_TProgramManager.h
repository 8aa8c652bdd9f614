// The Program Manager client: program groups and items made through
// Program Manager's DDE interface, for systems whose shell has no links.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Classes.h"
#include "exceptions_ProgramManager.h"

namespace vtrl {

// How a DDE client conversation opens: ddeManual only through OpenLink,
// ddeAutomatic also on the first ExecuteMacro or RequestData.
enum TDataMode { ddeAutomatic, ddeManual };

// One DDEML client conversation with a DDE server (service and topic). It
// belongs to the thread that opens it: DDEML instances are per thread.
// Every transaction is synchronous and bounded by Timeout:
// DdeClientTransaction pumps the thread's messages while it waits, so a
// server in the same thread is served, and a server that never answers
// costs Timeout milliseconds instead of hanging the caller. After a failed
// call LastError() describes the cause for a log line.
class TDdeClientConv {
public:
    TDdeClientConv() = default;
    ~TDdeClientConv();  // closes the link
    TDdeClientConv(const TDdeClientConv&) = delete;
    TDdeClientConv& operator=(const TDdeClientConv&) = delete;

    std::string DdeService;
    std::string DdeTopic;
    TDataMode ConnectMode = ddeAutomatic;
    // Bound of every transaction, in milliseconds.
    uint32_t Timeout = 5000;

    // Opens the conversation with DdeService/DdeTopic; true when open
    // (also when it already was). False when DDEML cannot start or no
    // server answers; nothing is left open then.
    [[nodiscard]] bool OpenLink();
    // Ends the conversation and the DDEML instance, and those given up
    // after a timeout (waiting for their servers to confirm); harmless
    // when closed.
    void CloseLink();
    bool Connected() const { return FConv != nullptr; }

    // Sends Command as an execute transaction. True when the server
    // accepted it; false when it refused, was busy, did not answer in time
    // (the conversation is then given up, as its late answer would be
    // taken for the next one's) or no conversation is open.
    [[nodiscard]] bool ExecuteMacro(const std::string& Command);

    enum TRequestResult {
        rrData,       // Text holds what the server returned
        rrNoData,     // the server answered without data (Text empty)
        rrFailed      // no answer in time (conversation given up), or none open
    };
    // Requests Item as CF_TEXT. Text is set to the returned text up to its
    // first NUL, and is empty unless the result is rrData.
    [[nodiscard]] TRequestResult RequestData(const std::string& Item, std::string& Text);

    // The cause of the last failure (as in: no DDE server answered service
    // "PROGMAN", topic "PROGMAN" (...); execute of "[...]": execute timed
    // out (no answer within 5000 ms)).
    const std::string& LastError() const { return FLastError; }

private:
    bool EnsureOpen();
    // Records What failed with DDEML error Code; gives the conversation
    // up when the server did not answer in time.
    void SetTransactionError(const std::string& What, uint32_t Code);
    uint32_t FInst = 0;      // DDEML instance id (a DWORD)
    void* FConv = nullptr;   // HCONV
    // Instances and conversations given up after a timeout.
    std::vector<std::pair<uint32_t, void*>> FAbandoned;
    std::string FLastError;
};

// A DDE client of Program Manager. Every operation first calls Connect; the
// conversation then stays open until Disconnect or destruction. Commands
// are sent exactly as documented with each operation; names and paths are
// passed as given (no quoting is added: callers quote paths that need it).
// A refused command raises the EAIPM class named with the operation and
// leaves the current group as it was; so does a command Program Manager
// does not answer within Timeout, and the operation after it connects
// again. Exception::Detail names the cause.
class TProgramManager : public TComponent {
    VTRL_CLASS(TProgramManager)
public:
    explicit TProgramManager(TComponent* AOwner);
    ~TProgramManager() override;

    // The DDE service and topic (both "PROGMAN"). Tests point them at a
    // server of their own; a change takes effect at the next Connect.
    const std::string& ServiceName() const { return FServiceName; }
    void SetServiceName(const std::string& Value) { FServiceName = Value; }
    const std::string& TopicName() const { return FTopicName; }
    void SetTopicName(const std::string& Value) { FTopicName = Value; }
    // Bound of every DDE transaction in milliseconds (default 5000).
    uint32_t Timeout() const;
    void SetTimeout(uint32_t Milliseconds);

    bool Connected() const { return FConnected; }
    // Opens the conversation unless it is open; raises EAIPMCannotOpen
    // when no Program Manager answers.
    void Connect();
    // Closes the conversation and forgets the current group; the next
    // operation connects again.
    void Disconnect();

    // Groups's text := the names of Program Manager's groups, one a line
    // (request of the item "Groups"). Raises EAIPMError when Program
    // Manager does not answer.
    void GetGroups(TStringList& Groups);
    // Reads the group's item list. When Program Manager returns text, Group
    // becomes the current group and ItemLines holds that text; otherwise
    // there is no current group and ItemLines is empty (not an error).
    void SelectGroup(const std::string& Group);
    // Sends [CreateGroup("Group")] (EAIPMCannotCreateGroup when refused)
    // and makes Group the current group; Program Manager opens an existing
    // group of that name instead. An empty name does nothing. The group
    // stays current even when Program Manager lists no items for it.
    void CreateGroup(const std::string& Group);

    // Items of the current group: lines after the first (which describes
    // the group itself); 0 with fewer than two lines.
    int ItemCount() const;
    // Field Field (1 item name, 2 command line, 3 default directory, 4 icon
    // path, 5 and 6 position, 7 icon index, 8 hot key) of item Index
    // (1 .. ItemCount). Empty when Index is outside 1 .. last line or the
    // line has fewer fields. Fields 1 and 2 lose one pair of surrounding
    // double quotes.
    std::string ItemField(int Index, int Field) const;
    // The first item index whose name (field 1) equals Name exactly,
    // case-sensitive; -1 when none.
    int IndexOfItem(const std::string& Name) const;

    // With a current group: shows it without activating it
    // ([ShowGroup(group,8)], EAIPMCannotOpenGroup), sends
    // [AddItem(CommandLine,Name,IconPath,IconIndex,,,DefaultDir,HotKey)]
    // (EAIPMCannotAddItem) and rereads the group. Without one: nothing.
    void AddItem(const std::string& CommandLine, const std::string& Name, const std::string& IconPath,
                 int IconIndex, const std::string& DefaultDir, const std::string& HotKey);
    // With a current group: ShowGroup as above, then [DeleteItem("Name")]
    // (EAIPMCannotDeleteItem), then rereads the group.
    void DeleteItem(const std::string& Name);
    // As DeleteItem with [ReplaceItem("Name")] (EAIPMCannotReplaceItem):
    // Program Manager deletes the item and puts the next added item in
    // its place.
    void ReplaceItem(const std::string& Name);

    const std::string& CurrentGroup() const { return FCurrentGroup; }
    // The text Program Manager returned for the current group, one line
    // per row.
    const TStringList& ItemLines() const { return *FItemLines; }

private:
    // Requests the group's text into the item lines; true when text came.
    bool ReadGroup(const std::string& Group);
    // Rereads the current group after a command it accepted; the group
    // stays current even when no text comes back.
    void RefreshGroup();
    void ShowCurrentGroup();
    // Sends Command; false when refused (cause in the conversation).
    bool Execute(const std::string& Command);
    template <class E>
    [[noreturn]] void RaiseWithCause(E&& Error);

    bool FConnected = false;
    std::unique_ptr<TDdeClientConv> FConversation;
    std::string FCurrentGroup;
    std::unique_ptr<TStringList> FItemLines;
    std::string FServiceName = "PROGMAN";
    std::string FTopicName = "PROGMAN";
};

// The single Program Manager client of the program, without owner. It is
// created on first use rather than at program start: opening no
// conversation until a caller needs one costs nothing on systems that
// never use Program Manager.
TProgramManager& ProgramManager();

}  // namespace vtrl
