// The program's UTF-8 converter, used to turn received bytes into strings; the platform
// converter as is. Thread-safety: stateless.
#pragma once

#include "platform/Utf8Encoding.h"

class IMUtf8Encoding : public Ixa::Text::Utf8Encoding {
public:
    IMUtf8Encoding();
    ~IMUtf8Encoding() override;
};
