// The program's name for the platform enumerator interface. Thread-safety: none.
#pragma once

#include "platform/IEnumerator.h"

class IMEnumerator : public Ixa::Base::Collection::IEnumerator {};
