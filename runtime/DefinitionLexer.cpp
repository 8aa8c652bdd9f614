// The tokens of a definition text, and the definition error.
#include "DefinitionLexer.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "DefinitionText.h"

namespace vtrl {

static std::string PositionedMessage(const std::string& FileName, int Line, int Column, const std::string& Text) {
    if (FileName.empty()) return Fmt("%d:%d: %s", Line, Column, Text);
    return Fmt("%s(%d:%d): %s", FileName, Line, Column, Text);
}

EDefinitionError::EDefinitionError(std::string fileName, int line, int column, std::string text)
    : Exception(PositionedMessage(fileName, line, column, text)),
      FileName(std::move(fileName)),
      Line(line),
      Column(column),
      Text(std::move(text)) {}

}  // namespace vtrl

namespace vtrl::definition {

namespace {
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

void AppendUtf8(std::string& s, uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Shorten(const std::string& s) { return s.size() > 40 ? s.substr(0, 40) + "..." : s; }
}  // namespace

bool TToken::IsKeyword(std::string_view Word) const {
    return Kind == TTokenKind::Identifier && SameText(Text, Word);
}

std::string TToken::Describe() const {
    switch (Kind) {
    case TTokenKind::EndOfText: return "end of text";
    case TTokenKind::Identifier: return "identifier '" + Text + "'";
    case TTokenKind::Integer:
    case TTokenKind::Float: return "number " + Text;
    case TTokenKind::String: return "string '" + Shorten(Text) + "'";
    case TTokenKind::Binary: return "binary data";
    case TTokenKind::Symbol: return "'" + Text + "'";
    }
    return "token";
}

TDefinitionLexer::TDefinitionLexer(std::string_view Text, std::string_view FileName, int FileIndex,
                                   std::vector<std::string>* Files)
    : FText(Text), FFileName(FileName), FFileIndex(FileIndex), FFiles(Files) {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    Next();
}

void TDefinitionLexer::Fail(int Line, int Column, const std::string& Message) const {
    throw EDefinitionError(FFileName, Line, Column, Message);
}

void TDefinitionLexer::Fail(const TToken& At, const std::string& Message) const {
    const bool named = FFiles && At.File >= 0 && At.File < static_cast<int>(FFiles->size());
    throw EDefinitionError(named ? (*FFiles)[At.File] : FFileName, At.Line, At.Column, Message);
}

char TDefinitionLexer::Peek(size_t Ahead) const {
    return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0';
}

// Columns count characters: UTF-8 continuation bytes do not advance them.
// CR LF, LF and a lone CR each end a line.
void TDefinitionLexer::Advance() {
    char c = FText[FPos++];
    if (c == '\n' || (c == '\r' && Peek() != '\n')) {
        ++FLine;
        FColumn = 1;
    } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        ++FColumn;
    }
}

// Blanks, line ends and comments: "//" to the end of its line.
void TDefinitionLexer::SkipBlanks() {
    while (FPos < FText.size()) {
        const char c = Peek();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            Advance();
        } else if (c == '/' && Peek(1) == '/') {
            const size_t start = FPos;
            while (FPos < FText.size() && Peek() != '\n' && Peek() != '\r') Advance();
            if (FFiles && FText.substr(start, 8) == "//#line ") ReadLineMark(start + 8);
        } else {
            break;
        }
    }
}

// The rest of a "//#line N 'name'" comment, from At to the line's end
// (FPos); a comment of another form is left a comment.
void TDefinitionLexer::ReadLineMark(size_t At) {
    std::string_view mark = FText.substr(At, FPos - At);
    size_t i = 0;
    long line = 0;
    while (i < mark.size() && mark[i] >= '0' && mark[i] <= '9' && line < 100000000) line = line * 10 + (mark[i++] - '0');
    if (i == 0 || line < 1 || i + 2 >= mark.size() || mark[i] != ' ' || mark[i + 1] != '\'') return;
    std::string name;
    for (i += 2; i < mark.size(); ++i) {
        if (mark[i] != '\'') name += mark[i];
        else if (i + 1 < mark.size() && mark[i + 1] == '\'') name += mark[++i];
        else break;
    }
    if (i >= mark.size() || name.empty()) return;
    auto known = std::find(FFiles->begin(), FFiles->end(), name);
    FFileIndex = static_cast<int>(known - FFiles->begin());
    if (known == FFiles->end()) FFiles->push_back(name);
    FFileName = name;
    FLine = static_cast<int>(line) - 1;  // the line break ahead begins line N
}

void TDefinitionLexer::Next() {
    SkipBlanks();
    FCurrent = TToken{};
    FCurrent.Line = FLine;
    FCurrent.Column = FColumn;
    FCurrent.File = FFileIndex;
    FCurrent.Offset = FPos;
    if (FPos >= FText.size()) return;
    char c = Peek();
    if (IsIdentStart(c)) return ReadIdentifier();
    if (IsDigit(c) || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) return ReadNumber();
    if (c == '$') return ReadNumber();
    if (c == '\'' || c == '#') return ReadString();
    if (c == '{') return ReadBinary();
    if (std::string_view("=:.,[]()+").find(c) != std::string_view::npos) {
        FCurrent.Kind = TTokenKind::Symbol;
        FCurrent.Text = std::string(1, c);
        Advance();
        return;
    }
    auto b = static_cast<unsigned char>(c);
    if (b > 32 && b < 127) Fail(FLine, FColumn, Fmt("Invalid character '%s'", std::string(1, c)));
    Fail(FLine, FColumn, Fmt("Invalid character #%d", b));
}

bool TDefinitionLexer::AtIncludeLine() const {
    if (FCurrent.Kind != TTokenKind::Identifier || !FCurrent.IsKeyword("include")) return false;
    size_t i = FPos;
    while (i < FText.size() && (FText[i] == ' ' || FText[i] == '\t' || FText[i] == '\r' || FText[i] == '\n')) ++i;
    return i < FText.size() && (FText[i] == '\'' || FText[i] == '#');
}

void TDefinitionLexer::ReadIdentifier() {
    FCurrent.Kind = TTokenKind::Identifier;
    while (IsIdentChar(Peek())) {
        FCurrent.Text += Peek();
        Advance();
    }
}

void TDefinitionLexer::ReadNumber() {
    size_t start = FPos;
    bool negative = Peek() == '-';
    if (negative) Advance();
    if (Peek() == '$') {
        uint32_t v = ReadHexNumber(start);
        FCurrent.Int = negative ? -int64_t{v} : int64_t{v};
        FCurrent.Float = static_cast<double>(FCurrent.Int);
        return;
    }
    bool isFloat = false;
    while (IsDigit(Peek())) Advance();
    if (Peek() == '.' && IsDigit(Peek(1))) {
        isFloat = true;
        Advance();
        while (IsDigit(Peek())) Advance();
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
        isFloat = true;
        Advance();
        if (!IsDigit(Peek())) Advance();
        while (IsDigit(Peek())) Advance();
    }
    std::string_view text = FText.substr(start, FPos - start);
    FCurrent.Text = std::string(text);
    if (IsIdentChar(Peek())) Fail(FCurrent.Line, FCurrent.Column, "Invalid number '" + FCurrent.Text + Peek() + "'");
    const char* first = text.data();
    const char* last = text.data() + text.size();
    // strtod rather than from_chars: the C library's reader is in every
    // program anyway, from_chars for doubles would add 30 KB to each. The
    // text is a plain decimal number by now, read in the "C" locale the
    // programs never change.
    char* end = nullptr;
    errno = 0;
    FCurrent.Float = std::strtod(FCurrent.Text.c_str(), &end);
    if (end != FCurrent.Text.c_str() + FCurrent.Text.size() || errno == ERANGE)
        Fail(FCurrent.Line, FCurrent.Column, "Number " + FCurrent.Text + " is out of range");
    if (isFloat) {
        FCurrent.Kind = TTokenKind::Float;
        return;
    }
    FCurrent.Kind = TTokenKind::Integer;
    if (std::from_chars(first, last, FCurrent.Int).ec != std::errc())
        FCurrent.Int = negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
}

// $hexadecimal: the bits of a 32-bit value, so at most $FFFFFFFF (leading
// zeros aside). Start is where the number began, its sign included.
uint32_t TDefinitionLexer::ReadHexNumber(size_t Start) {
    Advance();
    uint64_t v = 0;
    int digits = 0;
    while (IsHexDigit(Peek())) {
        if (v <= 0xFFFFFFFF) v = v << 4 | static_cast<uint64_t>(HexValue(Peek()));
        ++digits;
        Advance();
    }
    FCurrent.Kind = TTokenKind::Integer;
    FCurrent.Text = std::string(FText.substr(Start, FPos - Start));
    if (digits == 0 || IsIdentChar(Peek())) Fail(FCurrent.Line, FCurrent.Column, "Invalid hexadecimal number");
    if (v > 0xFFFFFFFF) Fail(FCurrent.Line, FCurrent.Column, "Number " + FCurrent.Text + " is out of range");
    return static_cast<uint32_t>(v);
}

// Quoted pieces and #nnn characters written without a gap form one string:
// 'a'#13#10'b'.
void TDefinitionLexer::ReadString() {
    FCurrent.Kind = TTokenKind::String;
    while (Peek() == '\'' || Peek() == '#') {
        if (Peek() == '\'') ReadQuoted();
        else ReadCharCode();
    }
}

void TDefinitionLexer::ReadQuoted() {
    int line = FLine, column = FColumn;
    Advance();
    for (;;) {
        if (FPos >= FText.size() || Peek() == '\n' || Peek() == '\r') Fail(line, column, "Unterminated string");
        if (Peek() == '\'') {
            Advance();
            if (Peek() != '\'') return;
        }
        FCurrent.Text += Peek();
        Advance();
    }
}

// #nnn or #$hh: a character by its number; numbers from 128 on are code
// points and are stored as their UTF-8 bytes.
void TDefinitionLexer::ReadCharCode() {
    int line = FLine, column = FColumn;
    Advance();
    uint32_t v = 0;
    int digits = 0;
    bool hex = Peek() == '$';
    if (hex) Advance();
    while (hex ? IsHexDigit(Peek()) : IsDigit(Peek())) {
        v = v * (hex ? 16 : 10) + static_cast<uint32_t>(HexValue(Peek()));
        if (v > 0x10FFFF) Fail(line, column, "Character number is out of range");
        ++digits;
        Advance();
    }
    if (digits == 0) Fail(line, column, "Character number expected after '#'");
    if (v >= 0xD800 && v <= 0xDFFF) Fail(line, column, "Character number is out of range");
    AppendUtf8(FCurrent.Text, v);
}

void TDefinitionLexer::ReadBinary() {
    FCurrent.Kind = TTokenKind::Binary;
    Advance();
    int high = -1;
    for (;;) {
        SkipBlanks();
        if (FPos >= FText.size()) Fail(FCurrent.Line, FCurrent.Column, "Unterminated binary data");
        char c = Peek();
        if (c == '}') break;
        if (!IsHexDigit(c)) Fail(FLine, FColumn, "Hexadecimal digit expected in binary data");
        if (high < 0) {
            high = HexValue(c);
        } else {
            FCurrent.Text += static_cast<char>(high << 4 | HexValue(c));
            high = -1;
        }
        Advance();
    }
    if (high >= 0) Fail(FCurrent.Line, FCurrent.Column, "Binary data has an odd number of digits");
    Advance();
}

// Any value the reader takes: strings joined with '+', binary data, a
// number, an identifier, a set [ ... ] or a list of strings ( ... ).
void SkipValue(TDefinitionLexer& L) {
    const TToken start = L.Current();
    if (start.IsSymbol('[') || start.IsSymbol('(')) {
        char close = start.IsSymbol('[') ? ']' : ')';
        L.Next();
        while (!L.Current().IsSymbol(close)) {
            if (L.Current().Kind == TTokenKind::EndOfText)
                L.Fail(start, close == ']' ? "Unterminated set" : "Unterminated list of strings");
            L.Next();
        }
        L.Next();
        return;
    }
    if (start.Kind == TTokenKind::String) {
        L.Next();
        while (L.Current().IsSymbol('+')) {
            L.Next();
            if (L.Current().Kind != TTokenKind::String)
                L.Fail(L.Current(), "String expected after '+' but " + L.Current().Describe() + " found");
            L.Next();
        }
        return;
    }
    if (start.Kind == TTokenKind::EndOfText || start.Kind == TTokenKind::Symbol)
        L.Fail(start, "Value expected but " + start.Describe() + " found");
    L.Next();
}

}  // namespace vtrl::definition
