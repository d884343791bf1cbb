#include "foundation/Base64.h"
#include "foundation/IMBoolean.h"
#include "foundation/IMInteger.h"
#include "foundation/IMString.h"
#include "foundation/Util.h"

#include <gtest/gtest.h>

#include <memory>

TEST(UtilTest, SplitsUserIdsInPlace)
{
    IMString jid("alice@example.com/Mobile/extra");
    EXPECT_EQ(Util::parseUserJID(&jid), &jid);
    EXPECT_EQ(jid, IMString("alice@example.com"));
    Util::parseUserJID(&jid);
    EXPECT_EQ(jid, IMString("alice@example.com"));
    Util::parseUserName(&jid);
    EXPECT_EQ(jid, IMString("alice"));

    IMString atFirst("@example.com");
    EXPECT_TRUE(Util::parseUserName(&atFirst)->IsEmpty());
    EXPECT_EQ(Util::parseUserName(nullptr), nullptr);
}

TEST(UtilTest, GetStringKnowsStringsIntegersAndBooleans)
{
    IMString text("hi");
    IMInteger number(-12);
    IMBoolean flag(false);
    Ixa::Base::Object plain;
    EXPECT_EQ(Util::getString(&text), IMString("hi"));
    EXPECT_EQ(Util::getString(&number), IMString("-12"));
    EXPECT_EQ(Util::getString(&flag), IMString("false"));
    EXPECT_TRUE(Util::getString(&plain).IsEmpty());
    EXPECT_TRUE(Util::getString(nullptr).IsEmpty());
    EXPECT_EQ(IMBoolean::GetTrue().ToString(), IMString("true"));
}

TEST(UtilTest, RandomPrefixUsesTheAlphabetButNeverItsLastLetter)
{
    EXPECT_EQ(Util::getRandomString(0), nullptr);
    std::unique_ptr<IMString> prefix(Util::getRandomString(5));
    ASSERT_NE(prefix, nullptr);
    ASSERT_EQ(prefix->GetLength(), 5);
    IMString alphabet("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ012345678");
    for (int i = 0; i < 5; ++i) {
        int index = 0;
        EXPECT_EQ(alphabet.IndexOf(prefix->charAt(i), 0, index), Ixa::E_SUCCESS);
    }
    std::unique_ptr<IMString> again(Util::getRandomString(5));
    EXPECT_EQ(*again, *prefix);
    EXPECT_EQ(Util::allChars, nullptr);
}

TEST(IMStringTest, ComparesAndReadsByteBuffersAsUtf8)
{
    EXPECT_TRUE(IMString("abc").Equals("ABC", false));
    EXPECT_FALSE(IMString("abc").Equals("ABC", true));
    EXPECT_EQ(IMString("x\xC3\xA9").charAt(1), L'\u00E9');

    IMByteBuffer empty;
    empty.Construct(4);
    empty.SetLimit(0);
    std::unique_ptr<IMString> none(IMString::ByteBuffertoIMString(&empty));
    EXPECT_TRUE(none->IsEmpty());

    IMByteBuffer bytes;
    bytes.Construct(8);
    const Ixa::byte data[] = {'a', 'b', 0, 'c', 'd', 0xC3, 0xA9};
    bytes.SetArray(data, 0, 7);
    bytes.Flip();
    bytes.SetPosition(3);
    std::unique_ptr<IMString> cut(IMString::ByteBuffertoIMString(&bytes));
    EXPECT_EQ(*cut, IMString("ab"));
}

TEST(Base64WrapperTest, DecodeFailureIsNullAndEncodeIsExact)
{
    IMString junk("not base64!");
    EXPECT_EQ(Base64::decode(&junk), nullptr);
    IMByteBuffer payload;
    payload.Construct(10);
    payload.SetArray(reinterpret_cast<const Ixa::byte*>("\0user\0pass"), 0, 10);
    payload.Flip();
    std::unique_ptr<IMString> encoded(Base64::encode(&payload));
    EXPECT_EQ(*encoded, IMString("AHVzZXIAcGFzcw=="));
    std::unique_ptr<Ixa::Base::ByteBuffer> decoded(Base64::decode(encoded.get()));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->GetLimit(), 10);
}
