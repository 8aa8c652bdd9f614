// The standard tables of the installation definition: every table reads,
// carries the English GLIDs and comment lines, and translates.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "DefinitionText.h"
#include "cmp_TTranslator.h"

using namespace vtrl;

namespace {

std::string StandardTablesText() {
    HRSRC r = FindResourceA(nullptr, "STANDARDTABLES", MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!r) return {};
    HGLOBAL g = LoadResource(nullptr, r);
    return std::string(static_cast<const char*>(LockResource(g)), SizeofResource(nullptr, r));
}

std::vector<std::string> CommentLines(const TLanguage& l) {
    std::vector<std::string> c;
    for (const std::string& line : l.Strings().Strings)
        if (!line.empty() && line[0] == '*') c.push_back(line);
    return c;
}

class StandardTables : public ::testing::Test {
protected:
    void SetUp() override {
        std::string text = StandardTablesText();
        ASSERT_FALSE(text.empty());
        ReadComponentText(text, &T, "StandardTables.vdf");
    }
    TTranslator T{nullptr};
};

}  // namespace

// Rule: the English table is the kit's: its groups, comments and texts in
// their order.
TEST_F(StandardTables, EnglishTable) {
    const TLanguage& en = *T.LanguageByIdent(ylEnglish);
    const auto& lines = en.Strings().Strings;
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "* Common strings for standard dialogs");
    EXPECT_EQ(lines[1], "4;< Previous");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "* TWelcomeDlg/TWelcomeForm");
    EXPECT_EQ(lines.back(), "57;This will install the Borland Database Engine.");
    EXPECT_EQ(en.StringEntries().size(), 69u);
    EXPECT_EQ(en.FindStringByGLID(11)->Text,
              "It is strongly recommended that you exit all Windows programs before running this setup. If you need "
              "to close any programs, click Cancel to quit the setup and then close the programs.");
    EXPECT_EQ(en.FindStringByGLID(45)->Text, "Please insert disk number %d");
    for (int32_t missing : {35, 36, 50}) EXPECT_EQ(en.FindStringByGLID(missing), nullptr);
    EXPECT_EQ(CommentLines(en).size(), 16u);
    EXPECT_EQ(CommentLines(en)[13], "*** NON dialog stuff");
}

// Rule: every table but Hebrew's has each English GLID, the same comment
// lines, the placeholder of GLID 45, and no Text cut by the length limit.
TEST_F(StandardTables, EveryTableIsComplete) {
    const TLanguage& en = *T.LanguageByIdent(ylEnglish);
    EXPECT_EQ(T.LanguageByIdent(ylHebrew)->Strings().Count(), 0);
    for (int i = 0; i < ylUser; ++i) {
        auto l = static_cast<TVtrlLanguage>(i);
        if (l == ylHebrew || l == ylEnglish) continue;
        const TLanguage& lang = *T.LanguageByIdent(l);
        SCOPED_TRACE(TTranslator::DecodeLanguageToString(l));
        EXPECT_EQ(lang.StringEntries().size(), en.StringEntries().size());
        std::set<int32_t> glids;
        for (const auto& s : lang.StringEntries()) {
            glids.insert(s->GLID);
            EXPECT_LT(s->Text.size(), 255u) << s->GLID;
        }
        for (const auto& s : en.StringEntries()) EXPECT_TRUE(glids.count(s->GLID)) << s->GLID;
        EXPECT_EQ(CommentLines(lang), CommentLines(en));
        EXPECT_NE(lang.FindStringByGLID(45)->Text.find("%d"), std::string::npos);
        EXPECT_NE(lang.FindStringByGLID(6)->Text, "Cancel");
    }
}

// Rule: the tables translate the English wordings, a few per language.
TEST_F(StandardTables, Translations) {
    struct TCase {
        TVtrlLanguage Language;
        const char* Cancel;
        const char* Next;
        const char* French;
    };
    const TCase cases[] = {
        {ylCzech, "Storno", "Další >", "Francouzština"},
        {ylFrench, "Annuler", "Suivant >", "Français"},
        {ylGerman, "Abbrechen", "Weiter >", "Französisch"},
        {ylGreek, "Άκυρο", "Επόμενο >", "Γαλλικά"},
        {ylItalian, "Annulla", "Avanti >", "Francese"},
        {ylJapanese, "キャンセル", "次へ >", "フランス語"},
        {ylKorean, "취소", "다음 >", "프랑스어"},
        {ylPortugese, "Cancelar", "Avançar >", "Francês"},
        {ylRussian, "Отмена", "Далее >", "Французский"},
        {ylSpanish, "Cancelar", "Siguiente >", "Francés"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(TTranslator::DecodeLanguageToString(c.Language));
        T.SetTranslateIntoLanguage(c.Language);
        EXPECT_EQ(T.TranslateText(ylEnglish, "cancel"), c.Cancel);
        EXPECT_EQ(T.TranslateText(ylEnglish, "Next >"), c.Next);
        EXPECT_EQ(T.TranslateText(ylEnglish, "French"), c.French);
        EXPECT_EQ(T.TranslateText(c.Language, c.Cancel), c.Cancel);
    }
    T.SetTranslateIntoLanguage(ylEnglish);
    EXPECT_EQ(T.TranslateText(ylGerman, "Abbrechen"), "Cancel");
    EXPECT_EQ(T.TranslateText(ylJapanese, "ディスク %d を挿入してください"), "Please insert disk number %d");
}
