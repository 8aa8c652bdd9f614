// The path routines: the Windows and System directories, the special
// folders, the common anchors of path specifiers and the meta-variables.
#include "routines_ExpandPaths.h"

#include <windows.h>

#include <cctype>
#include <map>
#include <set>

#include "FileShim.h"
#include "cmp_TInstallContainer.h"
#include "Unattended.h"
#include "routines_Registry.h"
#include "routines_UninstallRecord.h"
#include "types_Installation.h"

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
std::string ReadFolder(TRootKeys Root, const char* Key, const char* Value, F&& Fallback) {
    TRegistry reg;
    SelectRootKey(reg, Root);
    std::string v;
    if (reg.OpenKeyReadOnly(Key) && reg.TryReadString(Value, v)) return RemoveBackSlash(v);
    return RemoveBackSlash(Fallback());
}

// What a TPathCacheScope remembers: the special folders read, and the
// directories known to exist (upper-case keys: Windows paths ignore case).
int gCacheDepth = 0;
std::map<std::string, std::string> gFolders;
std::set<std::string> gMadeDirectories;

// ReadFolder, read once per outermost TPathCacheScope.
template <class F>
std::string Folder(TRootKeys Root, const char* Key, const char* Value, F&& Fallback) {
    if (gCacheDepth == 0) return ReadFolder(Root, Key, Value, std::forward<F>(Fallback));
    const std::string id = IntToStr(Root) + "\\" + Key + "\\" + Value;
    auto it = gFolders.find(id);
    if (it == gFolders.end()) it = gFolders.emplace(id, ReadFolder(Root, Key, Value, std::forward<F>(Fallback))).first;
    return it->second;
}

std::string CurrentDrive() {
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    std::string dir(buf, n < sizeof buf ? n : 0);
    return dir.size() >= 2 && dir[1] == ':' ? dir.substr(0, 2) : std::string("C:");
}

}  // namespace

TPathCacheScope::TPathCacheScope() { ++gCacheDepth; }

TPathCacheScope::~TPathCacheScope() {
    if (--gCacheDepth > 0) return;
    gFolders.clear();
    gMadeDirectories.clear();
}

namespace {

// Made by ForceDirectoriesOnce and not yet taken, outermost first.
std::vector<std::string> gCreatedDirectories;
// The record base of the innermost TFolderRecordScope; empty: none.
std::string gRecordBase;

// ForceDirectories, keeping (or recording) what it made; a directory that
// was there already is swept of a killed run's leftovers.
bool MakeDirectories(const std::string& Dir) {
    const size_t before = gCreatedDirectories.size();
    const bool made = ForceDirectories(Dir, gCreatedDirectories);
    const bool created = gCreatedDirectories.size() > before;
    if (created && !gRecordBase.empty()) AppendFolderEntries(gRecordBase, TakeCreatedDirectories());
    if (!made || created) return made;  // a new directory is empty
    for (const std::string& f : RemoveStaleBesideFiles(Dir)) Log("Removed the stale temporary file " + f);
    return true;
}

}  // namespace

bool ForceDirectoriesOnce(const std::string& Dir) {
    if (gCacheDepth == 0) return MakeDirectories(Dir);
    const std::string key = UpperCase(RemoveBackSlash(Dir));
    if (gMadeDirectories.count(key)) return true;
    if (!MakeDirectories(Dir)) return false;
    gMadeDirectories.insert(key);
    return true;
}

std::vector<std::string> TakeCreatedDirectories() {
    std::vector<std::string> taken;
    taken.swap(gCreatedDirectories);
    return taken;
}

TFolderRecordScope::TFolderRecordScope(std::string Base) : FOuter(std::move(gRecordBase)) {
    gRecordBase = std::move(Base);
}

TFolderRecordScope::~TFolderRecordScope() { gRecordBase = std::move(FOuter); }

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
            if (!Installation())
                throw EAICannotExpandInstallDirMV(
                    "Cannot expand the %i meta variable because there is no TInstall component");
            out += Installation()->MainInstallDir();
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
