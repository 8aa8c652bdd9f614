// Fuzz target: the language table parser on arbitrary bytes, split into
// lines at LF. An Exception is the expected outcome of a bad table; a crash,
// leak, undefined behaviour, another exception type or a broken promise of
// the parser (checked below) is a finding.
#include <cstdio>
#include <cstdlib>

#include "SysUtils.h"
#include "routines_LanguageTable.h"

using namespace vtrl;

namespace {

void Require(bool Holds, const char* What) {
    if (Holds) return;
    std::fprintf(stderr, "finding: %s\n", What);
    std::abort();
}

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string_view input(reinterpret_cast<const char*>(Data), Size);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= input.size(); ++i) {
        if (i == input.size() || input[i] == '\n') {
            lines.emplace_back(input.substr(start, i - start));
            start = i + 1;
        }
    }
    TLanguageTable table;
    try {
        table = ParseLanguageTable(lines);
    } catch (const Exception& e) {
        // The message holds the line, which may hold a NUL: read it whole.
        Require(e.Message.find("the proper format") != std::string::npos ||
                    e.Message.find("end of memo marker") != std::string::npos,
                "error without the table's message");
        return 0;
    }
    int previous = -1;
    for (const TLanguageTableString& s : table.Strings) {
        Require(s.Line > previous && s.Line < static_cast<int>(lines.size()), "entries out of table order");
        previous = s.Line;
        Require(s.Text.size() <= MaxLanguageTextLength, "text longer than the limit");
        Require(s.Text.find(';') == std::string::npos, "text holds a separator");
        Require(!Trim(s.Text).empty(), "blank text accepted");
        std::string_view line = lines[static_cast<size_t>(s.Line)];
        Require(line.find(s.Text) != std::string_view::npos, "text not taken from its line");
        if (ValidUtf8(line)) Require(ValidUtf8(s.Text), "cut inside a UTF-8 sequence");
    }
    previous = -1;
    for (const TLanguageTableMemo& m : table.Memos) {
        Require(m.Line > previous, "memos out of table order");
        previous = m.Line;
        for (const std::string& l : m.Lines) Require(!l.empty() && l == Trim(l) && l != "#", "memo line not kept trimmed");
    }
    return 0;
}
