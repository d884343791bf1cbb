// What the seven store models share: one process-wide instance per model class, its table
// (opened when the model is created), and the model's lock, which every table call holds so
// that the user-interface thread and the response thread never use a table at once.
//
// Batches: BeginBatch holds the lock and opens a transaction until EndBatch, so that many
// writes (a whole roster, a list of received messages) cost one commit; writes of the same
// thread inside the batch join it, other threads wait for its end. Every successful
// BeginBatch must be followed by one EndBatch on the same thread.
//
// Threading: GetInstance and every operation are safe from any thread. Ownership: the
// instance belongs to whoever deletes it (the application at termination); deleting it
// closes the table and lets GetInstance create a fresh one.
#pragma once

#include "app/IMModel.h"
#include "foundation/IMMutex.h"

#include <atomic>
#include <mutex>

template <typename Model, typename Table>
class StoreModel : public IMModel {
public:
    static Model* GetInstance()
    {
        std::lock_guard<std::mutex> guard(instanceLock);
        if (instance == nullptr) {
            instance = new Model();
        }
        return instance;
    }

    // Whether the model's table is open.
    bool CheckOpenDB() const
    {
        return Locked(false, [](Table& opened) { return opened.IsOpened(); });
    }

    bool BeginBatch()
    {
        if (!dbLockOK.load() || table == nullptr) {
            return false;
        }
        dbSyncLock->Acquire();
        if (!table->BeginTransaction()) {
            dbSyncLock->Release();
            return false;
        }
        return true;
    }

    // Commits the batch (rolled back when the commit fails) and releases the lock.
    bool EndBatch()
    {
        bool committed = table->CommitTransaction();
        dbSyncLock->Release();
        return committed;
    }

protected:
    StoreModel()
    {
        table = new Table();
        auto lock = new IMMutex();
        if (Ixa::IsSucceeded(lock->Create())) {
            dbSyncLock = lock;
            dbLockOK.store(true);
        } else {
            delete lock;
        }
    }

    ~StoreModel() override
    {
        std::lock_guard<std::mutex> guard(instanceLock);
        delete table;
        table = nullptr;
        delete dbSyncLock;
        dbSyncLock = nullptr;
        dbLockOK.store(false);
        instance = nullptr;
    }

    // `call(table)` under the model's lock; `fallback` when the lock or the table is missing.
    template <typename Result, typename Call>
    static Result Locked(Result fallback, Call call)
    {
        if (!dbLockOK.load() || table == nullptr) {
            return fallback;
        }
        dbSyncLock->Acquire();
        Result answer = call(*table);
        dbSyncLock->Release();
        return answer;
    }

    // Locked, but `fallback` at once when `key` (a user id, group id or conversation key) is
    // empty.
    template <typename Result, typename Call>
    static Result LockedFor(const Ixa::Base::String& key, Result fallback, Call call)
    {
        return key.IsEmpty() ? fallback : Locked(fallback, call);
    }

    inline static Model* instance = nullptr;
    inline static Table* table = nullptr;
    inline static IMMutex* dbSyncLock = nullptr;
    inline static std::atomic<bool> dbLockOK{false};

private:
    inline static std::mutex instanceLock;
};
