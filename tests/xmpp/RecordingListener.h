// A listener that records every reader event in order and owns the objects it was given,
// deleting them with itself. Thread-safety: onEvent may come from the reader thread while
// the test thread waits; the test reads the record once the reader has finished.
#pragma once

#include "xmpp/XMPPListener.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingListener : public XMPPListener {
public:
    struct Event {
        int code;
        Ixa::Base::Object* object;
    };

    RecordingListener();
    ~RecordingListener() override;

    RecordingListener(const RecordingListener&) = delete;
    RecordingListener& operator=(const RecordingListener&) = delete;

    void onEvent(Ixa::Base::Object* object, int event) override;

    std::vector<int> codes() const;
    // Every event on one line: its code and the fields of its object, so that two runs over
    // the same bytes can be compared whole.
    std::string describe() const;
    std::size_t count() const;
    // The object of the index-th event as a T, or null when it is something else.
    template <typename T>
    T* object(std::size_t index) const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return index < events_.size() ? dynamic_cast<T*>(events_[index].object) : nullptr;
    }
    // The object of the first event with `code`, as a T.
    template <typename T>
    T* first(int code) const
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (const Event& event : events_) {
            if (event.code == code) {
                return dynamic_cast<T*>(event.object);
            }
        }
        return nullptr;
    }

private:
    mutable std::mutex lock_;
    std::vector<Event> events_;
};
