// The account id as it is compared and stored: however it was typed, one account is one id.
#include "engine/UserId.h"
#include "xmpp/Constants.h"

#include <gtest/gtest.h>

namespace {

std::string Normalised(const char* typed) { return UserId::normalised(IMString(typed)).ToUtf8(); }

TEST(UserIdTest, TypedAccountIdsAreTrimmedLowerCasedAndCompleted)
{
    const std::string own = "ann@" + Constants::DOMAIN.ToUtf8();
    for (const char* typed : {"ann", "Ann", " ann ", "ANN\t"}) {
        EXPECT_EQ(Normalised(typed), own) << "typed \"" << typed << "\"";
    }
    EXPECT_EQ(Normalised("Ann@X"), "ann@x");
    EXPECT_EQ(Normalised("ann@x "), "ann@x");
    EXPECT_EQ(Normalised(" \xC3\x89lodie@Example.ORG"), "\xC3\xA9lodie@example.org");
    EXPECT_EQ(Normalised(""), "");
    EXPECT_EQ(Normalised("   "), "");
    EXPECT_EQ(UserId::normalised(UserId::normalised(IMString("Ann"))).ToUtf8(), own) << "normalising twice changes nothing";
}

}  // namespace
