// Writing the uninstall record: numbered entries, the Files roll-over and
// the uninstall command line.
#include "routines_UninstallRecord.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_map>
#include <utility>

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

// ------------------------------------------------------- listed paths

// A path a kind lists, as its first entry writes it, and the key of that
// entry.
struct TListedPath {
    std::string Path;
    std::string Key;
};
// The paths a kind lists, by the path's comparison form: ASCII letters
// upper-cased, as the record's other keys are compared (a second install
// writes the same bytes; a path typed in another case, as /DIR= may give
// it, differs in ASCII letters).
using TListedPaths = std::unordered_map<std::string, TListedPath>;

// The kinds whose entries are paths: the Files chain (Files, Files1, ...
// up to the first missing key, as the uninstall program follows it), the
// ActiveX servers (path ";" style) and the folders.
enum class TListKind { Files, ActiveX, Folders };

std::string KindKeyName(const std::string& Base, TListKind Kind, int K) {
    switch (Kind) {
    case TListKind::Files: return FilesKeyName(Base, K);
    case TListKind::ActiveX: return Base + "\\" + rec::ActiveXKey;
    case TListKind::Folders: break;
    }
    return Base + "\\" + rec::FoldersKey;
}

// The path an entry names: an ActiveX entry carries its style after ";".
std::string EntryPath(const std::string& Value, TListKind Kind) {
    return Kind == TListKind::ActiveX ? Value.substr(0, Value.find(';')) : Value;
}

// Adds the paths of the kind's keys to Out (a path listed already keeps
// its first key). Keys that cannot be read list nothing.
void ReadListedPaths(const std::string& Base, TListKind Kind, TListedPaths& Out) {
    const int keys = Kind == TListKind::Files ? rec::FilesKeyLimit : 1;
    for (int k = 0; k < keys; ++k) {
        const std::string key = KindKeyName(Base, Kind, k);
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        if (!reg.OpenKeyReadOnly(key)) return;
        for (const std::string& name : reg.GetValueNames()) {
            std::string value;
            if (SameText(name, rec::Entries) || !reg.TryReadString(name, value)) continue;
            const std::string path = EntryPath(value, Kind);
            Out.emplace(UpperCase(path), TListedPath{path, key});
        }
    }
}

// What the appends know of the listed paths inside a TRecordAppendScope:
// each kind is read once, then kept up to date by the appends, so that an
// install pass of many files reads the record once instead of once per
// file. Cleared whenever a kept key had to be opened afresh (the record
// may have been changed behind the scope's back).
std::unordered_map<std::string, TListedPaths> gListed;

// The key of the kind that lists Path, or "" when none does.
std::string ListingKey(const std::string& Base, TListKind Kind, const std::string& Path) {
    const std::string id = UpperCase(KindKeyName(Base, Kind, 0));
    TListedPaths own;
    TListedPaths* listed = &own;
    if (gScopeDepth > 0) {
        auto [it, fresh] = gListed.try_emplace(id);
        if (fresh) ReadListedPaths(Base, Kind, it->second);
        listed = &it->second;
    } else {
        ReadListedPaths(Base, Kind, own);
    }
    const auto found = listed->find(UpperCase(Path));
    return found == listed->end() ? std::string() : found->second.Key;
}

// Notes inside a scope that Key lists Path now.
void NoteListed(const std::string& Base, TListKind Kind, const std::string& Path, const std::string& Key) {
    if (gScopeDepth == 0) return;
    const auto it = gListed.find(UpperCase(KindKeyName(Base, Kind, 0)));
    if (it != gListed.end()) it->second.emplace(UpperCase(Path), TListedPath{Path, Key});
}

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
            gListed.clear();
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
    // Installing again writes the same files again; the record keeps one
    // entry for each.
    if (std::string listing = ListingKey(Base, TListKind::Files, Path); !listing.empty()) return listing;
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
            if (full) continue;
            NoteListed(Base, TListKind::Files, Path, name);
            return name;
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
    if (!ListingKey(Base, TListKind::ActiveX, Path).empty()) return;
    const std::string key = KindKeyName(Base, TListKind::ActiveX, 0);
    AppendNumberedEntry(key, Path + ";" + (ExeStyle ? rec::ActiveXProgram : rec::ActiveXInProcess));
    NoteListed(Base, TListKind::ActiveX, Path, key);
}

bool RecordListsPath(const std::string& Base, const std::string& Path) {
    return !ListingKey(Base, TListKind::Files, Path).empty() || !ListingKey(Base, TListKind::ActiveX, Path).empty();
}

void AppendFolderEntries(const std::string& Base, const std::vector<std::string>& Dirs) {
    const std::string kind = Base + "\\" + rec::FoldersKey;
    WithKindKey(kind, [&](TKindKey& key) {
        if (!key.HasCount()) key.WriteCount(0);
    });
    // One append per folder: WithKindKey may run its body twice.
    for (const std::string& dir : Dirs) {
        CheckFullPath(Base, dir);
        if (!ListingKey(Base, TListKind::Folders, dir).empty()) continue;
        AppendNumberedEntry(kind, dir, rec::FolderPrefix);
        NoteListed(Base, TListKind::Folders, dir, kind);
    }
}

TRecordAppendScope::TRecordAppendScope() { ++gScopeDepth; }

TRecordAppendScope::~TRecordAppendScope() {
    if (--gScopeDepth == 0) {
        gOpenKeys.clear();
        gListed.clear();
    }
}

std::string UninstallCommandLine(const std::string& ProgramPath, const std::string& ProductName) {
    return "\"" + ProgramPath + "\" " + ProductName;
}

int64_t RecordedFilesSize(const std::string& Base) {
    // One set for both kinds: a path counts once however often, and under
    // whichever kind, the record lists it.
    TListedPaths listed;
    ReadListedPaths(Base, TListKind::Files, listed);
    ReadListedPaths(Base, TListKind::ActiveX, listed);
    int64_t total = 0;
    for (const auto& [folded, listing] : listed) total += std::max<int64_t>(FileSizeOf(listing.Path), 0);
    return total;
}

std::string RegistryKeysEntry(const std::string& Base, const std::string& Key, int32_t Root) {
    namespace rec = uninstall_record;
    const std::string kind = Base + "\\" + rec::RegistryKeysKey;
    int64_t count = 0;
    if (!TryStrToInt(RegReadString(hkLocalMachine, kind, rec::Entries, "0"), count) || count < 0) count = 0;
    for (int64_t i = 1; i <= count; ++i) {
        const std::string known = kind + "\\" + rec::RegistryKeyPrefix + IntToStr(i);
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        int32_t knownRoot = -1;
        if (reg.OpenKeyReadOnly(known) && SameText(reg.ReadString("Key"), Key) && reg.TryReadInteger("Root", knownRoot) &&
            knownRoot == Root)
            return known;
    }
    // The count goes first: the entry's number is taken before it is
    // written.
    RegWriteString(hkLocalMachine, kind, rec::Entries, IntToStr(count + 1));
    const std::string entry = kind + "\\" + rec::RegistryKeyPrefix + IntToStr(count + 1);
    RegWriteString(hkLocalMachine, entry, "Key", Key);
    RegWriteInteger(hkLocalMachine, entry, "Root", Root);
    return entry;
}

}  // namespace vtrl
