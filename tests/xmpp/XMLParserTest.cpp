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

TEST(XMLParserTest, TextsAndTheirClosingTags)
{
    EXPECT_EQ(Tokens("<a><b>x</b></a>").all(), (Events{"S a", "S b", "T x", "E b", "E a"}));
    EXPECT_EQ(Tokens("<message from='a@b'><body>hi there</body></message>").all(),
              (Events{"S message [from=a@b]", "S body", "T hi there", "E body", "E message"}));
    // Leading white space of a text is dropped, trailing white space stays; white space
    // between tags makes no event.
    EXPECT_EQ(Tokens("<a>\n  <b>  \n hello \n</b>\n</a>").all(), (Events{"S a", "S b", "T hello \n", "E b", "E a"}));
    // ">" is ordinary text; a text may begin with "/"; a line end of any kind becomes "\n".
    EXPECT_EQ(Tokens("<body>a > b >> c</body><body>/me waves</body><p>1\r\n2\r3\n</p>").all(),
              (Events{"S body", "T a > b >> c", "E body", "S body", "T /me waves", "E body", "S p", "T 1\n2\n3\n",
                      "E p"}));
}

TEST(XMLParserTest, DepthCountsTheOpenElements)
{
    Tokens tokens("<s><a><b x='1'/>t</a><c></c></s>");
    XMLParser& parser = tokens.parser();
    std::vector<int> depths;
    while (parser.next() != XMLParser::END_DOCUMENT) {
        depths.push_back(parser.getDepth());
    }
    // S s, S a, S b, E b, T t, E a, S c, E c, E s.
    EXPECT_EQ(depths, (std::vector<int>{1, 2, 3, 3, 2, 2, 2, 2, 1}));
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

TEST(XMLParserTest, ResolvesNamedAndNumericReferences)
{
    EXPECT_EQ(Tokens("<t>&amp;&AMP;&quot;&QuOt;&#39;&apos;&APOS;&lt;&LT;&gt;&Gt;</t>").all(),
              (Events{"S t", "T &&\"\"'''<<>>", "E t"}));
    EXPECT_EQ(Tokens("<t>caf&#233; &#x1F600;&#128512; &#X41;&#x0042;&#067;&#x27;</t>").all(),
              (Events{"S t", "T caf\xC3\xA9 \xF0\x9F\x98\x80\xF0\x9F\x98\x80 ABC'", "E t"}));
    EXPECT_EQ(Tokens("<a v='&lt;&QUOT;x&quot;&gt;&#x1F600;'/>").all(),
              (Events{"S a [v=<\"x\">\xF0\x9F\x98\x80]", "E a [v=<\"x\">\xF0\x9F\x98\x80]"}));

    // Above U+FFFF a character is a surrogate pair.
    Tokens emoji("<t>&#x1F600;</t>");
    emoji.parser().next();
    ASSERT_EQ(emoji.parser().next(), XMLParser::TEXT);
    std::unique_ptr<IMString> pair(emoji.parser().getText());
    ASSERT_EQ(pair->GetLength(), 2);
    EXPECT_EQ(pair->GetPointer()[0], 0xD83D);
    EXPECT_EQ(pair->GetPointer()[1], 0xDE00);

    // A character XML does not allow becomes U+FFFD; what is no reference stays as written.
    EXPECT_EQ(Tokens("<t>&#0;&#xD800;&#x110000;&#99999999999;</t>").all(),
              (Events{"S t", "T \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", "E t"}));
    EXPECT_EQ(Tokens("<t>a&foo;b &apx; &#; &#x; &#12a; &nbsp;z & y &amp</t>").all(),
              (Events{"S t", "T a&foo;b &apx; &#; &#x; &#12a; &nbsp;z & y &amp", "E t"}));
}

TEST(XMLParserTest, AttributesWithAnyWhiteSpaceAndEitherQuote)
{
    EXPECT_EQ(Tokens("<a href='x>y/z' b=\"it's\"  c=''>t</a>").all(),
              (Events{"S a [href=x>y/z] [b=it's] [c=]", "T t", "E a"}));
    EXPECT_EQ(Tokens("<iq type='result' id='1'/>").all(),
              (Events{"S iq [type=result] [id=1]", "E iq [type=result] [id=1]"}));
    EXPECT_EQ(Tokens("<presence\n\tfrom = 'bob@example.com/home'\r\n\tto\n=\n\"me@example.com\"\n\tid='p1'\n/>"
                     "<x\ty='1'>t</x\n>")
                  .all(),
              (Events{"S presence [from=bob@example.com/home] [to=me@example.com] [id=p1]",
                      "E presence [from=bob@example.com/home] [to=me@example.com] [id=p1]", "S x [y=1]", "T t", "E x"}));
    // Literal white space in a value becomes a space, a referenced one stays.
    EXPECT_EQ(Tokens("<a v=' x\ny\tz\r\nw&#10;'/>").all(), (Events{"S a [v= x y z w\n]", "E a [v= x y z w\n]"}));
    // A name without "=" and a quoted value is passed over, and so is a stray character.
    EXPECT_EQ(Tokens("<a b c='1' =d e=f g = \"2\" / h='3'>t</a>").all(),
              (Events{"S a [c=1] [g=2] [h=3]", "T t", "E a"}));
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
    // A ">" inside a comment or an instruction does not end it; one inside a text joins the
    // text on both sides of it.
    EXPECT_EQ(Tokens("<!-- <a> -> b --><?pi a>b? ?><c>x<!-- <d/> -->y<?pi <e/>?>z</c><!DOCTYPE x><f/><!--->-->")
                  .all(),
              (Events{"S c", "T xyz", "E c", "S f", "E f"}));
}

TEST(XMLParserTest, CDataSectionsAreText)
{
    EXPECT_EQ(Tokens("<b><![CDATA[<i>&amp;</i> ]] ]>]]> and <![CDATA[]]]]>more</b>").all(),
              (Events{"S b", "T <i>&amp;</i> ]] ]> and ]]more", "E b"}));
    EXPECT_EQ(Tokens("<b>\n <![CDATA[ x ]]></b><![CDATA['a>b']]><c/>").all(),
              (Events{"S b", "T  x ", "E b", "T 'a>b'", "S c", "E c"}));
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
    EXPECT_EQ(tokens.all(), (Events{"E BINVAL", "S FN", "T \xC3\xA9", "E FN"}));
}

TEST(XMLParserTest, ZeroBytesAndInvalidUtf8)
{
    EXPECT_EQ(Tokens(std::string("<a>x\0y</a\0>", 11), 1).all(), (Events{"S a", "T xy", "E a"}));
    EXPECT_EQ(Tokens("<a n='\xFF'>\xC3(ok\xF0\x9F\x98\x80</a>").all(),
              (Events{"S a [n=\xEF\xBF\xBD]", "T \xEF\xBF\xBD(ok\xF0\x9F\x98\x80", "E a"}));
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
