// Told about a media player's progress: opening (for an asynchronous open), the end of the
// clip, buffering, errors and interruptions.
// Threading: called on the user-interface thread; the listener is borrowed by the player.
#pragma once

#include "platform/Result.h"

namespace Ixa::Media {

enum PlayerErrorReason { PLAYER_ERROR_INVALID_DATA = 0, PLAYER_ERROR_DEVICE_FAILED = 1, PLAYER_ERROR_OTHER = 2 };

class IPlayerEventListener {
public:
    virtual ~IPlayerEventListener() = default;
    virtual void OnPlayerOpened(result r) = 0;
    virtual void OnPlayerEndOfClip() = 0;
    virtual void OnPlayerBuffering(int percent) = 0;
    virtual void OnPlayerErrorOccurred(PlayerErrorReason reason) = 0;
    virtual void OnPlayerInterrupted() = 0;
    virtual void OnPlayerReleased() = 0;
    virtual void OnPlayerSeekCompleted(result r) = 0;
};

}  // namespace Ixa::Media
