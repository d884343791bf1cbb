// The pull tokenizer over the server's stream. It reads one byte at a time from the socket
// input stream, with no look-ahead of its own beyond the byte after a text's "<", and produces
// start tags, end tags, texts and the end of the document. It reads any well-formed XML a
// server sends: white space of any kind around "=" and between attributes, either quote,
// ">" in text and in attribute values, the five named references (in any letter case) and
// decimal and hexadecimal character references (a character that XML does not allow becomes
// U+FFFD; a reference that resolves to nothing stays in the text as it was written), CDATA
// sections (their text joins the text around them), and comments, processing instructions
// and declarations, which are skipped. Line ends become "\n"; in attribute values every
// literal white-space character becomes a space.
//
// Habits the stanza readers are written for: leading white space of a text is dropped, so
// white space between tags makes no event; the ">" of an empty-element tag arrives as an end
// tag with the start tag's name and attributes still readable; getDepth() tells how deep the
// current element is, so a reader finds its own end tag and its own children; the text right
// after a "BINVAL" start tag (a Base64 picture) is taken one character per byte without
// UTF-8 decoding. Input that is not well-formed never stops the tokenizer: a stray character
// inside a tag, an attribute without a quoted value, an unknown reference are passed over.
//
// Tokens are collected as bytes in buffers that the parser reuses and that grow
// geometrically; names, texts and attribute values become strings only when asked for.
// Memory is bounded: reading more than STANZA_LIMIT bytes between two beginStanza() calls
// (one huge token, or one stanza of many) ends the input for good: every later event is
// the end of the document, and hasOverflowed() turns true.
//
// Threading and ownership: used by the reader thread alone. The parser borrows the input
// stream and the reader (whose running flag it checks before each byte). getName() lends;
// getText(), getAttribute() and getAttributes() hand new objects to the caller.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"

#include <cstddef>
#include <string>
#include <vector>

class IMSocketInputStream;
class XMLReader;

class XMLParser {
public:
    static constexpr int END_DOCUMENT = 1;
    static constexpr int START_TAG = 2;
    static constexpr int END_TAG = 3;
    static constexpr int TEXT = 4;

    static constexpr long STANZA_LIMIT = 8L * 1024L * 1024L;

    XMLParser(IMSocketInputStream* input, XMLReader* reader);
    ~XMLParser();

    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    // Advances to the next event and returns its code.
    int next();
    int getEventType() const;
    // The element name of the current tag (lent, valid until the next event), or null.
    IMString* getName();
    // The text of the current text event, handed to the caller; null on other events and
    // once taken.
    IMString* getText();
    // The names of the current attributes, each once, as a new vector of new strings; the
    // caller deletes the strings and the vector.
    IMVector* getAttributes();
    // A new copy of the attribute's value, or null; names are matched exactly, and the last
    // of repeated attributes wins.
    IMString* getAttribute(IMString* name);
    IMString* getAttribute(const char* name);

    // The number of elements open around the current event, the current tag's own element
    // included: 1 for the document's root, the same for a start tag and its end tag.
    int getDepth() const;
    // The current tag's name equals `name`, ignoring ASCII letter case.
    bool isName(const char* name) const;
    // The attribute is present and its value equals `value`, ignoring ASCII letter case.
    bool isAttribute(const char* name, const char* value) const;
    // Starts a new allowance of STANZA_LIMIT bytes.
    void beginStanza();
    bool hasOverflowed() const;

private:
    struct Attribute {
        std::size_t nameStart;
        std::size_t nameLength;
        std::size_t valueStart;
        std::size_t valueLength;
    };

    int readNextChar();
    void ignoreWhitespace();
    void readName(std::string& out);
    void readAttributeValue(int quote, std::string& out);
    void setAttributes();
    void parseXMLChar(std::string& out);
    bool ignoreXmlData();
    void skipUntil(const char* closing);
    void readCData(std::string& out);
    void forgetName();
    void forgetToken();
    int endDocument();
    int readStartTag();
    int readEndTag();
    int closeElement();
    int readText(bool inCData);
    const Attribute* findAttribute(const char* name) const;
    IMString* decode(const char* bytes, std::size_t length, bool raw);

    IMSocketInputStream* input_;
    XMLReader* reader_;
    int current_ = 0;
    int eventType_ = 0;
    // The "<" of the next markup has been read and `current_` holds the byte after it.
    bool markupOpen_ = false;
    // The last start tag was an empty-element tag: its end tag is the next event.
    bool emptyElement_ = false;
    // The last start tag was "BINVAL": the text right after it is raw.
    bool rawNext_ = false;
    bool overflowed_ = false;
    long budget_ = STANZA_LIMIT;
    int openElements_ = 0;
    int depth_ = 0;

    std::string name_;
    bool hasName_ = false;
    IMString* nameString_ = nullptr;

    std::string text_;
    bool hasText_ = false;
    bool textRaw_ = false;

    std::string attributeBytes_;
    std::vector<Attribute> attributes_;
    std::u16string wide_;
};
