// The kit-directory question.
#include "routines_VantrelStuff.h"

#include <memory>

#include "FileDialogs.h"
#include "StdCtrls.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TSelectVtrlDir, TForm, [](auto&) {})

TSelectVtrlDir::TSelectVtrlDir(TComponent* AOwner) : TForm(AOwner) {
    PublishMethod("SpeedButton1Click", std::function<void(TComponent*)>([this](TComponent*) { SpeedButton1Click(); }));
    ReadFormResource("ROUTINES_VANTRELSTUFF");
    Edit1 = dynamic_cast<TEdit*>(FindComponent("Edit1"));
    SpeedButton1 = dynamic_cast<TButton*>(FindComponent("SpeedButton1"));
    CloseBtn = dynamic_cast<TButton*>(FindComponent("CloseBtn"));
    if (!Edit1 || !SpeedButton1 || !CloseBtn)
        throw Exception("The form text ROUTINES_VANTRELSTUFF lacks its edit or buttons");
}

void TSelectVtrlDir::SpeedButton1Click() {
    char current[MAX_PATH] = {};
    std::string dir = GetCurrentDirectoryA(MAX_PATH, current) ? current : "";
    if (SelectDirectory(Caption(), dir, true)) Edit1->SetText(dir);
}

std::string AskVantrelDirectory() {
    std::unique_ptr<TSelectVtrlDir> form(new TSelectVtrlDir(&Application));
    (void)form->ShowModal();
    return form->Edit1->Text();
}

}  // namespace vtrl
