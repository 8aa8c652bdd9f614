// The welcome page: three texts and Back / Next / Cancel.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TWelcomeForm : public TStandardPageForm {
    VTRL_CLASS(TWelcomeForm)
public:
    explicit TWelcomeForm(TComponent* AOwner);
};

}  // namespace vtrl
