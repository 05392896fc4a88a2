#pragma once

#include "ui/MessageTarget.hpp"

namespace ui {

// Hooks the messages of one target. The hook lasts until another target is installed or
// the interceptor is destroyed.
class MessageInterceptor {
public:
    MessageInterceptor() = default;
    MessageInterceptor(const MessageInterceptor&) = delete;
    MessageInterceptor& operator=(const MessageInterceptor&) = delete;
    virtual ~MessageInterceptor();

    virtual MessageTarget* getTarget() const;
    virtual void install(MessageTarget* target);
    virtual bool intercept(const MSG& msg, LRESULT& result) = 0;

private:
    boost::signals2::scoped_connection connection_;
    MessageTarget* target_ = nullptr;
};

}  // namespace ui
