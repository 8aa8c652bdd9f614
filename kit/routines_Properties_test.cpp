// Tests of the property reference: each kind of property written as a
// definition writes it, sub-objects expanded, events left out, and the
// maker's instance (not the class's declared default) as the source.
#include "routines_Properties.h"

#include <gtest/gtest.h>

using namespace vtrl;

namespace {

VTRL_ENUM(TPropsShape, psRound, psSquare, psStar)

class TPropsPen : public TPersistent {
    VTRL_CLASS(TPropsPen)
public:
    int Width = 3;
    std::string Style = "solid";
};

class TPropsBase : public TComponent {
    VTRL_CLASS(TPropsBase)
public:
    using TComponent::TComponent;
    bool Visible = true;
};

class TPropsProbe : public TPropsBase {
    VTRL_CLASS(TPropsProbe)
public:
    using TPropsBase::TPropsBase;
    TPropsShape Shape = psSquare;
    TSet<TPropsShape> Shapes{psRound, psStar};
    std::string Caption = "It's | here";
    std::string Picture = std::string("BM\0\1", 4);
    std::string Long = std::string(61, 'x');
    double Ratio = 0.25;
    TComponent* Buddy = nullptr;
    TStringList Lines;
    TPropsPen Pen;
    TPropsPen* GetPen() { return &Pen; }
    TNotifyEvent OnClick;
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TPropsPen, TPersistent, [](TClassBuilder<TPropsPen>& b) {
    b.Integer("Width", &TPropsPen::Width, &TPropsPen::Width);
    b.String("Style", &TPropsPen::Style, &TPropsPen::Style);
})

VTRL_IMPLEMENT_CLASS(TPropsBase, TComponent, [](TClassBuilder<TPropsBase>& b) {
    b.Boolean("Visible", &TPropsBase::Visible, &TPropsBase::Visible, true);
})

VTRL_IMPLEMENT_CLASS(TPropsProbe, TPropsBase, [](TClassBuilder<TPropsProbe>& b) {
    b.template Enum<TPropsShape>("Shape", &TPropsProbe::Shape, &TPropsProbe::Shape);
    b.template Set<TPropsShape>("Shapes", &TPropsProbe::Shapes, &TPropsProbe::Shapes);
    b.String("Caption", &TPropsProbe::Caption, &TPropsProbe::Caption);
    b.String("Picture", &TPropsProbe::Picture, &TPropsProbe::Picture);
    b.String("Long", &TPropsProbe::Long, &TPropsProbe::Long);
    b.Float("Ratio", &TPropsProbe::Ratio, &TPropsProbe::Ratio);
    b.template Reference<TComponent>("Buddy", &TPropsProbe::Buddy, &TPropsProbe::Buddy);
    b.Strings("Lines", &TPropsProbe::Lines, &TPropsProbe::Lines);
    b.Object("Pen", &TPropsProbe::GetPen);
    b.Event("OnClick", &TPropsProbe::OnClick);
})

namespace {

std::shared_ptr<TComponent> Plain(const TClassInfo& Class) {
    return std::shared_ptr<TComponent>(Class.Create(nullptr));
}

TEST(PropertyReference, EveryKindIsWrittenAsTheDefinitionWritesIt) {
    const std::string text = DescribePropertyDefaults({"TPropsProbe"}, Plain);
    EXPECT_EQ(text,
              "#### TPropsProbe\n\n"
              "Derived from TPropsBase.\n\n"
              "| Property | Kind | Default |\n|---|---|---|\n"
              "| `Tag` | integer | `0` |\n"
              "| `Visible` | boolean | `True` |\n"
              "| `Shape` | TPropsShape | `psSquare` |\n"
              "| `Shapes` | set of TPropsShape | `[psRound, psStar]` |\n"
              "| `Caption` | text | `'It''s \\| here'` |\n"
              "| `Picture` | text | `(4 bytes)` |\n"
              "| `Long` | text | `(61 bytes)` |\n"
              "| `Ratio` | number | `0.25` |\n"
              "| `Buddy` | TComponent | `nil` |\n"
              "| `Lines` | lines | `()` |\n"
              "| `Pen.Width` | integer | `3` |\n"
              "| `Pen.Style` | text | `'solid'` |\n\n");
}

// The values come from the instance the maker hands over, as a definition
// read leaves it, not from the declared defaults.
TEST(PropertyReference, ValuesComeFromTheMadeInstance) {
    TPropsBase buddy(nullptr);
    buddy.SetName("Partner");
    auto make = [&](const TClassInfo& Class) {
        auto probe = std::shared_ptr<TComponent>(Class.Create(nullptr));
        if (auto* p = dynamic_cast<TPropsProbe*>(probe.get())) {
            p->Visible = false;
            p->Buddy = &buddy;
            p->Lines.Add("one");
            p->Lines.Add("two");
        }
        return probe;
    };
    const std::string text = DescribePropertyDefaults({"TPropsBase", "TPropsProbe"}, make);
    EXPECT_NE(text.find("#### TPropsBase\n\nDerived from TComponent.\n\n"), std::string::npos) << text;
    EXPECT_LT(text.find("#### TPropsBase"), text.find("#### TPropsProbe"));
    EXPECT_NE(text.find("| `Visible` | boolean | `False` |"), std::string::npos) << text;
    EXPECT_NE(text.find("| `Buddy` | TComponent | `Partner` |"), std::string::npos) << text;
    EXPECT_NE(text.find("| `Lines` | lines | `(2 lines)` |"), std::string::npos) << text;
}

TEST(PropertyReference, AClassADefinitionCannotMakeIsRefused) {
    EXPECT_THROW(DescribePropertyDefaults({"TNoSuchClass"}, Plain), Exception);
    EXPECT_THROW(DescribePropertyDefaults({"TPropsPen"}, Plain), Exception);
}

}  // namespace
