#include "screens/LoginScreen.h"

LoginScreen::LoginScreen()
    : TitledScreen("LOGIN_SCREEN", "IDS_SIGN_IN", TitledScreen::NO_BACK)
{
}
