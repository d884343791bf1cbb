#include "foundation/IMByteBuffer.h"

IMByteBuffer::IMByteBuffer() = default;

IMByteBuffer::~IMByteBuffer() = default;
