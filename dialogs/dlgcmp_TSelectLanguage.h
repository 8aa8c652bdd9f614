// The language page's dialog component: Order 0 (before every other page),
// the before-install wizard, standalone on "eccLanguageDialog".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TSelectLanguageDlg : public TStandardInstallDlg {
    VTRL_CLASS(TSelectLanguageDlg)
public:
    explicit TSelectLanguageDlg(TComponent* AOwner);
};

}  // namespace vtrl
