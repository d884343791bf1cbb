#include "platform/DbLikeFunction.h"

#include <QList>
#include <QString>

#include <sqlite3.h>

#include <vector>

namespace Ixa::Io {

namespace {

enum class TokenKind { ANY_RUN, ONE, LITERAL };

struct Token {
    TokenKind kind;
    char32_t character;
};

std::vector<char32_t> Folded(sqlite3_value* value)
{
    auto units = static_cast<const char16_t*>(sqlite3_value_text16(value));
    int bytes = sqlite3_value_bytes16(value);
    QList<uint> codePoints = QString::fromUtf16(units, bytes / 2).toCaseFolded().toUcs4();
    return std::vector<char32_t>(codePoints.begin(), codePoints.end());
}

std::vector<Token> Tokenize(const std::vector<char32_t>& pattern, bool hasEscape, char32_t escape)
{
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char32_t c = pattern[i];
        if (hasEscape && c == escape && i + 1 < pattern.size()) {
            tokens.push_back({TokenKind::LITERAL, pattern[++i]});
        } else if (c == U'%') {
            tokens.push_back({TokenKind::ANY_RUN, c});
        } else if (c == U'_') {
            tokens.push_back({TokenKind::ONE, c});
        } else {
            tokens.push_back({TokenKind::LITERAL, c});
        }
    }
    return tokens;
}

// Wildcard matching that backtracks only to the latest "%", which is enough because a later
// "%" can absorb anything an earlier one could.
bool Matches(const std::vector<Token>& pattern, const std::vector<char32_t>& text)
{
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t runToken = pattern.size();
    std::size_t runText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p].kind == TokenKind::ANY_RUN) {
            runToken = p++;
            runText = t;
        } else if (p < pattern.size() && (pattern[p].kind == TokenKind::ONE || pattern[p].character == text[t])) {
            ++p;
            ++t;
        } else if (runToken < pattern.size()) {
            p = runToken + 1;
            t = ++runText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p].kind == TokenKind::ANY_RUN) {
        ++p;
    }
    return p == pattern.size();
}

void Like(sqlite3_context* context, int count, sqlite3_value** values)
{
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(values[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    bool hasEscape = count == 3;
    std::vector<char32_t> escape = hasEscape ? Folded(values[2]) : std::vector<char32_t>();
    if (hasEscape && escape.size() != 1) {
        sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
        return;
    }
    std::vector<Token> pattern = Tokenize(Folded(values[0]), hasEscape, hasEscape ? escape[0] : U'\0');
    sqlite3_result_int(context, Matches(pattern, Folded(values[1])) ? 1 : 0);
}

}  // namespace

int DbLikeFunction::Register(sqlite3* connection)
{
    constexpr int FLAGS = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    int code = sqlite3_create_function(connection, "like", 2, FLAGS, nullptr, Like, nullptr, nullptr);
    if (code != SQLITE_OK) {
        return code;
    }
    return sqlite3_create_function(connection, "like", 3, FLAGS, nullptr, Like, nullptr, nullptr);
}

}  // namespace Ixa::Io
