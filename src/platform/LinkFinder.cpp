#include "platform/LinkFinder.h"

#include <QRegularExpression>

#include <algorithm>

namespace Ixa::Graphics {

namespace {

void Collect(const QString& text, const QRegularExpression& pattern, LinkType type,
    std::vector<LinkFinder::Match>& matches)
{
    QRegularExpressionMatchIterator found = pattern.globalMatch(text);
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        matches.push_back({static_cast<int>(match.capturedStart()),
            static_cast<int>(match.capturedLength()), type, match.captured()});
    }
}

}  // namespace

std::vector<LinkFinder::Match> LinkFinder::Find(const QString& text, unsigned long mask)
{
    static const QRegularExpression email(QStringLiteral(R"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})"));
    static const QRegularExpression url(
        QStringLiteral(R"((?:https?://|www\.)[^\s<>"]+[^\s<>".,;:!?)])"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tel(QStringLiteral(R"(\+?\d[\d -]{5,}\d)"));
    std::vector<Match> candidates;
    if ((mask & LINK_TYPE_EMAIL) != 0)
        Collect(text, email, LINK_TYPE_EMAIL, candidates);
    if ((mask & LINK_TYPE_URL) != 0)
        Collect(text, url, LINK_TYPE_URL, candidates);
    if ((mask & LINK_TYPE_TEL) != 0)
        Collect(text, tel, LINK_TYPE_TEL, candidates);
    std::stable_sort(candidates.begin(), candidates.end(),
        [](const Match& a, const Match& b) { return a.start < b.start; });
    std::vector<Match> matches;
    int end = 0;
    for (const Match& candidate : candidates) {
        if (candidate.start < end)
            continue;
        matches.push_back(candidate);
        end = candidate.start + candidate.length;
    }
    return matches;
}

}  // namespace Ixa::Graphics
