#include "MusicForm.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "MPlayer.h"
#include "StdCtrls.h"
#include "Unit1.h"
#include "dlgcmp_TBaseDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TMusicSelectForm, TBaseInstallForm, [](auto&) {})

namespace {
// The wizard before the installation takes it at order 11.
const TFormSelfRegistration<TBIFEntry> Registration(&TMusicSelectForm::StaticClass(), &BIFList);
}  // namespace

TMusicSelectForm::TMusicSelectForm(TComponent* AOwner) : TBaseInstallForm(AOwner) {
    PublishMethod("BackBtnClick", std::function<void(TComponent*)>([this](TComponent*) { PreviousPage(); }));
    PublishMethod("ProceedBTNClick", std::function<void(TComponent*)>([this](TComponent*) { NextPage(); }));
    PublishMethod("CancelBtnClick", std::function<void(TComponent*)>([this](TComponent*) { CancelInstall(); }));
    ReadFormResource("MUSICFORM");
    ThemeImage = RequiredControl<TImage>(*this, "ThemeImage", "MUSICFORM");
    MusicForm = RequiredControl<TRadioGroup>(*this, "MusicForm", "MUSICFORM");
    BackBtn = RequiredControl<TButton>(*this, "BackBtn", "MUSICFORM");
    ProceedBTN = RequiredControl<TButton>(*this, "ProceedBTN", "MUSICFORM");
    CancelBtn = RequiredControl<TButton>(*this, "CancelBtn", "MUSICFORM");
    LoadInstallTheme(*ThemeImage->Picture());
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
    LoadCancelGlyph(CancelBtn);
    if (!dynamic_cast<TForm*>(Owner())) SetFormStyle(fsStayOnTop);
    SetDM(FindDialogManager(dmBeforeInstall));
    SetOrder(11);
    Container = nullptr;
}

void TMusicSelectForm::SetupControls() {
    TBaseInstallForm::SetupControls();
    BackBtn->SetVisible(!IsFirstPage());
    ProceedBTN->SetFocus();
}

std::string TMusicSelectForm::PieceFile(int Index) {
    const char* names[] = {"HALVORNMISC.RMI", "TESSALY.RMI"};
    if (Index < 0 || Index > 1) return {};
    return RemoveBackSlash(ExtractFileDir(Application.ExeName())) + "\\" + names[Index];
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
    TBaseInstallForm::NextPage();
}

}  // namespace vtrl
