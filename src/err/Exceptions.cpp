#include "err/Exceptions.hpp"

#include "sys/platform/Platform.hpp"

namespace err {

namespace {

std::string conditionMessage(const char* kind, const char* function, const char* condition) {
    std::string message(kind);
    message += '\n';
    message += function;
    message += '\n';
    message += condition;
    return message;
}

std::string withDescription(const std::string& text, unsigned long code) {
    const std::string description = describeSystemError(code);
    return text.empty() ? description : text + "\n" + description;
}

}  // namespace

std::string preconditionMessage(const char* function, const char* condition) {
    return conditionMessage("Precondition failed:", function, condition);
}

std::string postconditionMessage(const char* function, const char* condition) {
    return conditionMessage("Postcondition failed:", function, condition);
}

void throwInvalidArgument(const char* function, const char* condition) {
    throw InvalidArgumentException(preconditionMessage(function, condition));
}

void throwInvalidState(const char* function, const char* condition) {
    throw InvalidStateException(preconditionMessage(function, condition));
}

std::string describeSystemError(unsigned long code) {
    std::string text = sys::platform::systemErrorText(code);
    // System messages end with CR LF, which the description leaves out.
    if (text.empty()) {
        return "(" + std::to_string(code) + ")Cannot format message.";
    }
    text.erase(text.size() >= 2 ? text.size() - 2 : 0);
    return "(" + std::to_string(code) + ")" + text;
}

SystemException::SystemException(const std::string& text) : SystemException(text, sys::platform::lastSystemError()) {}

SystemException::SystemException(const std::string& text, unsigned long code)
    : RuntimeException(withDescription(text, code)), code_(code) {}

}  // namespace err
