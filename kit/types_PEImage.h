// The parts of a Windows program file (PE image) that the resource writer
// reads and changes. All fields are little-endian; offsets are in bytes.
//
// Map of the file:
//   0                      DOS header; "MZ" at 0, offset of the PE signature at 0x3C
//   e_lfanew               "PE\0\0"
//   e_lfanew + 4           file header (20 bytes)
//   e_lfanew + 24          optional header (SizeOfOptionalHeader bytes; PE32 or PE32+)
//   after it               section table (40 bytes a section)
//   SizeOfHeaders          the sections' raw data, each at its PointerToRawData
//   after the last one     anything appended (symbol table, other data)
//
// Resource section (the tree the loader walks, offsets from the tree's start):
//   directory table        16 bytes, then 8 bytes an entry: named entries
//                          first (sorted by name), then numbered ones (by number)
//   entry                  name or number (high bit: offset of a name string),
//                          then target (high bit: offset of a subdirectory,
//                          else offset of a data entry)
//   name string            16-bit length in characters, then UTF-16 characters
//   data entry             RVA of the bytes, size, code page, reserved
// Level 1 is the type, level 2 the name, level 3 the language.
#pragma once

#include <cstdint>

namespace vtrl::pe {

// DOS header
constexpr uint32_t DosMagicOffset = 0x00;    // "MZ"
constexpr uint32_t DosPEOffset = 0x3C;       // uint32: file offset of the PE signature
constexpr uint32_t PESignatureSize = 4;      // "PE\0\0"

// File header (from the PE signature + 4)
constexpr uint32_t FileHeaderSize = 20;
constexpr uint32_t FhNumberOfSections = 2;    // uint16
constexpr uint32_t FhPointerToSymbolTable = 8;  // uint32: file offset of the COFF symbols, 0 if none
constexpr uint32_t FhSizeOfOptionalHeader = 16;  // uint16

// Optional header (from the PE signature + 24)
constexpr uint16_t MagicPE32 = 0x10B;
constexpr uint16_t MagicPE32Plus = 0x20B;
constexpr uint32_t OhMagic = 0;                   // uint16
constexpr uint32_t OhSizeOfInitializedData = 8;   // uint32: sum of initialised sections' raw sizes
constexpr uint32_t OhSectionAlignment = 32;       // uint32: sections' alignment in memory
constexpr uint32_t OhFileAlignment = 36;          // uint32: raw data alignment in the file
constexpr uint32_t OhSizeOfImage = 56;            // uint32: memory size, a multiple of SectionAlignment
constexpr uint32_t OhSizeOfHeaders = 60;          // uint32: size of all headers, a multiple of FileAlignment
constexpr uint32_t OhCheckSum = 64;               // uint32: CheckSumMappedFile's sum, or 0
constexpr uint32_t OhNumberOfRvaAndSizesPE32 = 92;      // uint32: count of data directories
constexpr uint32_t OhNumberOfRvaAndSizesPE32Plus = 108;
// The data directories follow the count: 8 bytes each, RVA then size.
constexpr uint32_t DataDirectorySize = 8;
constexpr uint32_t DirResource = 2;
constexpr uint32_t DirSecurity = 4;   // a file offset, not an RVA: the signature
constexpr uint32_t DirBaseReloc = 5;

// Section header (40 bytes)
constexpr uint32_t SectionHeaderSize = 40;
constexpr uint32_t ShName = 0;                  // 8 bytes, zero-padded
constexpr uint32_t ShVirtualSize = 8;           // uint32
constexpr uint32_t ShVirtualAddress = 12;       // uint32: RVA
constexpr uint32_t ShSizeOfRawData = 16;        // uint32: multiple of FileAlignment
constexpr uint32_t ShPointerToRawData = 20;     // uint32: file offset, 0 for none
constexpr uint32_t ShCharacteristics = 36;      // uint32
constexpr uint32_t ScnInitializedData = 0x00000040;
constexpr uint32_t ScnMemDiscardable = 0x02000000;
constexpr uint32_t ScnMemRead = 0x40000000;

// Resource tree
constexpr uint32_t ResDirectorySize = 16;
constexpr uint32_t RdCharacteristics = 0;       // uint32
constexpr uint32_t RdTimeDateStamp = 4;         // uint32
constexpr uint32_t RdMajorVersion = 8;          // uint16
constexpr uint32_t RdMinorVersion = 10;         // uint16
constexpr uint32_t RdNumberOfNamedEntries = 12;  // uint16
constexpr uint32_t RdNumberOfIdEntries = 14;    // uint16
constexpr uint32_t ResEntrySize = 8;
constexpr uint32_t ResHighBit = 0x80000000;
constexpr uint32_t ResDataEntrySize = 16;        // RVA, size, code page, reserved (uint32 each)
constexpr uint32_t ResDataAlignment = 8;
constexpr uint32_t ResLevels = 3;                // type, name, language

constexpr uint16_t ResTypeRCData = 10;

}  // namespace vtrl::pe
