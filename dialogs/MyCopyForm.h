// The copy window shown while files are copied: a movie of the product
// above, the file-copy clip, the total progress and Cancel below.
#pragma once

#include "dlgcmp_TBaseForms.h"

namespace vtrl {

class TAnimate;
class TButton;
class TProgressBar;

class TDuringCopyForm : public TBaseDuringCopyForm {
    VTRL_CLASS(TDuringCopyForm)
public:
    explicit TDuringCopyForm(TComponent* AOwner);

    TAnimate* Animate = nullptr;   // the movie
    TAnimate* Animate1 = nullptr;  // the file-copy clip
    TProgressBar* ProgressBar1 = nullptr;
    TButton* CancelBtn = nullptr;

    // The copy clip runs from the first status on; the bar shows the total.
    void UpdateStatus(TFileStatusParameter* Status) override;

    // The movie: the setup program's folder + "\VantrelEarth.avi".
    static std::string MovieFile();

protected:
    void DoShow() override;
    void DoClose() override;

private:
    bool FPictureTaken = false;
};

}  // namespace vtrl
