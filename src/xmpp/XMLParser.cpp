#include "xmpp/XMLParser.h"

#include "net/IMSocketInputStream.h"
#include "platform/Utf8Codec.h"
#include "xmpp/XMLReader.h"

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

}  // namespace

XMLParser::XMLParser(IMSocketInputStream* input, XMLReader* reader) : input_(input), reader_(reader)
{
    name_.reserve(64);
    text_.reserve(256);
    attributeBytes_.reserve(256);
}

XMLParser::~XMLParser() { delete nameString_; }

int XMLParser::getEventType() const { return eventType_; }

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

// Collects a token from `current_` on into `out` (appending): a start-tag name, an attribute
// name, or a text or end-tag name, each ending as its mode says. Answers whether the token
// is to be taken one character per byte (the token after a "BINVAL" token).
bool XMLParser::readName(int stopChar, Mode mode, std::string& out)
{
    ignoreWhitespace();
    std::size_t start = out.size();
    bool slashStops = mode != TEXT_MODE;
    for (;;) {
        int value = current_;
        if (value == stopChar || value == '>' || value == -1 || (slashStops && value == '/')) {
            break;
        }
        if (value == '&') {
            char resolved = 0;
            if (parseXMLChar(&resolved)) {
                out.push_back(resolved);
            }
            continue;
        }
        out.push_back(static_cast<char>(value));
        readNextChar();
    }
    std::size_t length = out.size() - start;
    if (mode == ATTRIBUTE_MODE && length == 0) {
        return false;
    }
    if (rawText_) {
        rawText_ = false;
        return true;
    }
    rawText_ = length >= 6 && out.compare(start, 6, "BINVAL") == 0;
    return false;
}

void XMLParser::readAttributeValue(int quote, std::string& out)
{
    ignoreWhitespace();
    while (current_ != quote && current_ != -1) {
        if (current_ == '&') {
            char resolved = 0;
            if (parseXMLChar(&resolved)) {
                out.push_back(resolved);
            }
            continue;
        }
        out.push_back(static_cast<char>(current_));
        readNextChar();
    }
}

bool XMLParser::setAttributes()
{
    ignoreWhitespace();
    std::size_t nameStart = attributeBytes_.size();
    readName('=', ATTRIBUTE_MODE, attributeBytes_);
    std::size_t nameLength = attributeBytes_.size() - nameStart;
    if (nameLength == 0) {
        return false;
    }
    int quote = readNextChar();
    readNextChar();
    std::size_t valueStart = attributeBytes_.size();
    readAttributeValue(quote, attributeBytes_);
    attributes_.push_back({nameStart, nameLength, valueStart, attributeBytes_.size() - valueStart});
    readNextChar();
    return true;
}

// Called with `current_` at "&". On a match, `current_` ends on the character after the ";".
bool XMLParser::parseXMLChar(char* out)
{
    int first = lower(readNextChar());
    int second = lower(readNextChar());
    int third = -1;
    int fourth = -1;
    if (first == 'a' || first == 'q' || first == '#') {
        third = lower(readNextChar());
    }
    if (first == 'q') {
        fourth = lower(readNextChar());
    }
    char resolved = 0;
    if (first == 'a' && second == 'm' && third == 'p') {
        resolved = '&';
    } else if (first == 'q' && second == 'u' && third == 'o' && fourth == 't') {
        resolved = '"';
    } else if (first == '#' && second == '3' && third == '9') {
        resolved = '\'';
    } else if (first == 'a' && second == 'p' && third == 'o') {
        resolved = lower(readNextChar()) == 's' ? '\'' : 0;
    } else if (first == 'l' && second == 't') {
        resolved = '<';
    } else if (first == 'g' && second == 't') {
        resolved = '>';
    }
    if (resolved == 0) {
        return false;
    }
    readNextChar();
    readNextChar();
    *out = resolved;
    return true;
}

// Skips "<?...>" and "<!...>" up to the first ">"; inside "<![", a name up to "[" and a
// quoted stretch after it are read and dropped.
void XMLParser::ignoreXmlData()
{
    int previous = current_;
    while (current_ != '>' && current_ != -1) {
        readNextChar();
        if (previous == '!' && current_ == '[') {
            skipBracketedData();
        }
        previous = current_;
    }
}

void XMLParser::skipBracketedData()
{
    readNextChar();
    scratch_.clear();
    readName('[', TEXT_MODE, scratch_);
    int quote = readNextChar();
    readNextChar();
    scratch_.clear();
    readAttributeValue(quote, scratch_);
    scratch_.clear();
    release(scratch_);
}

void XMLParser::forgetName()
{
    hasName_ = false;
    delete nameString_;
    nameString_ = nullptr;
}

void XMLParser::beginMarkup()
{
    inTag_ = true;
    forgetName();
    hasText_ = false;
    attributes_.clear();
    attributeBytes_.clear();
}

int XMLParser::next()
{
    release(name_);
    release(text_);
    release(attributeBytes_);
    for (;;) {
        readNextChar();
        ignoreWhitespace();
        if (current_ == -1) {
            eventType_ = END_DOCUMENT;
            return eventType_;
        }
        if (current_ == '>' && inTag_) {
            inTag_ = false;
            eventType_ = END_TAG;
            return eventType_;
        }
        if (current_ == '<') {
            beginMarkup();
            readNextChar();
            if (current_ == '!' || current_ == '?') {
                ignoreXmlData();
                continue;
            }
            if (current_ == '/') {
                readNextChar();
                name_.clear();
                readName('>', TEXT_MODE, name_);
                hasName_ = true;
                eventType_ = END_TAG;
                return eventType_;
            }
            return readStartTag();
        }
        if (current_ == '/' && !inTag_) {
            beginMarkup();
        }
        return readText();
    }
}

int XMLParser::readStartTag()
{
    eventType_ = START_TAG;
    name_.clear();
    readName(' ', START_TAG_MODE, name_);
    hasName_ = true;
    while (current_ == ' ') {
        setAttributes();
    }
    if (current_ != '/') {
        inTag_ = false;
    }
    return eventType_;
}

int XMLParser::readText()
{
    eventType_ = TEXT;
    forgetName();
    attributes_.clear();
    attributeBytes_.clear();
    text_.clear();
    textRaw_ = readName('<', TEXT_MODE, text_);
    hasText_ = true;
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

bool XMLParser::isClosingText(const char* name) const
{
    return eventType_ == TEXT && hasText_ && !text_.empty() && text_[0] == '/' &&
           sameIgnoringCase(text_.data() + 1, text_.size() - 1, name);
}

bool XMLParser::isAttribute(const char* name, const char* value) const
{
    const Attribute* attribute = findAttribute(name);
    return attribute != nullptr &&
           sameIgnoringCase(attributeBytes_.data() + attribute->valueStart, attribute->valueLength, value);
}
