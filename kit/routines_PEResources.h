// Reading and rewriting the resources of a Windows program file (PE32 and
// PE32+) without the Windows API, so that the authoring tool can put an
// installation definition into a setup program on any system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

// A program file that cannot be read or changed: not a PE image, cut
// short, a resource tree that points outside itself or into itself, no
// room for another section. The message says which.
class EPEImageError : public Exception {
public:
    explicit EPEImageError(std::string Message) : Exception(std::move(Message)) {}
};

// A type, name or language of the resource tree: a number or a name.
struct TResourceKey {
    bool IsName = false;
    uint32_t Id = 0;          // when !IsName (31 bits)
    std::u16string Name;      // when IsName
    static TResourceKey Number(uint32_t Id);
    static TResourceKey Text(const std::string& Ascii);  // names are ASCII here
    bool operator==(const TResourceKey&) const = default;
};

// The header fields of one directory table, kept as they were read.
struct TResourceDirInfo {
    uint32_t Characteristics = 0;
    uint32_t TimeDateStamp = 0;
    uint16_t MajorVersion = 0;
    uint16_t MinorVersion = 0;
};

struct TResourceLanguage {
    TResourceKey Key;
    uint32_t CodePage = 0;
    std::string Data;
};

struct TResourceName {
    TResourceKey Key;
    TResourceDirInfo Dir;
    std::vector<TResourceLanguage> Languages;
};

struct TResourceType {
    TResourceKey Key;
    TResourceDirInfo Dir;
    std::vector<TResourceName> Names;
};

// The whole resource tree of an image, in the order the loader needs:
// sorted by WriteResourceSection, so readers may keep the file's order.
struct TResourceTree {
    TResourceDirInfo Dir;
    std::vector<TResourceType> Types;
    // The entry Type/Name, or nullptr.
    const TResourceName* Find(const TResourceKey& Type, const TResourceKey& Name) const;
};

// Reads the resource tree of Image (the bytes of a program file). An image
// without resources gives an empty tree. Raises EPEImageError for an image
// that is not a PE image, is cut short, or whose tree is damaged.
TResourceTree ReadResourceTree(const std::string& Image);

// Puts Data into Tree as Type/Name. An existing entry of that type and
// name keeps its language (the first one it has) and code page and loses
// its other languages; a new entry gets language 0 and code page 0.
void SetResource(TResourceTree& Tree, const TResourceKey& Type, const TResourceKey& Name, std::string Data);

// The bytes of a resource section holding Tree, to be loaded at SectionRva:
// directory tables (breadth first), data entries, name strings, then the
// data, each aligned to 8. Entries are sorted as the loader's binary search
// needs. The same tree and RVA always give the same bytes.
std::string WriteResourceSection(const TResourceTree& Tree, uint32_t SectionRva);

// A copy of Image whose resources are Tree. The resource section is
// rewritten where it stands when it is the last section but for sections
// that may move (discardable ones such as .reloc, which are moved up);
// otherwise a new section ".rsrc" is appended and the old one is left
// unreferenced. SizeOfImage, the section table, the resource directory
// entry and the checksum (when the image had one) follow. Image is not
// changed; raises EPEImageError when the image cannot take the change
// (signed, no room for another section header, damaged).
std::string ReplaceResources(const std::string& Image, const TResourceTree& Tree);

// ReadResourceTree, SetResource(RCDATA, "INSTALLDEFINITION") and
// ReplaceResources in one: the image with Definition embedded as the
// installation definition the setup program reads.
std::string EmbedInstallDefinition(const std::string& Image, const std::string& Definition);

// True when the version resource of Image (the first one it has) holds a
// string named Name in its first translation's string table (the first
// table when the translation names none): what marks a self-registering
// server ("OLESelfRegister"). False for an image without version
// information or one that cannot be read.
bool VersionHasString(const std::string& Image, const std::string& Name);

// The checksum Windows' CheckSumMappedFile computes for Image: the 16-bit
// one's complement sum of the file with the checksum field taken as zero,
// plus the file's length.
uint32_t PEChecksum(const std::string& Image, size_t ChecksumOffset);

}  // namespace vtrl
