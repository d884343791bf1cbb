// Messages laid out the way servers and other clients really send them, read off a scripted
// TLS server through the whole engine: what is stored is the plain text the sender typed.
#include "EngineFixture.h"

#include <memory>
#include <string>

namespace {

class ReceivedMessageTest : public EngineFixture {};

std::string StoredText(MessageModel* messages, const char* user)
{
    std::unique_ptr<Message> stored(messages->GetLastMessageWithUser(IMString(user)));
    return stored != nullptr ? stored->GetMessage().ToUtf8() : std::string("(none)");
}

TEST_F(ReceivedMessageTest, TheStoredTextIsThePlainBody)
{
    signIn(ScriptedSignIn::signIn().Send(
        "<message from='alice@example.org/phone' type='chat'><body>Hello world</body>"
        "<html xmlns='http://jabber.org/protocol/xhtml-im'><body xmlns='http://www.w3.org/1999/xhtml'>"
        "Hello <b>world</b></body></html></message>"
        "<message\n\tfrom='bob@example.org/laptop'\n\tto='" + ScriptedSignIn::fullId() +
        "'\n\ttype='chat'\n\tid='x1'>\n"
        "  <body>Hello world</body>\n"
        "  <html xmlns='http://jabber.org/protocol/xhtml-im'>\n"
        "    <body xmlns='http://www.w3.org/1999/xhtml'>Hello <b>world</b></body>\n"
        "  </html>\n"
        "</message>\n"
        "<message from=\"carol@example.org/phone\" type=\"chat\"><!-- archived -->"
        "<body><![CDATA[1 < 2 > 0]]> caf&#233; &#x1F600;</body></message>"));
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat"));
    EXPECT_EQ(StoredText(messages_, "alice@example.org"), "Hello world");
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat", 3));
    EXPECT_EQ(StoredText(messages_, "bob@example.org"), "Hello world");
    EXPECT_EQ(StoredText(messages_, "carol@example.org"), "1 < 2 > 0 caf\xC3\xA9 \xF0\x9F\x98\x80");
}

}  // namespace
