// The media player over MCI command strings.
#include "MPlayer.h"

#include <mmsystem.h>

#include "Unattended.h"

namespace vtrl {

namespace {

// Never destroyed: the application object, a global, destroys the backdrop
// and its player at exit, after function statics are gone.
std::vector<std::string>& Commands() {
    static auto* commands = new std::vector<std::string>;
    return *commands;
}

TMciSender& Sender() {
    static auto* sender = new TMciSender;
    return *sender;
}

int gNextAlias = 1;

}  // namespace

const std::vector<std::string>& MciCommands() { return Commands(); }
void ClearMciCommands() { Commands().clear(); }
void SetMciSender(TMciSender S) { Sender() = std::move(S); }

VTRL_IMPLEMENT_CLASS(TMediaPlayer, TGraphicControl, [](TClassBuilder<TMediaPlayer>& b) {
    b.String("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName)
        .Set<TMPBtnType>("VisibleButtons", &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons,
                         TButtonSet{btPlay});
})

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TGraphicControl(AOwner) {
    FVisible = false;
    FWidth = 253;
    FHeight = 30;
    FAlias = "vtrlmp" + std::to_string(gNextAlias++);
}

TMediaPlayer::~TMediaPlayer() { Close(); }

unsigned TMediaPlayer::Send(const std::string& Command) {
    Commands().push_back(Command);
    // A failure stops nothing: the music is decoration, and MCI's error
    // texts would only puzzle a person installing a product.
    try {
        if (const TMciSender& s = Sender()) FLastError = s(Command);
        else FLastError = static_cast<unsigned>(mciSendStringA(Command.c_str(), nullptr, 0, nullptr));
    } catch (...) {
        FLastError = MCIERR_INTERNAL;
    }
    if (FLastError != 0) Log("media player: \"" + Command + "\" failed (MCI error " + std::to_string(FLastError) + ")");
    return FLastError;
}

bool TMediaPlayer::Open() {
    Close();
    // MCI splits its command at blanks; the quotes keep a path with blanks
    // in one piece.
    FOpen = Send("open \"" + FFileName + "\" alias " + FAlias) == 0;
    return FOpen;
}

bool TMediaPlayer::Play() { return Send("play " + FAlias) == 0; }

bool TMediaPlayer::Stop() { return Send("stop " + FAlias) == 0; }

void TMediaPlayer::Close() {
    if (!FOpen) return;
    FOpen = false;
    (void)Send("close " + FAlias);
}

}  // namespace vtrl
