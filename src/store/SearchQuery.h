// Turns what the user typed into a search box into a full-text MATCH expression that means
// only "messages containing words that begin like these": every word typed becomes a quoted
// phrase (a quote inside it doubled) with a prefix star, and the phrases must all match. So
// quotes, '*', '-', ':', parentheses and the words AND, OR, NOT and NEAR are searched for as
// text and can never make the expression fail to parse or change its meaning.
// Threading and ownership: a value type.
#pragma once

#include <string>

class SearchQuery {
public:
    // `typed`: UTF-8 text; words are separated by blanks.
    explicit SearchQuery(const std::string& typed);

    // True when nothing but blanks was typed; such a query is not run.
    bool IsEmpty() const;
    // The MATCH expression, UTF-8.
    const std::string& GetExpression() const;

private:
    void AddWord(const std::string& word);

    std::string expression_;
};
