#include "store/SearchQuery.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

SearchQuery::SearchQuery(const std::string& typed)
{
    std::string word;
    for (char c : typed) {
        if (!IsBlank(c)) {
            word += c;
            continue;
        }
        AddWord(word);
        word.clear();
    }
    AddWord(word);
}

bool SearchQuery::IsEmpty() const { return expression_.empty(); }

const std::string& SearchQuery::GetExpression() const { return expression_; }

// A quoted phrase whose words are separated the way the index separates them, so a typed
// "don't" or "a-b" finds the words in sequence.
void SearchQuery::AddWord(const std::string& word)
{
    if (word.empty()) {
        return;
    }
    if (!expression_.empty()) {
        expression_ += ' ';
    }
    expression_ += '"';
    for (char c : word) {
        expression_ += c;
        if (c == '"') {
            expression_ += '"';
        }
    }
    expression_ += "\"*";
}
