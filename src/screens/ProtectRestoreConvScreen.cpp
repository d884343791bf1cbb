#include "screens/ProtectRestoreConvScreen.h"

ProtectRestoreConvScreen::ProtectRestoreConvScreen()
    : RestoreChecklistScreen("PROTECT_RESTORE_SCREEN", "IDS_PROTECTION_ON", "IDS_PROTECTION_ON", std::make_unique<ProtectRestoreConvController>())
{
}
