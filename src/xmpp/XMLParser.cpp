#include "xmpp/XMLParser.h"

#include "net/IMSocketInputStream.h"
#include "platform/Utf8Codec.h"
#include "xmpp/XMLReader.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

constexpr std::size_t KEPT_CAPACITY = 64 * 1024;

int lower(int value) { return value >= 'A' && value <= 'Z' ? value + ('a' - 'A') : value; }

// `expected` is a NUL-terminated ASCII name.
bool sameIgnoringCase(const char* bytes, std::size_t length, const char* expected)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (expected[i] == '\0' ||
            lower(static_cast<unsigned char>(bytes[i])) != lower(static_cast<unsigned char>(expected[i]))) {
            return false;
        }
    }
    return expected[length] == '\0';
}

bool sameBytes(const char* bytes, std::size_t length, const char* expected)
{
    return std::strncmp(bytes, expected, length) == 0 && expected[length] == '\0';
}

// Buffers that grew beyond KEPT_CAPACITY for one huge token are given back afterwards; the
// contents stay (an empty element's name and attributes are still read at its end).
inline void release(std::string& buffer)
{
    if (buffer.capacity() > KEPT_CAPACITY && buffer.size() <= KEPT_CAPACITY) {
        buffer.shrink_to_fit();
    }
}

bool isWhitespace(int value) { return value != -1 && value <= ' '; }

bool endsName(int value) { return value <= ' ' || value == '/' || value == '>' || value == '='; }

bool isReferenceChar(int value)
{
    return (value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z') || (value >= '0' && value <= '9') ||
           value == '#';
}

bool isXmlChar(char32_t value)
{
    return value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value <= 0xD7FF) ||
           (value >= 0xE000 && value <= 0xFFFD) || (value >= 0x10000 && value <= 0x10FFFF);
}

int digitValue(char digit, int base)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    int letter = lower(static_cast<unsigned char>(digit));
    return base == 16 && letter >= 'a' && letter <= 'f' ? letter - 'a' + 10 : -1;
}

// The character of a numeric reference's body ("233", "x1F600"): false when it is no number;
// U+FFFD for a character that XML does not allow (a zero, a surrogate, beyond U+10FFFF).
bool numericCharacter(const char* body, std::size_t length, char32_t& character)
{
    int base = length > 0 && (body[0] == 'x' || body[0] == 'X') ? 16 : 10;
    std::size_t first = base == 16 ? 1 : 0;
    if (first == length) {
        return false;
    }
    char32_t value = 0;
    for (std::size_t i = first; i < length; ++i) {
        int digit = digitValue(body[i], base);
        if (digit < 0) {
            return false;
        }
        value = std::min<char32_t>(value * static_cast<char32_t>(base) + static_cast<char32_t>(digit), 0x110000);
    }
    character = isXmlChar(value) ? value : char32_t{0xFFFD};
    return true;
}

char32_t namedCharacter(const char* name, std::size_t length)
{
    static const struct {
        const char* name;
        char32_t character;
    } NAMED[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entry : NAMED) {
        if (sameIgnoringCase(name, length, entry.name)) {
            return entry.character;
        }
    }
    return 0;
}

// Appends the UTF-8 bytes of the character that a reference's body (between "&" and ";")
// stands for; false when it stands for none.
bool appendReference(const char* body, std::size_t length, std::string& out)
{
    char32_t character = 0;
    if (length > 0 && body[0] == '#') {
        if (!numericCharacter(body + 1, length - 1, character)) {
            return false;
        }
    } else if ((character = namedCharacter(body, length)) == 0) {
        return false;
    }
    Ixa::Utf8Codec::AppendCodePointUtf8(character, out);
    return true;
}

// The longest reference body looked at: "#x" and a code point with a few leading zeros.
constexpr std::size_t MAX_REFERENCE = 16;

}  // namespace

XMLParser::XMLParser(IMSocketInputStream* input, XMLReader* reader) : input_(input), reader_(reader)
{
    name_.reserve(64);
    text_.reserve(256);
    attributeBytes_.reserve(256);
}

XMLParser::~XMLParser() { delete nameString_; }

int XMLParser::getEventType() const { return eventType_; }

int XMLParser::getDepth() const { return depth_; }

bool XMLParser::hasOverflowed() const { return overflowed_; }

void XMLParser::beginStanza()
{
    if (!overflowed_) {
        budget_ = STANZA_LIMIT;
    }
}

// The per-byte path: the running flag, the byte allowance and the stream's own fast path.
inline int XMLParser::readNextChar()
{
    if (budget_ > 0 && reader_->isReaderThreadRunning()) {
        --budget_;
        current_ = input_->read();
        return current_;
    }
    if (budget_ <= 0) {
        overflowed_ = true;
    }
    current_ = -1;
    return current_;
}

void XMLParser::ignoreWhitespace()
{
    while (isWhitespace(current_)) {
        readNextChar();
    }
}

// Appends an element or attribute name from `current_` on, up to white space, "/", ">" or "=".
void XMLParser::readName(std::string& out)
{
    while (!endsName(current_)) {
        out.push_back(static_cast<char>(current_));
        readNextChar();
    }
}

// Appends a value from `current_` (the byte after the opening quote) up to the closing quote.
void XMLParser::readAttributeValue(int quote, std::string& out)
{
    for (;;) {
        int value = current_;
        if (value == quote || value == -1) {
            return;
        }
        if (value == '&') {
            parseXMLChar(out);
            continue;
        }
        if (value == '\r') {
            out.push_back(' ');
            if (readNextChar() == '\n') {
                readNextChar();
            }
            continue;
        }
        out.push_back(value == '\n' || value == '\t' ? ' ' : static_cast<char>(value));
        readNextChar();
    }
}

// Reads one attribute from `current_`, which is inside a start tag and neither white space,
// "/", ">" nor the end. A name without "=" and a quoted value is dropped; every call reads at
// least one byte.
void XMLParser::setAttributes()
{
    std::size_t nameStart = attributeBytes_.size();
    readName(attributeBytes_);
    std::size_t nameLength = attributeBytes_.size() - nameStart;
    if (nameLength == 0) {
        readNextChar();
        return;
    }
    ignoreWhitespace();
    int quote = -1;
    if (current_ == '=') {
        readNextChar();
        ignoreWhitespace();
        quote = current_;
    }
    if (quote != '\'' && quote != '"') {
        attributeBytes_.resize(nameStart);
        return;
    }
    readNextChar();
    std::size_t valueStart = attributeBytes_.size();
    readAttributeValue(quote, attributeBytes_);
    attributes_.push_back({nameStart, nameLength, valueStart, attributeBytes_.size() - valueStart});
    readNextChar();
}

// Called with `current_` at "&". A reference is resolved and `current_` ends on the byte
// after its ";". Anything else stays as it was written, and scanning goes on from the byte
// that showed it was no reference.
void XMLParser::parseXMLChar(std::string& out)
{
    char body[MAX_REFERENCE];
    std::size_t length = 0;
    while (isReferenceChar(readNextChar()) && length < MAX_REFERENCE) {
        body[length++] = static_cast<char>(current_);
    }
    if (current_ == ';' && appendReference(body, length, out)) {
        readNextChar();
        return;
    }
    out.push_back('&');
    out.append(body, length);
}

// Called with `current_` at the "!" or "?" after a "<". Skips a comment, a processing
// instruction or a declaration, leaving `current_` at its closing ">"; answers true instead
// when a CDATA section begins, with `current_` at the "[" before its text.
bool XMLParser::ignoreXmlData()
{
    if (current_ == '?') {
        skipUntil("?>");
        return false;
    }
    readNextChar();
    if (current_ == '-' && readNextChar() == '-') {
        skipUntil("-->");
        return false;
    }
    if (current_ == '[') {
        const char* opening = "CDATA[";
        while (*opening != '\0' && readNextChar() == *opening) {
            ++opening;
        }
        if (*opening == '\0') {
            return true;
        }
    }
    while (current_ != '>' && current_ != -1) {
        readNextChar();
    }
    return false;
}

// Reads on past `closing`, one or more of the same mark followed by ">" ("-->", "?>").
void XMLParser::skipUntil(const char* closing)
{
    std::size_t marks = std::strlen(closing) - 1;
    std::size_t run = 0;
    while (readNextChar() != -1) {
        if (current_ == '>' && run >= marks) {
            return;
        }
        run = current_ == closing[0] ? run + 1 : 0;
    }
}

// Appends a CDATA section's text, as it is, up to its "]]>"; `current_` ends on the ">".
void XMLParser::readCData(std::string& out)
{
    std::size_t run = 0;
    while (readNextChar() != -1) {
        if (current_ == '>' && run >= 2) {
            out.resize(out.size() - 2);
            return;
        }
        run = current_ == ']' ? run + 1 : 0;
        out.push_back(static_cast<char>(current_));
    }
}

void XMLParser::forgetName()
{
    hasName_ = false;
    delete nameString_;
    nameString_ = nullptr;
}

void XMLParser::forgetToken()
{
    forgetName();
    hasText_ = false;
    attributes_.clear();
    attributeBytes_.clear();
}

int XMLParser::endDocument()
{
    forgetToken();
    markupOpen_ = false;
    eventType_ = END_DOCUMENT;
    return eventType_;
}

int XMLParser::next()
{
    release(name_);
    release(text_);
    release(attributeBytes_);
    if (emptyElement_) {
        emptyElement_ = false;
        return closeElement();
    }
    for (;;) {
        if (!markupOpen_) {
            readNextChar();
            ignoreWhitespace();
            if (current_ != '<') {
                return current_ == -1 ? endDocument() : readText(false);
            }
            readNextChar();
        }
        markupOpen_ = false;
        if (current_ == -1) {
            return endDocument();
        }
        if (current_ == '/') {
            return readEndTag();
        }
        if (current_ != '!' && current_ != '?') {
            return readStartTag();
        }
        if (ignoreXmlData()) {
            return readText(true);
        }
    }
}

// Called with `current_` at the first byte of the name; reads through the tag's ">". The end
// of the input inside the tag makes no tag.
int XMLParser::readStartTag()
{
    forgetToken();
    name_.clear();
    readName(name_);
    hasName_ = true;
    for (;;) {
        ignoreWhitespace();
        if (current_ == '>') {
            break;
        }
        if (current_ == -1) {
            return endDocument();
        }
        if (current_ == '/') {
            if (readNextChar() == '>') {
                emptyElement_ = true;
                break;
            }
            continue;
        }
        setAttributes();
    }
    rawNext_ = name_.size() >= 6 && name_.compare(0, 6, "BINVAL") == 0;
    depth_ = ++openElements_;
    eventType_ = START_TAG;
    return eventType_;
}

// Called with `current_` at the "/" after "<"; reads through the tag's ">".
int XMLParser::readEndTag()
{
    forgetToken();
    readNextChar();
    name_.clear();
    readName(name_);
    hasName_ = true;
    while (current_ != '>') {
        if (current_ == -1) {
            return endDocument();
        }
        readNextChar();
    }
    return closeElement();
}

int XMLParser::closeElement()
{
    rawNext_ = false;
    depth_ = openElements_;
    openElements_ = std::max(openElements_ - 1, 0);
    eventType_ = END_TAG;
    return eventType_;
}

// Reads a text from `current_` (its first byte, or the "[" of a CDATA section it begins with)
// up to the "<" of the next tag, which stays read: `markupOpen_` tells the next call.
int XMLParser::readText(bool inCData)
{
    forgetToken();
    text_.clear();
    textRaw_ = rawNext_;
    rawNext_ = false;
    if (inCData) {
        readCData(text_);
        readNextChar();
    }
    for (;;) {
        int value = current_;
        if (value == '<') {
            if (readNextChar() != '!' && current_ != '?') {
                markupOpen_ = true;
                break;
            }
            if (ignoreXmlData()) {
                readCData(text_);
            }
            readNextChar();
            continue;
        }
        if (value == -1) {
            break;
        }
        if (value == '&') {
            parseXMLChar(text_);
            continue;
        }
        if (value == '\r') {
            text_.push_back('\n');
            if (readNextChar() == '\n') {
                readNextChar();
            }
            continue;
        }
        text_.push_back(static_cast<char>(value));
        readNextChar();
    }
    hasText_ = true;
    depth_ = openElements_;
    eventType_ = TEXT;
    return eventType_;
}

// Decodes into a reused buffer, so the new string is the only allocation.
IMString* XMLParser::decode(const char* bytes, std::size_t length, bool raw)
{
    wide_.clear();
    if (raw) {
        auto first = reinterpret_cast<const unsigned char*>(bytes);
        wide_.assign(first, first + length);
    } else {
        Ixa::Utf8Codec::AppendUtf8ToUtf16(bytes, length, wide_);
    }
    auto text = new IMString();
    static_cast<Ixa::Base::String&>(*text) = Ixa::Base::String(wide_.data(), static_cast<int>(wide_.size()));
    return text;
}

IMString* XMLParser::getName()
{
    if (!hasName_) {
        return nullptr;
    }
    if (nameString_ == nullptr) {
        nameString_ = decode(name_.data(), name_.size(), false);
    }
    return nameString_;
}

IMString* XMLParser::getText()
{
    if (eventType_ != TEXT || !hasText_) {
        return nullptr;
    }
    hasText_ = false;
    return decode(text_.data(), text_.size(), textRaw_);
}

const XMLParser::Attribute* XMLParser::findAttribute(const char* name) const
{
    for (auto attribute = attributes_.rbegin(); attribute != attributes_.rend(); ++attribute) {
        if (sameBytes(attributeBytes_.data() + attribute->nameStart, attribute->nameLength, name)) {
            return &*attribute;
        }
    }
    return nullptr;
}

IMString* XMLParser::getAttribute(const char* name)
{
    const Attribute* attribute = findAttribute(name);
    if (attribute == nullptr) {
        return nullptr;
    }
    return decode(attributeBytes_.data() + attribute->valueStart, attribute->valueLength, false);
}

IMString* XMLParser::getAttribute(IMString* name)
{
    if (name == nullptr) {
        return nullptr;
    }
    std::string bytes = name->ToUtf8();
    const Attribute* attribute = findAttribute(bytes.c_str());
    if (attribute == nullptr) {
        return nullptr;
    }
    return decode(attributeBytes_.data() + attribute->valueStart, attribute->valueLength, false);
}

IMVector* XMLParser::getAttributes()
{
    auto names = new IMVector();
    std::unordered_set<std::string> seen;
    for (const Attribute& attribute : attributes_) {
        std::string name(attributeBytes_, attribute.nameStart, attribute.nameLength);
        if (seen.insert(name).second) {
            names->put(decode(name.data(), name.size(), false));
        }
    }
    return names;
}

bool XMLParser::isName(const char* name) const
{
    return hasName_ && sameIgnoringCase(name_.data(), name_.size(), name);
}

bool XMLParser::isAttribute(const char* name, const char* value) const
{
    const Attribute* attribute = findAttribute(name);
    return attribute != nullptr &&
           sameIgnoringCase(attributeBytes_.data() + attribute->valueStart, attribute->valueLength, value);
}
