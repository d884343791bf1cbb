// Test entry point: the platform (and with it Qt's application object, without which no
// thread's event loop runs) exists before any test starts a thread. Test programs that show
// controls are built with VELOIM_TEST_WIDGETS and get Qt's widget application object.
#ifdef VELOIM_TEST_WIDGETS
#include "platform/WidgetSession.h"
#else
#include "platform/PlatformSession.h"
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
#ifdef VELOIM_TEST_WIDGETS
    Ixa::WidgetSession platform(argc, argv);
#else
    Ixa::PlatformSession platform(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
