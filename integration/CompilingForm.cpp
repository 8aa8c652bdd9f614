#include "CompilingForm.h"

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "routines_DevEnvironment.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TFormCompile, TForm, [](auto&) {})

TFormCompile::TFormCompile(TComponent* AOwner) : TForm(AOwner) {
    PublishMethod("Timer1Timer", std::function<void(TComponent*)>([this](TComponent*) { Timer1Timer(); }));
    ReadFormResource("COMPILINGFORM");
    Animate1 = RequiredControl<TAnimate>(*this, "Animate1", "COMPILINGFORM");
    Label1 = RequiredControl<TLabel>(*this, "Label1", "COMPILINGFORM");
    Timer1 = RequiredControl<TTimer>(*this, "Timer1", "COMPILINGFORM");
    ClosesItself = true;
}

void TFormCompile::DoShow() {
    TForm::DoShow();
    FRegistered = false;
    Animate1->SetActive(true);
    Timer1->SetEnabled(true);
}

void TFormCompile::DoActivate() {
    TForm::DoActivate();
    if (FRegistered) return;
    FRegistered = true;
    // The window is drawn before the work holds the message loop.
    if (!IsSilent()) {
        Repaint();
        if (!ScreenshotDirectory().empty()) (void)TakeScreenshot(Handle(), Name());
    }
    InstallPackage(DevEnvironment(), Dest);
}

void TFormCompile::Timer1Timer() {
    Timer1->SetEnabled(false);
    Close();
}

void TFormCompile::DoClose() {
    Animate1->SetActive(false);
    Timer1->SetEnabled(false);
    TForm::DoClose();
}

}  // namespace vtrl
