// Writing the uninstall record: numbered entries, the Files roll-over and
// the uninstall command line.
#include "routines_UninstallRecord.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_map>

#include "FileShim.h"
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
    // (its first write then fails). The count this key wrote last is known
    // without a read.
    int NextEntryNumber() {
        if (FCount >= 0) return FCount + 1;
        std::string count = "0";
        if (FOpen && !FReg.TryReadString(rec::Entries, count)) count = "0";
        return static_cast<int>(StrToInt(count)) + 1;
    }
    // Raises EIRCannotWriteValue, as RegWriteString does, on failure.
    void Write(const std::string& Ident, const std::string& Value) { RegWriteStringTo(FReg, FOpen, FKey, Ident, Value); }
    // Writes the count; after it succeeds the key knows its count.
    void WriteCount(int N) {
        FCount = -1;
        Write(rec::Entries, IntToStr(N));
        FCount = N;
    }
    bool Open() const { return FOpen; }
    // True when the key holds a count (or this key wrote one).
    bool HasCount() {
        std::string count;
        return FCount >= 0 || (FOpen && FReg.TryReadString(rec::Entries, count));
    }

private:
    std::string FKey;
    TRegistry FReg;
    bool FOpen = false;
    int FCount = -1;  // the count last written through this key, -1 unknown
};

// The kind keys kept open by TRecordAppendScope, by upper-case path.
int gScopeDepth = 0;
std::unordered_map<std::string, std::unique_ptr<TKindKey>> gOpenKeys;

// Runs Body with the kind key KindKey: the one the scope keeps, or one of
// its own outside a scope. A key that fails is not kept; when it had been
// kept from an earlier append (someone may have deleted it since), Body
// runs once more with the key opened afresh. Body writes its entry under
// the number it reads, so running it again writes nothing twice.
template <typename F>
auto WithKindKey(const std::string& KindKey, F&& Body) {
    if (gScopeDepth == 0) {
        TKindKey key(KindKey);
        return Body(key);
    }
    std::unique_ptr<TKindKey>& slot = gOpenKeys[UpperCase(KindKey)];
    const bool kept = slot && slot->Open();
    if (kept) {
        try {
            return Body(*slot);
        } catch (const Exception&) {
            slot.reset();
        }
    }
    slot = std::make_unique<TKindKey>(KindKey);
    try {
        return Body(*slot);
    } catch (...) {
        slot.reset();
        throw;
    }
}

// The uninstall program deletes what the record names; a path that is not
// full would name whatever lies in the uninstall program's current folder.
void CheckFullPath(const std::string& Base, const std::string& Path) {
    if (!IsFullPath(Path))
        throw Exception("The uninstall record of " + Base + " takes only full paths; \"" + Path +
                        "\" is not one and is not recorded");
}

}  // namespace

// The entry is written before its count: an interrupted write leaves the
// count at the last complete entry.
int AppendNumberedEntry(const std::string& KindKey, const std::string& Value, const char* Prefix) {
    return WithKindKey(KindKey, [&](TKindKey& key) {
        const int n = key.NextEntryNumber();
        key.Write((Prefix ? Prefix : rec::FilePrefix) + IntToStr(n), Value);
        key.WriteCount(n);
        return n;
    });
}

std::string FilesKeyName(const std::string& Base, int K) {
    return Base + "\\" + rec::FilesKey + (K == 0 ? std::string() : IntToStr(K));
}

std::string AppendFilesEntry(const std::string& Base, const std::string& Path, int MaxKeys, int MaxEntries) {
    CheckFullPath(Base, Path);
    if (MaxKeys <= 0) MaxKeys = rec::FilesKeyLimit;
    if (MaxEntries <= 0) MaxEntries = rec::FilesKeyEntryLimit;
    std::exception_ptr last;
    for (int k = 0; k < MaxKeys; ++k) {
        const std::string name = FilesKeyName(Base, k);
        bool entryWritten = false, full = false;
        try {
            WithKindKey(name, [&](TKindKey& key) {
                entryWritten = false;
                const int n = key.NextEntryNumber();
                full = n > MaxEntries;
                if (full) return;
                key.Write(rec::FilePrefix + IntToStr(n), Path);
                entryWritten = true;
                key.WriteCount(n);
            });
            if (!full) return name;
        } catch (const Exception&) {
            if (entryWritten) throw;  // the count's failure
            last = std::current_exception();
        }
    }
    if (last) std::rethrow_exception(last);
    throw Exception("The uninstall record of " + Base + " cannot take more files: its " + IntToStr(MaxKeys) +
                    " Files keys hold " + IntToStr(MaxEntries) + " entries each");
}

void AppendActiveXEntry(const std::string& Base, const std::string& Path, bool ExeStyle) {
    CheckFullPath(Base, Path);
    AppendNumberedEntry(Base + "\\" + rec::ActiveXKey,
                        Path + ";" + (ExeStyle ? rec::ActiveXProgram : rec::ActiveXInProcess));
}

void AppendFolderEntries(const std::string& Base, const std::vector<std::string>& Dirs) {
    const std::string kind = Base + "\\" + rec::FoldersKey;
    WithKindKey(kind, [&](TKindKey& key) {
        if (!key.HasCount()) key.WriteCount(0);
    });
    // One append per folder: WithKindKey may run its body twice.
    for (const std::string& dir : Dirs) {
        CheckFullPath(Base, dir);
        AppendNumberedEntry(kind, dir, rec::FolderPrefix);
    }
}

TRecordAppendScope::TRecordAppendScope() { ++gScopeDepth; }

TRecordAppendScope::~TRecordAppendScope() {
    if (--gScopeDepth == 0) gOpenKeys.clear();
}

std::string UninstallCommandLine(const std::string& ProgramPath, const std::string& ProductName) {
    return "\"" + ProgramPath + "\" " + ProductName;
}

int64_t RecordedFilesSize(const std::string& Base) {
    int64_t total = 0;
    auto addFilesOf = [&](const std::string& Key, bool ActiveX) {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        if (!reg.OpenKeyReadOnly(Key)) return false;
        for (const std::string& name : reg.GetValueNames()) {
            std::string path;
            if (SameText(name, rec::Entries) || !reg.TryReadString(name, path)) continue;
            if (ActiveX) path = path.substr(0, path.find(';'));
            total += std::max<int64_t>(FileSizeOf(path), 0);
        }
        return true;
    };
    // Files, Files1, Files2, ... up to the first missing one.
    for (int k = 0; addFilesOf(FilesKeyName(Base, k), false); ++k) {
    }
    addFilesOf(Base + "\\" + rec::ActiveXKey, true);
    return total;
}

}  // namespace vtrl
