// The question for the component kit's directory, asked when the registry
// does not say where the kit is (the distribution builder needs its
// loading program).
#pragma once

#include <string>

#include "Forms.h"

namespace vtrl {

class TEdit;
class TButton;

// The form: two lines of explanation, the edit Edit1 for the directory,
// SpeedButton1 ("...") to browse for it, and Close (the default button,
// modal result mrOk). A response file answers it by its name:
//   [SelectVtrlDir]
//   Edit1.Text = C:\Program Files\Vantrel
//   click CloseBtn
class TSelectVtrlDir : public TForm {
    VTRL_CLASS(TSelectVtrlDir)
public:
    explicit TSelectVtrlDir(TComponent* AOwner);
    TEdit* Edit1 = nullptr;
    TButton* SpeedButton1 = nullptr;
    TButton* CloseBtn = nullptr;

private:
    // The folder browser, starting at the current directory and allowing a
    // new folder; the chosen directory goes into Edit1.
    void SpeedButton1Click();
};

// Shows TSelectVtrlDir modally and returns what Edit1 holds when it
// closes, exactly as typed (also empty), however it was closed. A silent
// run without an answer for the form returns "" (the default answer
// presses Close on an empty edit). Raises what the form's showing raises.
std::string AskVantrelDirectory();

}  // namespace vtrl
