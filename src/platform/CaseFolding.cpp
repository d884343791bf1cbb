#include "platform/CaseFolding.h"

#include <QChar>

#include <string>

namespace Ixa::Base {

// Simple folding keeps a character within its plane; the checks hold the length regardless.
String CaseFolding::Fold(const String& text)
{
    std::u16string units(text.GetPointer(), static_cast<std::size_t>(text.GetLength()));
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (QChar::isHighSurrogate(units[i]) && i + 1 < units.size() && QChar::isLowSurrogate(units[i + 1])) {
            const char32_t fold = QChar::toCaseFolded(QChar::surrogateToUcs4(units[i], units[i + 1]));
            if (QChar::requiresSurrogates(fold)) {
                units[i] = QChar::highSurrogate(fold);
                units[i + 1] = QChar::lowSurrogate(fold);
            }
            ++i;
        } else if (const char32_t fold = QChar::toCaseFolded(char32_t(units[i])); !QChar::requiresSurrogates(fold)) {
            units[i] = static_cast<char16_t>(fold);
        }
    }
    return String(units.data(), static_cast<int>(units.size()));
}

}  // namespace Ixa::Base
