#include "foundation/IMUtf8Encoding.h"

IMUtf8Encoding::IMUtf8Encoding() = default;

IMUtf8Encoding::~IMUtf8Encoding() = default;
