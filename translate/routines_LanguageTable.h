// The language table text: lines of GLID;Text, multi-line memos between
// "#GLID;" and "#", comment lines starting with "*". Portable: the
// translator parses the tables of the installation definition with it and
// the native tests and fuzzer run it without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtrl {

// The longest Text a one-line entry keeps, in bytes.
inline constexpr size_t MaxLanguageTextLength = 255;

// A one-line entry: GLID;Text.
struct TLanguageTableString {
    int32_t GLID = 0;
    int Line = 0;      // 0-based index of the table line
    std::string Text;  // as written between the separators, at most 255 bytes
};

// A multi-line entry: "#GLID;", its lines, "#".
struct TLanguageTableMemo {
    int32_t GLID = 0;
    int Line = 0;  // 0-based index of the "#GLID;" line
    std::vector<std::string> Lines;
};

// The entries of one table, in table order. A lookup takes the first
// match, so a GLID repeated later in the table is never found.
struct TLanguageTable {
    std::vector<TLanguageTableString> Strings;
    std::vector<TLanguageTableMemo> Memos;
};

// Parses the lines of a table. Each line is trimmed of blanks (characters
// up to the space) and then read as: an empty line (ignored, also inside a
// memo); "#", which closes the open memo; a comment "*..." (ignored, also
// inside a memo); a memo line (kept trimmed) while a memo is open; "#GLID;"
// opening a memo (text after the ";" ignored; without a ";" the rest of the
// line is the GLID); else GLID;Text, where Text ends at a second ";" and is
// kept untrimmed. A memo still open at the end is dropped.
//
// Raises Exception with the table's own messages (line numbers 0-based, the
// line shown trimmed) for a "#" outside a memo, a missing GLID, a Text
// that is blank as stored (after the cut to 255 bytes), or a GLID that is
// not a 32-bit decimal integer. Nothing is returned
// then: a table is used whole or not at all.
TLanguageTable ParseLanguageTable(const std::vector<std::string>& Lines);

// Text cut to at most MaxBytes bytes, shortened further so that the cut
// never splits a UTF-8 sequence (the tables are UTF-8).
std::string CutUtf8(std::string_view Text, size_t MaxBytes);

}  // namespace vtrl
