// Parsing of the language table text (see routines_LanguageTable.h).
#include "routines_LanguageTable.h"

#include <limits>

#include "SysUtils.h"

namespace vtrl {

namespace {

// The error texts name the memo start ".GLID;" although tables write it
// "#GLID;"; they are kept as the users of the kit know them.
constexpr const char* NotInMemoMsg = "Found the end of memo marker # at line %d. Was not in a memo however";
constexpr const char* BadFormatMsg = "The %d'th string (%s) does not have the proper format of GLID;Text";
constexpr const char* BadGLIDMsg = "The %d'th string (%s) does not have the proper format of GLID;Text or .GLID;";

[[noreturn]] void Fail(const char* Template, int Index, const std::string& Line) {
    throw Exception(Fmt(TranslateMessageText(Template), Index, Line));
}

// A 32-bit decimal integer with an optional sign and nothing else.
bool ParseGLID(std::string_view s, int32_t& GLID) {
    size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size()) return false;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) return false;
    GLID = static_cast<int32_t>(v);
    return true;
}

class TTableParser {
public:
    TLanguageTable Parse(const std::vector<std::string>& Lines) {
        for (size_t i = 0; i < Lines.size(); ++i) ParseLine(static_cast<int>(i), Trim(Lines[i]));
        // A memo still open here is dropped.
        return std::move(Table);
    }

private:
    void ParseLine(int Index, const std::string& Line) {
        if (Line.empty()) return;
        if (Line == "#") return EndMemo(Index, Line);
        if (Line[0] == '*') return;
        if (InMemo) {
            Memo.Lines.push_back(Line);
            return;
        }
        if (Line[0] == '#') return StartMemo(Index, Line);
        AddString(Index, Line);
    }

    void EndMemo(int Index, const std::string& Line) {
        if (!InMemo) Fail(NotInMemoMsg, Index, Line);
        Table.Memos.push_back(std::move(Memo));
        Memo = {};
        InMemo = false;
    }

    void StartMemo(int Index, const std::string& Line) {
        size_t semicolon = Line.find(';');
        std::string_view glid = std::string_view(Line).substr(1, semicolon == std::string::npos ? std::string::npos
                                                                                                 : semicolon - 1);
        if (glid.empty()) Fail(BadFormatMsg, Index, Line);
        if (!ParseGLID(glid, Memo.GLID)) Fail(BadGLIDMsg, Index, Line);
        Memo.Line = Index;
        InMemo = true;
    }

    void AddString(int Index, const std::string& Line) {
        size_t first = Line.find(';');
        if (first == 0 || first == std::string::npos) Fail(BadFormatMsg, Index, Line);
        size_t second = Line.find(';', first + 1);
        std::string_view text = std::string_view(Line).substr(
            first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        // Blankness is judged on the Text as stored: one whose first
        // visible character lies beyond the cut would be stored blank.
        std::string stored = CutUtf8(text, MaxLanguageTextLength);
        if (Trim(stored).empty()) Fail(BadFormatMsg, Index, Line);
        TLanguageTableString entry;
        if (!ParseGLID(std::string_view(Line).substr(0, first), entry.GLID)) Fail(BadGLIDMsg, Index, Line);
        entry.Line = Index;
        entry.Text = std::move(stored);
        Table.Strings.push_back(std::move(entry));
    }

    TLanguageTable Table;
    TLanguageTableMemo Memo;
    bool InMemo = false;
};

}  // namespace

TLanguageTable ParseLanguageTable(const std::vector<std::string>& Lines) {
    return TTableParser().Parse(Lines);
}

// The limit counts bytes. A cut that would fall inside a UTF-8 sequence
// moves back to the sequence's first byte; at most three bytes go back, so
// a text of stray continuation bytes is still cut near the limit.
std::string CutUtf8(std::string_view Text, size_t MaxBytes) {
    if (Text.size() <= MaxBytes) return std::string(Text);
    size_t cut = MaxBytes;
    auto continuation = [&](size_t i) { return (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80; };
    for (int back = 0; back < 3 && cut > 0 && continuation(cut); ++back) --cut;
    if (continuation(cut)) cut = MaxBytes;  // not UTF-8 there: the byte limit holds
    return std::string(Text.substr(0, cut));
}

}  // namespace vtrl
