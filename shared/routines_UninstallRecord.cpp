// Writing the uninstall record: numbered entries, the Files roll-over and
// the uninstall command line.
#include "routines_UninstallRecord.h"

#include <exception>

#include "constants_UninstallRecord.h"
#include "routines_Registry.h"

namespace vtrl {

namespace rec = uninstall_record;

namespace {

// One kind key of the record, open for appending. The count is read and the
// entry and the new count are written through one open key: an entry costs
// one key open instead of three, each a round trip to the registry.
class TKindKey {
public:
    explicit TKindKey(const std::string& Key) : FKey(Key) {
        SelectRootKey(FReg, hkLocalMachine);
        FOpen = FReg.OpenKey(Key, true);
    }
    // The next free entry number; a missing count reads as 0, a count that
    // is no number raises. A key that could not be opened reads as empty
    // (its first write then fails).
    int NextEntryNumber() const {
        std::string count = "0";
        if (FOpen && !FReg.TryReadString(rec::Entries, count)) count = "0";
        return static_cast<int>(StrToInt(count)) + 1;
    }
    // Raises EIRCannotWriteValue, as RegWriteString does, on failure.
    void Write(const std::string& Ident, const std::string& Value) { RegWriteStringTo(FReg, FOpen, FKey, Ident, Value); }

private:
    std::string FKey;
    TRegistry FReg;
    bool FOpen = false;
};

}  // namespace

// The entry is written before its count: an interrupted write leaves the
// count at the last complete entry.
int AppendNumberedEntry(const std::string& KindKey, const std::string& Value) {
    TKindKey key(KindKey);
    const int n = key.NextEntryNumber();
    key.Write(rec::FilePrefix + IntToStr(n), Value);
    key.Write(rec::Entries, IntToStr(n));
    return n;
}

std::string AppendFilesEntry(const std::string& Base, const std::string& Path, int MaxKeys) {
    if (MaxKeys <= 0) MaxKeys = rec::FilesKeyLimit;
    std::exception_ptr last;
    for (int k = 0; k < MaxKeys; ++k) {
        const std::string name = Base + "\\" + rec::FilesKey + (k == 0 ? std::string() : IntToStr(k));
        TKindKey key(name);
        int n = 0;
        try {
            n = key.NextEntryNumber();
            key.Write(rec::FilePrefix + IntToStr(n), Path);
        } catch (const Exception&) {
            last = std::current_exception();
            continue;
        }
        key.Write(rec::Entries, IntToStr(n));
        return name;
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
