// The backdrop window: the application's main form, a borderless window
// with a gradient, the product's 3D caption and the background music
// player.
#pragma once

#include "Forms.h"

namespace vtrl {

class TBackdrop;
class TRotate3DLabel;
class TMediaPlayer;

// Read from the form text UNIT1 (client 454 x 296, maximised by the run):
// Backdrop1 fills it, Rotate3DLabel1 carries "Vantrel 2.0", MP is the
// hidden media player. It has no behaviour of its own.
class TForm1 : public TForm {
    VTRL_CLASS(TForm1)
public:
    explicit TForm1(TComponent* AOwner);
    TBackdrop* Backdrop1 = nullptr;
    TRotate3DLabel* Rotate3DLabel1 = nullptr;
    TMediaPlayer* MP = nullptr;
};

// The background music player: the MP of the application's main form when
// that is a TForm1, else of the first TForm1 that exists; null when there
// is none. The pages use it as
//   if (TMediaPlayer* mp = BackgroundPlayer()) {
//       mp->SetFileName(dir + "\\HALVORNMISC.RMI"); mp->Open(); mp->Play();
//   }
// or mp->Close() for silence; none of these raises (see MPlayer.h, where
// MciCommands() lets tests read the commands sent).
TMediaPlayer* BackgroundPlayer();

}  // namespace vtrl
