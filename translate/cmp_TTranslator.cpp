// The translator and its languages (see cmp_TTranslator.h).
#include "cmp_TTranslator.h"

#include <algorithm>
#include <iterator>

#include "ExtCtrls.h"
#include "FileShim.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "cmp_TInstallContainer.h"
#include "cmp_TTranslateControls.h"
#include "routines_LanguageTable.h"

namespace vtrl {

// ------------------------------------------------------------ facts

namespace {

// The Japanese and Korean default fonts are named in their own scripts
// (MS PGothic and Gulim); the programs run with the UTF-8 code page, so the
// names are written in UTF-8.
const TLanguageFacts Facts[ylUser] = {
    {"Czech", "vtriCzech.txt", 0x05, 238, "Arial", 8},
    {"English", "vtriEnglish.txt", 0x09, 0, "Arial", 8},
    {"French", "vtriFrench.txt", 0x0C, 0, "Arial", 8},
    {"German", "vtriGerman.txt", 0x07, 238, "Arial", 8},
    {"Greek", "vtriGreek.txt", 0x08, 0, "SGreek", 8},
    {"Hebrew", "vtriHebrew.txt", 0x0D, 177, nullptr, 0},
    {"Italian", "vtriItalian.txt", 0x10, 0, "Arial", 8},
    {"Japanese", "vtriJapanese.txt", 0x11, 128, "ＭＳ Ｐゴシック", 9},
    {"Korean", "vtriKorean.txt", 0x12, 129, "굴림", 9},
    {"Portugese", "vtriPortugese.txt", -1, 238, "Arial", 8},
    {"Russian", "vtriRussian.txt", 0x19, 204, "Arial", 8},
    {"Spanish", "vtriSpanish.txt", 0x0A, 0, "Arial", 8},
};

[[noreturn]] void UnrecognizedLanguage() { throw Exception(TranslateMessageText("Unrecognized language")); }

TUserLangIdSource gUserLangIdSource;

}  // namespace

const TLanguageFacts& LanguageFacts(TVtrlLanguage Language) {
    if (Language >= ylUser) UnrecognizedLanguage();
    return Facts[Language];
}

TVtrlLanguage LanguageOfPrimaryId(int PrimaryLanguageId) {
    for (int i = 0; i < ylUser; ++i)
        if (Facts[i].PrimaryLanguageId >= 0 && Facts[i].PrimaryLanguageId == PrimaryLanguageId)
            return static_cast<TVtrlLanguage>(i);
    UnrecognizedLanguage();
}

void SetUserLangIdSource(TUserLangIdSource Source) { gUserLangIdSource = std::move(Source); }

uint16_t UserDefaultLangId() { return gUserLangIdSource ? gUserLangIdSource() : GetUserDefaultLangID(); }

// ------------------------------------------------------------ table text

void TLangFormatStrings::Changed() {
    if (FLanguage->ParseEnabled) FLanguage->ParseStrings();
}

void TLangFormatStrings::Add(std::string s) {
    TStringList::Add(std::move(s));
    Changed();
}

void TLangFormatStrings::AddStrings(const TStringList& Other) {
    TStringList::AddStrings(Other);
    Changed();
}

void TLangFormatStrings::Insert(int i, std::string s) {
    TStringList::Insert(i, std::move(s));
    Changed();
}

void TLangFormatStrings::Delete(int i) {
    TStringList::Delete(i);
    Changed();
}

void TLangFormatStrings::Move(int From, int To) {
    TStringList::Move(From, To);
    Changed();
}

void TLangFormatStrings::Clear() {
    TStringList::Clear();
    Changed();
}

void TLangFormatStrings::SetText(std::string_view t) {
    TStringList::SetText(t);
    Changed();
}

namespace {
// Turns a language's parsing off for a scope and on again at its end, also
// when an exception passes.
class TParseSuspension {
public:
    explicit TParseSuspension(TLanguage* Language) : FLanguage(Language) { FLanguage->ParseEnabled = false; }
    ~TParseSuspension() { FLanguage->ParseEnabled = true; }
    TParseSuspension(const TParseSuspension&) = delete;
    TParseSuspension& operator=(const TParseSuspension&) = delete;

private:
    TLanguage* FLanguage;
};
}  // namespace

void TLangFormatStrings::Assign(const TStringList& Source) {
    {
        TParseSuspension suspended(FLanguage);
        Strings = Source.Strings;
    }
    FLanguage->ParseStrings();
}

void TLangFormatStrings::LoadFromFile(const std::string& FileName) {
    TFileHandle h = FileOpenRead(FileName);
    if (h == InvalidFileHandle)
        throw Exception(Fmt(TranslateMessageText("Cannot open file \"%s\". %s"), FileName,
                            SysErrorMessage(GetLastOSError())));
    std::string text;
    char buffer[8192];
    for (;;) {
        int32_t n = FileRead(h, buffer, sizeof buffer);
        if (n < 0) {
            FileClose(h);
            throw Exception(Fmt(TranslateMessageText("Cannot read file \"%s\"."), FileName));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    FileClose(h);
    {
        TParseSuspension suspended(FLanguage);
        TStringList::SetText(text);
    }
    FLanguage->ParseStrings();
}

void TLangFormatStrings::LoadFromStream(std::istream& Stream) {
    std::string text(std::istreambuf_iterator<char>(Stream), {});
    TStringList::SetText(text);
    Changed();
}

// ------------------------------------------------------------ language

namespace {
void SetLanguageIdent(TLanguage& Language, TVtrlLanguage Value) {
    // Read-only: a definition may only repeat the language's own value.
    if (Value != Language.LanguageIdent())
        throw Exception("LanguageIdent is read-only: " + EnumInfoOf(Value).Names.at(Language.LanguageIdent()));
}
}  // namespace

VTRL_IMPLEMENT_CLASS(TLanguage, TPersistent, [](TClassBuilder<TLanguage>& b) {
    b.Object("Font", [](TLanguage& l) -> TPersistent* { return &l.Font(); })
        .Boolean("FontOverride", &TLanguage::FontOverride, &TLanguage::FontOverride, false)
        .Enum<TVtrlLanguage>("LanguageIdent", &TLanguage::LanguageIdent, &SetLanguageIdent)
        .Strings("Strings", [](const TLanguage& l) -> const TStringList& { return l.Strings(); },
                 &TLanguage::SetStrings);
})

TLanguage::TLanguage(TTranslator* Translator, TVtrlLanguage Ident)
    : FTranslator(Translator), FLanguageIdent(Ident), FLanguageFileName(LanguageFacts(Ident).FileName),
      FStrings(this) {}

void TLanguage::Assign(const TLanguage& Source) {
    if (&Source == this) return;
    FFont.Assign(Source.FFont);
    FontOverride = Source.FontOverride;
    FStrings.Assign(Source.FStrings);
}

TLanguageString* TLanguage::FindStringByGLID(int32_t GLID) const {
    for (const auto& s : FStringEntries)
        if (s->GLID == GLID) return s.get();
    return nullptr;
}

TLanguageMemo* TLanguage::FindMemoByGLID(int32_t GLID) const {
    for (const auto& m : FMemoEntries)
        if (m->GLID == GLID) return m.get();
    return nullptr;
}

namespace {
std::wstring Wide(const std::string& Text) {
    if (Text.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), w.data(), n);
    return w;
}
}  // namespace

// The comparison is CompareStringA's (system default locale, ignoring
// case), done through its wide form: Wine's CompareStringA converts with
// the locale's ANSI code page instead of the process's UTF-8 one, so that
// "FRANÇAIS" and "Français" would differ. Converting with CP_ACP (UTF-8
// here) first gives the same answer on Windows and under Wine.
TLanguageString* TLanguage::FindStringByText(const std::string& Text) const {
    std::wstring wanted = Wide(Text);
    for (const auto& s : FStringEntries) {
        std::wstring entry = Wide(s->Text);
        if (CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, entry.data(), static_cast<int>(entry.size()),
                           wanted.data(), static_cast<int>(wanted.size())) == CSTR_EQUAL)
            return s.get();
    }
    return nullptr;
}

TLanguageMemo* TLanguage::FindMemoByLines(const TStringList& Lines) const {
    std::string wanted = Lines.Text();
    for (const auto& m : FMemoEntries)
        if (m->Lines.Text() == wanted) return m.get();
    return nullptr;
}

void TLanguage::ParseStrings() {
    FStringEntries.clear();
    FMemoEntries.clear();
    TLanguageTable table = ParseLanguageTable(FStrings.Strings);
    std::vector<std::unique_ptr<TLanguageString>> strings;
    strings.reserve(table.Strings.size());
    for (TLanguageTableString& t : table.Strings) {
        auto s = std::make_unique<TLanguageString>();
        s->GLID = t.GLID;
        s->Language = this;
        s->Line = t.Line;
        s->Text = std::move(t.Text);
        strings.push_back(std::move(s));
    }
    std::vector<std::unique_ptr<TLanguageMemo>> memos;
    memos.reserve(table.Memos.size());
    for (TLanguageTableMemo& t : table.Memos) {
        auto m = std::make_unique<TLanguageMemo>();
        m->GLID = t.GLID;
        m->Language = this;
        m->Line = t.Line;
        m->Lines.Strings = std::move(t.Lines);
        memos.push_back(std::move(m));
    }
    FStringEntries = std::move(strings);
    FMemoEntries = std::move(memos);
}

// ------------------------------------------------------------ followers

namespace {
std::vector<TLanguageFollower*>& Followers() {
    static std::vector<TLanguageFollower*> list;
    return list;
}
}  // namespace

void AddLanguageFollower(TLanguageFollower* Follower) {
    auto& list = Followers();
    if (Follower && std::find(list.begin(), list.end(), Follower) == list.end()) list.push_back(Follower);
}

void RemoveLanguageFollower(TLanguageFollower* Follower) {
    auto& list = Followers();
    list.erase(std::remove(list.begin(), list.end(), Follower), list.end());
}

// ------------------------------------------------------------ translator

namespace {

TTranslator* gMainTranslator = nullptr;

// The message hook of the main translator. A message raised while a
// message is being translated (a language that cannot be resolved) passes
// unchanged instead of translating itself again.
std::string TranslateThroughMain(std::string_view Text) {
    static bool busy = false;
    if (busy || !gMainTranslator) return std::string(Text);
    busy = true;
    struct TReset {
        ~TReset() { busy = false; }
    } reset;
    return gMainTranslator->TranslateText(ylEnglish, std::string(Text));
}

// The published languages in their declaration order (Korean before
// Japanese), the order definitions have always been written in.
struct TPublishedLanguage {
    const char* Name;
    TVtrlLanguage Language;
};
const TPublishedLanguage PublishedLanguages[] = {
    {"lgCzech", ylCzech},     {"lgEnglish", ylEnglish},   {"lgFrench", ylFrench},       {"lgGerman", ylGerman},
    {"lgGreek", ylGreek},     {"lgHebrew", ylHebrew},     {"lgItalian", ylItalian},     {"lgKorean", ylKorean},
    {"lgJapanese", ylJapanese}, {"lgPortugese", ylPortugese}, {"lgRussian", ylRussian}, {"lgSpanish", ylSpanish},
};

void DeclareTranslator(TClassBuilder<TTranslator>& b) {
    for (const TPublishedLanguage& p : PublishedLanguages) {
        TVtrlLanguage l = p.Language;
        b.Object(p.Name, [l](TTranslator& t) -> TPersistent* { return t.LanguageByIdent(l); });
    }
    b.Enum<TVtrlLanguage>("TranslateIntoLanguage", &TTranslator::TranslateIntoLanguage,
                          &TTranslator::SetTranslateIntoLanguage, ylUser);
}

// The controls translated by GLID are named only in form texts, which are
// read by class name: naming their classes here links their registration
// into every program that has a translator.
const TClassInfo* const TranslatedControlClasses[] = {&TTranslateLabel::StaticClass(),
                                                      &TTranslateBitBtn::StaticClass()};

}  // namespace

VTRL_IMPLEMENT_CLASS(TTranslator, TComponent, DeclareTranslator)

TTranslator::TTranslator(TComponent* AOwner) : TComponent(AOwner) {
    (void)TranslatedControlClasses;
    for (int i = 0; i < ylUser; ++i)
        FLanguages[i] = std::make_unique<TLanguage>(this, static_cast<TVtrlLanguage>(i));
    if (!gMainTranslator) {
        gMainTranslator = this;
        SetMessageTextTranslator(&TranslateThroughMain);
    }
}

TTranslator::~TTranslator() {
    if (gMainTranslator == this) {
        gMainTranslator = nullptr;
        SetMessageTextTranslator(nullptr);
    }
}

TLanguage* TTranslator::LanguageByIdent(TVtrlLanguage Language) const {
    return Language < ylUser ? FLanguages[Language].get() : nullptr;
}

// An unrecognised user language means no language: nothing is translated.
TLanguage* TTranslator::UserLanguage() const {
    try {
        return LanguageByIdent(LanguageOfPrimaryId(UserDefaultLangId() & 0x3FF));
    } catch (const Exception&) {
        return nullptr;
    }
}

TLanguage* TTranslator::Resolve(TVtrlLanguage Language) const {
    return Language == ylUser ? UserLanguage() : LanguageByIdent(Language);
}

TLanguage* TTranslator::CurrentLanguage() const { return Resolve(FTranslateIntoLanguage); }

void TTranslator::SetTranslateIntoLanguage(TVtrlLanguage Value) {
    FTranslateIntoLanguage = Value;
    if (Loading() || Designing()) return;
    for (TInstallContainer* c : TInstallContainer::Registry()) c->LanguageChanged(static_cast<int>(Value));
    // A follower may close (and unregister) others while it follows.
    std::vector<TLanguageFollower*> followers = Followers();
    for (TLanguageFollower* f : followers) {
        const auto& now = Followers();
        if (std::find(now.begin(), now.end(), f) != now.end()) f->LanguageChanged();
    }
}

void TTranslator::SetLanguage(TVtrlLanguage Ident, const TLanguage& Value) {
    if (TLanguage* l = LanguageByIdent(Ident)) l->Assign(Value);
}

std::string TTranslator::TranslateText(TVtrlLanguage Source, const std::string& Text) const {
    TLanguage* source = Resolve(Source);
    if (!source) return Text;
    TLanguageString* found = source->FindStringByText(Text);
    if (!found) return Text;
    TLanguage* target = CurrentLanguage();
    if (!target) return Text;
    TLanguageString* translated = target->FindStringByGLID(found->GLID);
    return translated ? translated->Text : Text;
}

std::string TTranslator::TranslateByGLID(int32_t GLID, const std::string& Text) const {
    TLanguage* target = CurrentLanguage();
    TLanguageString* s = target ? target->FindStringByGLID(GLID) : nullptr;
    return s ? s->Text : Text;
}

void TTranslator::TranslateMemo(TVtrlLanguage Source, const TStringList& Lines, TStringList& Result) const {
    Result.Strings = Lines.Strings;
    TLanguage* source = Resolve(Source);
    TLanguageMemo* found = source ? source->FindMemoByLines(Lines) : nullptr;
    TLanguage* target = found ? CurrentLanguage() : nullptr;
    if (TLanguageMemo* m = target ? target->FindMemoByGLID(found->GLID) : nullptr) Result.Strings = m->Lines.Strings;
}

TVtrlLanguage TTranslator::TranslateControls(TVtrlLanguage Source, TControl* Control) {
    if (!Control) return Source;
    if (auto* form = As<TForm>(Control)) form->SetCaption(TranslateText(Source, form->Caption()));
    if (auto* container = As<TWinControl>(Control))
        for (int i = 0; i < container->ControlCount(); ++i) TranslateChild(Source, container->Controls(i));
    return FTranslateIntoLanguage;
}

// One child: by GLID first (a GLID below 0 keeps the control as it is),
// then by wording, by the first kind that matches; then its own children.
void TTranslator::TranslateChild(TVtrlLanguage Source, TControl* Child) {
    bool skip = false;
    if (auto* l = As<TTranslateLabel>(Child)) {
        if (l->GLID > 0) l->SetCaption(TranslateByGLID(l->GLID, l->Caption()));
        skip = l->GLID < 0;
    } else if (auto* b = As<TTranslateBitBtn>(Child)) {
        if (b->GLID > 0) b->SetCaption(TranslateByGLID(b->GLID, b->Caption()));
        skip = b->GLID < 0;
    }
    if (!skip) {
        if (auto* label = As<TLabel>(Child)) {
            label->SetCaption(TranslateText(Source, label->Caption()));
        } else if (auto* button = As<TButton>(Child)) {
            button->SetCaption(TranslateText(Source, button->Caption()));
        } else if (auto* radio = As<TRadioGroup>(Child)) {
            // Before the group box: the items are translated, the caption
            // is left alone.
            TStringList items = radio->Items();
            for (std::string& item : items.Strings) item = TranslateText(Source, item);
            radio->SetItems(items);
        } else if (auto* group = As<TGroupBox>(Child)) {
            group->SetCaption(TranslateText(Source, group->Caption()));
        } else if (auto* memo = As<TMemo>(Child)) {
            TStringList lines;
            TranslateMemo(Source, memo->Lines(), lines);
            memo->SetLines(lines);
        }
    }
    if (auto* container = As<TWinControl>(Child)) TranslateControls(Source, container);
}

// Sets TranslateIntoLanguage for a scope without telling anyone and puts
// the stored value back at its end, also when an exception passes.
class TTranslator::TTemporaryTarget {
public:
    TTemporaryTarget(TTranslator& Translator, TVtrlLanguage Target)
        : FTranslator(Translator), FSaved(Translator.FTranslateIntoLanguage) {
        Translator.FTranslateIntoLanguage = Target;
    }
    ~TTemporaryTarget() { FTranslator.FTranslateIntoLanguage = FSaved; }
    TTemporaryTarget(const TTemporaryTarget&) = delete;
    TTemporaryTarget& operator=(const TTemporaryTarget&) = delete;

private:
    TTranslator& FTranslator;
    TVtrlLanguage FSaved;
};

TVtrlLanguage TTranslator::TranslateControlsInto(TVtrlLanguage Source, TVtrlLanguage Target, TControl* Control) {
    TTemporaryTarget target(*this, Target);
    return TranslateControls(Source, Control);
}

void TTranslator::SetFormFont(TForm* Form) {
    TLanguage* language = CurrentLanguage();
    if (!Form || !language) return;
    if (language->Strings().Count() == 0) language = LanguageByIdent(ylEnglish);
    if (language->FontOverride) {
        Form->Font()->Assign(language->Font());
        return;
    }
    const TLanguageFacts& facts = LanguageFacts(language->LanguageIdent());
    Form->Font()->SetCharset(facts.Charset);
    if (!facts.FontName) UnrecognizedLanguage();
    Form->Font()->SetName(facts.FontName);
    Form->Font()->SetSize(facts.FontSize);
}

void TTranslator::SetFormFontFor(TVtrlLanguage Target, TForm* Form) {
    TTemporaryTarget target(*this, Target);
    SetFormFont(Form);
}

TVtrlLanguage LanguageByName(std::string_view Name) {
    std::string names;
    for (int l = ylCzech; l < ylUser; ++l) {
        const auto language = static_cast<TVtrlLanguage>(l);
        const std::string english = Facts[l].Name;
        if (SameText(Name, english) || SameText(Name, "yl" + english)) return language;
        names += (names.empty() ? "" : ", ") + english;
    }
    throw Exception("Unknown language \"" + std::string(Name) + "\": the languages are " + names);
}

// The user's language is resolved by primary language id, which never
// yields ylUser again, so the name cannot recurse.
std::string TTranslator::DecodeLanguageToString(TVtrlLanguage Language) {
    if (Language < ylUser) return Facts[Language].Name;
    try {
        return Facts[LanguageOfPrimaryId(UserDefaultLangId() & 0x3FF)].Name;
    } catch (const Exception&) {
        return {};
    }
}

// ------------------------------------------------------------ main translator

TTranslator* MainTranslator() { return gMainTranslator; }

void MainSetFormFont(TForm* Form) {
    if (gMainTranslator) gMainTranslator->SetFormFont(Form);
}

void MainSetFormFontFor(TVtrlLanguage Target, TForm* Form) {
    if (gMainTranslator) gMainTranslator->SetFormFontFor(Target, Form);
}

TVtrlLanguage MainTranslateControls(TVtrlLanguage Source, TControl* Control) {
    return gMainTranslator ? gMainTranslator->TranslateControls(Source, Control) : Source;
}

TVtrlLanguage MainTranslateControlsInto(TVtrlLanguage Source, TVtrlLanguage Target, TControl* Control) {
    return gMainTranslator ? gMainTranslator->TranslateControlsInto(Source, Target, Control) : Source;
}

TVtrlLanguage MainCurrentLanguage() {
    return gMainTranslator ? gMainTranslator->TranslateIntoLanguage() : ylEnglish;
}

}  // namespace vtrl
