// list_lock: the batch tasks' one critical section. It behaves as a registered
// lock: created when the window exists, deleted when it is about to go; enter
// and leave on a lock that is not registered return at once. A thread that
// waits for it when it is deleted is released at once, without the lock.
#pragma once

namespace app {

// Returns true when the caller now holds the lock (re-entrant for its holder).
bool enter_list_lock();
void leave_list_lock();

void create_list_lock();
void delete_list_lock();

// How often the lock was created and deleted, for tests.
int list_lock_creations();
int list_lock_deletions();

// Holds list_lock for a scope; a deleted lock is simply not held.
class ListLockGuard {
  public:
    ListLockGuard() : held_(enter_list_lock()) {}
    ~ListLockGuard() {
        if (held_) leave_list_lock();
    }
    ListLockGuard(const ListLockGuard&) = delete;
    ListLockGuard& operator=(const ListLockGuard&) = delete;

  private:
    bool held_;
};

}  // namespace app
