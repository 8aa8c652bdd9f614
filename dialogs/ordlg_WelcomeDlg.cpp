#include "ordlg_WelcomeDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TWelcomeForm, TStandardPageForm, [](auto&) {})

TWelcomeForm::TWelcomeForm(TComponent* AOwner) : TStandardPageForm(AOwner) { ReadPage("ORDLG_WELCOMEDLG"); }

}  // namespace vtrl
