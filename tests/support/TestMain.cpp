// Test entry point: the platform (and with it Qt's application object, without which no
// thread's event loop runs) exists before any test starts a thread.
#include "platform/PlatformSession.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Ixa::PlatformSession platform(argc, argv);
    return RUN_ALL_TESTS();
}
