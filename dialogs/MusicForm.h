// The music page at the start of the wizard: one of the two pieces shipped
// beside the setup program plays in the background while it installs, or
// none.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TRadioGroup;

class TMusicSelectForm : public TStandardPageForm {
    VTRL_CLASS(TMusicSelectForm)
public:
    explicit TMusicSelectForm(TComponent* AOwner);

    TRadioGroup* MusicForm = nullptr;  // the pieces, then "Leave me in silence"
    TButton* ProceedBTN = nullptr;     // the page's Next button

    // Plays the chosen piece (or stops the music), then goes on.
    void NextPage() override;
    // The file of item Index beside the setup program ("" for silence).
    static std::string PieceFile(int Index);
};

}  // namespace vtrl
