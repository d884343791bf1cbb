// Finds web addresses, e-mail addresses and telephone numbers in text, for texts whose links
// are found automatically (EnrichedText elements, text boxes).
// Thread-safety: pure functions.
#pragma once

#include "platform/GraphicsTypes.h"

#include <QString>

#include <vector>

namespace Ixa::Graphics {

class LinkFinder {
public:
    struct Match {
        int start;
        int length;
        LinkType type;
        QString link;
    };

    // Non-overlapping matches of the kinds in `mask`, in text order.
    static std::vector<Match> Find(const QString& text, unsigned long mask);
};

}  // namespace Ixa::Graphics
