#include "foundation/IMDateTime.h"

IMDateTime::IMDateTime() = default;

IMDateTime::IMDateTime(const IMDateTime& other) = default;

IMDateTime::~IMDateTime() = default;

IMDateTime& IMDateTime::operator=(const IMDateTime& other) = default;
