#include "screens/RestoreScreen.h"

RestoreScreen::RestoreScreen()
    : TitledScreen("RESTORE_SCREEN", "IDS_BACKUP", EVENT_SHOW_SETTINGS)
{
}
