#pragma once

#include <thread>

namespace sys::threading {

// A thread whose body is the object's run(). The thread is created by start(), not by the
// constructor, so a derived object is complete before its body can run.
class Thread {
public:
    Thread() = default;
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Throws err::SystemException when the system cannot create the thread.
    void start();
    // Waits for run() to return.
    void join();

protected:
    virtual void run() = 0;

private:
    std::thread thread_;
};

}  // namespace sys::threading
