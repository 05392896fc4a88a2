#include "sys/threading/Thread.hpp"

#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"

#include <system_error>

namespace sys::threading {

Thread::~Thread() {
    join();
}

void Thread::start() {
    try {
        thread_ = std::thread([this] {
            // An exception must not unwind out of the thread routine: that ends the process.
            // Work that reports its own failures catches them before they get here.
            try {
                run();
            } catch (...) {
                err::reportCurrentException("sys::threading::Thread");
            }
        });
    } catch (const std::system_error& e) {
        throw err::SystemException(err::postconditionMessage("sys::threading::ThreadHandle::ThreadHandle", "handle!=0"),
                                   static_cast<unsigned long>(e.code().value()));
    }
}

void Thread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace sys::threading
