// The screen "DELETE_RESTORE_SCREEN": a select-all row, then every saved conversation, the
// protected ones with a lock; delete removes the checked ones that are not protected.
// Threading and ownership: as RestoreChecklistScreen.
#pragma once

#include "screens/RestoreChecklistScreen.h"

class DeleteRestoreConvScreen : public RestoreChecklistScreen {
public:
    DeleteRestoreConvScreen();
};
