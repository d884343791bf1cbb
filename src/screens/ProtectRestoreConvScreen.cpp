#include "screens/ProtectRestoreConvScreen.h"

ProtectRestoreConvScreen::ProtectRestoreConvScreen()
    : TitledScreen("PROTECT_RESTORE_SCREEN", "IDS_PROTECTION_ON", EVENT_SHOW_RESTORE)
{
}
