// The tokenizer's events and its habits, on the calling thread.
#include "ReaderFeed.h"
#include "net/IMSocketInputStream.h"
#include "xmpp/XMLParser.h"
#include "xmpp/XMLReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A parser over fixed bytes (queued with the end-of-stream marker) and a reader that is
// running but never started, whose flag the parser consults.
class Tokens {
public:
    explicit Tokens(const std::string& bytes, std::size_t chunk = 7)
        : reader_(&input_, nullptr), parser_(&input_, &reader_)
    {
        for (std::size_t start = 0; start < bytes.size(); start += chunk) {
            Put(ReaderFeed::newBuffer(bytes, start, std::min(bytes.size(), start + chunk)));
        }
        Put(input_.getEndOfStreamMarker());
        reader_.setReaderThreadStatus(true);
    }

    ~Tokens() { reader_.setReaderThreadStatus(false); }

    XMLParser& parser() { return parser_; }
    XMLReader& reader() { return reader_; }

    // One line per event: "S name", "E name", "T text" or "D"; attributes as [name=value].
    std::string next()
    {
        int event = parser_.next();
        if (event == XMLParser::END_DOCUMENT) {
            return "D";
        }
        if (event == XMLParser::TEXT) {
            std::unique_ptr<IMString> text(parser_.getText());
            return "T " + text->ToUtf8();
        }
        std::string line = (event == XMLParser::START_TAG ? "S " : "E ") + parser_.getName()->ToUtf8();
        std::unique_ptr<IMVector> names(parser_.getAttributes());
        for (int i = 0; i < names->size(); ++i) {
            Ixa::Base::Object* element = nullptr;
            names->getAt(i, element);
            auto name = static_cast<IMString*>(element);
            std::unique_ptr<IMString> value(parser_.getAttribute(name));
            line += " [" + name->ToUtf8() + "=" + value->ToUtf8() + "]";
        }
        names->RemoveAll(true);
        return line;
    }

    std::vector<std::string> all()
    {
        std::vector<std::string> events;
        for (std::string event = next(); event != "D"; event = next()) {
            events.push_back(event);
        }
        return events;
    }

private:
    void Put(void* item)
    {
        unsigned long result = Ixa::E_FAILURE;
        input_.getBlockingQueue()->put(item, &result);
        ASSERT_EQ(result, Ixa::E_SUCCESS);
    }

    IMSocketInputStream input_;
    XMLReader reader_;
    XMLParser parser_;
};

using Events = std::vector<std::string>;

}  // namespace

TEST(XMLParserTest, ClosingTagAfterTextArrivesAsText)
{
    EXPECT_EQ(Tokens("<a><b>x</b></a>").all(), (Events{"S a", "S b", "T x", "T /b", "E a"}));
    EXPECT_EQ(Tokens("<message from='a@b'><body>hi there</body></message>").all(),
              (Events{"S message [from=a@b]", "S body", "T hi there", "T /body", "E message"}));
    // Leading white space of a text is dropped, trailing white space stays; white space
    // between tags makes no event.
    EXPECT_EQ(Tokens("<a>\n  <b>  \n hello \n</b>\n</a>").all(), (Events{"S a", "S b", "T hello \n", "T /b", "E a"}));
}

TEST(XMLParserTest, EmptyElementKeepsItsNameAndAttributesAtItsEnd)
{
    Tokens tokens("<item jid='Bob@Example.com' name=\"B &amp; B\" jid='last'/><next x='1' />");
    XMLParser& parser = tokens.parser();
    EXPECT_EQ(parser.next(), XMLParser::START_TAG);
    EXPECT_TRUE(parser.isName("ITEM"));
    EXPECT_EQ(parser.next(), XMLParser::END_TAG);
    EXPECT_EQ(parser.getName()->ToUtf8(), "item");
    std::unique_ptr<IMString> jid(parser.getAttribute("jid"));
    EXPECT_EQ(jid->ToUtf8(), "last");
    std::unique_ptr<IMString> name(parser.getAttribute("name"));
    EXPECT_EQ(name->ToUtf8(), "B & B");
    EXPECT_EQ(parser.getAttribute("Jid"), nullptr);
    EXPECT_TRUE(parser.isAttribute("name", "b & b"));
    EXPECT_EQ(parser.getText(), nullptr);
    EXPECT_EQ(tokens.all(), (Events{"S next [x=1]", "E next [x=1]"}));
}

TEST(XMLParserTest, ResolvesTheSixReferencesInAnyCaseAndDropsOthers)
{
    EXPECT_EQ(Tokens("<t>&amp;&AMP;&quot;&QuOt;&#39;&apos;&APOS;&lt;&LT;&gt;&Gt;</t>").all(),
              (Events{"S t", "T &&\"\"'''<<>>", "T /t"}));
    // A failed match loses "&" and the letters it read but the last, which is scanned again.
    EXPECT_EQ(Tokens("<t>a&foo;b &apx; &apoX; &#x27; &nbsp;z</t>").all(),
              (Events{"S t", "T aoo;b x; X; 27; bsp;z", "T /t"}));
    EXPECT_EQ(Tokens("<a v='&lt;&QUOT;x&quot;&gt;'/>").all(), (Events{"S a [v=<\"x\">]", "E a [v=<\"x\">]"}));
}

TEST(XMLParserTest, AttributeValuesEndOnlyAtTheirQuote)
{
    EXPECT_EQ(Tokens("<a href='x>y/z' b=\"it's\"  c=''>t</a>").all(),
              (Events{"S a [href=x>y/z] [b=it's] [c=]", "T t", "T /a"}));
    EXPECT_EQ(Tokens("<iq type='result' id='1'/>").all(),
              (Events{"S iq [type=result] [id=1]", "E iq [type=result] [id=1]"}));
}

TEST(XMLParserTest, SkipsDeclarationsCommentsAndInstructions)
{
    EXPECT_EQ(Tokens("<?xml version='1.0'?><!-- note --><stream:stream xmlns='jabber:client'><a/>").all(),
              (Events{"S stream:stream [xmlns=jabber:client]", "S a", "E a"}));
    std::string many;
    for (int i = 0; i < 100000; ++i) {
        many += "<?x?>";
    }
    EXPECT_EQ(Tokens(many + "<a/>", 8192).all(), (Events{"S a", "E a"}));
    // A bracketed section drops a quoted stretch and does not stop the tokenizer.
    EXPECT_EQ(Tokens("<![CDATA['a>b']]><c/>").all(), (Events{"S c", "E c"}));
}

TEST(XMLParserTest, TextAfterBinvalIsTakenBytePerCharacter)
{
    std::unique_ptr<IMString> expected(new IMString());
    expected->Append(static_cast<char16_t>(0xC3));
    expected->Append(static_cast<char16_t>(0xA9));
    expected->Append("QUJD\n");
    Tokens tokens("<BINVAL>\xC3\xA9QUJD\n</BINVAL><FN>\xC3\xA9</FN>");
    XMLParser& parser = tokens.parser();
    EXPECT_EQ(parser.next(), XMLParser::START_TAG);
    EXPECT_EQ(parser.next(), XMLParser::TEXT);
    std::unique_ptr<IMString> raw(parser.getText());
    EXPECT_EQ(*raw, *expected);
    EXPECT_EQ(parser.getText(), nullptr);
    EXPECT_EQ(tokens.all(), (Events{"T /BINVAL", "S FN", "T \xC3\xA9", "T /FN"}));
}

TEST(XMLParserTest, ZeroBytesAndInvalidUtf8)
{
    EXPECT_EQ(Tokens(std::string("<a>x\0y</a\0>", 11), 1).all(), (Events{"S a", "T xy", "T /a"}));
    EXPECT_EQ(Tokens("<a n='\xFF'>\xC3(ok\xF0\x9F\x98\x80</a>").all(),
              (Events{"S a [n=\xEF\xBF\xBD]", "T \xEF\xBF\xBD(ok\xF0\x9F\x98\x80", "T /a"}));
}

// One huge text is the reader's test (OversizedStanzaEndsTheReaderWithAConnectionError); here
// many small tokens exhaust the allowance between two beginStanza calls.
TEST(XMLParserTest, EndsForGoodPastTheByteAllowance)
{
    std::string item = "<i a='" + std::string(23, 'x') + "'/>";
    std::string items;
    while (items.size() < XMLParser::STANZA_LIMIT + 100) {
        items += item;
    }
    Tokens stanza(items, 1024 * 1024);
    XMLParser& parser = stanza.parser();
    long events = 0;
    while (parser.next() != XMLParser::END_DOCUMENT) {
        ++events;
    }
    EXPECT_TRUE(parser.hasOverflowed());
    EXPECT_EQ(events, 2 * XMLParser::STANZA_LIMIT / static_cast<long>(item.size()));
    parser.beginStanza();
    EXPECT_EQ(parser.next(), XMLParser::END_DOCUMENT);

    Tokens renewed("<i/><i/><i/>", 1);
    renewed.parser().beginStanza();
    EXPECT_EQ(renewed.all().size(), 6u);
    EXPECT_FALSE(renewed.parser().hasOverflowed());
}

TEST(XMLParserTest, StopsReadingWhenTheReaderStops)
{
    Tokens tokens("<a><b/></a>");
    XMLParser& parser = tokens.parser();
    EXPECT_EQ(parser.next(), XMLParser::START_TAG);
    tokens.reader().setReaderThreadStatus(false);
    EXPECT_EQ(parser.next(), XMLParser::END_DOCUMENT);
    EXPECT_FALSE(parser.hasOverflowed());
    tokens.reader().setReaderThreadStatus(true);
    EXPECT_EQ(parser.next(), XMLParser::START_TAG);
    EXPECT_TRUE(parser.isName("b"));
}
