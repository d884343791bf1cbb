#include "screens/DeleteRestoreConvScreen.h"

DeleteRestoreConvScreen::DeleteRestoreConvScreen()
    : TitledScreen("DELETE_RESTORE_SCREEN", "IDS_DELETE", EVENT_SHOW_RESTORE)
{
}
