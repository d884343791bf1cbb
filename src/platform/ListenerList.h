// The borrowed listeners of one kind that a control tells about its events. Notify works on a
// copy, so a listener may add or remove listeners (itself included) while it is being told.
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include <algorithm>
#include <vector>

namespace Ixa::Ui {

template <typename Listener>
class ListenerList {
public:
    void Add(Listener& listener)
    {
        if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
            listeners_.push_back(&listener);
    }
    void Remove(Listener& listener) { std::erase(listeners_, &listener); }
    bool IsEmpty() const { return listeners_.empty(); }

    template <typename Call>
    void Notify(Call call) const
    {
        const std::vector<Listener*> snapshot = listeners_;
        for (Listener* listener : snapshot)
            call(*listener);
    }

    std::vector<Listener*>& Items() { return listeners_; }

private:
    std::vector<Listener*> listeners_;
};

}  // namespace Ixa::Ui
