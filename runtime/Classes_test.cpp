// Tests of components, string lists and published-property reflection.
#include "Classes.h"

#include <gtest/gtest.h>

#include "TypInfo.h"

using namespace vtrl;

namespace {

VTRL_ENUM(TClsColour, ccRed, ccGreen, ccBlue)

std::vector<std::string> Destroyed;

class TClsNode : public TComponent {
    VTRL_CLASS(TClsNode)
public:
    using TComponent::TComponent;
    ~TClsNode() override { Destroyed.push_back(Name()); }
    int32_t Size() const { return FSize; }
    void SetSize(int32_t v) {
        if (v > 100) throw Exception("Size too large");
        FSize = v;
    }
    bool Visible = true;
    TClsColour Colour = ccGreen;
    TSet<TClsColour> Colours{ccRed};

private:
    int32_t FSize = 10;
};

// Publishes Size again with another default, and a property of its own.
class TClsBigNode : public TClsNode {
    VTRL_CLASS(TClsBigNode)
public:
    using TClsNode::TClsNode;
    std::string Label;
};

// Holds a reference to another component and drops it when that one goes.
class TClsWatcher : public TComponent {
    VTRL_CLASS(TClsWatcher)
public:
    using TComponent::TComponent;
    void Watch(TComponent* c) {
        Target = c;
        FreeNotification(c);
    }
    TComponent* Target = nullptr;
    int Notices = 0;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Target) {
            Target = nullptr;
            ++Notices;
        }
    }
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TClsNode, TComponent, [](TClassBuilder<TClsNode>& b) {
    b.Integer("Size", &TClsNode::Size, &TClsNode::SetSize, 10);
    b.Boolean("Visible", &TClsNode::Visible, &TClsNode::Visible, true);
    b.template Enum<TClsColour>("Colour", &TClsNode::Colour, &TClsNode::Colour, ccGreen);
    b.template Set<TClsColour>("Colours", &TClsNode::Colours, &TClsNode::Colours, TSet<TClsColour>{ccRed});
})

VTRL_IMPLEMENT_CLASS(TClsBigNode, TClsNode, [](TClassBuilder<TClsBigNode>& b) {
    b.String("Label", &TClsBigNode::Label, &TClsBigNode::Label);
    b.Integer("Size", &TClsBigNode::Size, &TClsBigNode::SetSize, 50);
})

VTRL_IMPLEMENT_CLASS(TClsWatcher, TComponent, [](TClassBuilder<TClsWatcher>&) {})

namespace {

TComponent* Node(TComponent* Owner, const std::string& Name) {
    auto* n = new TClsNode(Owner);
    n->SetName(Name);
    return n;
}

// ------------------------------------------------------------ ownership

// An owner destroys the components it owns with itself, the last first; a
// component destroyed earlier leaves its owner's list.
TEST(Ownership, OwnerDestroysOwnedComponentsLastFirst) {
    Destroyed.clear();
    {
        TClsNode root(nullptr);
        root.SetName("Root");
        TComponent* a = Node(&root, "A");
        Node(a, "A1");
        Node(&root, "B");
        TComponent* c = Node(&root, "C");
        delete c;
        EXPECT_EQ(root.ComponentCount(), 2);
        EXPECT_EQ(root.FindComponent("c"), nullptr);
    }
    EXPECT_EQ(Destroyed, (std::vector<std::string>{"C", "Root", "B", "A", "A1"}));
}

// Names are unique among an owner's components, without regard to case.
TEST(Ownership, NamesAreUniqueAmongTheOwnersComponents) {
    TComponent root(nullptr);
    TComponent* a = Node(&root, "Install1");
    EXPECT_EQ(root.FindComponent("INSTALL1"), a);
    try {
        Node(&root, "install1");
        FAIL() << "duplicate accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "A component named install1 already exists");
    }
    a->SetName("INSTALL1");  // the same component may change the case of its name
    EXPECT_EQ(a->Name(), "INSTALL1");
    EXPECT_EQ(root.ComponentCount(), 2);  // the node that failed to take the name is still owned
}

// The owner finds a component by the name it has now: a rename, a case
// change, a refused duplicate and a destroyed component each leave the
// lookup right, and only ASCII letters fold.
TEST(Ownership, LookupFollowsRenamesAndDestruction) {
    TComponent root(nullptr);
    TComponent* a = Node(&root, "Alpha");
    TComponent* b = Node(&root, "Beta");
    TComponent* c = Node(&root, "Gamma");
    a->SetName("Delta");
    EXPECT_EQ(root.FindComponent("alpha"), nullptr);
    EXPECT_EQ(root.FindComponent("DELTA"), a);
    Node(&root, "Alpha");  // the old name is free again
    a->SetName("dELTA");
    EXPECT_EQ(root.FindComponent("Delta"), a);
    EXPECT_THROW(b->SetName("GAMMA"), Exception);
    EXPECT_EQ(b->Name(), "Beta");
    EXPECT_EQ(root.FindComponent("beta"), b);
    EXPECT_EQ(root.FindComponent("gamma"), c);
    delete b;  // not the last one: the others keep their order and names
    EXPECT_EQ(root.FindComponent("Beta"), nullptr);
    EXPECT_EQ(root.Components(0), a);
    EXPECT_EQ(root.Components(1), c);
    EXPECT_EQ(Node(&root, "Beta")->Name(), "Beta");
    b = root.FindComponent("beta");
    b->SetName("");  // an unnamed component is found by no name
    EXPECT_EQ(root.FindComponent("Beta"), nullptr);
    EXPECT_EQ(root.FindComponent(""), nullptr);
    Node(&root, "\xC3\x89t\xC3\xA9");  // "Été"
    EXPECT_EQ(root.FindComponent("\xC3\xA9T\xC3\xA9"), nullptr);  // "éTé": É and é are not ASCII
    EXPECT_NE(root.FindComponent("\xC3\x89T\xC3\xA9"), nullptr);
}

// A component named in a nested owner is not found through the outer one.
TEST(Ownership, LookupIsPerOwner) {
    TComponent root(nullptr);
    TComponent* a = Node(&root, "A");
    TComponent* inner = Node(a, "Inner");
    EXPECT_EQ(root.FindComponent("Inner"), nullptr);
    EXPECT_EQ(a->FindComponent("inner"), inner);
    Node(&root, "Inner");  // another owner: the name is free here
    EXPECT_NE(root.FindComponent("Inner"), inner);
}

// A component that asked for a free notification hears once about the
// other's destruction; after removing the request, or once it is itself
// gone, it hears nothing.
TEST(Ownership, FreeNotifications) {
    TClsWatcher w(nullptr);
    auto* t = new TComponent(nullptr);
    w.Watch(t);
    w.FreeNotification(t);  // asking twice still gives one notice
    delete t;
    EXPECT_EQ(w.Target, nullptr);
    EXPECT_EQ(w.Notices, 1);

    auto* u = new TComponent(nullptr);
    w.Watch(u);
    w.RemoveFreeNotification(u);
    delete u;
    EXPECT_EQ(w.Notices, 1);

    TComponent v(nullptr);
    {
        TClsWatcher gone(nullptr);
        gone.Watch(&v);
    }
    // v's destruction at the end must not reach the destroyed watcher.
}

TEST(Ownership, DesigningPassesToOwnedComponents) {
    TComponent root(nullptr);
    root.ComponentState.Include(csDesigning);
    TComponent* a = Node(&root, "A");
    EXPECT_TRUE(a->Designing());
}

// ------------------------------------------------------------ reflection

// Inherited properties come first; a property published again replaces the
// inherited one in its place, with its own default.
TEST(Reflection, InheritedPropertiesFirstRedeclaredReplaced) {
    std::vector<std::string> names;
    std::vector<const TPropInfo*> props = TClsBigNode::StaticClass().AllProps();
    for (const TPropInfo* p : props) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Tag", "Size", "Visible", "Colour", "Colours", "Label"}));
    EXPECT_EQ(props[1]->DefaultOrd, 50);
    EXPECT_EQ(TClsNode::StaticClass().FindProp("size")->DefaultOrd, 10);
    EXPECT_EQ(TClsBigNode::StaticClass().FindProp("tag")->DefaultOrd, 0);
}

// Defaults are stored as ordinals: booleans as 0/1, enumerations as their
// index, sets as their bit mask.
TEST(Reflection, DefaultsAsOrdinals) {
    const TClassInfo& c = TClsNode::StaticClass();
    EXPECT_EQ(c.FindProp("Visible")->DefaultOrd, 1);
    EXPECT_EQ(c.FindProp("Colour")->DefaultOrd, 1);
    EXPECT_EQ(c.FindProp("Colours")->DefaultOrd, 1);
    EXPECT_EQ(c.FindProp("Colour")->Kind, tkEnumeration);
    EXPECT_EQ(c.FindProp("Colours")->Enum, &EnumInfoOf(ccRed));
    EXPECT_EQ(c.FindProp("Missing"), nullptr);
}

// Accessors go through the class's real getters and setters.
TEST(Reflection, AccessorsUseTheClassSetters) {
    TClsNode n(nullptr);
    const TClassInfo& c = n.ClassType();
    c.FindProp("Size")->SetOrd(n, 42);
    EXPECT_EQ(n.Size(), 42);
    EXPECT_THROW(c.FindProp("Size")->SetOrd(n, 101), Exception);
    EXPECT_EQ(n.Size(), 42);
    c.FindProp("Colours")->SetOrd(n, 0b110);
    EXPECT_EQ(n.Colours, (TSet<TClsColour>{ccGreen, ccBlue}));
    EXPECT_EQ(c.FindProp("Visible")->GetOrd(n), 1);
}

TEST(Reflection, ClassRegistry) {
    EXPECT_EQ(FindClass("tclsbignode"), &TClsBigNode::StaticClass());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_TRUE(TClsBigNode::StaticClass().InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TClsNode::StaticClass().InheritsFrom(TClsBigNode::StaticClass()));
    TComponent owner(nullptr);
    TComponent* made = FindClass("TClsBigNode")->Create(&owner);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), "TClsBigNode");
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(TStringList::StaticClass().Create(nullptr), nullptr);  // not a component
}

// Enumeration value names are the identifiers themselves, found without
// regard to case.
TEST(Reflection, EnumerationNamesComeFromIdentifiers) {
    const TEnumInfo& e = EnumInfoOf(ccRed);
    EXPECT_EQ(e.TypeName, "TClsColour");
    EXPECT_EQ(e.Names, (std::vector<std::string>{"ccRed", "ccGreen", "ccBlue"}));
    EXPECT_EQ(e.IndexOf("CCBLUE"), ccBlue);
    EXPECT_EQ(e.IndexOf("ccPurple"), -1);
}

// -------------------------------------------------------------- strings

// Text joins lines with CR LF after each; SetText splits at CR LF, LF or
// CR, and a final line break adds no empty line.
TEST(StringList, TextSplitsAndJoinsLines) {
    TStringList l;
    l.SetText("a\r\nb\nc\r\rd\r\n");
    EXPECT_EQ(l, (TStringList{"a", "b", "c", "", "d"}));
    EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\n\r\nd\r\n");
    EXPECT_EQ(l.IndexOf("D"), 4);
}

}  // namespace
