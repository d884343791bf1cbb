#include "platform/Number.h"

namespace Ixa::Base {

result ParseDecimalText(const String& text, long long minimum, long long maximum, long long& value)
{
    int length = text.GetLength();
    const char16_t* units = text.GetPointer();
    int position = 0;
    bool negative = length > 0 && units[0] == u'-';
    if (length > 0 && (units[0] == u'-' || units[0] == u'+')) {
        position = 1;
    }
    if (position == length) {
        return E_INVALID_FORMAT;
    }
    unsigned long long magnitude = 0;
    unsigned long long bound = negative ? 0ULL - static_cast<unsigned long long>(minimum)
                                        : static_cast<unsigned long long>(maximum);
    for (; position < length; ++position) {
        char16_t unit = units[position];
        if (unit < u'0' || unit > u'9') {
            return E_INVALID_FORMAT;
        }
        magnitude = magnitude * 10 + static_cast<unsigned long long>(unit - u'0');
        if (magnitude > bound) {
            return E_OUT_OF_RANGE;
        }
    }
    value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
    return E_SUCCESS;
}

}  // namespace Ixa::Base
