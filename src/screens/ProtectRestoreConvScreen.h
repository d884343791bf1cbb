// The screen "PROTECT_RESTORE_SCREEN": every saved conversation, checked while protected;
// "Protection on" protects the checked ones and unprotects the others.
// Threading and ownership: as RestoreChecklistScreen.
#pragma once

#include "screens/RestoreChecklistScreen.h"

class ProtectRestoreConvScreen : public RestoreChecklistScreen {
public:
    ProtectRestoreConvScreen();
};
