#include "ui/ErrorReport.hpp"

#include "sys/platform/Platform.hpp"
#include "ui/MessageBox.hpp"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <typeinfo>

namespace ui {

namespace {

std::string readableTypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(type.name());
}

// The log is opened, and emptied, by the first report of the process.
void appendToLog(const std::string& line) {
    static std::mutex mutex;
    static std::ofstream log;
    std::lock_guard<std::mutex> lock(mutex);
    if (!log.is_open()) {
        log.open("log.txt", std::ios::out | std::ios::trunc | std::ios::binary);
    }
    if (log) {
        log << line << '\n';
        log.flush();
    }
}

// A handler that fails again while its own report is on screen (a paint handler is asked
// to paint again by the box's modal loop) would stack boxes without end: nested reports
// are logged but show no second box.
thread_local int boxesShowing = 0;

}  // namespace

void reportCurrentException(HWND owner, const char* where) noexcept {
    try {
        std::string text;
        std::string detail;
        try {
            throw;
        } catch (const std::exception& e) {
            text = readableTypeName(typeid(e)) + "\n" + e.what();
            detail = e.what();
        } catch (...) {
            text = "Unknown exception";
            detail = text;
        }
        appendToLog(std::string(where) + " " + text);
        OutputDebugStringA(detail.c_str());
        if (boxesShowing == 0) {
            struct Showing {
                Showing() { ++boxesShowing; }
                ~Showing() { --boxesShowing; }
            } showing;
            showError(owner, sys::platform::widen(text), L"Error");
        }
    } catch (...) {
        // Reporting must never fail the caller, which is a system callback.
    }
}

}  // namespace ui
