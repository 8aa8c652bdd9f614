// The window shown while the kit's package goes into Delphi 3.0: the
// search clip, one line of text, and a timer that closes it about ten
// seconds after it appears. Its first activation does the registration.
#pragma once

#include <string>

#include "Forms.h"

namespace vtrl {

class TAnimate;
class TLabel;
class TTimer;

class TFormCompile : public TForm {
    VTRL_CLASS(TFormCompile)
public:
    explicit TFormCompile(TComponent* AOwner);

    // The installation's folder, where the package source lies; set before
    // the form is shown.
    std::string Dest;
    TAnimate* Animate1 = nullptr;
    TLabel* Label1 = nullptr;
    TTimer* Timer1 = nullptr;

protected:
    // Starts the clip and the timer.
    void DoShow() override;
    // The first activation of a showing registers the package (see
    // InstallPackage); later ones do not start the compiler again.
    void DoActivate() override;
    void DoClose() override;

private:
    void Timer1Timer();
    bool FRegistered = false;
};

}  // namespace vtrl
