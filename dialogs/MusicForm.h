// The music page at the start of the wizard: one of the two pieces shipped
// beside the setup program plays in the background while it installs, or
// none.
#pragma once

#include "dlgcmp_TBaseForms.h"

namespace vtrl {

class TButton;
class TImage;
class TRadioGroup;

class TMusicSelectForm : public TBaseInstallForm {
    VTRL_CLASS(TMusicSelectForm)
public:
    explicit TMusicSelectForm(TComponent* AOwner);

    TImage* ThemeImage = nullptr;
    TRadioGroup* MusicForm = nullptr;  // the pieces, then "Leave me in silence"
    TButton* BackBtn = nullptr;
    TButton* ProceedBTN = nullptr;
    TButton* CancelBtn = nullptr;

    // Back only when the page is not the first; the focus on Next.
    void SetupControls() override;
    // Plays the chosen piece (or stops the music), then goes on.
    void NextPage() override;
    // The file of item Index beside the setup program ("" for silence).
    static std::string PieceFile(int Index);
};

}  // namespace vtrl
