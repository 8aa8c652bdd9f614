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
// The first wizard's page after the component pages of order 10.
const TFormSelfRegistration<TBIFEntry> Registration(&TMusicSelectForm::StaticClass(), &BIFList);

template <class T>
T* Required(TForm& Form, const char* Name) {
    auto* control = dynamic_cast<T*>(Form.FindComponent(Name));
    if (!control) throw Exception("The form text MUSICFORM lacks " + std::string(Name));
    return control;
}
}  // namespace

TMusicSelectForm::TMusicSelectForm(TComponent* AOwner) : TBaseInstallForm(AOwner) {
    PublishMethod("BackBtnClick", std::function<void(TComponent*)>([this](TComponent*) { PreviousPage(); }));
    PublishMethod("ProceedBTNClick", std::function<void(TComponent*)>([this](TComponent*) { NextPage(); }));
    PublishMethod("CancelBtnClick", std::function<void(TComponent*)>([this](TComponent*) { CancelInstall(); }));
    ReadFormResource("MUSICFORM");
    ThemeImage = Required<TImage>(*this, "ThemeImage");
    MusicForm = Required<TRadioGroup>(*this, "MusicForm");
    BackBtn = Required<TButton>(*this, "BackBtn");
    ProceedBTN = Required<TButton>(*this, "ProceedBTN");
    CancelBtn = Required<TButton>(*this, "CancelBtn");
    LoadInstallTheme(*ThemeImage->Picture());
    const char* pictures[] = {"MUSIC1", "MUSIC2", "MUSIC3", "MUSIC4"};
    for (int i = 0; i < 4; ++i) {
        try {
            Required<TImage>(*this, ("Image" + std::to_string(i + 1)).c_str())
                ->Picture()
                ->Bitmap()
                .LoadFromResourceName(GetModuleHandleA(nullptr), pictures[i]);
        } catch (const Exception&) {
            // A program without the pictures shows the page without them.
        }
    }
    if (auto* cancel = dynamic_cast<TBitBtn*>(CancelBtn)) {
        try {
            cancel->Glyph()->LoadFromResourceName(GetModuleHandleA(nullptr), "CANCELGLYPH");
        } catch (const Exception&) {
        }
    }
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
