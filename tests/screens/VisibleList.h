// The first list view on screen, and its rows as a user reads them: each row's texts joined
// with " | ". Threading: the test's main thread (the user-interface thread).
#pragma once

#include "platform/ListView.h"

#include <string>
#include <vector>

// Null when no list view is on screen.
Ixa::Ui::Controls::ListView* VisibleList();
std::vector<std::string> VisibleListRows();
