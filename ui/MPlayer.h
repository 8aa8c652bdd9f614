// A media player for background music: a hidden control that opens, plays,
// stops and closes one file through the MCI command strings of winmm.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace vtrl {

// The buttons a media player would show (kept for definitions; the player
// here is always hidden and draws nothing).
VTRL_ENUM(TMPBtnType, btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject)
using TButtonSet = TSet<TMPBtnType>;

// Plays FileName through MCI. The device is named by an alias of its own
// ("vtrlmp" and a number), so several players never meet. Every failure
// is silent: a machine without a sound device, a missing or unreadable file
// or a device that refuses a command leaves the player as it was, raises
// nothing and shows nothing; the music simply does not play.
//
// The commands sent are MCI command strings:
//   Open:  close <alias> (when a device is open), then
//          open "<FileName>" alias <alias>
//   Play:  play <alias>
//   Stop:  stop <alias>
//   Close: close <alias> (only when a device is open)
// Play and Stop are sent whether or not Open succeeded; without a device
// MCI answers with an error, which is ignored.
class TMediaPlayer : public TGraphicControl {
    VTRL_CLASS(TMediaPlayer)
public:
    explicit TMediaPlayer(TComponent* AOwner);
    // Closes the device.
    ~TMediaPlayer() override;

    const std::string& FileName() const { return FFileName; }
    // Takes effect at the next Open.
    void SetFileName(const std::string& Value) { FFileName = Value; }
    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet Value) { FVisibleButtons = Value; }

    // Opens FileName (closing a device that is open first). True when MCI
    // opened it.
    bool Open();
    // Starts playing and returns at once. True when MCI accepted it.
    bool Play();
    bool Stop();
    void Close();
    // A device is open.
    bool IsOpen() const { return FOpen; }
    // The MCI alias of this player's device.
    const std::string& Alias() const { return FAlias; }
    // The error code of the last command (0: success).
    unsigned LastError() const { return FLastError; }

    void Paint(HDC) override {}

private:
    unsigned Send(const std::string& Command);
    std::string FFileName;
    TButtonSet FVisibleButtons{btPlay};
    std::string FAlias;
    bool FOpen = false;
    unsigned FLastError = 0;
};

// ----------------------------------------------------------------- tests

// Every MCI command string any player of the process sent, in order (the
// recording is always on; it is small: a handful of commands per run).
const std::vector<std::string>& MciCommands();
void ClearMciCommands();

// What sends a command and returns MCI's error code (0: success). Null,
// the default, is winmm's mciSendStringA. Tests put in their own to let a
// command succeed or fail without a sound device.
using TMciSender = std::function<unsigned(const std::string& Command)>;
void SetMciSender(TMciSender Sender);

}  // namespace vtrl
