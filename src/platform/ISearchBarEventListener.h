// Told when a search bar enters or leaves input mode.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/ControlsTypes.h"

namespace Ixa::Ui::Controls {

class SearchBar;

class ISearchBarEventListener {
public:
    virtual ~ISearchBarEventListener() = default;
    // The user entered input mode (tapped the bar) or left it (its cancel button).
    virtual void OnSearchBarModeChanged(SearchBar& source, SearchBarMode mode) = 0;
};

}  // namespace Ixa::Ui::Controls
