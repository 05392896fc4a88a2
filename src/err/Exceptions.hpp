#pragma once

#include <stdexcept>
#include <string>

namespace err {

class LogicException : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class InvalidArgumentException : public LogicException {
public:
    using LogicException::LogicException;
};

class InvalidStateException : public LogicException {
public:
    using LogicException::LogicException;
};

class RuntimeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

class SystemException : public RuntimeException {
public:
    // The message is the text, a line feed and the description of the calling thread's
    // last system error; with an empty text, the description alone.
    explicit SystemException(const std::string& text);
    SystemException(const std::string& text, unsigned long code);

    unsigned long code() const noexcept { return code_; }

private:
    unsigned long code_;
};

std::string preconditionMessage(const char* function, const char* condition);
std::string postconditionMessage(const char* function, const char* condition);

[[noreturn]] void throwInvalidArgument(const char* function, const char* condition);
[[noreturn]] void throwInvalidState(const char* function, const char* condition);

// "(" code ")" and the system's text for the code, or "Cannot format message.".
std::string describeSystemError(unsigned long code);

}  // namespace err
