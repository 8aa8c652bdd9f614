// The translator: one string table per language, the translation of texts,
// memos and whole forms between languages, the fonts of the languages, and
// the main translator that every dialog and message of setup uses.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "TypInfo.h"

namespace vtrl {

class TForm;
class TLanguage;
class TTranslator;

// The languages of the tables; ylUser stands for the Windows user's
// language and is resolved each time it is used.
VTRL_ENUM(TVtrlLanguage, ylCzech, ylEnglish, ylFrench, ylGerman, ylGreek, ylHebrew, ylItalian, ylJapanese,
          ylKorean, ylPortugese, ylRussian, ylSpanish, ylUser)

// What the translator knows of each language.
struct TLanguageFacts {
    const char* Name;         // English name, as DecodeLanguageToString gives it
    const char* FileName;     // the language file of the product ("vtriCzech.txt")
    int PrimaryLanguageId;    // Windows primary language id; -1: none
    int Charset;              // Windows character set number
    const char* FontName;     // default font (UTF-8); null: none
    int FontSize;             // points
};
// The facts of a language value; raises Exception "Unrecognized language"
// for ylUser and values outside the enumeration.
const TLanguageFacts& LanguageFacts(TVtrlLanguage Language);
// The language whose English name (DecodeLanguageToString) or identifier
// ("ylGerman") is Name, case ignored; raises Exception naming the
// languages there are for any other name (and for ylUser).
TVtrlLanguage LanguageByName(std::string_view Name);
// The language of a Windows primary language id (the low 10 bits of a
// language id); raises "Unrecognized language" for any other id.
TVtrlLanguage LanguageOfPrimaryId(int PrimaryLanguageId);
// The user's default language id. Tests replace the source (an empty
// function restores GetUserDefaultLangID).
using TUserLangIdSource = std::function<uint16_t()>;
void SetUserLangIdSource(TUserLangIdSource Source);
uint16_t UserDefaultLangId();

// ------------------------------------------------------------ entries

// A parsed entry of a table; owned by its language.
class TLanguageElement {
public:
    virtual ~TLanguageElement() = default;
    int32_t GLID = 0;
    TLanguage* Language = nullptr;
    int Line = 0;  // 0-based index of the line of Strings where the entry starts
};

class TLanguageString : public TLanguageElement {
public:
    std::string Text;  // at most 255 bytes
};

class TLanguageMemo : public TLanguageElement {
public:
    TStringList Lines;
};

// The table text of a language. Every change of the list as a whole or of
// its number of lines re-parses the language while parsing is enabled;
// Assign and the loads parse once. Replacing one line in place does not.
class TLangFormatStrings : public TStringList {
public:
    explicit TLangFormatStrings(TLanguage* Language) : FLanguage(Language) {}
    TLangFormatStrings(const TLangFormatStrings&) = delete;
    TLangFormatStrings& operator=(const TLangFormatStrings&) = delete;

    void Add(std::string s) override;
    void AddStrings(const TStringList& Other) override;
    void Insert(int i, std::string s) override;
    void Delete(int i) override;
    void Move(int From, int To) override;
    void Clear() override;
    void SetText(std::string_view t) override;
    // Replaces the lines and parses once (also with parsing enabled again
    // when the parse fails; the lines stay replaced).
    void Assign(const TStringList& Source);
    // Reads the lines of a text file (UTF-8) and parses once. Raises
    // Exception when the file cannot be read; the lines are then unchanged.
    void LoadFromFile(const std::string& FileName);
    // Reads the remaining text of Stream as lines, then parses.
    void LoadFromStream(std::istream& Stream);

private:
    void Changed();
    TLanguage* FLanguage;
};

// ------------------------------------------------------------ language

// The table, entries and font of one language; owned by its translator.
class TLanguage : public TPersistent {
    VTRL_CLASS(TLanguage)
public:
    TLanguage(TTranslator* Translator, TVtrlLanguage Ident);
    TLanguage(const TLanguage&) = delete;
    TLanguage& operator=(const TLanguage&) = delete;

    TTranslator* Translator() const { return FTranslator; }
    TVtrlLanguage LanguageIdent() const { return FLanguageIdent; }
    const std::string& LanguageFileName() const { return FLanguageFileName; }
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool FontOverride = false;
    TLangFormatStrings& Strings() { return FStrings; }
    const TLangFormatStrings& Strings() const { return FStrings; }
    // The definition's setter: Assign.
    void SetStrings(const TStringList& Value) { FStrings.Assign(Value); }
    // Copies font, FontOverride and table (not the language value).
    void Assign(const TLanguage& Source);

    // Lookups in table order, first match; null when there is none.
    TLanguageString* FindStringByGLID(int32_t GLID) const;
    TLanguageMemo* FindMemoByGLID(int32_t GLID) const;
    // By wording: Windows' comparison in the system default locale,
    // ignoring case.
    TLanguageString* FindStringByText(const std::string& Text) const;
    // By the lines joined with line breaks, exactly.
    TLanguageMemo* FindMemoByLines(const TStringList& Lines) const;
    const std::vector<std::unique_ptr<TLanguageString>>& StringEntries() const { return FStringEntries; }
    const std::vector<std::unique_ptr<TLanguageMemo>>& MemoEntries() const { return FMemoEntries; }

    // Rebuilds the entries from Strings. On a malformed table every entry
    // is discarded and the Exception propagates; Strings is left as it is.
    void ParseStrings();
    bool ParseEnabled = true;

private:
    TTranslator* FTranslator;
    TVtrlLanguage FLanguageIdent;
    std::string FLanguageFileName;
    TFont FFont;
    TLangFormatStrings FStrings;
    std::vector<std::unique_ptr<TLanguageString>> FStringEntries;
    std::vector<std::unique_ptr<TLanguageMemo>> FMemoEntries;
};

// ------------------------------------------------------------ followers

// A window that follows the target language (the open wizard forms):
// told after a change of TranslateIntoLanguage, after the install
// components. Forms live in a higher folder and implement it.
class TLanguageFollower {
public:
    virtual void LanguageChanged() = 0;

protected:
    ~TLanguageFollower() = default;
};
// The process-wide list, in registration order. Adding twice adds once.
void AddLanguageFollower(TLanguageFollower* Follower);
void RemoveLanguageFollower(TLanguageFollower* Follower);

// ------------------------------------------------------------ translator

class TTranslator : public TComponent {
    VTRL_CLASS(TTranslator)
public:
    explicit TTranslator(TComponent* AOwner);
    ~TTranslator() override;

    // The language of that value (null for ylUser or no language).
    TLanguage* LanguageByIdent(TVtrlLanguage Language) const;
    // The user's language, or null when Windows reports one without table.
    TLanguage* UserLanguage() const;
    // The language of TranslateIntoLanguage (UserLanguage for ylUser).
    TLanguage* CurrentLanguage() const;

    TVtrlLanguage TranslateIntoLanguage() const { return FTranslateIntoLanguage; }
    // Stores the value and, unless loading or designing, tells every
    // install component and then every language follower.
    void SetTranslateIntoLanguage(TVtrlLanguage Value);
    // Copies Value into the owned language of the same value.
    void SetLanguage(TVtrlLanguage Ident, const TLanguage& Value);

    // Text with the wording of a Source entry replaced by the entry of the
    // same GLID in the current language; Text unchanged when any is missing.
    std::string TranslateText(TVtrlLanguage Source, const std::string& Text) const;
    // The current language's entry GLID, or Text unchanged.
    std::string TranslateByGLID(int32_t GLID, const std::string& Text) const;
    // Result = Lines, or the current language's memo of the same GLID as
    // Source's memo with these lines.
    void TranslateMemo(TVtrlLanguage Source, const TStringList& Lines, TStringList& Result) const;
    // Translates Control's texts from Source into the current language;
    // returns the language the texts are now in (TranslateIntoLanguage as
    // stored, which may be ylUser). Null: returns Source.
    TVtrlLanguage TranslateControls(TVtrlLanguage Source, TControl* Control);
    // The same into Target; TranslateIntoLanguage is put back afterwards
    // (also on failure) and no one is told of the change.
    TVtrlLanguage TranslateControlsInto(TVtrlLanguage Source, TVtrlLanguage Target, TControl* Control);
    // Gives Form the font of the current language (FontOverride: the
    // language's Font). Raises "Unrecognized language" for Hebrew.
    void SetFormFont(TForm* Form);
    void SetFormFontFor(TVtrlLanguage Target, TForm* Form);

    // The English name of a language; for ylUser the user's language's
    // name, empty when it has none.
    static std::string DecodeLanguageToString(TVtrlLanguage Language);

private:
    class TTemporaryTarget;
    TLanguage* Resolve(TVtrlLanguage Language) const;
    void TranslateChild(TVtrlLanguage Source, TControl* Child);
    std::unique_ptr<TLanguage> FLanguages[ylUser];  // by value, Czech to Spanish
    TVtrlLanguage FTranslateIntoLanguage = ylUser;
};

// ------------------------------------------------------------ main translator

// The first translator constructed in the process (null when there is
// none). While it exists it translates every message (TranslateMessageText)
// from its English table.
TTranslator* MainTranslator();
// Shortcuts on the main translator; without one they do nothing or return
// Source.
void MainSetFormFont(TForm* Form);
void MainSetFormFontFor(TVtrlLanguage Target, TForm* Form);
TVtrlLanguage MainTranslateControls(TVtrlLanguage Source, TControl* Control);
TVtrlLanguage MainTranslateControlsInto(TVtrlLanguage Source, TVtrlLanguage Target, TControl* Control);
// TranslateIntoLanguage as stored; ylEnglish without a main translator.
TVtrlLanguage MainCurrentLanguage();

}  // namespace vtrl
