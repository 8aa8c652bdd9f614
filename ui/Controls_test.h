// What the control tests share: a clean application state per test, a
// form to put controls on, a recorder of the actions reported as a
// person's, and the bytes of the small test picture.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "Unattended.h"

namespace vtrl::testing {

// Every test starts from a normal run without responders, with a loop that
// may run again and no user-action observer.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application.Initialize();
        Reset();
    }
    void TearDown() override {
        Reset();
        delete Form;
    }
    static void Reset() {
        SetSilent(false);
        SetModalResponder(nullptr);
        SetUserActionObserver(nullptr);
        Application.OnException.Clear();
        Application.ClearTerminated();
        Application.SetMainForm(nullptr);
        (void)Application.TakePendingException();
    }
    // A form of client size 400 x 300 (no window yet), deleted after the test.
    TForm* NewForm() {
        Form = new TForm(&Application);
        Form->SetName("TestForm");
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
        return Form;
    }
    // Creates C owned by the form and placed in Parent (the form when null).
    template <class C>
    C* Add(const char* Name, TWinControl* Parent = nullptr) {
        auto* c = new C(Form);
        c->SetName(Name);
        c->SetParentComponent(Parent ? Parent : Form);
        return c;
    }
    // Records what controls report as a person's actions, as
    // "Name action value".
    void RecordActions() {
        SetUserActionObserver([this](TControl& c, const std::string& a, const std::string& v) {
            Actions.push_back(c.Name() + " " + a + (v.empty() ? "" : " " + v));
        });
    }
    TForm* Form = nullptr;
    std::vector<std::string> Actions;
};

// The 4 x 2 test picture (24 bits, as in Controls_test.bmp): top row white,
// black, olive, navy; bottom row olive, red, lime, blue.
inline std::string TestBitmapBytes() {
    static const unsigned char bytes[] = {
        0x42, 0x4d, 0x4e, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0x18, 0,
        0, 0, 0, 0, 0x18, 0, 0, 0, 0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // bottom row, blue green red per pixel
        0x00, 0x80, 0x80, 0x00, 0x00, 0xff, 0x00, 0xff, 0x00, 0xff, 0x00, 0x00,
        // top row
        0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x80, 0x80, 0x80, 0x00, 0x00};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

inline constexpr TColor kOlive = 0x008080;
inline constexpr TColor kRed = 0x0000FF;
inline constexpr TColor kLime = 0x00FF00;

// Bytes as the hexadecimal digits of a definition's { } data.
inline std::string HexDigits(const std::string& Bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : Bytes) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

}  // namespace vtrl::testing
