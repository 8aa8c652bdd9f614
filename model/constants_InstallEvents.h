// The names of the installation events. An event is sent by one of these
// constants only, so a misspelt name does not compile; the text is what
// receivers and logs see.
#pragma once

#include <string>
#include <string_view>

namespace vtrl {

class TEventName {
public:
    explicit constexpr TEventName(const char* Text) : FText(Text) {}
    constexpr std::string_view Text() const { return FText; }
    std::string str() const { return FText; }
    // Names are compared as the system compares them: without regard to
    // ASCII case.
    bool operator==(const TEventName& Other) const;

private:
    const char* FText;
};

namespace ev {

// ---- broadcasts to the dialog components and managers of a container
// The run's fixed points.
inline constexpr TEventName eccBeforeReadArchiveInfo{"eccBeforeReadArchiveInfo"};
inline constexpr TEventName eccAfterReadArchiveInfo{"eccAfterReadArchiveInfo"};
inline constexpr TEventName eccStartingUp{"eccStartingUp"};
inline constexpr TEventName eccLanguageDialog{"eccLanguageDialog"};
inline constexpr TEventName eccWelcomeDialog{"eccWelcomeDialog"};
inline constexpr TEventName eccLicenseAgreement{"eccLicenseAgreement"};
inline constexpr TEventName eccReadmeDialog{"eccReadmeDialog"};
inline constexpr TEventName eccBeginningDialogManager{"eccBeginningDialogManager"};
inline constexpr TEventName ShutDownDialog{"ShutDownDialog"};
inline constexpr TEventName GoodInstallation{"GoodInstallation"};
inline constexpr TEventName eccGoodInstallDialogManager{"eccGoodInstallDialogManager"};
inline constexpr TEventName BadInstallation{"BadInstallation"};
inline constexpr TEventName eccBadInstallDialogManager{"eccBadInstallDialogManager"};
// A container's processing.
inline constexpr TEventName eccBeforeProcess{"eccBeforeProcess"};
inline constexpr TEventName InstallTypeDialog{"InstallTypeDialog"};
inline constexpr TEventName eccAfterProcess{"eccAfterProcess"};
inline constexpr TEventName eccBeforeInstallFileGroup{"eccBeforeInstallFileGroup"};
// Broadcast by a Start-menu folder to its own dialog helpers before it
// creates its directory: a folder page not driven by a manager shows itself.
inline constexpr TEventName eccSelectFolder{"eccSelectFolder"};
// The files of a pass.
inline constexpr TEventName CopyingFile{"CopyingFile"};
inline constexpr TEventName DoneCopyingFiles{"DoneCopyingFiles"};
inline constexpr TEventName ChangeDisk{"ChangeDisk"};
inline constexpr TEventName ReplacingFile{"ReplacingFile"};

// ---- sent upward from a file through its containers
inline constexpr TEventName eieBPFileContainer{"eieBPFileContainer"};
inline constexpr TEventName eieAPFileContainer{"eieAPFileContainer"};
inline constexpr TEventName eieBeforeCompressFile{"eieBeforeCompressFile"};
inline constexpr TEventName eieAfterCompressFile{"eieAfterCompressFile"};
inline constexpr TEventName eieBeforeInstallFile{"eieBeforeInstallFile"};
inline constexpr TEventName eieAfterInstallFile{"eieAfterInstallFile"};
inline constexpr TEventName eieBeforeCopyFile{"eieBeforeCopyFile"};
inline constexpr TEventName eieAfterCopyFile{"eieAfterCopyFile"};
inline constexpr TEventName eieCompressingFile{"eieCompressingFile"};
inline constexpr TEventName eieInstallingFile{"eieInstallingFile"};
inline constexpr TEventName eieCopyingFile{"eieCopyingFile"};
inline constexpr TEventName eieReplaceInstallFile{"eieReplaceInstallFile"};
inline constexpr TEventName eieChangeDisk{"eieChangeDisk"};

}  // namespace ev

}  // namespace vtrl
