#include "MusicForm.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "MPlayer.h"
#include "StdCtrls.h"
#include "Unit1.h"
#include "dlgcmp_TBaseDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TMusicSelectForm, TStandardPageForm, [](auto&) {})

namespace {
// The wizard before the installation takes it at order 11.
const TFormSelfRegistration<TBIFEntry> Registration(&TMusicSelectForm::StaticClass(), &BIFList);
}  // namespace

TMusicSelectForm::TMusicSelectForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    ReadPage("MUSICFORM", "ProceedBTN");
    ProceedBTN = NextBtn;
    MusicForm = RequiredControl<TRadioGroup>(*this, "MusicForm", "MUSICFORM");
    const char* pictures[] = {"MUSIC1", "MUSIC2", "MUSIC3", "MUSIC4"};
    for (int i = 0; i < 4; ++i) {
        try {
            RequiredControl<TImage>(*this, ("Image" + std::to_string(i + 1)).c_str(), "MUSICFORM")
                ->Picture()
                ->Bitmap()
                .LoadFromResourceName(GetModuleHandleA(nullptr), pictures[i]);
        } catch (const Exception&) {
            // A program without the pictures shows the page without them.
        }
    }
    SetDM(FindDialogManager(dmBeforeInstall));
    SetOrder(11);
    Container = nullptr;
}

std::string TMusicSelectForm::PieceFile(int Index) {
    const char* names[] = {"HALVORNMISC.RMI", "TESSALY.RMI"};
    if (Index < 0 || Index > 1) return {};
    return BesideProgram(names[Index]);
}

void TMusicSelectForm::NextPage() {
    // A machine without sound, or a missing piece, plays nothing: the
    // player raises nothing.
    if (TMediaPlayer* player = BackgroundPlayer()) {
        const std::string piece = PieceFile(MusicForm->ItemIndex());
        if (piece.empty()) {
            player->Close();
        } else {
            player->SetFileName(piece);
            player->Open();
            player->Play();
        }
    }
    TStandardPageForm::NextPage();
}

}  // namespace vtrl
