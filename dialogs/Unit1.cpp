// The backdrop window.
#include "Unit1.h"

#include "MPlayer.h"
#include "cmp_Rotate3DLabel.h"
#include "cmp_TBackDrop.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TForm1, TForm, [](auto&) {})

namespace {
// The form text names these classes only by name: naming them here links
// them into every program that has the backdrop.
[[maybe_unused]] const TClassInfo* const BackdropClasses[] = {
    &TBackdrop::StaticClass(), &TRotate3DLabel::StaticClass(), &TLabelStyle::StaticClass(),
    &TMediaPlayer::StaticClass()};
}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
    ReadFormResource("UNIT1");
    Backdrop1 = dynamic_cast<TBackdrop*>(FindComponent("Backdrop1"));
    Rotate3DLabel1 = dynamic_cast<TRotate3DLabel*>(FindComponent("Rotate3DLabel1"));
    MP = dynamic_cast<TMediaPlayer*>(FindComponent("MP"));
    if (!Backdrop1 || !Rotate3DLabel1 || !MP)
        throw Exception("The form text UNIT1 lacks its backdrop, caption or media player");
}

TMediaPlayer* BackgroundPlayer() {
    if (auto* main = dynamic_cast<TForm1*>(Application.MainForm())) return main->MP;
    for (TForm* f : Application.Forms())
        if (auto* backdrop = dynamic_cast<TForm1*>(f)) return backdrop->MP;
    return nullptr;
}

}  // namespace vtrl
