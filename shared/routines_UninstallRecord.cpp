// Writing the uninstall record: numbered entries, the Files roll-over and
// the uninstall command line.
#include "routines_UninstallRecord.h"

#include <exception>

#include "constants_UninstallRecord.h"
#include "routines_Registry.h"

namespace vtrl {

namespace rec = uninstall_record;

namespace {

// The next free entry number of KindKey; a missing count reads as 0, a
// count that is no number raises.
int NextEntryNumber(const std::string& KindKey) {
    return static_cast<int>(StrToInt(RegReadString(hkLocalMachine, KindKey, rec::Entries, "0"))) + 1;
}

}  // namespace

int AppendNumberedEntry(const std::string& KindKey, const std::string& Value) {
    const int n = NextEntryNumber(KindKey);
    RegWriteString(hkLocalMachine, KindKey, rec::FilePrefix + IntToStr(n), Value);
    RegWriteString(hkLocalMachine, KindKey, rec::Entries, IntToStr(n));
    return n;
}

std::string AppendFilesEntry(const std::string& Base, const std::string& Path, int MaxKeys) {
    if (MaxKeys <= 0) MaxKeys = rec::FilesKeyLimit;
    std::exception_ptr last;
    for (int k = 0; k < MaxKeys; ++k) {
        const std::string key = Base + "\\" + rec::FilesKey + (k == 0 ? std::string() : IntToStr(k));
        int n = 0;
        try {
            n = NextEntryNumber(key);
            RegWriteString(hkLocalMachine, key, rec::FilePrefix + IntToStr(n), Path);
        } catch (const Exception&) {
            last = std::current_exception();
            continue;
        }
        RegWriteString(hkLocalMachine, key, rec::Entries, IntToStr(n));
        return key;
    }
    std::rethrow_exception(last);
}

void AppendActiveXEntry(const std::string& Base, const std::string& Path, bool ExeStyle) {
    AppendNumberedEntry(Base + "\\" + rec::ActiveXKey,
                        Path + ";" + (ExeStyle ? rec::ActiveXProgram : rec::ActiveXInProcess));
}

std::string UninstallCommandLine(const std::string& ProgramPath, const std::string& ProductName) {
    return "\"" + ProgramPath + "\" " + ProductName;
}

}  // namespace vtrl
