// Tests of include lines in definitions: reading through a resolver, the
// file resolver, and the expansion into one text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "DefinitionText.h"
#include "TypInfo.h"

using namespace vtrl;
namespace fs = std::filesystem;

namespace {

class TIncItem : public TComponent {
    VTRL_CLASS(TIncItem)
public:
    using TComponent::TComponent;
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* p) override { FParent = p; }
    void Loaded() override {
        if (Caption == "fail on load") throw Exception("Cannot finish loading");
    }
    std::string Caption;
    bool Include = true;
    TIncItem* Container = nullptr;
    TStringList Lines;

private:
    TComponent* FParent = nullptr;
};

class TIncRoot : public TComponent {
    VTRL_CLASS(TIncRoot)
public:
    using TComponent::TComponent;
    TIncItem* MainItem = nullptr;
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TIncItem, TComponent, [](TClassBuilder<TIncItem>& b) {
    b.String("Caption", &TIncItem::Caption, &TIncItem::Caption);
    b.Boolean("Include", &TIncItem::Include, &TIncItem::Include, true);
    b.template Reference<TIncItem>("Container", &TIncItem::Container, &TIncItem::Container);
    b.Strings("Lines", &TIncItem::Lines, &TIncItem::Lines);
})

VTRL_IMPLEMENT_CLASS(TIncRoot, TComponent, [](TClassBuilder<TIncRoot>& b) {
    b.template Reference<TIncItem>("MainItem", &TIncRoot::MainItem, &TIncRoot::MainItem);
})

namespace {

// Texts by name; the resolved name is the path as written. Records which
// file asked for which.
class IncludeTest : public ::testing::Test {
protected:
    TDefinitionIncludeResolver Resolver() {
        return [this](const std::string& Path, const std::string& Including, std::string& Resolved) {
            Asked.push_back(Including + " -> " + Path);
            auto it = Files.find(Path);
            if (it == Files.end()) throw Exception("Cannot open included file " + Path);
            Resolved = Path;
            return it->second;
        };
    }
    TIncItem* Item(std::string_view Name) { return As<TIncItem>(Root.FindComponent(Name)); }
    std::string Names() {
        std::string s;
        for (int i = 0; i < Root.ComponentCount(); ++i) {
            TComponent* c = Root.Components(i);
            s += c->Name() + "<" + c->GetParentComponent()->Name() + " ";
        }
        return s;
    }
    // The error a read of Text (as main.vdf) raises.
    EDefinitionError ErrorOf(const std::string& Text) {
        try {
            ReadComponentText(Text, &Root, "main.vdf", Resolver());
        } catch (const EDefinitionError& e) {
            return e;
        }
        ADD_FAILURE() << "no error";
        return EDefinitionError("", 0, 0, "");
    }

    std::map<std::string, std::string> Files;
    std::vector<std::string> Asked;
    TIncRoot Root{nullptr};
};

// ------------------------------------------------------------ reading

// Rule: included objects are read where the include line stands: before,
// between and inside objects, nested includes too, each object's parent the
// object that holds the line; references cross files both ways.
TEST_F(IncludeTest, IncludedObjectsStandWhereTheLineIs) {
    Files["head.vdf"] = "object H: TIncItem\nend\n";
    Files["parts/files.vdf"] = "\xEF\xBB\xBF"
                               "object F1: TIncItem\n  Container = A\n  include 'inner.vdf'\nend\n"
                               "include 'more.vdf'\n";
    Files["inner.vdf"] = "object F1a: TIncItem\nend\n";
    Files["more.vdf"] = "object F2: TIncItem\n  Include = False\nend\n";
    Files["empty.vdf"] = "\n";
    ReadComponentText("object Main: TIncRoot\n"
                      "  MainItem = F2\n"
                      "  include 'head.vdf'\n"
                      "  object A: TIncItem\n"
                      "    include 'parts/files.vdf'\n"
                      "    Include = False\n"
                      "  end\n"
                      "  include 'empty.vdf'\n"
                      "  object B: TIncItem\n"
                      "  end\n"
                      "end\n",
                      &Root, "main.vdf", Resolver());
    EXPECT_EQ(Names(), "H<Main A<Main F1<A F1a<F1 F2<A B<Main ");
    EXPECT_EQ(Root.MainItem, Item("F2"));
    EXPECT_EQ(Item("F1")->Container, Item("A"));
    EXPECT_FALSE(Item("A")->Include);
    EXPECT_FALSE(Item("F2")->Include);
    EXPECT_TRUE(Root.ComponentState.Empty());
    EXPECT_EQ(Asked, (std::vector<std::string>{"main.vdf -> head.vdf", "main.vdf -> parts/files.vdf",
                                               "parts/files.vdf -> inner.vdf", "parts/files.vdf -> more.vdf",
                                               "main.vdf -> empty.vdf"}));
}

// Rule: without a resolver an include line is an error at the line; a
// property named Include stays a property.
TEST_F(IncludeTest, WithoutResolverIncludesAreRefused) {
    const char* text = "object Main: TIncRoot\n  object A: TIncItem\n    Include = False\n    include 'x.vdf'\n  end\nend\n";
    try {
        ReadComponentText(text, &Root, "main.vdf");
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(std::string(e.what()), "main.vdf(4:5): Includes are not allowed here");
    }
    EXPECT_EQ(Root.ComponentCount(), 0);
    TComponent owner(nullptr);
    EXPECT_THROW(CreateComponentFromText(text, &owner, "main.vdf", TDefinitionIncludeResolver()), EDefinitionError);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// ------------------------------------------------------------ errors

// Rule: an error inside an included text names that text's file, line and
// column, whether the lexer, the reader, a reference resolved at the end or
// a class's Loaded finds it; nothing of the failed read remains.
TEST_F(IncludeTest, ErrorsInsideIncludedTextNameThatFile) {
    const std::string main = "object Main: TIncRoot\n  object A: TIncItem\n  end\n  include 'part.vdf'\nend\n";
    struct TCase {
        const char* Part;
        const char* Expected;
    };
    const TCase cases[] = {
        {"object P: TIncItem\n  Caption = ?\nend\n", "part.vdf(2:13): Invalid character '?'"},
        {"\n  object P: TNoSuchClass\n  end\n", "part.vdf(2:13): Class TNoSuchClass not found"},
        {"object P: TIncItem\n  Container = Nobody\nend\n", "part.vdf(2:15): Component Nobody not found"},
        {"object P: TIncItem\n  Caption = 'fail on load'\nend\n", "part.vdf(1:1): Cannot finish loading"},
        {"Caption = 'x'\n", "part.vdf(1:1): 'object' or 'include' expected in an included file but identifier 'Caption' found"},
        {"object P: TIncItem\n", "part.vdf(2:1): Property name, 'object' or 'end' expected but end of text found"},
        {"object A: TIncItem\nend\n", "part.vdf(1:8): A component named A already exists"},
    };
    for (const TCase& c : cases) {
        Files["part.vdf"] = c.Part;
        EDefinitionError e = ErrorOf(main);
        EXPECT_EQ(std::string(e.what()), c.Expected);
        EXPECT_EQ(e.FileName, "part.vdf");
        EXPECT_EQ(Root.ComponentCount(), 0) << c.Expected;
        EXPECT_TRUE(Root.ComponentState.Empty());
    }
}

// Rule: a missing file, a cycle and includes nested deeper than the bound
// are errors at the include line, naming the including file.
TEST_F(IncludeTest, ErrorsOfTheLineNameTheIncludingFile) {
    EDefinitionError missing = ErrorOf("object Main: TIncRoot\n   include 'gone.vdf'\nend\n");
    EXPECT_EQ(std::string(missing.what()), "main.vdf(2:4): Cannot open included file gone.vdf");

    Files["a.vdf"] = "object X: TIncItem\nend\ninclude 'b.vdf'\n";
    Files["b.vdf"] = "\n  include 'a.vdf'\n";
    EDefinitionError cycle = ErrorOf("object Main: TIncRoot\n  include 'a.vdf'\nend\n");
    EXPECT_EQ(std::string(cycle.what()), "b.vdf(2:3): Include cycle: a.vdf is already being read");
    EXPECT_EQ(Root.ComponentCount(), 0);

    Files["main.vdf"] = "object Y: TIncItem\nend\n";
    EXPECT_EQ(std::string(ErrorOf("object Main: TIncRoot\n  include 'main.vdf'\nend\n").what()),
              "main.vdf(2:3): Include cycle: main.vdf is already being read");

    // d1 includes d2 ... d16 holds an object: sixteen levels read; one more fails.
    for (int i = 1; i <= MaxDefinitionIncludeDepth + 1; ++i)
        Files[Fmt("d%d.vdf", i)] = Fmt("include 'd%d.vdf'\n", i + 1);
    Files[Fmt("d%d.vdf", MaxDefinitionIncludeDepth)] = "object Deep: TIncItem\nend\n";
    ReadComponentText("object Main: TIncRoot\n  include 'd1.vdf'\nend\n", &Root, "main.vdf", Resolver());
    EXPECT_NE(Item("Deep"), nullptr);
    TIncRoot again(nullptr);
    Files[Fmt("d%d.vdf", MaxDefinitionIncludeDepth)] = Fmt("include 'd%d.vdf'\n", MaxDefinitionIncludeDepth + 1);
    Files[Fmt("d%d.vdf", MaxDefinitionIncludeDepth + 1)] = "object Deep: TIncItem\nend\n";
    try {
        ReadComponentText("object Main: TIncRoot\n  include 'd1.vdf'\nend\n", &again, "main.vdf", Resolver());
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(std::string(e.what()), Fmt("d%d.vdf(1:1): Includes nest deeper than 16 levels", MaxDefinitionIncludeDepth));
    }
}

// ------------------------------------------------------------ files

class IncludeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("vtrl_include_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir / "parts" / "sub");
    }
    void TearDown() override { fs::remove_all(Dir); }
    void Write(const std::string& Name, const std::string& Text) {
        std::ofstream(Dir / Name, std::ios::binary) << Text;
    }
    std::string Path(const std::string& Name) const { return (Dir / fs::path(Name).make_preferred()).string(); }
    fs::path Dir;
};

// Rule: the file resolver takes a relative path from the including file's
// directory ('\' or '/'), removes "." and ".." steps, and a missing file's
// error names the file it looked for.
TEST_F(IncludeFileTest, PathsAreTakenFromTheIncludingFile) {
    Write("main.vdf", "object Main: TIncRoot\n  include 'parts\\files.vdf'\nend\n");
    Write("parts/files.vdf", "object F: TIncItem\n  include './sub/../sub/deep.vdf'\nend\n");
    Write("parts/sub/deep.vdf", "object D: TIncItem\nend\ninclude '../../top.vdf'\n");
    Write("top.vdf", "object T: TIncItem\nend\n");
    TIncRoot root(nullptr);
    std::ifstream in(Dir / "main.vdf");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ReadComponentText(text, &root, Path("main.vdf"), FileIncludeResolver());
    ASSERT_EQ(root.ComponentCount(), 3);
    EXPECT_EQ(root.FindComponent("T")->GetParentComponent()->Name(), "F");

    Write("top.vdf", "object T: TIncItem\n  Caption = 1\nend\n");
    TIncRoot again(nullptr);
    try {
        ReadComponentText(text, &again, Path("main.vdf"), FileIncludeResolver());
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.FileName, Path("top.vdf"));
        EXPECT_EQ(e.Line, 2);
        EXPECT_EQ(e.Column, 13);
    }
    fs::remove(Dir / "top.vdf");
    try {
        ReadComponentText(text, &again, Path("main.vdf"), FileIncludeResolver());
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.FileName, Path("parts/sub/deep.vdf"));
        EXPECT_EQ(e.Line, 3);
        EXPECT_NE(e.Text.find("Cannot open included file " + Path("top.vdf")), std::string::npos) << e.Text;
    }
}

// Rule: the expansion replaces each include line by the included objects,
// indented as the line was, the rest unchanged; what it gives reads into the
// same components as the files read with their includes.
TEST_F(IncludeFileTest, ExpansionReadsBackIntoTheSameComponents) {
    Write("main.vdf", "object Main: TIncRoot\n"
                      "  MainItem = F\n"
                      "  object A: TIncItem\n"
                      "    Include = False\n"
                      "    include 'parts/files.vdf'\n"
                      "  end\n"
                      "end\n");
    Write("parts/files.vdf", "\r\nobject F: TIncItem\r\n  Lines = (\r\n    'include ''x.vdf''')\r\n"
                             "  include 'sub/e.vdf'\r\nend\r\ninclude 'sub/e2.vdf'\r\n\r\n");
    Write("parts/sub/e.vdf", "");
    Write("parts/sub/e2.vdf", "object G: TIncItem\n  Container = A\nend\n");
    std::string expanded = ExpandDefinitionIncludes(Path("main.vdf"));
    EXPECT_EQ(expanded, "object Main: TIncRoot\n"
                        "  MainItem = F\n"
                        "  object A: TIncItem\n"
                        "    Include = False\n"
                        "    object F: TIncItem\r\n"
                        "      Lines = (\r\n"
                        "        'include ''x.vdf''')\r\n"
                        "      \r\n"
                        "    end\r\n"
                        "    object G: TIncItem\n"
                        "      Container = A\n"
                        "    end\n"
                        "  end\n"
                        "end\n");

    TIncRoot fromFiles(nullptr), fromExpanded(nullptr);
    std::ifstream in(Dir / "main.vdf");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ReadComponentText(text, &fromFiles, Path("main.vdf"), FileIncludeResolver());
    ReadComponentText(expanded, &fromExpanded, "expanded.vdf");
    EXPECT_EQ(WriteComponentText(&fromExpanded), WriteComponentText(&fromFiles));
    EXPECT_EQ(fromExpanded.ComponentCount(), 3);
}

// Rule: the expansion checks each text's form and reports errors as the
// reader does: inside an included file with its name, at the line for a
// missing file or a cycle.
TEST_F(IncludeFileTest, ExpansionReportsErrorsWithTheirFile) {
    Write("main.vdf", "object Main: TIncRoot\n  include 'parts/a.vdf'\nend\n");
    auto errorOf = [&] {
        try {
            ExpandDefinitionIncludes(Path("main.vdf"));
        } catch (const EDefinitionError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    Write("parts/a.vdf", "object X: TIncItem\n  Caption 'x'\nend\n");
    EXPECT_EQ(errorOf(), Path("parts/a.vdf") + "(2:11): '=' expected but string 'x' found");
    Write("parts/a.vdf", "object X: TIncItem\nend\nCaption = 'x'\n");
    EXPECT_EQ(errorOf(), Path("parts/a.vdf") +
                             "(3:1): 'object' or 'include' expected in an included file but identifier 'Caption' found");
    Write("parts/a.vdf", "include 'a.vdf'\n");
    EXPECT_EQ(errorOf(), Path("parts/a.vdf") + "(1:1): Include cycle: " + Path("parts/a.vdf") + " is already being read");
    Write("parts/a.vdf", "\n include 'none.vdf'\n");
    EXPECT_EQ(errorOf().rfind(Path("parts/a.vdf") + "(2:2): Cannot open included file " + Path("parts/none.vdf"), 0), 0u);
    fs::remove(Dir / "main.vdf");
    EXPECT_EQ(errorOf().rfind(Path("main.vdf") + "(1:1): Cannot open definition " + Path("main.vdf"), 0), 0u);
}

}  // namespace

namespace {

// With line marks, the expanded text, read under another name (as a setup
// program reads its resource), reports every place at the author's file,
// line and column, in the main file before and after an include too; no
// folder of the files is recorded in it.
TEST_F(IncludeFileTest, MarkedExpansionKeepsTheAuthorsPlaces) {
    Write("main.vdf", "object Main: TIncRoot\n"
                      "  MainItem = F\n"
                      "  object A: TIncItem\n"
                      "    include 'parts/files.vdf'  // the files\n"
                      "    Caption = 'a'\n"
                      "  end\n"
                      "  include 'parts/sub/e.vdf'\n"
                      "end\n");
    Write("parts/files.vdf", "\r\n\r\nobject F: TIncItem\r\n  include 'sub/g.vdf'\r\n  Caption = 'f'\r\nend\r\n");
    Write("parts/sub/g.vdf", "object G: TIncItem\n  Caption = 'g'\nend\n");
    Write("parts/sub/e.vdf", "");
    const std::string expanded = ExpandDefinitionIncludes(Path("main.vdf"), true);
    EXPECT_EQ(expanded.find(Dir.string()), std::string::npos) << expanded;
    EXPECT_EQ(expanded.find(Dir.filename().string()), std::string::npos) << expanded;

    // The same components as the files give.
    TIncRoot fromFiles(nullptr), fromExpanded(nullptr);
    std::ifstream in(Dir / "main.vdf");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ReadComponentText(text, &fromFiles, Path("main.vdf"), FileIncludeResolver());
    ReadComponentText(expanded, &fromExpanded, "INSTALLDEFINITION");
    EXPECT_EQ(WriteComponentText(&fromExpanded), WriteComponentText(&fromFiles));

    // Each property's value, made wrong in turn, is reported where the
    // author wrote it.
    auto placeOf = [&](const std::string& Text, const std::string& Wrong) {
        const size_t at = Text.find(Wrong);
        EXPECT_NE(at, std::string::npos) << Wrong;
        std::string broken = Text;
        broken.replace(at, Wrong.size(), "Caption = 1");
        TIncRoot root(nullptr);
        try {
            ReadComponentText(broken, &root, "INSTALLDEFINITION");
        } catch (const EDefinitionError& e) {
            return e.FileName + "(" + std::to_string(e.Line) + ":" + std::to_string(e.Column) + ")";
        }
        return std::string("no error");
    };
    auto named = [](const char* Name) { return fs::path(Name).make_preferred().string(); };
    EXPECT_EQ(placeOf(expanded, "Caption = 'g'"), named("parts/sub/g.vdf") + "(2:13)");
    EXPECT_EQ(placeOf(expanded, "Caption = 'f'"), named("parts/files.vdf") + "(5:13)");
    EXPECT_EQ(placeOf(expanded, "Caption = 'a'"), "main.vdf(5:15)");
    TIncRoot root(nullptr);
    try {
        ReadComponentText(expanded + "x", &root, "INSTALLDEFINITION");
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.FileName, "main.vdf");
        EXPECT_EQ(e.Line, 9);
    }
    // Without marks the text is as before: indented, no comments added.
    EXPECT_EQ(ExpandDefinitionIncludes(Path("main.vdf")).find("//#line"), std::string::npos);
}

}  // namespace
