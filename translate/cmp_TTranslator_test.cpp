// The translator: tables of a language, translation of texts, memos and
// controls, form fonts, the user's language, the main translator and the
// language-change notices. No windows are created: the translator works on
// the control objects.
#include "cmp_TTranslator.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Buttons.h"
#include "DefinitionText.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "cmp_TInstallContainer.h"
#include "cmp_TTranslateControls.h"

using namespace vtrl;

namespace {

const char* const JapaneseFont = "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

void SetTable(TTranslator& t, TVtrlLanguage l, std::initializer_list<std::string> lines) {
    t.LanguageByIdent(l)->SetStrings(TStringList(lines));
}

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserLangIdSource([] { return uint16_t{0x0409}; });
        T = std::make_unique<TTranslator>(nullptr);
        SetTable(*T, ylEnglish, {"* Common", "5;Next >", "6;Cancel", "10;This program will install the software.",
                                 "9;Welcome", "#20;", "Read this.", "Then that.", "#", "63;English", "64;French"});
        SetTable(*T, ylFrench, {"5;Suivant >", "6;Annuler", "10;Ce programme installe le logiciel.", "9;Bienvenue",
                                "#20;", "Lisez ceci.", "#", "63;Anglais", "64;Français"});
        SetTable(*T, ylGerman, {"5;Weiter >", "6;Abbrechen", "9;Willkommen", "63;Englisch", "64;Französisch"});
        Form = std::make_unique<TForm>(nullptr);
    }
    void TearDown() override {
        Form.reset();
        T.reset();
        SetUserLangIdSource(nullptr);
    }
    template <class C>
    C* Add(TWinControl* Parent, const std::string& Caption = {}) {
        auto* c = new C(Form.get());
        c->SetParent(Parent);
        if constexpr (requires { c->SetCaption(Caption); }) c->SetCaption(Caption);
        return c;
    }
    std::unique_ptr<TTranslator> T;
    std::unique_ptr<TForm> Form;
};

}  // namespace

// Rule: a wording is found in the source table without regard to case and
// replaced by the target entry of the same GLID; anything missing leaves
// the text as it was.
TEST_F(TranslatorTest, TranslateTextByWording) {
    T->SetTranslateIntoLanguage(ylFrench);
    EXPECT_EQ(T->TranslateText(ylEnglish, "CANCEL"), "Annuler");
    EXPECT_EQ(T->TranslateText(ylEnglish, "Not in the table"), "Not in the table");
    EXPECT_EQ(T->TranslateText(ylEnglish, "Cancel "), "Cancel ");
    T->SetTranslateIntoLanguage(ylGerman);
    EXPECT_EQ(T->TranslateText(ylEnglish, "This program will install the software."),
              "This program will install the software.");  // German lacks 10
    EXPECT_EQ(T->TranslateText(ylSpanish, "Cancel"), "Cancel");  // empty source table
    EXPECT_EQ(T->TranslateByGLID(6, "x"), "Abbrechen");
    EXPECT_EQ(T->TranslateByGLID(99, "x"), "x");
}

// Rule: accented wordings compare without case too (the tables are UTF-8).
TEST_F(TranslatorTest, NonAsciiWordingIgnoresCase) {
    T->SetTranslateIntoLanguage(ylGerman);
    EXPECT_EQ(T->TranslateText(ylFrench, "FRANÇAIS"), "Französisch");
}

// Rule: the first entry of a GLID wins; a later duplicate is never found.
TEST_F(TranslatorTest, DuplicateGLIDNeverFound) {
    SetTable(*T, ylItalian, {"6;Annulla", "6;Altro"});
    T->SetTranslateIntoLanguage(ylItalian);
    EXPECT_EQ(T->TranslateText(ylEnglish, "Cancel"), "Annulla");
    EXPECT_EQ(T->LanguageByIdent(ylItalian)->FindStringByText("Altro")->GLID, 6);
}

// Rule: a form's caption, labels, buttons and group boxes (at any depth)
// are translated by wording; radio groups by their items only; memos by
// their whole lines. The walk returns the language the form is now in.
TEST_F(TranslatorTest, TranslateControlsWalksEveryKind) {
    Form->SetCaption("Welcome");
    auto* label = Add<TLabel>(Form.get(), "Welcome");
    auto* group = Add<TGroupBox>(Form.get(), "Next >");
    auto* inner = Add<TButton>(group, "Cancel");
    auto* radio = Add<TRadioGroup>(Form.get(), "French");
    radio->SetItems(TStringList{"English", "French", "Other"});
    auto* memo = Add<TMemo>(Form.get());
    memo->SetLines(TStringList{"Read this.", "Then that."});
    auto* other = Add<TMemo>(group);
    other->SetLines(TStringList{"Read this."});

    T->SetTranslateIntoLanguage(ylFrench);
    EXPECT_EQ(T->TranslateControls(ylEnglish, Form.get()), ylFrench);
    EXPECT_EQ(Form->Caption(), "Bienvenue");
    EXPECT_EQ(label->Caption(), "Bienvenue");
    EXPECT_EQ(group->Caption(), "Suivant >");
    EXPECT_EQ(inner->Caption(), "Annuler");
    EXPECT_EQ(radio->Caption(), "French");
    EXPECT_EQ(radio->Items(), (TStringList{"Anglais", "Français", "Other"}));
    EXPECT_EQ(memo->Lines(), (TStringList{"Lisez ceci."}));
    EXPECT_EQ(other->Lines(), (TStringList{"Read this."}));  // not the lines of a memo entry
    EXPECT_EQ(T->TranslateControls(ylEnglish, nullptr), ylEnglish);
}

// Rule: a form translated into French and later into German is looked up
// in the French table the second time.
TEST_F(TranslatorTest, RetranslationStartsFromTheFormsLanguage) {
    auto* button = Add<TButton>(Form.get(), "Cancel");
    TVtrlLanguage now = T->TranslateControlsInto(ylEnglish, ylFrench, Form.get());
    EXPECT_EQ(now, ylFrench);
    EXPECT_EQ(button->Caption(), "Annuler");
    EXPECT_EQ(T->TranslateIntoLanguage(), ylUser);  // put back
    T->TranslateControlsInto(ylEnglish, ylGerman, Form.get());
    EXPECT_EQ(button->Caption(), "Annuler");  // not English any more
    EXPECT_EQ(T->TranslateControlsInto(now, ylGerman, Form.get()), ylGerman);
    EXPECT_EQ(button->Caption(), "Abbrechen");
}

// Rule: GLID above 0 translates by number, 0 by wording, below 0 never; a
// GLID the target lacks keeps the caption.
TEST_F(TranslatorTest, ControlsWithGLID) {
    auto* byNumber = Add<TTranslateLabel>(Form.get(), "Some older English wording");
    byNumber->GLID = 10;
    auto* never = Add<TTranslateLabel>(Form.get(), "Cancel");
    never->GLID = -1;
    auto* missing = Add<TTranslateLabel>(Form.get(), "Kept");
    missing->GLID = 77;
    auto* byWording = Add<TTranslateBitBtn>(Form.get(), "Cancel");
    auto* buttonByNumber = Add<TTranslateBitBtn>(Form.get(), "Go");
    buttonByNumber->GLID = 5;
    auto* buttonNever = Add<TTranslateBitBtn>(Form.get(), "Cancel");
    buttonNever->GLID = -5;

    T->TranslateControlsInto(ylEnglish, ylFrench, Form.get());
    EXPECT_EQ(byNumber->Caption(), "Ce programme installe le logiciel.");
    EXPECT_EQ(never->Caption(), "Cancel");
    EXPECT_EQ(missing->Caption(), "Kept");
    EXPECT_EQ(byWording->Caption(), "Annuler");
    EXPECT_EQ(buttonByNumber->Caption(), "Suivant >");
    EXPECT_EQ(buttonNever->Caption(), "Cancel");

    T->TranslateControlsInto(ylFrench, ylGerman, Form.get());
    EXPECT_EQ(never->Caption(), "Cancel");
    EXPECT_EQ(byNumber->Caption(), "Ce programme installe le logiciel.");  // German lacks 10
    EXPECT_EQ(buttonByNumber->Caption(), "Weiter >");
}

// Rule: a form gets the character set, font and size of the target
// language (UTF-8 font names); an empty table means English's font; with
// FontOverride the language's own font; Hebrew has no font.
TEST_F(TranslatorTest, FormFonts) {
    SetTable(*T, ylJapanese, {"6;キャンセル"});
    T->SetFormFontFor(ylJapanese, Form.get());
    EXPECT_EQ(Form->Font()->Charset(), 128);
    EXPECT_EQ(Form->Font()->Name(), JapaneseFont);
    EXPECT_EQ(Form->Font()->Size(), 9);
    EXPECT_EQ(T->TranslateIntoLanguage(), ylUser);

    T->SetFormFontFor(ylKorean, Form.get());  // no Korean table: English's font
    EXPECT_EQ(Form->Font()->Charset(), 0);
    EXPECT_EQ(Form->Font()->Name(), "Arial");
    EXPECT_EQ(Form->Font()->Size(), 8);

    TLanguage* russian = T->LanguageByIdent(ylRussian);
    SetTable(*T, ylRussian, {"6;Отмена"});
    russian->FontOverride = true;
    russian->Font().SetName("Tahoma");
    russian->Font().SetSize(11);
    russian->Font().SetCharset(204);
    T->SetFormFontFor(ylRussian, Form.get());
    EXPECT_EQ(Form->Font()->Name(), "Tahoma");
    EXPECT_EQ(Form->Font()->Size(), 11);

    SetTable(*T, ylHebrew, {"6;ביטול"});
    try {
        T->SetFormFontFor(ylHebrew, Form.get());
        FAIL() << "Hebrew has no font";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Unrecognized language");
    }
    EXPECT_EQ(T->TranslateIntoLanguage(), ylUser);
    T->SetFormFont(nullptr);
}

// Rule: ylUser is the Windows user's language by its primary id; one
// without a table (Portuguese among them) means no translation.
TEST_F(TranslatorTest, UserLanguage) {
    SetUserLangIdSource([] { return uint16_t{0x080C}; });  // French (Belgium)
    EXPECT_EQ(T->CurrentLanguage(), T->LanguageByIdent(ylFrench));
    EXPECT_EQ(T->TranslateText(ylEnglish, "Cancel"), "Annuler");
    EXPECT_EQ(TTranslator::DecodeLanguageToString(ylUser), "French");
    EXPECT_EQ(T->TranslateText(ylUser, "Annuler"), "Annuler");

    SetUserLangIdSource([] { return uint16_t{0x0416}; });  // Portuguese (Brazil)
    EXPECT_EQ(T->CurrentLanguage(), nullptr);
    EXPECT_EQ(T->TranslateText(ylEnglish, "Cancel"), "Cancel");
    EXPECT_EQ(TTranslator::DecodeLanguageToString(ylUser), "");
    EXPECT_EQ(TTranslator::DecodeLanguageToString(ylPortugese), "Portugese");
    Form->Font()->SetName("Kept");
    T->SetFormFont(Form.get());
    EXPECT_EQ(Form->Font()->Name(), "Kept");
    auto* label = Add<TLabel>(Form.get(), "Cancel");
    EXPECT_EQ(T->TranslateControls(ylEnglish, Form.get()), ylUser);
    EXPECT_EQ(label->Caption(), "Cancel");
}

// Rule: the first translator is the main one and translates every message
// from English while it exists; afterwards messages pass unchanged.
TEST_F(TranslatorTest, MainTranslatorTranslatesMessages) {
    ASSERT_EQ(MainTranslator(), T.get());
    TTranslator second(nullptr);
    EXPECT_EQ(MainTranslator(), T.get());
    T->SetTranslateIntoLanguage(ylGerman);
    EXPECT_EQ(MainCurrentLanguage(), ylGerman);
    EXPECT_EQ(TranslateMessageText("Cancel"), "Abbrechen");
    EXPECT_EQ(TranslateMessageText("Disk %d is missing"), "Disk %d is missing");

    auto* button = Add<TButton>(Form.get(), "Cancel");
    EXPECT_EQ(MainTranslateControlsInto(ylEnglish, ylFrench, Form.get()), ylFrench);
    EXPECT_EQ(button->Caption(), "Annuler");

    T.reset();
    EXPECT_EQ(MainTranslator(), nullptr);
    EXPECT_EQ(TranslateMessageText("Cancel"), "Cancel");
    EXPECT_EQ(MainCurrentLanguage(), ylEnglish);
    EXPECT_EQ(MainTranslateControls(ylFrench, Form.get()), ylFrench);
    EXPECT_EQ(button->Caption(), "Annuler");
    MainSetFormFont(Form.get());
}

namespace {

class TListeningComponent : public TInstallContainer {
public:
    TListeningComponent(std::vector<std::string>* Log) : TInstallContainer(nullptr), Log(Log) {}
    void LanguageChanged(int Language) override { Log->push_back("component " + std::to_string(Language)); }
    std::vector<std::string>* Log;
};

class TFollower : public TLanguageFollower {
public:
    TFollower(std::string Name, std::vector<std::string>* Log) : Name(std::move(Name)), Log(Log) {}
    void LanguageChanged() override {
        Log->push_back(Name);
        if (OnChange) OnChange();
    }
    std::string Name;
    std::vector<std::string>* Log;
    std::function<void()> OnChange;
};

}  // namespace

// Rule: a new target language is announced to the install components, then
// to the followers in registration order; a follower removed meanwhile is
// skipped; nothing is announced while the translator loads.
TEST_F(TranslatorTest, LanguageChangeNotices) {
    std::vector<std::string> log;
    TListeningComponent component(&log);
    TFollower first("first", &log), second("second", &log);
    AddLanguageFollower(&first);
    AddLanguageFollower(&second);
    AddLanguageFollower(&first);
    first.OnChange = [&] { RemoveLanguageFollower(&second); };

    T->SetTranslateIntoLanguage(ylGerman);
    EXPECT_EQ(log, (std::vector<std::string>{"component 3", "first"}));

    log.clear();
    T->ComponentState.Include(csLoading);
    T->SetTranslateIntoLanguage(ylFrench);
    T->ComponentState.Exclude(csLoading);
    T->TranslateControlsInto(ylEnglish, ylGerman, Form.get());
    T->SetFormFontFor(ylGerman, Form.get());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(T->TranslateIntoLanguage(), ylFrench);
    RemoveLanguageFollower(&first);
}

// Rule: every change of a table's lines re-parses it; a malformed table
// leaves the language without entries and its lines as they were given.
TEST_F(TranslatorTest, TableTextStaysInStepWithEntries) {
    TLanguage* it = T->LanguageByIdent(ylItalian);
    TLangFormatStrings& s = it->Strings();
    s.Add("6;Annulla");
    ASSERT_NE(it->FindStringByGLID(6), nullptr);
    s.Insert(0, "5;Avanti >");
    EXPECT_EQ(it->FindStringByGLID(5)->Line, 0);
    EXPECT_EQ(it->FindStringByGLID(6)->Line, 1);
    s.Move(0, 1);
    EXPECT_EQ(it->FindStringByGLID(5)->Line, 1);

    EXPECT_THROW(s.Add("#"), Exception);
    EXPECT_TRUE(it->StringEntries().empty());
    EXPECT_EQ(s.Count(), 3);
    s.Delete(2);
    EXPECT_EQ(it->StringEntries().size(), 2u);

    TStringList bad{"9;Benvenuto", "  ;no GLID", "#30;", "riga"};
    try {
        it->SetStrings(bad);
        FAIL() << "the table is malformed";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The 1'th string (;no GLID) does not have the proper format of GLID;Text");
    }
    EXPECT_TRUE(it->StringEntries().empty());
    EXPECT_EQ(s.Strings, bad.Strings);
    EXPECT_TRUE(it->ParseEnabled);

    s[1] = "8;Indietro";  // in place: no parse
    EXPECT_TRUE(it->StringEntries().empty());
    s.AddStrings(TStringList{"#", "7;Leggimi"});
    EXPECT_EQ(it->FindStringByGLID(8)->Text, "Indietro");
    ASSERT_NE(it->FindMemoByGLID(30), nullptr);
    EXPECT_EQ(it->FindMemoByGLID(30)->Lines, TStringList{"riga"});

    std::istringstream text("1;Uno\r\n2;Due\r\n");
    s.LoadFromStream(text);
    EXPECT_EQ(it->StringEntries().size(), 2u);
    s.Clear();
    EXPECT_TRUE(it->StringEntries().empty());
    EXPECT_THROW(s.LoadFromFile("C:\\no such folder\\vtriItalian.txt"), Exception);
}

// Rule: a definition fills the tables through lgX.Strings, sets the target
// without announcing it, and writes back what it read.
TEST(TranslatorDefinition, ReadsAndWritesTables) {
    const char* text =
        "object Tr: TTranslator\n"
        "  lgEnglish.Strings = (\n"
        "    '6;Cancel'\n"
        "    '12;Don''t stop')\n"
        "  lgFrench.FontOverride = True\n"
        "  lgFrench.Font.Name = 'Times New Roman'\n"
        "  lgFrench.Strings = (\n"
        "    '6;Annuler'\n"
        "    '12;N''arrêtez pas')\n"
        "  TranslateIntoLanguage = ylFrench\n"
        "end\n";
    std::vector<std::string> log;
    TListeningComponent component(&log);
    TTranslator t(nullptr);
    ReadComponentText(text, &t);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(t.TranslateIntoLanguage(), ylFrench);
    EXPECT_EQ(t.TranslateText(ylEnglish, "Don't stop"), "N'arrêtez pas");
    EXPECT_TRUE(t.LanguageByIdent(ylFrench)->FontOverride);
    EXPECT_EQ(t.LanguageByIdent(ylFrench)->Font().Name(), "Times New Roman");

    TTranslator copy(nullptr);
    ReadComponentText(WriteComponentText(&t), &copy);
    EXPECT_EQ(copy.LanguageByIdent(ylFrench)->Strings().Strings, t.LanguageByIdent(ylFrench)->Strings().Strings);
    EXPECT_EQ(copy.TranslateIntoLanguage(), ylFrench);

    TTranslator bad(nullptr);
    EXPECT_THROW(ReadComponentText("object Tr: TTranslator\n  lgGerman.LanguageIdent = ylFrench\nend\n", &bad),
                 EDefinitionError);
    try {
        ReadComponentText("object Tr: TTranslator\n  lgGerman.Strings = (\n    '6;Abbrechen'\n    'x;y')\nend\n", &bad);
        FAIL() << "the table is malformed";
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.Line, 2);
        EXPECT_EQ(e.Text, "The 1'th string (x;y) does not have the proper format of GLID;Text or .GLID;");
    }
}

// Rule: GLID is always written, even 0.
TEST(TranslateControls, GLIDIsAlwaysStored) {
    TForm form(nullptr);
    form.SetName("F");
    auto* label = new TTranslateLabel(&form);
    label->SetName("L");
    label->SetParent(&form);
    auto* button = new TTranslateBitBtn(&form);
    button->SetName("B");
    button->SetParent(&form);
    button->GLID = -4;
    std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("GLID = 0\n  end\n  object B: TTranslateBitBtn"), std::string::npos) << text;
    EXPECT_NE(text.find("GLID = -4"), std::string::npos) << text;
}

// /LANG= names a language by its English name or identifier, case
// ignored; anything else is refused with the names there are.
TEST(LanguageByName, EnglishNamesAndIdentifiers) {
    EXPECT_EQ(LanguageByName("German"), ylGerman);
    EXPECT_EQ(LanguageByName("FRENCH"), ylFrench);
    EXPECT_EQ(LanguageByName("ylJapanese"), ylJapanese);
    for (const char* bad : {"Klingon", "", "ylUser", "User"}) {
        try {
            LanguageByName(bad);
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find("the languages are Czech, English, French, German"),
                      std::string::npos)
                << e.what();
        }
    }
}
