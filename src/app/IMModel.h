// The base of every store model: it keeps, per model name, the screens that currently show
// the model's data, and tells them when the data change. Models of the same name share one
// subscriber list.
//
// A subscriber implements IMModel::View. Calls to views run under the models' one call lock,
// which unsubscribe takes too, and under no lock of the application's: a worker thread that
// changes a model never waits for the user-interface thread, so a view only hands the update
// over and returns at once.
//
// Defined in this header alone: the stores below the application core derive from it, and
// the application core links the stores, so a compiled part here would make a link cycle.
//
// Threading: notify runs on whatever thread changed the model; views must not touch controls
// there. Subscriptions may change on any thread: the lists are guarded, and once unsubscribe
// has returned, the view is not in a call and is not called again. Ownership: views are
// borrowed.
#pragma once

#include "foundation/IMString.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class IMModel {
public:
    class View {
    public:
        virtual ~View() = default;
        virtual void onModelUpdate(IMModel* model, void* data) = 0;
    };

    virtual ~IMModel() = default;

    virtual IMString getModelName() const = 0;

    // Tells every subscribed view, in subscription order; true when at least one was called.
    virtual bool notify(void* data)
    {
        bool called = false;
        for (std::size_t position = 0;; ++position) {
            std::lock_guard<std::recursive_mutex> call(callLock);
            View* view = ViewAt(position);
            if (view == nullptr) {
                return called;
            }
            view->onModelUpdate(this, data);
            called = true;
        }
    }

    // Empties every subscriber list; the application manager calls it once at start-up.
    static void initIMModel()
    {
        std::lock_guard<std::mutex> guard(viewListLock);
        viewListMap.clear();
    }

    void subscribe(View* view)
    {
        std::lock_guard<std::mutex> guard(viewListLock);
        std::vector<View*>& views = viewListMap[Key()];
        for (View* present : views) {
            if (present == view) {
                return;
            }
        }
        views.push_back(view);
    }

    // Waits for a call into the view that is under way on another thread.
    void unsubscribe(View* view)
    {
        std::lock_guard<std::recursive_mutex> call(callLock);
        std::lock_guard<std::mutex> guard(viewListLock);
        std::vector<View*>& views = viewListMap[Key()];
        for (auto it = views.begin(); it != views.end(); ++it) {
            if (*it == view) {
                views.erase(it);
                return;
            }
        }
    }

private:
    std::u16string Key() const { return std::u16string(getModelName().GetPointer()); }

    View* ViewAt(std::size_t position) const
    {
        std::lock_guard<std::mutex> guard(viewListLock);
        auto found = viewListMap.find(Key());
        if (found == viewListMap.end() || position >= found->second.size()) {
            return nullptr;
        }
        return found->second[position];
    }

    inline static std::map<std::u16string, std::vector<View*>> viewListMap;
    inline static std::mutex viewListLock;
    // Recursive: a view called on the user-interface thread may leave its models.
    inline static std::recursive_mutex callLock;
};
