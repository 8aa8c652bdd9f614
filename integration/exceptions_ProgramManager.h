// The EAIPM family: failures of the conversation with Program Manager. Each
// message template is translated before its values are filled in; the
// Windows-side cause (no server, refused, busy, timed out) goes to Detail.
#pragma once

#include <string>

#include "exceptions_Vantrel.h"

namespace vtrl {

// Program Manager did not answer or the conversation failed.
class EAIPMError : public EAI {
public:
    EAIPMError();

protected:
    // For the descendants: Message is the finished (translated) text.
    struct TFinished {};
    EAIPMError(TFinished, std::string Message) : EAI(std::move(Message)) {}
};

// No conversation could be opened with Program Manager.
class EAIPMCannotOpen : public EAIPMError {
public:
    EAIPMCannotOpen();
};

// Program Manager refused to show Group (the ShowGroup command before an
// item command).
class EAIPMCannotOpenGroup : public EAIPMError {
public:
    explicit EAIPMCannotOpenGroup(const std::string& Group);
    std::string Group;
};

// Program Manager refused the CreateGroup command for Group.
class EAIPMCannotCreateGroup : public EAIPMError {
public:
    explicit EAIPMCannotCreateGroup(const std::string& Group);
    std::string Group;
};

// Program Manager refused the AddItem command; Command is the whole command
// string that was sent.
class EAIPMCannotAddItem : public EAIPMError {
public:
    EAIPMCannotAddItem(const std::string& Group, const std::string& ItemName, const std::string& Command);
    std::string Group;
    std::string ItemName;
    std::string Command;
};

// Program Manager refused the ReplaceItem command.
class EAIPMCannotReplaceItem : public EAIPMError {
public:
    EAIPMCannotReplaceItem(const std::string& Group, const std::string& ItemName);
    std::string Group;
    std::string ItemName;
};

// Program Manager refused the DeleteItem command.
class EAIPMCannotDeleteItem : public EAIPMError {
public:
    EAIPMCannotDeleteItem(const std::string& Group, const std::string& ItemName);
    std::string Group;
    std::string ItemName;
};

}  // namespace vtrl
