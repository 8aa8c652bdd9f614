// The tokens of a definition text, each with the line and column where it
// starts, and the chain of include lines a read is inside. Used by the
// definition reader and the include expander only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DefinitionText.h"

namespace vtrl::definition {

enum class TTokenKind {
    EndOfText,
    Identifier,  // letters, digits and '_', not starting with a digit
    Integer,     // decimal or $hexadecimal (at most $FFFFFFFF), optionally negative
    Float,       // digits with a fraction or an exponent
    String,      // quoted pieces and #nnn characters written without a gap
    Binary,      // { hexadecimal bytes }
    Symbol       // one of = : . , [ ] ( ) +
};

struct TToken {
    TTokenKind Kind = TTokenKind::EndOfText;
    std::string Text;  // identifier or symbol as written; string/binary: the bytes
    // Integer: the value. A decimal literal beyond 64 bits saturates here
    // (integer properties refuse it) and keeps its exact reading in Float,
    // since the writer gives large floats without fraction or exponent.
    int64_t Int = 0;
    double Float = 0;  // Integer and Float: the value as a double
    int Line = 1;
    int Column = 1;
    int File = 0;       // the lexer's file index: which text of a read with includes
    size_t Offset = 0;  // the byte where the token starts

    bool IsSymbol(char c) const { return Kind == TTokenKind::Symbol && Text.size() == 1 && Text[0] == c; }
    bool IsKeyword(std::string_view Word) const;  // identifier, without regard to case
    // "identifier 'Foo'", "string 'x'", "'='", "end of text": for messages.
    std::string Describe() const;
};

class TDefinitionLexer {
public:
    // Text must outlive the lexer. A UTF-8 byte order mark is skipped.
    // FileIndex is handed to every token (the reader's table of files).
    // With Files (that table), a comment line "//#line N 'name'" says that
    // the next line is line N of the file name: the tokens after it carry
    // that file's index (the name added to Files when it is new) and its
    // lines, so that a text put together from several files reports the
    // places in those files. Without Files such a comment is a comment.
    TDefinitionLexer(std::string_view Text, std::string_view FileName, int FileIndex = 0,
                     std::vector<std::string>* Files = nullptr);
    const TToken& Current() const { return FCurrent; }
    const std::string& FileName() const { return FFileName; }
    // The byte just after the current token.
    size_t Position() const { return FPos; }
    // Whether the current token is the word 'include' followed by a file
    // name: an include line, not a property named Include.
    bool AtIncludeLine() const;
    // Moves to the next token; raises EDefinitionError on malformed text.
    void Next();
    // Raises EDefinitionError at the position.
    [[noreturn]] void Fail(int Line, int Column, const std::string& Message) const;
    [[noreturn]] void Fail(const TToken& At, const std::string& Message) const;

private:
    char Peek(size_t Ahead = 0) const;
    void Advance();  // one byte, keeping line and column
    void SkipBlanks();
    void ReadLineMark(size_t End);
    void ReadIdentifier();
    void ReadNumber();
    uint32_t ReadHexNumber(size_t Start);
    void ReadString();
    void ReadQuoted();
    void ReadCharCode();
    void ReadBinary();

    std::string_view FText;
    std::string FFileName;
    int FFileIndex = 0;
    size_t FPos = 0;
    int FLine = 1;
    int FColumn = 1;
    std::vector<std::string>* FFiles = nullptr;
    TToken FCurrent;
};

// Steps over one value of any kind, checking only its form.
void SkipValue(TDefinitionLexer& L);

// The include lines a read is inside: the main text's name, then the
// resolved name of each included text being read.
class TIncludeChain {
public:
    explicit TIncludeChain(std::string MainFile) { FNames.push_back(std::move(MainFile)); }
    // The text of the file that the include line at At names (Path as
    // written), read through Includes from the text L reads, and its
    // resolved name in Resolved. Fails at the line, through L, when includes
    // would nest deeper than MaxDefinitionIncludeDepth, when Includes raises
    // anything but EDefinitionError or EAbort (which pass), and when the
    // file is already being read. Leave() ends what Enter began.
    std::string Enter(const TDefinitionLexer& L, const TToken& At, const std::string& Path,
                      const TDefinitionIncludeResolver& Includes, std::string& Resolved);
    void Leave() { FNames.pop_back(); }

private:
    std::vector<std::string> FNames;
};

}  // namespace vtrl::definition
