#include "err/ErrorReport.hpp"

#include "sys/platform/Platform.hpp"

#if defined(__GNUC__)
#include <cxxabi.h>
#endif

#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <typeinfo>
#include <utility>

namespace err {

namespace {

std::string readableTypeName(const std::type_info& type) {
#if defined(__GNUC__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    if (status == 0 && demangled) {
        return demangled.get();
    }
#endif
    // Other compilers name types readably already.
    return type.name();
}

// Reports may come from any thread: the presenter is swapped and copied under one lock and
// called outside it, so a presenter that reports again cannot deadlock.
std::mutex& presenterLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<const ErrorPresenter>& currentPresenter() {
    static std::shared_ptr<const ErrorPresenter> presenter;
    return presenter;
}

// The log is opened, and emptied, by the first report of the process.
void appendToLog(const std::string& line) {
    static std::mutex lock;
    static std::ofstream log;
    std::lock_guard<std::mutex> guard(lock);
    if (!log.is_open()) {
        log.open("log.txt", std::ios::out | std::ios::trunc | std::ios::binary);
    }
    if (log) {
        log << line << '\n';
        log.flush();
    }
}

}  // namespace

ErrorPresenter setErrorPresenter(ErrorPresenter presenter) {
    auto replacement = presenter ? std::make_shared<const ErrorPresenter>(std::move(presenter)) : nullptr;
    std::shared_ptr<const ErrorPresenter> previous;
    {
        std::lock_guard<std::mutex> guard(presenterLock());
        previous = std::exchange(currentPresenter(), std::move(replacement));
    }
    return previous ? *previous : ErrorPresenter();
}

ErrorReport describeCurrentException(const char* where, void* owner) {
    ErrorReport report;
    report.where = where;
    report.owner = owner;
    try {
        throw;
    } catch (const std::exception& e) {
        report.message = e.what();
        report.text = readableTypeName(typeid(e)) + "\n" + report.message;
    } catch (...) {
        report.text = "Unknown exception";
        report.message = report.text;
    }
    return report;
}

void reportCurrentException(const char* where, void* owner) noexcept {
    try {
        const ErrorReport report = describeCurrentException(where, owner);
        appendToLog(report.where + " " + report.text);
        sys::platform::debugOutput(report.message);
        std::shared_ptr<const ErrorPresenter> presenter;
        {
            std::lock_guard<std::mutex> guard(presenterLock());
            presenter = currentPresenter();
        }
        if (presenter) {
            (*presenter)(report);
        }
    } catch (...) {
        // Reporting must never fail its caller, which is a system callback.
    }
}

}  // namespace err
