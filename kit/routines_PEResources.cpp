// Reads the resource tree of a PE image into a model and writes a changed
// tree back as a new resource section. Every offset and size read from the
// file is checked before use: the image is untrusted input.
#include "routines_PEResources.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <string_view>

#include "types_PEImage.h"

namespace vtrl {

namespace {

using namespace pe;

// More resource bytes than this in one image are taken for a damaged tree
// (entries pointing many times at the same large block) rather than copied.
constexpr uint64_t MaxResourceBytes = 512u * 1024 * 1024;
constexpr uint32_t MaxSections = 96;  // the Windows loader's own limit

[[noreturn]] void Fail(const std::string& Text) { throw EPEImageError(Text); }

std::string Hex(uint64_t Value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), digits[Value & 0xF]);
        Value >>= 4;
    } while (Value);
    return "0x" + s;
}

uint16_t Get16(const std::string& B, uint64_t Offset) {
    if (Offset + 2 > B.size()) Fail("The file is cut short (reading at offset " + Hex(Offset) + ")");
    return static_cast<uint16_t>(static_cast<uint8_t>(B[Offset]) | static_cast<uint8_t>(B[Offset + 1]) << 8);
}

uint32_t Get32(const std::string& B, uint64_t Offset) {
    return Get16(B, Offset) | static_cast<uint32_t>(Get16(B, Offset + 2)) << 16;
}

void Put16(std::string& B, uint64_t Offset, uint16_t Value) {
    B[Offset] = static_cast<char>(Value & 0xFF);
    B[Offset + 1] = static_cast<char>(Value >> 8);
}

void Put32(std::string& B, uint64_t Offset, uint32_t Value) {
    Put16(B, Offset, static_cast<uint16_t>(Value & 0xFFFF));
    Put16(B, Offset + 2, static_cast<uint16_t>(Value >> 16));
}

uint64_t AlignUp(uint64_t Value, uint32_t Alignment) { return (Value + Alignment - 1) / Alignment * Alignment; }

bool PowerOfTwo(uint32_t v) { return v && !(v & (v - 1)); }

struct TSection {
    uint32_t HeaderOffset = 0;
    uint32_t VirtualSize = 0;
    uint32_t VirtualAddress = 0;
    uint32_t SizeOfRawData = 0;
    uint32_t PointerToRawData = 0;
    uint32_t Characteristics = 0;
    // The size the section takes in memory.
    uint32_t MemorySize() const { return VirtualSize ? VirtualSize : SizeOfRawData; }
    bool Holds(uint32_t Rva) const { return Rva >= VirtualAddress && Rva - VirtualAddress < MemorySize(); }
};

struct TDataDirectory {
    uint32_t Rva = 0;
    uint32_t Size = 0;
};

// Where the parts of the headers are, as read and checked.
struct TPEHeaders {
    uint32_t FileHeader = 0;      // file offset of the file header
    uint32_t OptionalHeader = 0;  // file offset of the optional header
    uint32_t DataDirectories = 0; // file offset of the first data directory
    uint32_t DirectoryCount = 0;
    uint32_t SectionTable = 0;
    uint32_t SectionAlignment = 0;
    uint32_t FileAlignment = 0;
    uint32_t SizeOfHeaders = 0;
    std::vector<TSection> Sections;  // in the table's order, which is address order

    uint32_t ChecksumOffset() const { return OptionalHeader + OhCheckSum; }
    uint32_t DirectoryOffset(uint32_t Index) const { return DataDirectories + Index * DataDirectorySize; }
    TDataDirectory Directory(const std::string& Image, uint32_t Index) const {
        if (Index >= DirectoryCount) return {};
        const uint32_t at = DirectoryOffset(Index);
        return {Get32(Image, at), Get32(Image, at + 4)};
    }
};

TSection ReadSection(const std::string& Image, uint32_t At) {
    TSection s;
    s.HeaderOffset = At;
    s.VirtualSize = Get32(Image, At + ShVirtualSize);
    s.VirtualAddress = Get32(Image, At + ShVirtualAddress);
    s.SizeOfRawData = Get32(Image, At + ShSizeOfRawData);
    s.PointerToRawData = Get32(Image, At + ShPointerToRawData);
    s.Characteristics = Get32(Image, At + ShCharacteristics);
    return s;
}

TPEHeaders ReadHeaders(const std::string& Image) {
    if (Image.size() < 0x40 || Image[0] != 'M' || Image[1] != 'Z') Fail("The file is not a Windows program (no MZ header)");
    TPEHeaders h;
    const uint32_t pe = Get32(Image, DosPEOffset);
    if (uint64_t(pe) + PESignatureSize + FileHeaderSize > Image.size() || Image.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        Fail("The file is not a Windows program (no PE signature)");
    h.FileHeader = pe + PESignatureSize;
    h.OptionalHeader = h.FileHeader + FileHeaderSize;
    const uint32_t sections = Get16(Image, h.FileHeader + FhNumberOfSections);
    const uint32_t optionalSize = Get16(Image, h.FileHeader + FhSizeOfOptionalHeader);
    const uint16_t magic = Get16(Image, h.OptionalHeader + OhMagic);
    if (magic != MagicPE32 && magic != MagicPE32Plus) Fail("The program's optional header is neither PE32 nor PE32+");
    const uint32_t countOffset = magic == MagicPE32 ? OhNumberOfRvaAndSizesPE32 : OhNumberOfRvaAndSizesPE32Plus;
    if (optionalSize < countOffset + 4) Fail("The program's optional header is too short");
    h.SectionAlignment = Get32(Image, h.OptionalHeader + OhSectionAlignment);
    h.FileAlignment = Get32(Image, h.OptionalHeader + OhFileAlignment);
    h.SizeOfHeaders = Get32(Image, h.OptionalHeader + OhSizeOfHeaders);
    if (!PowerOfTwo(h.FileAlignment) || !PowerOfTwo(h.SectionAlignment) || h.FileAlignment > 0x10000 ||
        h.SectionAlignment < h.FileAlignment)
        Fail("The program's section or file alignment is invalid");
    h.DataDirectories = h.OptionalHeader + countOffset + 4;
    // Only the directories that fit in the optional header count, as the
    // loader takes them.
    const uint32_t fit = (optionalSize - countOffset - 4) / DataDirectorySize;
    h.DirectoryCount = std::min(Get32(Image, h.OptionalHeader + countOffset), fit);
    h.SectionTable = h.OptionalHeader + optionalSize;
    if (sections == 0 || sections > MaxSections) Fail("The program has " + IntToStr(sections) + " sections");
    if (uint64_t(h.SectionTable) + uint64_t(sections) * SectionHeaderSize > Image.size())
        Fail("The file is cut short (in the section table)");
    const uint64_t tableEnd = h.SectionTable + uint64_t(sections) * SectionHeaderSize;
    if (h.SizeOfHeaders < tableEnd) Fail("The program's headers are larger than SizeOfHeaders says");
    for (uint32_t i = 0; i < sections; ++i) {
        TSection s = ReadSection(Image, h.SectionTable + i * SectionHeaderSize);
        // The headers are mapped at RVA 0 and lie before every section's
        // raw data; a section elsewhere would overlap them.
        if (s.VirtualAddress < h.SizeOfHeaders || (s.PointerToRawData && s.PointerToRawData < h.SizeOfHeaders))
            Fail("Section " + IntToStr(i + 1) + " of the program overlaps its headers");
        if (!h.Sections.empty()) {
            const TSection& p = h.Sections.back();
            if (s.VirtualAddress < uint64_t(p.VirtualAddress) + p.MemorySize())
                Fail("The program's sections are not in address order");
        }
        if (s.PointerToRawData && uint64_t(s.PointerToRawData) + s.SizeOfRawData > Image.size())
            Fail("The file is cut short (section " + IntToStr(i + 1) + " lies beyond its end)");
        h.Sections.push_back(s);
    }
    return h;
}

// The file bytes behind Rva: their offset and how many there are up to
// the end of the section's raw data. Raises when no section holds Rva.
std::pair<uint64_t, uint64_t> MapRva(const TPEHeaders& H, uint32_t Rva, const char* What) {
    for (const TSection& s : H.Sections) {
        if (!s.Holds(Rva) || !s.PointerToRawData) continue;
        const uint32_t into = Rva - s.VirtualAddress;
        if (into >= s.SizeOfRawData) break;
        return {uint64_t(s.PointerToRawData) + into, s.SizeOfRawData - into};
    }
    Fail(std::string("The ") + What + " lies outside the program's sections (RVA " + Hex(Rva) + ")");
}

// Walks the resource tree of one image; each directory is read once, so
// a tree that loops or shares a directory is refused.
class TTreeReader {
public:
    TTreeReader(const std::string& Image, const TPEHeaders& H, uint64_t Base, uint64_t Size)
        : FImage(Image), FHeaders(H), FBase(Base), FSize(Size) {}

    TResourceDirInfo Directory(uint32_t Offset, std::vector<std::pair<TResourceKey, uint32_t>>& Entries) {
        if (uint64_t(Offset) + ResDirectorySize > FSize) Fail("A resource directory lies outside the resource section");
        if (!FSeen.insert(Offset).second)
            Fail("The resource tree loops or shares a directory (offset " + Hex(Offset) + ")");
        const uint64_t at = FBase + Offset;
        TResourceDirInfo info;
        info.Characteristics = Get32(FImage, at + RdCharacteristics);
        info.TimeDateStamp = Get32(FImage, at + RdTimeDateStamp);
        info.MajorVersion = Get16(FImage, at + RdMajorVersion);
        info.MinorVersion = Get16(FImage, at + RdMinorVersion);
        const uint32_t count = Get16(FImage, at + RdNumberOfNamedEntries) + Get16(FImage, at + RdNumberOfIdEntries);
        if (uint64_t(Offset) + ResDirectorySize + uint64_t(count) * ResEntrySize > FSize)
            Fail("A resource directory's entries lie outside the resource section");
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t e = at + ResDirectorySize + i * ResEntrySize;
            Entries.emplace_back(Key(Get32(FImage, e)), Get32(FImage, e + 4));
        }
        return info;
    }

    TResourceLanguage Data(TResourceKey Key, uint32_t Offset) {
        if (uint64_t(Offset) + ResDataEntrySize > FSize) Fail("A resource data entry lies outside the resource section");
        const uint64_t at = FBase + Offset;
        const uint32_t rva = Get32(FImage, at), size = Get32(FImage, at + 4);
        TResourceLanguage l;
        l.Key = std::move(Key);
        l.CodePage = Get32(FImage, at + 8);
        if (size) {
            const auto [offset, available] = MapRva(FHeaders, rva, "resource data");
            if (size > available) Fail("Resource data runs past the end of its section (RVA " + Hex(rva) + ")");
            FTotal += size;
            if (FTotal > MaxResourceBytes) Fail("The resource tree names more data than a program can hold");
            l.Data = FImage.substr(offset, size);
        }
        return l;
    }

private:
    TResourceKey Key(uint32_t Field) {
        if (!(Field & ResHighBit)) return TResourceKey::Number(Field);
        const uint32_t offset = Field & ~ResHighBit;
        if (uint64_t(offset) + 2 > FSize) Fail("A resource name lies outside the resource section");
        const uint32_t length = Get16(FImage, FBase + offset);
        if (uint64_t(offset) + 2 + uint64_t(length) * 2 > FSize) Fail("A resource name runs past the resource section");
        TResourceKey k;
        k.IsName = true;
        for (uint32_t i = 0; i < length; ++i) k.Name.push_back(static_cast<char16_t>(Get16(FImage, FBase + offset + 2 + i * 2)));
        return k;
    }

    const std::string& FImage;
    const TPEHeaders& FHeaders;
    uint64_t FBase, FSize;
    std::set<uint32_t> FSeen;
    uint64_t FTotal = 0;
};

uint32_t SubdirectoryOffset(uint32_t Target) {
    if (!(Target & ResHighBit)) Fail("A resource type or name entry points at data instead of a directory");
    return Target & ~ResHighBit;
}

TResourceTree ReadTree(const std::string& Image, const TPEHeaders& H) {
    TResourceTree tree;
    const TDataDirectory dir = H.Directory(Image, DirResource);
    if (!dir.Rva) return tree;
    const auto [base, available] = MapRva(H, dir.Rva, "resource directory");
    TTreeReader reader(Image, H, base, available);
    std::vector<std::pair<TResourceKey, uint32_t>> types;
    tree.Dir = reader.Directory(0, types);
    for (auto& [typeKey, typeTarget] : types) {
        TResourceType type;
        type.Key = std::move(typeKey);
        std::vector<std::pair<TResourceKey, uint32_t>> names;
        type.Dir = reader.Directory(SubdirectoryOffset(typeTarget), names);
        for (auto& [nameKey, nameTarget] : names) {
            TResourceName name;
            name.Key = std::move(nameKey);
            std::vector<std::pair<TResourceKey, uint32_t>> languages;
            name.Dir = reader.Directory(SubdirectoryOffset(nameTarget), languages);
            for (auto& [languageKey, languageTarget] : languages) {
                if (languageTarget & ResHighBit) Fail("The resource tree is deeper than type, name and language");
                name.Languages.push_back(reader.Data(std::move(languageKey), languageTarget));
            }
            type.Names.push_back(std::move(name));
        }
        tree.Types.push_back(std::move(type));
    }
    return tree;
}

}  // namespace

TResourceKey TResourceKey::Number(uint32_t Id) {
    TResourceKey k;
    k.Id = Id & ~ResHighBit;
    return k;
}

TResourceKey TResourceKey::Text(const std::string& Ascii) {
    TResourceKey k;
    k.IsName = true;
    for (char c : Ascii) k.Name.push_back(static_cast<char16_t>(static_cast<uint8_t>(c)));
    return k;
}

const TResourceName* TResourceTree::Find(const TResourceKey& Type, const TResourceKey& Name) const {
    for (const TResourceType& t : Types)
        if (t.Key == Type)
            for (const TResourceName& n : t.Names)
                if (n.Key == Name) return &n;
    return nullptr;
}

TResourceTree ReadResourceTree(const std::string& Image) { return ReadTree(Image, ReadHeaders(Image)); }

void SetResource(TResourceTree& Tree, const TResourceKey& Type, const TResourceKey& Name, std::string Data) {
    auto type = std::find_if(Tree.Types.begin(), Tree.Types.end(), [&](const TResourceType& t) { return t.Key == Type; });
    if (type == Tree.Types.end()) {
        Tree.Types.push_back({Type, {}, {}});
        type = Tree.Types.end() - 1;
    }
    auto name = std::find_if(type->Names.begin(), type->Names.end(), [&](const TResourceName& n) { return n.Key == Name; });
    if (name == type->Names.end()) {
        type->Names.push_back({Name, {}, {}});
        name = type->Names.end() - 1;
    }
    TResourceLanguage language;
    if (!name->Languages.empty()) {
        language.Key = name->Languages.front().Key;
        language.CodePage = name->Languages.front().CodePage;
    }
    language.Data = std::move(Data);
    name->Languages.clear();
    name->Languages.push_back(std::move(language));
}

// ----- writing

namespace {

// The loader finds an entry by binary search: named entries first, in the
// order of comparing the UTF-16 units up to the shorter length and then
// the lengths; numbered entries after them, by number.
bool KeyBefore(const TResourceKey& A, const TResourceKey& B) {
    if (A.IsName != B.IsName) return A.IsName;
    if (!A.IsName) return A.Id < B.Id;
    const size_t n = std::min(A.Name.size(), B.Name.size());
    for (size_t i = 0; i < n; ++i)
        if (A.Name[i] != B.Name[i]) return A.Name[i] < B.Name[i];
    return A.Name.size() < B.Name.size();
}

template <class T> std::vector<const T*> Sorted(const std::vector<T>& Items) {
    std::vector<const T*> sorted;
    for (const T& item : Items) sorted.push_back(&item);
    std::stable_sort(sorted.begin(), sorted.end(), [](const T* a, const T* b) { return KeyBefore(a->Key, b->Key); });
    return sorted;
}

class TSectionWriter {
public:
    TSectionWriter(const TResourceTree& Tree, uint32_t SectionRva) : FTree(Tree), FRva(SectionRva) {}

    std::string Write() {
        Plan();
        FOut.assign(FDataStart, '\0');
        uint64_t nextEntry = FEntriesStart, nextString = FStringsStart;
        uint64_t nextDir = DirSize(FTree.Types.size());
        const auto types = Sorted(FTree.Types);
        WriteDirectory(0, FTree.Dir, types);
        std::vector<std::pair<uint64_t, const TResourceType*>> typeDirs;
        for (size_t i = 0; i < types.size(); ++i) {
            WriteEntry(0, i, types[i]->Key, nextString, nextDir | ResHighBit);
            typeDirs.emplace_back(nextDir, types[i]);
            nextDir += DirSize(types[i]->Names.size());
        }
        std::vector<std::pair<uint64_t, const TResourceName*>> nameDirs;
        for (const auto& [at, type] : typeDirs) {
            const auto names = Sorted(type->Names);
            WriteDirectory(at, type->Dir, names);
            for (size_t i = 0; i < names.size(); ++i) {
                WriteEntry(at, i, names[i]->Key, nextString, nextDir | ResHighBit);
                nameDirs.emplace_back(nextDir, names[i]);
                nextDir += DirSize(names[i]->Languages.size());
            }
        }
        for (const auto& [at, name] : nameDirs) {
            const auto languages = Sorted(name->Languages);
            WriteDirectory(at, name->Dir, languages);
            for (size_t i = 0; i < languages.size(); ++i) {
                WriteEntry(at, i, languages[i]->Key, nextString, nextEntry);
                WriteDataEntry(nextEntry, *languages[i]);
                nextEntry += ResDataEntrySize;
            }
        }
        return std::move(FOut);
    }

private:
    static uint64_t DirSize(size_t Entries) { return ResDirectorySize + Entries * ResEntrySize; }
    static uint64_t StringSize(const TResourceKey& K) { return K.IsName ? 2 + 2 * K.Name.size() : 0; }

    // Sizes of the parts: directories, data entries, strings, data.
    void Plan() {
        uint64_t dirs = DirSize(FTree.Types.size()), entries = 0, strings = 0, data = 0;
        for (const TResourceType& t : FTree.Types) {
            dirs += DirSize(t.Names.size());
            strings += StringSize(t.Key);
            for (const TResourceName& n : t.Names) {
                dirs += DirSize(n.Languages.size());
                strings += StringSize(n.Key);
                for (const TResourceLanguage& l : n.Languages) {
                    entries += ResDataEntrySize;
                    strings += StringSize(l.Key);
                    data += AlignUp(l.Data.size(), ResDataAlignment);
                }
            }
        }
        FEntriesStart = dirs;
        FStringsStart = dirs + entries;
        FDataStart = AlignUp(FStringsStart + strings, ResDataAlignment);
        if (FDataStart + data + FRva > 0xFFFFFFFFu) Fail("The resources are too large for a program");
    }

    template <class T> void WriteDirectory(uint64_t At, const TResourceDirInfo& Info, const std::vector<const T*>& Sorted) {
        const size_t named = std::count_if(Sorted.begin(), Sorted.end(), [](const T* e) { return e->Key.IsName; });
        if (Sorted.size() > 0xFFFF) Fail("A resource directory has more than 65535 entries");
        Put32(FOut, At + RdCharacteristics, Info.Characteristics);
        Put32(FOut, At + RdTimeDateStamp, Info.TimeDateStamp);
        Put16(FOut, At + RdMajorVersion, Info.MajorVersion);
        Put16(FOut, At + RdMinorVersion, Info.MinorVersion);
        Put16(FOut, At + RdNumberOfNamedEntries, static_cast<uint16_t>(named));
        Put16(FOut, At + RdNumberOfIdEntries, static_cast<uint16_t>(Sorted.size() - named));
    }

    // Entry Index of the directory at DirAt; a named key's string goes to
    // NextString.
    void WriteEntry(uint64_t DirAt, size_t Index, const TResourceKey& Key, uint64_t& NextString, uint64_t Target) {
        const uint64_t at = DirAt + ResDirectorySize + Index * ResEntrySize;
        if (Key.IsName) {
            Put32(FOut, at, static_cast<uint32_t>(NextString) | ResHighBit);
            Put16(FOut, NextString, static_cast<uint16_t>(Key.Name.size()));
            for (size_t i = 0; i < Key.Name.size(); ++i) Put16(FOut, NextString + 2 + 2 * i, Key.Name[i]);
            NextString += StringSize(Key);
        } else {
            Put32(FOut, at, Key.Id);
        }
        Put32(FOut, at + 4, static_cast<uint32_t>(Target));
    }

    // The data entry at At, and the data itself appended to the section.
    void WriteDataEntry(uint64_t At, const TResourceLanguage& L) {
        Put32(FOut, At, L.Data.empty() ? 0 : static_cast<uint32_t>(FRva + FOut.size()));
        Put32(FOut, At + 4, static_cast<uint32_t>(L.Data.size()));
        Put32(FOut, At + 8, L.CodePage);
        FOut += L.Data;
        FOut.resize(AlignUp(FOut.size(), ResDataAlignment), '\0');
    }

    const TResourceTree& FTree;
    uint32_t FRva;
    std::string FOut;
    uint64_t FEntriesStart = 0, FStringsStart = 0, FDataStart = 0;
};

}  // namespace

std::string WriteResourceSection(const TResourceTree& Tree, uint32_t SectionRva) {
    return TSectionWriter(Tree, SectionRva).Write();
}

uint32_t PEChecksum(const std::string& Image, size_t ChecksumOffset) {
    uint64_t sum = 0;
    const size_t n = Image.size();
    auto byteAt = [&](size_t i) -> uint32_t {
        if (i >= n || (i >= ChecksumOffset && i < ChecksumOffset + 4)) return 0;
        return static_cast<uint8_t>(Image[i]);
    };
    for (size_t i = 0; i < n; i += 2) {
        sum += byteAt(i) | byteAt(i + 1) << 8;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint32_t>(sum + n);
}

// ----- placing the new section

namespace {

// True when no data directory but those in Allowed points into S.
bool ReferencedOnlyBy(const std::string& Image, const TPEHeaders& H, const TSection& S, std::initializer_list<uint32_t> Allowed) {
    for (uint32_t i = 0; i < H.DirectoryCount; ++i) {
        if (i == DirSecurity || std::find(Allowed.begin(), Allowed.end(), i) != Allowed.end()) continue;
        const TDataDirectory d = H.Directory(Image, i);
        if (d.Rva && S.Holds(d.Rva)) return false;
    }
    return true;
}

// The index of the section the resource tree may be rewritten in: it holds
// the tree from its first byte and nothing else, and the sections after it
// (in memory and in the file) may move because nothing but the base
// relocation entry refers to them. -1 when there is none.
int RewritableSection(const std::string& Image, const TPEHeaders& H) {
    const TDataDirectory dir = H.Directory(Image, DirResource);
    if (!dir.Rva) return -1;
    const int n = static_cast<int>(H.Sections.size());
    int r = 0;
    while (r < n && H.Sections[r].VirtualAddress != dir.Rva) ++r;
    if (r == n || !H.Sections[r].PointerToRawData || !ReferencedOnlyBy(Image, H, H.Sections[r], {DirResource})) return -1;
    const uint64_t start = H.Sections[r].PointerToRawData;
    for (int i = 0; i < n; ++i) {
        const TSection& s = H.Sections[i];
        if (!s.PointerToRawData) continue;
        if (i < r && uint64_t(s.PointerToRawData) + s.SizeOfRawData > start) return -1;
        if (i > r && s.PointerToRawData < start) return -1;
    }
    uint64_t end = start + H.Sections[r].SizeOfRawData;
    for (int i = r + 1; i < n; ++i) {
        const TSection& s = H.Sections[i];
        if (!(s.Characteristics & ScnMemDiscardable) || !ReferencedOnlyBy(Image, H, s, {DirBaseReloc})) return -1;
        if (!s.PointerToRawData) continue;
        if (s.PointerToRawData < end) return -1;  // raw data out of order
        end = uint64_t(s.PointerToRawData) + s.SizeOfRawData;
    }
    return r;
}

uint64_t RawEnd(const TPEHeaders& H) {
    uint64_t end = H.SizeOfHeaders;
    for (const TSection& s : H.Sections)
        if (s.PointerToRawData) end = std::max(end, uint64_t(s.PointerToRawData) + s.SizeOfRawData);
    return end;
}

void PadTo(std::string& Out, uint32_t Alignment) { Out.resize(AlignUp(Out.size(), Alignment), '\0'); }

void WriteSectionHeader(std::string& Out, const TSection& S) {
    Put32(Out, S.HeaderOffset + ShVirtualSize, S.VirtualSize);
    Put32(Out, S.HeaderOffset + ShVirtualAddress, S.VirtualAddress);
    Put32(Out, S.HeaderOffset + ShSizeOfRawData, S.SizeOfRawData);
    Put32(Out, S.HeaderOffset + ShPointerToRawData, S.PointerToRawData);
    Put32(Out, S.HeaderOffset + ShCharacteristics, S.Characteristics);
}

// Appends the resource section of Tree, at S's address, to Out as S's raw
// data (both ends aligned to FileAlignment); sets S's raw pointer and sizes
// and the resource directory entry.
void PlaceResourceData(TSection& S, const TResourceTree& Tree, uint32_t FileAlignment, std::string& Out,
                       TDataDirectory& Resource) {
    PadTo(Out, FileAlignment);
    const std::string data = WriteResourceSection(Tree, S.VirtualAddress);
    S.PointerToRawData = static_cast<uint32_t>(Out.size());
    Out += data;
    PadTo(Out, FileAlignment);
    S.VirtualSize = static_cast<uint32_t>(data.size());
    S.SizeOfRawData = static_cast<uint32_t>(Out.size() - S.PointerToRawData);
    Resource = {S.VirtualAddress, S.VirtualSize};
}

// Rewrites section R with Tree and moves the sections after it up or down.
// Returns the new sections; Out holds the file up to their raw data's end.
std::vector<TSection> RewriteInPlace(const std::string& Image, const TPEHeaders& H, int R, const TResourceTree& Tree,
                                     std::string& Out, TDataDirectory& Resource, uint32_t& RelocRva) {
    std::vector<TSection> sections = H.Sections;
    TSection& rs = sections[R];
    Out = Image.substr(0, rs.PointerToRawData);
    PlaceResourceData(rs, Tree, H.FileAlignment, Out, Resource);
    size_t reloc = 0;  // the section holding the base relocations, 0 for none after R
    for (size_t i = R + 1; i < sections.size(); ++i)
        if (RelocRva && sections[i].Holds(RelocRva)) reloc = i;
    for (size_t i = R + 1; i < sections.size(); ++i) {
        const TSection& before = sections[i - 1];
        TSection& s = sections[i];
        const uint64_t va = AlignUp(uint64_t(before.VirtualAddress) + before.MemorySize(), H.SectionAlignment);
        if (va > 0xFFFFFFFFu) Fail("The program would be too large");
        if (i == reloc) RelocRva = RelocRva - s.VirtualAddress + static_cast<uint32_t>(va);
        s.VirtualAddress = static_cast<uint32_t>(va);
        if (!s.PointerToRawData) continue;
        const std::string raw = Image.substr(s.PointerToRawData, s.SizeOfRawData);
        s.PointerToRawData = static_cast<uint32_t>(Out.size());
        Out += raw;
        PadTo(Out, H.FileAlignment);
    }
    return sections;
}

// Appends a new section ".rsrc" holding Tree after the last one.
std::vector<TSection> AppendSection(const std::string& Image, const TPEHeaders& H, const TResourceTree& Tree, std::string& Out,
                                    TDataDirectory& Resource) {
    const uint64_t header = H.SectionTable + uint64_t(H.Sections.size()) * SectionHeaderSize;
    bool room = header + SectionHeaderSize <= H.SizeOfHeaders && header + SectionHeaderSize <= Image.size();
    for (const TSection& s : H.Sections)
        if (s.PointerToRawData && header + SectionHeaderSize > s.PointerToRawData) room = false;
    for (uint64_t i = header; room && i < header + SectionHeaderSize; ++i)
        if (Image[i]) room = false;
    if (!room || H.Sections.size() >= MaxSections)
        Fail("The program's headers have no room for another section header (40 free bytes at offset " + Hex(header) + ")");
    std::vector<TSection> sections = H.Sections;
    const TSection& last = sections.back();
    const uint64_t va = AlignUp(uint64_t(last.VirtualAddress) + last.MemorySize(), H.SectionAlignment);
    if (va > 0xFFFFFFFFu) Fail("The program would be too large");
    Out = Image.substr(0, RawEnd(H));
    TSection s;
    s.HeaderOffset = static_cast<uint32_t>(header);
    s.VirtualAddress = static_cast<uint32_t>(va);
    PlaceResourceData(s, Tree, H.FileAlignment, Out, Resource);
    s.Characteristics = ScnInitializedData | ScnMemRead;
    Out.replace(header + ShName, 8, std::string(".rsrc\0\0\0", 8));
    sections.push_back(s);
    return sections;
}

uint64_t InitializedRawSize(const std::vector<TSection>& Sections) {
    uint64_t sum = 0;
    for (const TSection& s : Sections)
        if (s.Characteristics & ScnInitializedData) sum += s.SizeOfRawData;
    return sum;
}

}  // namespace

std::string ReplaceResources(const std::string& Image, const TResourceTree& Tree) {
    const TPEHeaders h = ReadHeaders(Image);
    if (h.DirectoryCount <= DirResource) Fail("The program's headers have no resource directory entry");
    if (h.Directory(Image, DirSecurity).Rva)
        Fail("The program is signed; a changed program loses its signature, so remove it first and sign afterwards");
    const uint64_t oldRawEnd = RawEnd(h);
    if (oldRawEnd > Image.size()) Fail("The file is cut short (its sections run past its end)");
    std::string out;
    TDataDirectory resource;
    uint32_t relocRva = h.Directory(Image, DirBaseReloc).Rva;
    const int r = RewritableSection(Image, h);
    std::vector<TSection> sections = r >= 0 ? RewriteInPlace(Image, h, r, Tree, out, resource, relocRva)
                                            : AppendSection(Image, h, Tree, out, resource);
    const uint64_t newRawEnd = out.size();
    // What follows the sections (symbols, appended data) moves with them.
    out.append(Image, oldRawEnd, std::string::npos);
    if (out.size() > 0xFFFFFFFFu) Fail("The program would be too large");

    for (const TSection& s : sections) WriteSectionHeader(out, s);
    Put16(out, h.FileHeader + FhNumberOfSections, static_cast<uint16_t>(sections.size()));
    const uint32_t symbols = Get32(Image, h.FileHeader + FhPointerToSymbolTable);
    if (symbols && symbols >= oldRawEnd)
        Put32(out, h.FileHeader + FhPointerToSymbolTable, static_cast<uint32_t>(symbols - oldRawEnd + newRawEnd));
    const TSection& last = sections.back();
    Put32(out, h.OptionalHeader + OhSizeOfImage,
          static_cast<uint32_t>(AlignUp(uint64_t(last.VirtualAddress) + last.MemorySize(), h.SectionAlignment)));
    const int64_t initialized = int64_t(Get32(Image, h.OptionalHeader + OhSizeOfInitializedData)) +
                                int64_t(InitializedRawSize(sections)) - int64_t(InitializedRawSize(h.Sections));
    Put32(out, h.OptionalHeader + OhSizeOfInitializedData, static_cast<uint32_t>(std::clamp<int64_t>(initialized, 0, 0xFFFFFFFF)));
    Put32(out, h.DirectoryOffset(DirResource), resource.Rva);
    Put32(out, h.DirectoryOffset(DirResource) + 4, resource.Size);
    if (h.DirectoryCount > DirBaseReloc) Put32(out, h.DirectoryOffset(DirBaseReloc), relocRva);
    // An image without a checksum keeps none: the loader checks it only for
    // drivers and a few system files.
    if (Get32(Image, h.ChecksumOffset())) Put32(out, h.ChecksumOffset(), PEChecksum(out, h.ChecksumOffset()));
    return out;
}

std::string EmbedInstallDefinition(const std::string& Image, const std::string& Definition) {
    TResourceTree tree = ReadResourceTree(Image);
    SetResource(tree, TResourceKey::Number(ResTypeRCData), TResourceKey::Text("INSTALLDEFINITION"), Definition);
    return ReplaceResources(Image, tree);
}

// ----- the version resource

namespace {

// One block of a version resource: a key, its value and its children,
// each aligned to 4 bytes within the resource.
struct TVersionBlock {
    std::u16string Key;
    std::string_view Value;     // the value's bytes
    std::string_view Children;  // the bytes of the child blocks
};

uint16_t Word(std::string_view Data, size_t At) {
    return static_cast<uint16_t>(static_cast<uint8_t>(Data[At]) | static_cast<uint8_t>(Data[At + 1]) << 8);
}

size_t Aligned(size_t At) { return (At + 3) & ~size_t(3); }

// The block at the start of Data, or nothing when it does not fit.
std::optional<TVersionBlock> ReadVersionBlock(std::string_view Data) {
    if (Data.size() < 6) return std::nullopt;
    const size_t length = Word(Data, 0), valueLength = Word(Data, 2), type = Word(Data, 4);
    if (length < 6 || length > Data.size()) return std::nullopt;
    Data = Data.substr(0, length);
    TVersionBlock b;
    size_t at = 6;
    for (;; at += 2) {
        if (at + 2 > Data.size()) return std::nullopt;
        const uint16_t c = Word(Data, at);
        if (c == 0) break;
        b.Key.push_back(static_cast<char16_t>(c));
    }
    at = Aligned(at + 2);
    const size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    if (at > Data.size() || valueBytes > Data.size() - at) return std::nullopt;
    b.Value = Data.substr(at, valueBytes);
    at = Aligned(at + valueBytes);
    b.Children = at < Data.size() ? Data.substr(at) : std::string_view();
    return b;
}

std::vector<TVersionBlock> VersionChildren(std::string_view Children) {
    std::vector<TVersionBlock> out;
    while (auto b = ReadVersionBlock(Children)) {
        out.push_back(*b);
        const size_t length = Aligned(Word(Children, 0));
        if (length >= Children.size()) break;
        Children.remove_prefix(length);
    }
    return out;
}

std::u16string Wide(const std::string& Ascii) { return TResourceKey::Text(Ascii).Name; }

// "040904E4" for the translation language 0x0409, code page 1252.
std::u16string TranslationKey(std::string_view Value) {
    if (Value.size() < 4) return {};
    char text[9];
    std::snprintf(text, sizeof text, "%04X%04X", Word(Value, 0), Word(Value, 2));
    return Wide(text);
}

bool SameKey(const std::u16string& A, const std::u16string& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i) {
        auto up = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
        if (up(A[i]) != up(B[i])) return false;
    }
    return true;
}

}  // namespace

bool VersionHasString(const std::string& Image, const std::string& Name) {
    TResourceTree tree;
    try {
        tree = ReadResourceTree(Image);
    } catch (const EPEImageError&) {
        return false;
    }
    const TResourceType* type = nullptr;
    for (const TResourceType& t : tree.Types)
        if (t.Key == TResourceKey::Number(16)) type = &t;
    if (!type || type->Names.empty() || type->Names.front().Languages.empty()) return false;
    const auto root = ReadVersionBlock(type->Names.front().Languages.front().Data);
    if (!root) return false;
    std::u16string translation;
    std::vector<TVersionBlock> tables;
    for (const TVersionBlock& b : VersionChildren(root->Children)) {
        if (b.Key == u"StringFileInfo") tables = VersionChildren(b.Children);
        if (b.Key == u"VarFileInfo")
            for (const TVersionBlock& v : VersionChildren(b.Children))
                if (v.Key == u"Translation" && translation.empty()) translation = TranslationKey(v.Value);
    }
    const TVersionBlock* table = tables.empty() ? nullptr : &tables.front();
    for (const TVersionBlock& t : tables)
        if (!translation.empty() && SameKey(t.Key, translation)) table = &t;
    if (!table) return false;
    const std::u16string wanted = Wide(Name);
    for (const TVersionBlock& v : VersionChildren(table->Children))
        if (SameKey(v.Key, wanted)) return true;
    return false;
}

}  // namespace vtrl
