// Tests of the definition reader and writer.
#include "DefinitionText.h"

#include <gtest/gtest.h>

#include <limits>

#include "TypInfo.h"

using namespace vtrl;

namespace {

VTRL_ENUM(TDefMode, dmNone, dmFast, dmSafe)
VTRL_ENUM(TDefOption, doOne, doTwo, doThree)

// What the test classes' setters, Loaded and destructors did, in order.
std::vector<std::string> Log;

std::string StateOf(const TComponent& c) {
    std::string s;
    if (c.ComponentState.Contains(csLoading)) s += " loading";
    if (c.ComponentState.Contains(csReading)) s += " reading";
    return s;
}

class TDefInfo : public TPersistent {
    VTRL_CLASS(TDefInfo)
public:
    std::string ProductName;
    int32_t Version = 0;
};

class TDefItem : public TComponent {
    VTRL_CLASS(TDefItem)
public:
    using TComponent::TComponent;
    ~TDefItem() override { Log.push_back("~" + Name()); }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) {
        Log.push_back(Name() + ".Caption" + StateOf(*this));
        FCaption = v;
    }
    int32_t Order() const { return FOrder; }
    void SetOrder(int32_t v) {
        if (v < 0) throw Exception("Order must not be negative");
        Log.push_back(Name() + ".Order" + StateOf(*this));
        FOrder = v;
    }
    TDefItem* Container() const { return FContainer; }
    void SetContainer(TDefItem* v) {
        Log.push_back(Name() + ".Container=" + (v ? v->Name() : "nil") + StateOf(*this));
        FContainer = v;
    }
    TDefInfo* GetInformation() { return &Information; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* p) override {
        Log.push_back(Name() + ".Parent=" + p->Name() + StateOf(*this));
        FParent = p;
    }
    void Loaded() override {
        Log.push_back("Loaded " + Name() + StateOf(*this));
        if (FCaption == "fail on load") throw Exception("Cannot finish loading");
    }

    TDefMode Mode = dmNone;
    TSet<TDefOption> Options;
    bool Enabled = true;
    double Ratio = 0;
    std::string Hint;
    TStringList Lines;
    TDefInfo Information;
    TNotifyEvent OnCleanup;

private:
    std::string FCaption;
    int32_t FOrder = 0;
    TDefItem* FContainer = nullptr;
    TComponent* FParent = nullptr;
};

// The root of the test definitions; provides the handlers they name.
class TDefRoot : public TComponent {
    VTRL_CLASS(TDefRoot)
public:
    explicit TDefRoot(TComponent* AOwner) : TComponent(AOwner) {
        PublishMethod("Item1Cleanup", std::function<void(TComponent*)>([this](TComponent* c) { Cleaned.push_back(c); }));
        PublishMethod("Count", std::function<void(int)>([](int) {}));
    }
    void Loaded() override { Log.push_back("Loaded " + Name() + StateOf(*this)); }
    std::string Title;
    TDefItem* MainItem = nullptr;
    std::vector<TComponent*> Cleaned;
};

class TDefRootEx : public TDefRoot {
    VTRL_CLASS(TDefRootEx)
public:
    using TDefRoot::TDefRoot;
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TDefInfo, TPersistent, [](TClassBuilder<TDefInfo>& b) {
    b.String("ProductName", &TDefInfo::ProductName, &TDefInfo::ProductName);
    b.Integer("Version", &TDefInfo::Version, &TDefInfo::Version, 0);
})

VTRL_IMPLEMENT_CLASS(TDefItem, TComponent, [](TClassBuilder<TDefItem>& b) {
    b.String("Caption", &TDefItem::Caption, &TDefItem::SetCaption);
    b.Integer("Order", &TDefItem::Order, &TDefItem::SetOrder, 0);
    b.template Enum<TDefMode>("Mode", &TDefItem::Mode, &TDefItem::Mode);
    b.template Set<TDefOption>("Options", &TDefItem::Options, &TDefItem::Options, TSet<TDefOption>{});
    b.Boolean("Enabled", &TDefItem::Enabled, &TDefItem::Enabled, true);
    b.Float("Ratio", &TDefItem::Ratio, &TDefItem::Ratio);
    b.String("Hint", &TDefItem::Hint, &TDefItem::Hint, true);
    b.template Reference<TDefItem>("Container", &TDefItem::Container, &TDefItem::SetContainer);
    b.Strings("Lines", &TDefItem::Lines, &TDefItem::Lines);
    b.Object("Information", &TDefItem::GetInformation);
    b.Event("OnCleanup", &TDefItem::OnCleanup);
})

VTRL_IMPLEMENT_CLASS(TDefRoot, TComponent, [](TClassBuilder<TDefRoot>& b) {
    b.String("Title", &TDefRoot::Title, &TDefRoot::Title);
    b.template Reference<TDefItem>("MainItem", &TDefRoot::MainItem, &TDefRoot::MainItem);
})

VTRL_IMPLEMENT_CLASS(TDefRootEx, TDefRoot, [](TClassBuilder<TDefRootEx>&) {})

namespace {

class DefinitionTest : public ::testing::Test {
protected:
    void SetUp() override { Log.clear(); }
    TDefItem* Item(std::string_view Name) { return As<TDefItem>(Root.FindComponent(Name)); }
    TDefRoot Root{nullptr};
};

// ------------------------------------------------------------ load order

// Each object is loading (and reading) from its creation on; its
// properties are set in the order written, after it learnt its enclosing
// object.
TEST_F(DefinitionTest, PropertiesAreSetInWrittenOrderWhileLoading) {
    ReadComponentText("object Main: TDefRoot\n"
                      "  object A: TDefItem\n"
                      "    Order = 3\n"
                      "    Caption = 'x'\n"
                      "  end\n"
                      "end\n",
                      &Root);
    std::vector<std::string> expected{"A.Parent=Main loading reading", "A.Order loading reading",
                                      "A.Caption loading reading", "Loaded Main loading", "Loaded A loading"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(Root.Name(), "Main");
    EXPECT_EQ(Item("A")->Order(), 3);
}

// A reference may name an object that comes later; references are set
// after every object exists, in the order they were read.
TEST_F(DefinitionTest, ReferencesAreResolvedAfterAllObjectsExist) {
    ReadComponentText("object Main: TDefRoot\n"
                      "  MainItem = B\n"
                      "  object A: TDefItem\n"
                      "    Container = B\n"
                      "  end\n"
                      "  object B: TDefItem\n"
                      "    Container = A\n"
                      "    Caption = 'b'\n"
                      "  end\n"
                      "end\n",
                      &Root);
    std::vector<std::string> expected{"A.Parent=Main loading reading", "B.Parent=Main loading reading",
                                      "B.Caption loading reading",     "A.Container=B loading reading",
                                      "B.Container=A loading reading", "Loaded Main loading",
                                      "Loaded A loading",              "Loaded B loading"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(Item("A")->Container(), Item("B"));
    EXPECT_EQ(Root.MainItem, Item("B"));
}

// Loaded runs on every component in read order (the root first, nested
// objects where they stand) while they are still loading; afterwards none
// is loading. All objects are owned by the root and told their enclosing
// object.
TEST_F(DefinitionTest, LoadedRunsInReadOrderThenLoadingEnds) {
    ReadComponentText("object Main: TDefRoot\n"
                      "  object A: TDefItem\n"
                      "    object C: TDefItem\n"
                      "    end\n"
                      "  end\n"
                      "  object B: TDefItem\n"
                      "  end\n"
                      "end\n",
                      &Root);
    std::vector<std::string> loaded;
    for (const auto& s : Log)
        if (s.rfind("Loaded", 0) == 0) loaded.push_back(s);
    EXPECT_EQ(loaded, (std::vector<std::string>{"Loaded Main loading", "Loaded A loading", "Loaded C loading",
                                                "Loaded B loading"}));
    ASSERT_EQ(Root.ComponentCount(), 3);
    EXPECT_EQ(Root.Components(1)->Name(), "C");
    EXPECT_EQ(Item("C")->GetParentComponent(), Item("A"));
    EXPECT_EQ(Item("A")->GetParentComponent(), &Root);
    EXPECT_TRUE(Root.ComponentState.Empty());
    for (int i = 0; i < Root.ComponentCount(); ++i) EXPECT_TRUE(Root.Components(i)->ComponentState.Empty());
}

// The outer object describes the root; its class may be an ancestor of the
// root's class.
TEST_F(DefinitionTest, OuterObjectMayNameAnAncestorClass) {
    TDefRootEx root(nullptr);
    ReadComponentText("object R: TDefRoot\n  Title = 't'\nend", &root);
    EXPECT_EQ(root.Title, "t");
    EXPECT_EQ(root.Name(), "R");
}

// CreateComponentFromText makes the root by its registered class.
TEST_F(DefinitionTest, CreateMakesTheRootByItsClass) {
    TComponent owner(nullptr);
    TComponent* c = CreateComponentFromText("object R: TDefRootEx\n  object A: TDefItem\n  end\nend", &owner);
    ASSERT_NE(As<TDefRootEx>(c), nullptr);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(c->ComponentCount(), 1);
    EXPECT_THROW(CreateComponentFromText("object Q: TDefRoot\n  Title = 1\nend", &owner), EDefinitionError);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

// --------------------------------------------------------------- values

// Dotted names set properties of owned sub-objects.
TEST_F(DefinitionTest, DottedNamesReachSubObjects) {
    ReadComponentText("object R: TDefRoot\n  object A: TDefItem\n"
                      "    Information.ProductName = 'Vantrel 32'\n    information.version = 7\n  end\nend",
                      &Root);
    EXPECT_EQ(Item("A")->Information.ProductName, "Vantrel 32");
    EXPECT_EQ(Item("A")->Information.Version, 7);
}

// '' is a quote, #nnn a character by number (code points from 128 on give
// UTF-8), pieces written without a gap join, '+' joins across lines, and
// UTF-8 bytes pass unchanged.
TEST_F(DefinitionTest, StringEscapes) {
    ReadComponentText("object R: TDefRoot\n"
                      "  Title = 'It''s'#13#10'x'#$41#233'Gr\xC3\xBC\xC3\x9F' +\n"
                      "    ' \xE2\x82\xAC'#0\n"
                      "end",
                      &Root);
    EXPECT_EQ(Root.Title, std::string("It's\r\nxA\xC3\xA9Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\0", 21));
}

TEST_F(DefinitionTest, NumbersBooleansEnumerationsSets) {
    ReadComponentText("object R: TDefRoot\n  object A: TDefItem\n"
                      "    Tag = -12\n    Order = $10\n    Mode = DMSAFE\n    Enabled = False\n"
                      "    Options = [doThree, doOne]\n    Ratio = -2.5E1\n  end\n"
                      "  object B: TDefItem\n    Options = []\n    Ratio = 3\n    Tag = $FFFFFFFF\n  end\nend",
                      &Root);
    TDefItem* a = Item("A");
    EXPECT_EQ(a->Tag, -12);
    EXPECT_EQ(a->Order(), 16);
    EXPECT_EQ(a->Mode, dmSafe);
    EXPECT_FALSE(a->Enabled);
    EXPECT_EQ(a->Options, (TSet<TDefOption>{doOne, doThree}));
    EXPECT_EQ(a->Ratio, -25.0);
    EXPECT_TRUE(Item("B")->Options.Empty());
    EXPECT_EQ(Item("B")->Ratio, 3.0);
    EXPECT_EQ(Item("B")->Tag, -1);
}

// A string list is written Name.Strings = ( ... ) or Name = ( ... ).
TEST_F(DefinitionTest, StringLists) {
    ReadComponentText("object R: TDefRoot\n"
                      "  object A: TDefItem\n    Lines.Strings = (\n      'C:\\WINDOWS\\MEDIA\\a.rmi'\n"
                      "      ''\n      'b' +\n      'c')\n  end\n"
                      "  object B: TDefItem\n    Lines = ('x')\n  end\n"
                      "  object C: TDefItem\n    Lines = ()\n  end\nend",
                      &Root);
    EXPECT_EQ(Item("A")->Lines, (TStringList{"C:\\WINDOWS\\MEDIA\\a.rmi", "", "bc"}));
    EXPECT_EQ(Item("B")->Lines, (TStringList{"x"}));
    EXPECT_EQ(Item("C")->Lines.Count(), 0);
}

// An event names a method that the root publishes; the handler name is kept.
TEST_F(DefinitionTest, EventsBindToRootMethods) {
    ReadComponentText("object R: TDefRoot\n  object Item1: TDefItem\n    OnCleanup = item1cleanup\n  end\nend",
                      &Root);
    TDefItem* a = Item("Item1");
    ASSERT_TRUE(static_cast<bool>(a->OnCleanup));
    a->OnCleanup(a);
    EXPECT_EQ(Root.Cleaned, std::vector<TComponent*>{a});
    EXPECT_EQ(a->OnCleanup.Name, "item1cleanup");
}

// Binary data in braces is a string's bytes.
TEST_F(DefinitionTest, BinaryDataIsAString) {
    ReadComponentText("object R: TDefRoot\n  Title = {\n    41 00ff\n    7E}\nend", &Root);
    EXPECT_EQ(Root.Title, std::string("A\0\xFF~", 4));
}

// ---------------------------------------------------------------- writer

const char* const Canonical =
    "object Main: TDefRoot\n"
    "  Title = 'It''s'#13#10'Gr\xC3\xBC\xC3\x9F'\n"
    "  MainItem = File1\n"
    "  object Install1: TDefItem\n"
    "    Tag = 1\n"
    "    Caption = '\\files.1'\n"
    "    Mode = dmSafe\n"
    "    Options = [doOne, doThree]\n"
    "    Enabled = False\n"
    "    Ratio = 0.25\n"
    "    Hint = ''\n"
    "    Lines.Strings = (\n"
    "      'C:\\WINDOWS\\MEDIA\\HalvornMisc.rmi'\n"
    "      'VantrelEarth.avi')\n"
    "    Information.ProductName = 'Vantrel 32'\n"
    "    OnCleanup = Item1Cleanup\n"
    "    object Inner: TDefItem\n"
    "      Mode = dmNone\n"
    "      Hint = ''\n"
    "    end\n"
    "  end\n"
    "  object File1: TDefItem\n"
    "    Caption = 'unit1.pas'\n"
    "    Order = 5\n"
    "    Mode = dmFast\n"
    "    Hint = 'h'\n"
    "    Container = Install1\n"
    "    Information.Version = 2\n"
    "  end\n"
    "end\n";

// Reading and writing back gives the same text, and reading that gives the
// same tree again.
TEST_F(DefinitionTest, ReadWriteReadGivesTheSameText) {
    ReadComponentText(Canonical, &Root);
    std::string written = WriteComponentText(&Root);
    EXPECT_EQ(written, Canonical);
    TDefRoot again(nullptr);
    ReadComponentText(written, &again);
    EXPECT_EQ(WriteComponentText(&again), Canonical);
    EXPECT_EQ(As<TDefItem>(again.FindComponent("File1"))->Container(), again.FindComponent("Install1"));
}

// Values equal to their default, empty strings, lists, references and
// events, and zero floats are left out; ordinals without a default and
// strings stored always are written.
TEST_F(DefinitionTest, WriterLeavesOutDefaults) {
    Root.SetName("R");
    auto* a = new TDefItem(&Root);
    a->SetName("A");
    EXPECT_EQ(WriteComponentText(&Root), "object R: TDefRoot\n  object A: TDefItem\n    Mode = dmNone\n"
                                         "    Hint = ''\n  end\nend\n");
    a->Enabled = false;
    a->Options = {doTwo};
    a->Tag = 4;
    EXPECT_EQ(WriteComponentText(&Root), "object R: TDefRoot\n  object A: TDefItem\n    Tag = 4\n"
                                         "    Mode = dmNone\n    Options = [doTwo]\n    Enabled = False\n"
                                         "    Hint = ''\n  end\nend\n");
}

// Control characters are written as #nnn; long strings are split with '+'
// without cutting a UTF-8 character, and read back whole.
TEST_F(DefinitionTest, WriterEscapesAndSplitsLongStrings) {
    Root.SetName("R");
    Root.Title = "a\tb'\x7F";
    EXPECT_EQ(WriteComponentText(&Root), "object R: TDefRoot\n  Title = 'a'#9'b'''#127\nend\n");
    std::string text;
    for (int i = 0; i < 40; ++i) text += "\xC3\xA9x";  // 120 bytes
    Root.Title = text;
    std::string written = WriteComponentText(&Root);
    EXPECT_EQ(written, "object R: TDefRoot\n  Title = '" + text.substr(0, 63) + "' +\n    '" + text.substr(63) +
                           "'\nend\n");
    TDefRoot again(nullptr);
    ReadComponentText(written, &again);
    EXPECT_EQ(again.Title, text);
}

// Owned components nest under their parent component; those without one,
// or whose parent is outside the root, stand directly under the root.
TEST_F(DefinitionTest, WriterNestsUnderParentComponents) {
    Root.SetName("R");
    TComponent other(nullptr);
    auto* a = new TDefItem(&Root);
    a->SetName("A");
    auto* b = new TDefItem(&Root);
    b->SetName("B");
    auto* c = new TDefItem(&Root);
    c->SetName("C");
    b->SetParentComponent(a);
    c->SetParentComponent(&other);
    std::string w = WriteComponentText(&Root);
    EXPECT_NE(w.find("  object A: TDefItem\n    Mode = dmNone\n    Hint = ''\n    object B: TDefItem\n"),
              std::string::npos);
    EXPECT_NE(w.find("  end\n  object C: TDefItem\n"), std::string::npos);
    a->SetParentComponent(b);
    EXPECT_THROW(WriteComponentText(&Root), Exception);
}

TEST_F(DefinitionTest, WriterRefusesReferencesThatCannotBeRead) {
    Root.SetName("R");
    TDefItem outside(nullptr);
    outside.SetName("Outside");
    auto* a = new TDefItem(&Root);
    a->SetName("A");
    a->SetContainer(&outside);
    EXPECT_THROW(WriteComponentText(&Root), Exception);
}

// ---------------------------------------------------------------- errors

// Every error names the position of the offending token; nothing the read
// created survives it.
class DefinitionErrorTest : public DefinitionTest {
protected:
    std::string ErrorOf(std::string_view Text, std::string_view FileName = "") {
        try {
            ReadComponentText(Text, &Root, FileName);
        } catch (const EDefinitionError& e) {
            EXPECT_EQ(Root.ComponentCount(), 0) << "created components survived";
            EXPECT_TRUE(Root.ComponentState.Empty());
            return e.what();
        }
        return "no error";
    }
    // The error of one property line inside an object A.
    std::string ErrorOfItemLine(std::string_view Line) {
        return ErrorOf("object R: TDefRoot\n  object A: TDefItem\n" + std::string(Line) + "\n  end\nend\n");
    }
};

TEST_F(DefinitionErrorTest, MalformedText) {
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title 'x'\nend"), "2:9: '=' expected but string 'x' found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = 'abc\nend"), "2:11: Unterminated string");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = 'x'\n"),
              "3:1: Property name, 'object' or 'end' expected but end of text found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\nend\nend"),
              "3:1: End of text expected after the final 'end' but identifier 'end' found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = ~\nend"), "2:11: Invalid character '~'");
    EXPECT_EQ(ErrorOf("R: TDefRoot\nend"), "1:1: 'object' expected but identifier 'R' found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = 'x' +\nend"),
              "3:1: String expected after '+' but identifier 'end' found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = #\nend"), "2:11: Character number expected after '#'");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = {414}\nend"), "2:11: Binary data has an odd number of digits");
    EXPECT_EQ(ErrorOfItemLine("    Lines = ('a'"), "4:3: String or ')' expected but identifier 'end' found");
    EXPECT_EQ(ErrorOfItemLine("    Options = [doOne doTwo]"),
              "3:22: ',' or ']' expected but identifier 'doTwo' found");
}

// Columns count characters, not UTF-8 bytes.
TEST_F(DefinitionErrorTest, ColumnsCountCharacters) {
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Title = '\xC3\xA9\xE2\x82\xAC' 5\nend"),
              "2:16: Property name, 'object' or 'end' expected but number 5 found");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\r\n\r\n  Title = ~\r\nend"), "3:11: Invalid character '~'");
}

TEST_F(DefinitionErrorTest, FileNameLeadsTheMessage) {
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  Nope = 1\nend", "forms\\setup.def"),
              "forms\\setup.def(2:3): Property Nope does not exist in TDefRoot");
}

TEST_F(DefinitionErrorTest, UnknownNames) {
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  object A: TNoSuch\n  end\nend"), "2:13: Class TNoSuch not found");
    EXPECT_EQ(ErrorOf("object R: TDefItem\nend"),
              "1:11: Class TDefItem does not match the root component's class TDefRoot");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  object A: TDefInfo\n  end\nend"),
              "2:13: Class TDefInfo cannot be created");
    EXPECT_EQ(ErrorOfItemLine("    Colour = 1"), "3:5: Property Colour does not exist in TDefItem");
    EXPECT_EQ(ErrorOfItemLine("    Information.Nme = 'x'"), "3:17: Property Nme does not exist in TDefInfo");
    EXPECT_EQ(ErrorOfItemLine("    Caption.Length = 1"), "3:13: Property Caption has no property Length");
    EXPECT_EQ(ErrorOfItemLine("    Mode = dmSlow"), "3:12: 'dmSlow' is not a value of TDefMode");
    EXPECT_EQ(ErrorOfItemLine("    Options = [doOne, doFour]"), "3:23: Set element 'doFour' is not a value of TDefOption");
    EXPECT_EQ(ErrorOfItemLine("    OnCleanup = NoSuch"), "3:17: Unknown event handler 'NoSuch'");
    EXPECT_EQ(ErrorOfItemLine("    OnCleanup = Count"),
              "3:17: Event handler 'Count' does not fit the parameters of OnCleanup");
}

TEST_F(DefinitionErrorTest, ValuesOfTheWrongKind) {
    EXPECT_EQ(ErrorOfItemLine("    Order = 'five'"), "3:13: Integer expected for property Order but string 'five' found");
    EXPECT_EQ(ErrorOfItemLine("    Enabled = 1"), "3:15: True or False expected for property Enabled but number 1 found");
    EXPECT_EQ(ErrorOfItemLine("    Caption = 5"), "3:15: String expected for property Caption but number 5 found");
    EXPECT_EQ(ErrorOfItemLine("    Mode = 1"), "3:12: Enumeration value expected for property Mode but number 1 found");
    EXPECT_EQ(ErrorOfItemLine("    Options = doOne"), "3:15: Set expected for property Options but identifier 'doOne' found");
    EXPECT_EQ(ErrorOfItemLine("    Ratio = 'x'"), "3:13: Number expected for property Ratio but string 'x' found");
    EXPECT_EQ(ErrorOfItemLine("    Container = 'A'"),
              "3:17: Component name expected for property Container but string 'A' found");
    EXPECT_EQ(ErrorOfItemLine("    Lines = 'a'"),
              "3:13: '(' with a list of strings expected for property Lines but string 'a' found");
    EXPECT_EQ(ErrorOfItemLine("    Information = 1"),
              "3:19: Property Information is an object; set its properties as Information.Name");
    EXPECT_EQ(ErrorOfItemLine("    Order = 2147483648"), "3:13: Integer 2147483648 is out of range for property Order");
}

TEST_F(DefinitionErrorTest, ReferencesAndNames) {
    EXPECT_EQ(ErrorOfItemLine("    Container = Nobody"), "3:17: Component Nobody not found");
    EXPECT_EQ(ErrorOfItemLine("    Container = R"), "3:17: Component R is a TDefRoot, property Container needs a TDefItem");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  object A: TDefItem\n  end\n  object a: TDefItem\n  end\nend"),
              "4:10: A component named a already exists");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  object R: TDefItem\n  end\nend"),
              "2:10: A component named R already exists");
}

// A class's own failure is reported at the value (or, from Loaded, at the
// object) with the class's message.
TEST_F(DefinitionErrorTest, FailuresOfTheClassesGetAPosition) {
    EXPECT_EQ(ErrorOfItemLine("    Order = -1"), "3:13: Order must not be negative");
    EXPECT_EQ(ErrorOf("object R: TDefRoot\n  object A: TDefItem\n  end\n  object B: TDefItem\n"
                      "    Caption = 'fail on load'\n  end\nend"),
              "4:3: Cannot finish loading");
}

// Every truncation of a valid definition is an error, never a crash or a
// partial tree.
TEST_F(DefinitionErrorTest, TruncatedTextIsAnError) {
    std::string text = Canonical;
    for (size_t n = 0; n + 1 < text.size(); ++n) {
        TDefRoot root(nullptr);
        EXPECT_THROW(ReadComponentText(std::string_view(text).substr(0, n), &root), EDefinitionError) << n;
        EXPECT_EQ(root.ComponentCount(), 0);
    }
}

// Rule: integer literals are read without overflow. A $hexadecimal literal
// holds at most 32 bits ($FFFFFFFF, leading zeros aside); an integer
// property takes -2147483648 to 2147483647 or those bits; anything else is
// refused at the number with the file name.
TEST_F(DefinitionErrorTest, IntegersBeyondTheirRangeAreRefused) {
    auto tagError = [this](const std::string& Value) {
        return ErrorOf("object R: TDefRoot\n  Tag = " + Value + "\nend\n", "big.vdf");
    };
    EXPECT_EQ(tagError("-$8000000000000000"), "big.vdf(2:9): Number -$8000000000000000 is out of range");
    EXPECT_EQ(tagError("$FFFFFFFFFFFFFFFF"), "big.vdf(2:9): Number $FFFFFFFFFFFFFFFF is out of range");
    EXPECT_EQ(tagError("$100000000"), "big.vdf(2:9): Number $100000000 is out of range");
    EXPECT_EQ(tagError("-$100000000"), "big.vdf(2:9): Number -$100000000 is out of range");
    EXPECT_EQ(tagError("-$80000001"), "big.vdf(2:9): Integer -$80000001 is out of range for property Tag");
    EXPECT_EQ(tagError("-$FFFFFFFF"), "big.vdf(2:9): Integer -$FFFFFFFF is out of range for property Tag");
    EXPECT_EQ(tagError("-2147483649"), "big.vdf(2:9): Integer -2147483649 is out of range for property Tag");
    EXPECT_EQ(tagError("-9223372036854775809"),
              "big.vdf(2:9): Integer -9223372036854775809 is out of range for property Tag");
    EXPECT_EQ(tagError("99999999999999999999"),
              "big.vdf(2:9): Integer 99999999999999999999 is out of range for property Tag");
}

TEST_F(DefinitionTest, IntegersAtTheEdgesOfTheirRange) {
    auto tagOf = [](const std::string& Value) {
        TDefRoot root(nullptr);
        ReadComponentText("object R: TDefRoot\n  Tag = " + Value + "\nend\n", &root);
        return root.Tag;
    };
    EXPECT_EQ(tagOf("-$80000000"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(tagOf("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(tagOf("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(tagOf("$7FFFFFFF"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(tagOf("$80000000"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(tagOf("$00000000FFFFFFFF"), -1);
    EXPECT_EQ(tagOf("-$1"), -1);
}

// Rule: the writer gives a large float without fraction or exponent when
// that is shortest ("12345678901234567168"); such a literal is beyond 64
// bits and must still read back as the same float.
TEST_F(DefinitionTest, LargeWholeFloatsReadBack) {
    Root.SetName("R");
    auto* a = new TDefItem(&Root);
    a->SetName("A");
    a->Ratio = 1.2345678901234567e19;
    std::string written = WriteComponentText(&Root);
    ASSERT_NE(written.find("Ratio = 12345678901234567168\n"), std::string::npos) << written;
    TDefRoot again(nullptr);
    ReadComponentText(written, &again);
    EXPECT_EQ(As<TDefItem>(again.FindComponent("A"))->Ratio, 1.2345678901234567e19);
    EXPECT_EQ(WriteComponentText(&again), written);
    TDefRoot third(nullptr);
    ReadComponentText("object R: TDefRoot\n  object A: TDefItem\n    Ratio = -1" + std::string(30, '0') +
                          "\n  end\nend",
                      &third);
    EXPECT_EQ(As<TDefItem>(third.FindComponent("A"))->Ratio, -1e30);
}

// Objects nested Levels deep (the outer one included), unnamed below the
// root, written without indentation.
std::string NestedObjects(int Levels) {
    std::string text = "object R: TDefRoot\n";
    for (int i = 1; i < Levels; ++i) text += "object TDefItem\n";
    for (int i = 0; i < Levels; ++i) text += "end\n";
    return text;
}

// Rule: objects nest at most MaxDefinitionDepth levels; a deeper one is
// refused at its 'object' keyword instead of exhausting the stack, and the
// deepest allowed nesting reads and writes back.
TEST_F(DefinitionErrorTest, NestingIsBounded) {
    EXPECT_EQ(ErrorOf(NestedObjects(MaxDefinitionDepth + 1), "deep.vdf"),
              Fmt("deep.vdf(%d:1): Objects nest deeper than %d levels", MaxDefinitionDepth + 1, MaxDefinitionDepth));
    EXPECT_EQ(ErrorOf(NestedObjects(20000)),
              Fmt("%d:1: Objects nest deeper than %d levels", MaxDefinitionDepth + 1, MaxDefinitionDepth));

    ReadComponentText(NestedObjects(MaxDefinitionDepth), &Root);
    ASSERT_EQ(Root.ComponentCount(), MaxDefinitionDepth - 1);
    EXPECT_EQ(Root.Components(MaxDefinitionDepth - 2)->GetParentComponent(), Root.Components(MaxDefinitionDepth - 3));
    TDefRoot again(nullptr);
    ReadComponentText(WriteComponentText(&Root), &again);
    EXPECT_EQ(again.ComponentCount(), MaxDefinitionDepth - 1);

    // One level more is not written either: it could not be read back.
    auto* deeper = new TDefItem(&Root);
    deeper->SetName("Deeper");
    deeper->SetParentComponent(Root.Components(MaxDefinitionDepth - 2));
    EXPECT_THROW(WriteComponentText(&Root), Exception);
}

// A failed read destroys what it created (last first), keeps what the root
// owned before, and leaves no reference from the root to a destroyed one.
TEST_F(DefinitionErrorTest, FailureDestroysOnlyWhatTheReadCreated) {
    auto* before = new TDefItem(&Root);
    before->SetName("Before");
    Log.clear();
    try {
        ReadComponentText("object R: TDefRoot\n  MainItem = A\n  object A: TDefItem\n  end\n"
                          "  object B: TDefItem\n    Container = Missing\n  end\nend",
                          &Root);
        FAIL() << "no error";
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.Line, 6);
        EXPECT_EQ(e.Column, 17);
        EXPECT_EQ(e.Text, "Component Missing not found");
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"A.Parent=R loading reading", "B.Parent=R loading reading", "~B", "~A"}));
    ASSERT_EQ(Root.ComponentCount(), 1);
    EXPECT_EQ(Root.Components(0), before);
    EXPECT_EQ(Root.MainItem, nullptr);
    EXPECT_TRUE(Root.ComponentState.Empty());
}

}  // namespace

namespace {

// A read that collects its errors: each at its place, in the order found,
// the read going on after each, and still failing as a whole.
TEST_F(DefinitionErrorTest, ACollectingReadReportsEveryErrorAndStillFails) {
    auto* before = new TDefItem(&Root);
    before->SetName("Before");
    const std::string text =
        "object R: TDefRoot\n"
        "  Titel = 'x'\n"                         // 2: a misspelt property
        "  MainItem = B\n"
        "  object A: TDefItm\n"                   // 4: a misspelt class, stepped over with its inside
        "    Caption = 'a'\n"
        "    object Inner: TDefItem\n"
        "      Order = 'not read'\n"
        "    end\n"
        "  end\n"
        "  object B: TDefItem\n"
        "    Mode = dmSaf\n"                      // 11: a misspelt value
        "    Order = -1\n"                        // 12: the setter refuses
        "    Options = [doOne, doTwo, doThre]\n"  // 13
        "    Caption = 'b' + 'c'\n"
        "    Container = Bfore\n"                 // 15: a reference
        "    Information.Versoin = 2\n"           // 16
        "    Lines = 'x'\n"                       // 17: the wrong kind
        "  end\n"
        "  object B: TDefItem\n"                  // 19: a taken name
        "  end\n"
        "end\n";
    TDefinitionErrors errors;
    try {
        ReadComponentText(text, &Root, "d.vdf", TDefinitionIncludeResolver(), nullptr, &errors);
        FAIL() << "no error";
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(std::string(e.what()), "d.vdf(2:3): Property Titel does not exist in TDefRoot; did you mean Title?");
    }
    std::vector<std::string> texts;
    for (const EDefinitionError& e : errors) texts.push_back(e.what());
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "d.vdf(2:3): Property Titel does not exist in TDefRoot; did you mean Title?",
                         "d.vdf(4:13): Class TDefItm not found; did you mean TDefItem?",
                         "d.vdf(11:12): 'dmSaf' is not a value of TDefMode; did you mean dmSafe?",
                         "d.vdf(12:13): Order must not be negative",
                         "d.vdf(13:30): Set element 'doThre' is not a value of TDefOption; did you mean doThree?",
                         "d.vdf(16:17): Property Versoin does not exist in TDefInfo; did you mean Version?",
                         "d.vdf(17:13): '(' with a list of strings expected for property Lines but string 'x' found",
                         "d.vdf(19:10): A component named B already exists",
                         "d.vdf(15:17): Component Bfore not found; did you mean Before?",
                     }));
    // Nothing of the read remains.
    ASSERT_EQ(Root.ComponentCount(), 1);
    EXPECT_EQ(Root.Components(0), before);
    EXPECT_EQ(Root.MainItem, nullptr);
    EXPECT_TRUE(Root.ComponentState.Empty());
}

// Malformed text ends a collecting read where it stands: what came before
// is kept in the list, the fault of form is the last entry.
TEST_F(DefinitionErrorTest, ACollectingReadStopsAtMalformedText) {
    TDefinitionErrors errors;
    EXPECT_THROW(ReadComponentText("object R: TDefRoot\n  Titel = 1\n  Title 'x'\n  Nope = 2\nend\n", &Root, "",
                                   TDefinitionIncludeResolver(), nullptr, &errors),
                 EDefinitionError);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(std::string(errors[0].what()), "2:3: Property Titel does not exist in TDefRoot; did you mean Title?");
    EXPECT_EQ(std::string(errors[1].what()), "3:9: '=' expected but string 'x' found");
    // A skipped value that is itself malformed is the fault of form.
    errors.clear();
    EXPECT_THROW(ReadComponentText("object R: TDefRoot\n  Nope = [a, b\nend\n", &Root, "",
                                   TDefinitionIncludeResolver(), nullptr, &errors),
                 EDefinitionError);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(std::string(errors[1].what()), "2:10: Unterminated set");
    // A sound text reads as without the list, and leaves it empty.
    errors.clear();
    ReadComponentText(Canonical, &Root, "", TDefinitionIncludeResolver(), nullptr, &errors);
    EXPECT_TRUE(errors.empty());
}

}  // namespace

namespace {

// "//" starts a comment to the end of its line, between any two tokens;
// inside a string it is text.
TEST_F(DefinitionTest, CommentsRunToTheEndOfTheLine) {
    ReadComponentText("// the root\r\nobject R: TDefRoot // its name\n  Title = 'http://x' + // two pieces\n"
                      "    'y'\n  // object Gone: TDefItem\n  object A: TDefItem\n    Order = 3//three\r"
                      "  end\nend // last",
                      &Root);
    EXPECT_EQ(Root.Title, "http://xy");
    ASSERT_EQ(Root.ComponentCount(), 1);
    EXPECT_EQ(Item("A")->Order(), 3);
    TDefRoot other(nullptr);
    try {
        ReadComponentText("object R: TDefRoot\n  // a comment\n  Nope = 1\nend", &other);
        FAIL() << "no error";
    } catch (const EDefinitionError& e) {
        EXPECT_EQ(e.Line, 3);
    }
}

}  // namespace
