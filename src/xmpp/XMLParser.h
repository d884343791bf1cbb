// The pull tokenizer over the server's stream. It reads one byte at a time from the socket
// input stream, with no look-ahead of its own, and produces start tags, end tags, texts and
// the end of the document. It keeps the habits the stanza readers are written for: leading
// white space of a text is dropped; the "<" that ends a text belongs to it, so a closing tag
// right after text arrives as a text "/name"; the ">" of an empty-element tag arrives as an
// end tag with the start tag's name and attributes still readable; six entity references are
// resolved, in any letter case, and any other loses its "&" and the letters its match read;
// comments, declarations and processing instructions are skipped; the text after a "BINVAL"
// tag (a Base64 picture) is taken one character per byte without UTF-8 decoding.
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

    // The current tag's name equals `name`, ignoring ASCII letter case.
    bool isName(const char* name) const;
    // The current event is a text "/" followed by `name` (a closing tag right after text).
    bool isClosingText(const char* name) const;
    // The attribute is present and its value equals `value`, ignoring ASCII letter case.
    bool isAttribute(const char* name, const char* value) const;
    // Starts a new allowance of STANZA_LIMIT bytes.
    void beginStanza();
    bool hasOverflowed() const;

private:
    enum Mode { TEXT_MODE = 0, ATTRIBUTE_MODE = 1, START_TAG_MODE = 2 };

    struct Attribute {
        std::size_t nameStart;
        std::size_t nameLength;
        std::size_t valueStart;
        std::size_t valueLength;
    };

    int readNextChar();
    void ignoreWhitespace();
    bool readName(int stopChar, Mode mode, std::string& out);
    void readAttributeValue(int quote, std::string& out);
    bool setAttributes();
    bool parseXMLChar(char* out);
    void ignoreXmlData();
    void skipBracketedData();
    void beginMarkup();
    void forgetName();
    int readStartTag();
    int readText();
    const Attribute* findAttribute(const char* name) const;
    IMString* decode(const char* bytes, std::size_t length, bool raw);

    IMSocketInputStream* input_;
    XMLReader* reader_;
    int current_ = 0;
    int eventType_ = 0;
    bool inTag_ = false;
    bool rawText_ = false;
    bool overflowed_ = false;
    long budget_ = STANZA_LIMIT;

    std::string name_;
    bool hasName_ = false;
    IMString* nameString_ = nullptr;

    std::string text_;
    bool hasText_ = false;
    bool textRaw_ = false;

    std::string attributeBytes_;
    std::vector<Attribute> attributes_;
    std::string scratch_;
    std::u16string wide_;
};
