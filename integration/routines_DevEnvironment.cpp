// The development environments: finding them, the help link and the
// package registration with Delphi 3.0.
#include "routines_DevEnvironment.h"

#include <windows.h>

#include <vector>

#include "FileShim.h"
#include "Unattended.h"
#include "routines_Registry.h"
#include "routines_SysError.h"

namespace vtrl {

namespace {

const char* const Delphi3Key = "\\Software\\Borland\\Delphi\\3.0";
const char* const CBuilderKey = "\\Software\\Borland\\C++Builder\\1.0";
const char* const PackageSource = "Vantrel32.DPK";
const char* const PackageLibrary = "Vantrel32.DPL";

// Ends the registration at an unmet condition: the reason goes to the log.
struct TPackageStop {
    std::string Reason;
};

[[noreturn]] void Stop(const std::string& Reason) { throw TPackageStop{Reason}; }

void OpenOrStop(TRegistry& Reg, const std::string& Key) {
    if (!Reg.OpenKey(Key, false)) Stop("HKEY_CURRENT_USER" + Key + " cannot be opened");
}

// Deletes the values of the open key whose name's file part is one of Names.
void DeleteValuesNamed(TRegistry& Reg, std::initializer_list<const char*> Names) {
    for (const std::string& value : Reg.GetValueNames())
        for (const char* name : Names)
            if (SameText(ExtractFileName(value), name)) {
                if (Reg.DeleteValue(value)) Log("Delphi 3.0: removed " + Reg.CurrentPath() + " | " + value);
                break;
            }
}

void StartCompiler(const std::string& Compiler, const std::string& Dest) {
    // Quoted: a folder with blanks would start whatever its first word names.
    std::string command = "\"" + Compiler + "\" " + PackageSource;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(Compiler.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, Dest.c_str(), &si, &pi))
        Stop(Win32ErrorMsg("CreateProcess " + command, GetLastOSError()));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Log("Delphi 3.0: started " + command + " in " + Dest);
}

}  // namespace

TDevEnvironmentState& DevEnvironment() {
    static TDevEnvironmentState state;
    return state;
}

void FindDevEnvironments(TDevEnvironmentState& State) {
    State = {};
    const std::string root = RegReadString(hkLocalMachine, Delphi3Key, "RootDir", "");
    if (!Trim(root).empty()) {
        State.DelphiHelpDir = AddBackSlash(root) + "HELP";
        State.DelphiBinDir = AddBackSlash(root) + "BIN";
        State.DelphiPresent = FileExists(AddBackSlash(State.DelphiBinDir) + "DELPHI32.EXE");
    }
    State.CBuilderRootDir = RegReadString(hkLocalMachine, CBuilderKey, "RootDir", "");
    if (!Trim(State.CBuilderRootDir).empty()) State.CBuilderHelpDir = AddBackSlash(State.CBuilderRootDir) + "HELP";
    Log("Development environments: Delphi 3.0 " +
        (State.DelphiPresent ? "in " + State.DelphiBinDir : root.empty() ? "not found" : "not found in " + root) +
        "; C++Builder 1.0 " + (State.CBuilderHelpDir.empty() ? "not found" : "in " + State.CBuilderRootDir));
}

bool AddHelpContentsLink(const std::string& File) {
    if (!FileExists(File)) return false;
    try {
        std::string text = ReadWholeFile(File, "the help contents");
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string_view line = std::string_view(text).substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (SameText(line, HelpContentsLink)) return true;
            start = end + 1;
        }
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        WriteWholeFile(File, text + HelpContentsLink + "\r\n");
        Log("Added " + std::string(HelpContentsLink) + " to " + File);
        return true;
    } catch (const std::exception& e) {
        Log(std::string("The help link was not added: ") + e.what());
        return false;
    }
}

std::string SearchPathWithKit(const std::string& SearchPath, const std::string& Dest) {
    std::vector<std::string> dirs;
    size_t start = 0;
    for (;;) {
        const size_t end = SearchPath.find(';', start);
        dirs.push_back(SearchPath.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (SearchPath.empty()) dirs.clear();
    for (size_t i = dirs.size(); i-- > 0;)
        if (DirectoryExists(dirs[i]) && FileExists(AddBackSlash(dirs[i]) + PackageSource))
            dirs.erase(dirs.begin() + static_cast<std::ptrdiff_t>(i));
    dirs.push_back(RemoveBackSlash(Dest));
    std::string joined;
    for (size_t i = 0; i < dirs.size(); ++i) joined += (i ? ";" : "") + dirs[i];
    return joined;
}

void InstallPackage(TDevEnvironmentState& State, const std::string& Dest) {
    State.PackageInstalled = false;
    try {
        const std::string compiler = AddBackSlash(State.DelphiBinDir) + "DCC32.EXE";
        if (!FileExists(compiler)) Stop(compiler + " does not exist");
        if (!SetCurrentDirectoryA(Dest.c_str())) Stop(Win32ErrorMsg("SetCurrentDirectory " + Dest, GetLastOSError()));
        if (!FileExists(AddBackSlash(Dest) + PackageSource)) Stop(AddBackSlash(Dest) + PackageSource + " does not exist");
        StartCompiler(compiler, Dest);

        TRegistry reg;  // HKEY_CURRENT_USER
        OpenOrStop(reg, std::string(Delphi3Key) + "\\Known Packages");
        DeleteValuesNamed(reg, {PackageLibrary});
        reg.WriteString(AddBackSlash(Dest) + PackageLibrary, "Vantrel32");

        OpenOrStop(reg, std::string(Delphi3Key) + "\\Disabled Packages");
        DeleteValuesNamed(reg, {PackageLibrary, PackageSource});

        OpenOrStop(reg, std::string(Delphi3Key) + "\\Library");
        std::string path;
        if (!reg.TryReadString("SearchPath", path)) Stop("the library's SearchPath cannot be read");
        const std::string newPath = SearchPathWithKit(path, Dest);
        reg.WriteString("SearchPath", newPath);
        Log("Delphi 3.0: SearchPath " + newPath);
        State.PackageInstalled = true;
    } catch (const TPackageStop& s) {
        Log("Delphi 3.0: the package was not registered: " + s.Reason);
        return;
    } catch (const std::exception& e) {
        Log(std::string("Delphi 3.0: the package was not registered: ") + e.what());
        return;
    }
    (void)AddHelpContentsLink(AddBackSlash(State.DelphiHelpDir) + "DELPHI3.CNT");
}

}  // namespace vtrl
