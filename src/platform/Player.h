// Plays a sound file. Play records the call in the DeviceLog ("play PATH") and, where the
// machine has a sound device (/dev/snd with a playback device and the aplay program), plays
// the file there; without one the clip ends at once. Paths: "/Res/..." are resources,
// "/Home/..." the data directory, others machine paths.
// Threading and ownership: construct, open and destroy on the user-interface thread; Play may
// be called from any thread. Listener calls are delivered on the user-interface thread and
// never after the player is gone. The listener is borrowed.
#pragma once

#include "platform/IPlayerEventListener.h"
#include "platform/String.h"

#include <memory>

namespace Ixa::Media {

enum PlayerState {
    PLAYER_STATE_INITIALIZED,
    PLAYER_STATE_OPENING,
    PLAYER_STATE_OPENED,
    PLAYER_STATE_PLAYING,
    PLAYER_STATE_PAUSED,
    PLAYER_STATE_STOPPED,
    PLAYER_STATE_ENDOFCLIP,
    PLAYER_STATE_CLOSED,
    PLAYER_STATE_ERROR,
};

class Player : public Base::Object {
public:
    Player();
    ~Player() override;

    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    result Construct(IPlayerEventListener& listener);
    // E_OBJ_NOT_FOUND when the file does not exist. An asynchronous open reports through
    // OnPlayerOpened.
    result OpenFile(const Base::String& path, bool isAsync = false);
    result Close();
    result Play();
    result Stop();
    result SetLooping(bool looping);
    bool IsLooping() const;
    PlayerState GetState() const;

    // Whether this machine can make the sound heard.
    static bool HasSoundDevice();

private:
    struct Shared;
    void Deliver(void (*call)(IPlayerEventListener&));

    std::shared_ptr<Shared> shared_;
};

}  // namespace Ixa::Media
