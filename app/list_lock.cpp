#include "app/list_lock.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace app {

namespace {

// Lives for the whole process, so a late enter or leave never meets freed memory.
struct RegisteredLock {
    std::mutex mutex;
    std::condition_variable released;
    bool registered = false;
    std::thread::id owner;
    int depth = 0;
    int creations = 0;
    int deletions = 0;
};

RegisteredLock& lock_state() {
    static RegisteredLock* state = new RegisteredLock;  // never destroyed: tasks may outlive main
    return *state;
}

}  // namespace

bool enter_list_lock() {
    RegisteredLock& s = lock_state();
    std::unique_lock guard(s.mutex);
    const auto me = std::this_thread::get_id();
    s.released.wait(guard, [&] { return !s.registered || s.depth == 0 || s.owner == me; });
    if (!s.registered) return false;
    s.owner = me;
    ++s.depth;
    return true;
}

void leave_list_lock() {
    RegisteredLock& s = lock_state();
    std::lock_guard guard(s.mutex);
    if (!s.registered || s.depth == 0 || s.owner != std::this_thread::get_id()) return;
    if (--s.depth == 0) {
        s.owner = {};
        s.released.notify_one();
    }
}

void create_list_lock() {
    RegisteredLock& s = lock_state();
    std::lock_guard guard(s.mutex);
    s.registered = true;
    s.depth = 0;
    s.owner = {};
    ++s.creations;
}

void delete_list_lock() {
    RegisteredLock& s = lock_state();
    {
        std::lock_guard guard(s.mutex);
        if (!s.registered) return;
        s.registered = false;
        s.depth = 0;
        s.owner = {};
        ++s.deletions;
    }
    s.released.notify_all();
}

int list_lock_creations() {
    std::lock_guard guard(lock_state().mutex);
    return lock_state().creations;
}

int list_lock_deletions() {
    std::lock_guard guard(lock_state().mutex);
    return lock_state().deletions;
}

}  // namespace app
