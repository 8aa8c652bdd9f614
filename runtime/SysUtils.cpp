// Exceptions and text helpers. Format is in SysUtils_Format.cpp.
#include "SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vtrl {

std::string ExceptionLogText(const std::exception& E) {
    const auto* e = dynamic_cast<const Exception*>(&E);
    if (!e || e->Detail.empty()) return E.what();
    return std::string(E.what()) + " (" + e->Detail + ")";
}


void Abort() { throw EAbort(); }

namespace {
TMessageTextTranslator gTranslator;
TProcessMessagesProc gProcessMessages = nullptr;
}  // namespace

std::string TranslateMessageText(std::string_view Text) {
    return gTranslator ? gTranslator(Text) : std::string(Text);
}
void SetMessageTextTranslator(TMessageTextTranslator Translator) { gTranslator = std::move(Translator); }
void SetMessageTranslator(TMessageTranslator Translator) {
    if (Translator) gTranslator = Translator;
    else gTranslator = nullptr;
}

void ProcessMessages() {
    if (gProcessMessages) gProcessMessages();
}
void SetProcessMessagesProc(TProcessMessagesProc Proc) { gProcessMessages = Proc; }

std::string GetToken(std::string_view Text, char Sep, int N) {
    if (N < 1) return {};
    int k = 1;
    size_t start = 0;
    for (;;) {
        size_t end = Text.find(Sep, start);
        if (k == N) return std::string(Text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return {};
        start = end + 1;
        ++k;
    }
}

int TokenCount(std::string_view Text, char Sep) {
    if (Text.empty()) return 0;
    return 1 + static_cast<int>(std::count(Text.begin(), Text.end(), Sep));
}

std::string AddBackSlash(std::string_view Path) {
    std::string s(Path);
    if (!s.empty() && s.back() != '\\') s += '\\';
    return s;
}

std::string RemoveBackSlash(std::string_view Path) {
    std::string s(Path);
    if (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

std::string Trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    return std::string(s.substr(a, b - a));
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

namespace {
// Edits from a to b, letters compared without regard to case; a swap of
// two neighbours is one edit.
size_t EditDistance(std::string_view a, std::string_view b) {
    auto same = [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    };
    const size_t n = b.size();
    std::vector<size_t> before(n + 1), previous(n + 1), row(n + 1);
    for (size_t j = 0; j <= n; ++j) previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (size_t j = 1; j <= n; ++j) {
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[n];
}
}  // namespace

std::string ClosestName(std::string_view Word, const std::vector<std::string>& Candidates) {
    const size_t limit = std::max<size_t>(1, Word.size() / 3);
    size_t best = limit + 1;
    const std::string* found = nullptr;
    for (const std::string& c : Candidates) {
        if (SameText(c, Word)) return {};
        const size_t d = EditDistance(Word, c);
        if (d < best && d < Word.size()) {
            best = d;
            found = &c;
        }
    }
    return found ? *found : std::string();
}

std::string DidYouMean(std::string_view Word, const std::vector<std::string>& Candidates) {
    const std::string name = ClosestName(Word, Candidates);
    return name.empty() ? std::string() : "; did you mean " + name + "?";
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

bool TryStrToInt(std::string_view s, int64_t& out) {
    std::string t = Trim(s);
    if (t.empty()) return false;
    size_t i = 0;
    bool neg = false;
    if (t[0] == '-' || t[0] == '+') {
        neg = t[0] == '-';
        i = 1;
    }
    if (i >= t.size()) return false;
    int64_t v = 0;
    bool hex = t[i] == '$';
    if (hex && ++i >= t.size()) return false;
    for (; i < t.size(); ++i) {
        int d;
        char c = t[i];
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * (hex ? 16 : 10) + d;
        if (v > (int64_t{1} << 40)) return false;
    }
    out = neg ? -v : v;
    return true;
}

int64_t StrToInt(std::string_view s) {
    int64_t v;
    if (!TryStrToInt(s, v)) throw Exception("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

namespace {
size_t LastSep(std::string_view p) {
    size_t i = p.find_last_of("\\/:");
    return i;
}
}  // namespace

std::string ExtractFileName(std::string_view Path) {
    size_t i = LastSep(Path);
    return std::string(i == std::string_view::npos ? Path : Path.substr(i + 1));
}

std::string ExtractFilePath(std::string_view Path) {
    size_t i = LastSep(Path);
    return i == std::string_view::npos ? std::string() : std::string(Path.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view Path) {
    size_t i = LastSep(Path);
    if (i == std::string_view::npos) return {};
    if (Path[i] == ':') return std::string(Path.substr(0, i + 1));
    return std::string(Path.substr(0, i));
}

std::string ExtractFileExt(std::string_view Path) {
    size_t i = Path.find_last_of(".\\/:");
    if (i == std::string_view::npos || Path[i] != '.') return {};
    return std::string(Path.substr(i));
}

std::string ChangeFileExt(std::string_view Path, std::string_view Ext) {
    size_t i = Path.find_last_of(".\\/:");
    std::string base(i == std::string_view::npos || Path[i] != '.' ? Path : Path.substr(0, i));
    return base + std::string(Ext);
}

bool IsDriveRelativePath(std::string_view Path) {
    auto isSep = [](char c) { return c == '\\' || c == '/'; };
    return !Path.empty() && isSep(Path[0]) && !(Path.size() > 1 && isSep(Path[1]));
}

bool IsFullPath(std::string_view Path) {
    auto isSep = [](char c) { return c == '\\' || c == '/'; };
    if (Path.size() >= 3 && Path[1] == ':' && isSep(Path[2])) {
        const char d = static_cast<char>(Path[0] | 0x20);
        return d >= 'a' && d <= 'z';
    }
    if (Path.size() < 5 || Path[0] != '\\' || Path[1] != '\\') return false;
    // \\server\share: both names present, the server's ended by a separator.
    const size_t serverEnd = Path.find_first_of("\\/", 2);
    if (serverEnd == std::string_view::npos || serverEnd == 2) return false;
    const size_t shareEnd = Path.find_first_of("\\/", serverEnd + 1);
    return (shareEnd == std::string_view::npos ? Path.size() : shareEnd) > serverEnd + 1;
}

}  // namespace vtrl
