// The EAI family: one exception class per install-component failure, each
// with its fixed English message, translated before its values are filled in.
#pragma once

#include <string>

#include "SysUtils.h"

namespace vtrl {

class TClassInfo;
class TInstallContainer;

class EAI : public Exception {
public:
    using Exception::Exception;
};

// Install container errors.
class EAIIC : public EAI {
public:
    using EAI::EAI;
};

class EAIICBadCompCall : public EAIIC {
public:
    EAIICBadCompCall(int32_t Index, const TClassInfo* ComponentClass);
    int32_t Index;
    const TClassInfo* ComponentClass;
};

class EAIICAddingNilHelperComponent : public EAIIC {
public:
    explicit EAIICAddingNilHelperComponent(TInstallContainer* Container);
    TInstallContainer* Container;
};

class EAIICCircularInstallContainer : public EAIIC {
public:
    // Adding a container to itself.
    EAIICCircularInstallContainer();
    // Adding Helper to Container, which Helper already holds.
    EAIICCircularInstallContainer(const std::string& Helper, const std::string& Container);
};

// Install file errors; each takes the one text its message names.
class EAIIF : public EAI {
public:
    using EAI::EAI;
};

#define VTRL_EAIIF(Cls)                                   \
    class Cls : public EAIIF {                            \
    public:                                               \
        explicit Cls(const std::string& Arg);             \
    };
VTRL_EAIIF(EAIIFCouldNotOpenFileImage)
VTRL_EAIIF(EAIIFBlankArchiveFile)
VTRL_EAIIF(EAIIFNotFileContainer)
VTRL_EAIIF(EAIIFDLLNameConflict)
VTRL_EAIIF(EAIIFDuplicateFileInGroup)
VTRL_EAIIF(EAIIFCannotUpdateDLLCountInRegistry)
#undef VTRL_EAIIF

class EAITwoInstallComponents : public EAI {
public:
    EAITwoInstallComponents();
};

// The user's cancel: the run ends through the bad-installation path
// without an error box.
class EAIUserAbort : public EAI {
public:
    EAIUserAbort();
};

// Raised at program start, possibly before a translator exists, so these
// two messages are never translated.
class EAICannotGetWindowsDir : public EAI {
public:
    EAICannotGetWindowsDir();
};

class EAICannotGetSystemDir : public EAI {
public:
    EAICannotGetSystemDir();
};

// Meta-variable expansion failures; the caller gives the (English) message.
class EAICannotExpandContainerDirMV : public EAI {
public:
    explicit EAICannotExpandContainerDirMV(const std::string& Message);
};

class EAICannotExpandInstallDirMV : public EAI {
public:
    explicit EAICannotExpandInstallDirMV(const std::string& Message);
};

// Translates Template, then formats it with Args: how every message of the
// install components is made.
template <class... A>
std::string TranslatedFmt(std::string_view Template, A&&... Args) {
    return Fmt(TranslateMessageText(Template), std::forward<A>(Args)...);
}

// Raises a plain Exception with a translated, formatted message.
template <class... A>
[[noreturn]] void RaiseFmt(std::string_view Template, A&&... Args) {
    throw Exception(TranslatedFmt(Template, std::forward<A>(Args)...));
}

}  // namespace vtrl
