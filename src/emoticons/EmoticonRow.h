// One row of an emoticon table: the code typed in a message and the resource path of the
// picture drawn for it. Rows are built once at start and never change.
// Threading: immutable after static initialisation, so any thread may read it.
#pragma once

#include "platform/String.h"

struct EmoticonRow {
    Ixa::Base::String code;
    Ixa::Base::String picture;
};
