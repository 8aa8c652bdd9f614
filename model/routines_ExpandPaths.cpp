// Resolution of path specifiers, special folders and meta-variables.
#include "routines_ExpandPaths.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "cmp_TInstall.h"
#include "cmp_TInstallContainer.h"
#include "routines_Registry.h"

namespace vtrl {

namespace {

std::string gWindowsDir, gSystemDir;
bool gDirsRead = false;

const char* const ShellFoldersKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const CurrentVersionKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A registry folder, or what Fallback makes when the key or the value
// cannot be read; without a trailing backslash either way. The fallback is
// worked out only when needed (the programs folder's reads the start menu).
template <class F>
std::string Folder(TRootKeys Root, const char* Key, const char* Value, F&& Fallback) {
    TRegistry reg;
    SelectRootKey(reg, Root);
    std::string v;
    if (reg.OpenKeyReadOnly(Key) && reg.TryReadString(Value, v)) return RemoveBackSlash(v);
    return RemoveBackSlash(Fallback());
}

std::string CurrentDrive() {
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    std::string dir(buf, n < sizeof buf ? n : 0);
    return dir.size() >= 2 && dir[1] == ':' ? dir.substr(0, 2) : std::string("C:");
}

// The anchors DestDir and ArchiveFile resolve alike; false for the others.
bool CommonAnchor(TPathSpecifiers Type, std::string& Anchor) {
    switch (Type) {
    case ddAbsolute: Anchor.clear(); return true;
    case ddSystem: Anchor = SystemDir(); return true;
    case ddWindows: Anchor = WindowsDir(); return true;
    case ddProgramFilesDir: Anchor = ProgramFilesFolder(); return true;
    case ddCommonFilesDir: Anchor = CommonFilesFolder(); return true;
    default: return false;
    }
}

}  // namespace

void InitSystemDirectories() {
    char buf[261];
    UINT n = GetWindowsDirectoryA(buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) throw EAICannotGetWindowsDir();
    gWindowsDir = RemoveBackSlash(std::string(buf, n));
    n = GetSystemDirectoryA(buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) throw EAICannotGetSystemDir();
    gSystemDir = RemoveBackSlash(std::string(buf, n));
    gDirsRead = true;
}

const std::string& WindowsDir() {
    if (!gDirsRead) InitSystemDirectories();
    return gWindowsDir;
}

const std::string& SystemDir() {
    if (!gDirsRead) InitSystemDirectories();
    return gSystemDir;
}

// The start menu's fallback is the eight-letter "Startmen", as old setups
// created it.
std::string StartMenuFolder() {
    return Folder(hkCurrentUser, ShellFoldersKey, "Start Menu", [] { return WindowsDir() + "\\Startmen"; });
}
std::string ProgramsFolder() {
    return Folder(hkCurrentUser, ShellFoldersKey, "Programs", [] { return StartMenuFolder() + "\\Programs"; });
}
std::string DesktopFolder() {
    return Folder(hkCurrentUser, ShellFoldersKey, "Desktop", [] { return WindowsDir() + "\\Desktop"; });
}
std::string FontsFolder() {
    return Folder(hkCurrentUser, ShellFoldersKey, "Fonts", [] { return SystemDir();
}); }
std::string StartupFolder() {
    return Folder(hkCurrentUser, ShellFoldersKey, "Startup", [] { return WindowsDir() + "\\Startup"; });
}
std::string ProgramFilesFolder() {
    return Folder(hkLocalMachine, CurrentVersionKey, "ProgramFilesDir", [] { return CurrentDrive() + "\\Program Files"; });
}
std::string CommonFilesFolder() {
    return Folder(hkLocalMachine, CurrentVersionKey, "CommonFilesDir",
                  [] { return CurrentDrive() + "\\Program Files\\Common Files"; });
}

// ------------------------------------------------------------ DestDir

void TInstallContainer::CheckDestDirType(TPathSpecifiers Value) {
    if (!FAllowedDestDirTypes.Contains(Value))
        RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
}

void TInstallContainer::SetDestDirType(TPathSpecifiers Value) {
    if (Loading()) {
        FDestDirType = Value;
        return;
    }
    if (As<TBaseHelperComponent>(this)) {
        if (Value == ddContainerDestDir) {
            if (!static_cast<TBaseHelperComponent*>(this)->Container())
                RaiseFmt("Cannot set the DestDir property of %s because the Container property is Nil", Name());
            FDestDirType = Value;
            return;
        }
        if (Value == ddMainInstallDir) {
            if (!GlobalInstall())
                RaiseFmt("Cannot set the DestDir property of %s because there is no Install component", Name());
            FDestDirType = Value;
            return;
        }
    }
    CheckDestDirType(Value);
    FDestDirType = Value;
}

namespace {
// The components whose location is being resolved right now. A location
// that leads back to itself (the TInstall anchored at the main install
// directory, "%i" in the TInstall's own DestDir, a chain of containers or
// archive files that closes) would otherwise recurse until the stack ends.
std::vector<std::pair<const TInstallContainer*, const char*>> gResolving;

class TResolving {
public:
    TResolving(const TInstallContainer* C, const char* What) {
        const std::pair<const TInstallContainer*, const char*> entry{C, What};
        if (std::find(gResolving.begin(), gResolving.end(), entry) != gResolving.end())
            RaiseFmt("The %s of %s refers to itself", What, C->Name());
        gResolving.push_back(entry);
    }
    ~TResolving() { gResolving.pop_back(); }
    TResolving(const TResolving&) = delete;
    TResolving& operator=(const TResolving&) = delete;
};
}  // namespace

std::string TInstallContainer::ExpandDestDir() {
    TResolving guard(this, "DestDir");
    std::string anchor;
    if (CommonAnchor(FDestDirType, anchor)) return RemoveBackSlash(anchor + FDestDir);
    switch (FDestDirType) {
    case ddDesktopMenuDir: anchor = DesktopFolder(); break;
    case ddProgramMenuDir: anchor = ProgramsFolder(); break;
    case ddStartMenuDir: anchor = StartMenuFolder(); break;
    case ddFontDir: anchor = FontsFolder(); break;
    case ddStartUpMenuDir: anchor = StartupFolder(); break;
    case ddContainerDestDir: {
        auto* self = As<TBaseHelperComponent>(this);
        if (!self || !self->Container())
            RaiseFmt("Cannot expand the DestDir of %s because the Container is Nil", Name());
        anchor = self->Container()->ExpandDestDir();
        break;
    }
    case ddMainInstallDir:
        if (!As<TBaseHelperComponent>(this)) RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
        if (!GlobalInstall()) RaiseFmt("Cannot expand the DestDir of %s because there is no TInstall component", Name());
        anchor = GlobalInstall()->ExpandDestDir();
        break;
    default: RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
    }
    return RemoveBackSlash(anchor + FDestDir);
}

// -------------------------------------------------------- ArchiveFile

void TFileRelated::SetArchiveFileType(TPathSpecifiers Value) {
    if (!Loading()) {
        if (Value == ddLoading && !GlobalInstall())
            RaiseFmt("Cannot set the ArchiveFile property of %s because there is not TInstall", Name());
        if ((Value == ddContainerDestDir || Value == ddContainerArchiveFile) && !FContainer)
            RaiseFmt("Cannot set the ArchiveFile property of %s because the Container property is Nil", Name());
        if (Value > ddContainerArchiveFile)
            RaiseFmt("That path specifier is not allowed for the ArchiveFile property for %s", Name());
    }
    FArchiveFileType = Value;
}

std::string TFileRelated::ExpandArchiveFile() {
    TResolving guard(this, "ArchiveFile");
    std::string anchor;
    if (CommonAnchor(FArchiveFileType, anchor)) return RemoveBackSlash(anchor + FArchiveFile);
    switch (FArchiveFileType) {
    case ddLoading:
        if (!GlobalInstall())
            RaiseFmt("Cannot expand the ArchiveFile property of %s because there is no TInstall", Name());
        anchor = GlobalInstall()->LoadingDirectory();
        break;
    case ddContainerDestDir:
        if (!FContainer) RaiseFmt("Cannot expand the ArchiveFile property of %s because the Container is Nil", Name());
        anchor = FContainer->ExpandDestDir();
        break;
    case ddContainerArchiveFile: {
        if (!FContainer) RaiseFmt("Cannot expand the ArchiveFile of %s because the Container is Nil", Name());
        auto* related = As<TFileRelated>(FContainer);
        if (!related) RaiseFmt("Cannot expand the ArchiveFile of %s because the Container is not TFileRelated", Name());
        anchor = related->ExpandArchiveFile();
        break;
    }
    default: RaiseFmt("That path specifier is not allowed for the ArchiveFile property for %s", Name());
    }
    return RemoveBackSlash(anchor + FArchiveFile);
}

// ------------------------------------------------------ meta-variables

std::string ExpandMetaVariables(const std::string& Text, TInstallContainer* Component) {
    std::string out;
    bool pending = false;
    for (char ch : Text) {
        if (!pending) {
            if (ch == '%') pending = true;
            else out += ch;
            continue;
        }
        pending = false;
        switch (std::tolower(static_cast<unsigned char>(ch))) {
        case '%': out += '%'; break;
        case 'a':
            if (!Component)
                throw EAICannotExpandContainerDirMV("Cannot expand the %a meta variable because the component is Nil");
            out += Component->ExpandDestDir();
            break;
        case 'b': out += ProgramsFolder(); break;
        case 'c': {
            if (!Component)
                throw EAICannotExpandContainerDirMV("Cannot expand the %c meta variable because the component is Nil");
            auto* helper = As<TBaseHelperComponent>(Component);
            if (!helper || !helper->Container())
                throw EAICannotExpandContainerDirMV(
                    "Cannot expand the %c meta variable because the Container property is Nil");
            out += helper->Container()->ExpandDestDir();
            break;
        }
        case 'd': out += DesktopFolder(); break;
        case 'f': out += CommonFilesFolder(); break;
        case 'i':
            if (!GlobalInstall())
                throw EAICannotExpandInstallDirMV(
                    "Cannot expand the %i meta variable because there is no TInstall component");
            out += GlobalInstall()->ExpandDestDir();
            break;
        case 'm': out += StartMenuFolder(); break;
        case 'p': out += ProgramFilesFolder(); break;
        case 's': out += SystemDir(); break;
        case 'w': out += WindowsDir(); break;
        default: break;  // an unknown letter goes with its percent sign
        }
    }
    return out;
}

}  // namespace vtrl
