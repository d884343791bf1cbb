#include "screens/DeleteRestoreConvScreen.h"

DeleteRestoreConvScreen::DeleteRestoreConvScreen()
    : RestoreChecklistScreen("DELETE_RESTORE_SCREEN", "IDS_DELETE", "IDS_DELETE", std::make_unique<DeleteRestoreConvController>())
{
}
