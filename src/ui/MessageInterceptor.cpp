#include "ui/MessageInterceptor.hpp"

#include "err/Exceptions.hpp"

namespace ui {

MessageInterceptor::~MessageInterceptor() = default;

MessageTarget* MessageInterceptor::getTarget() const {
    return target_;
}

void MessageInterceptor::install(MessageTarget* target) {
    if (target == nullptr) {
        err::throwInvalidArgument("ui::MessageInterceptor::install", "target!=0");
    }
    connection_.disconnect();
    target_ = target;
    connection_ = target->getInterceptorSignal().connect(
        [this](const MSG& msg, LRESULT& result) { return intercept(msg, result); }, boost::signals2::at_back);
}

}  // namespace ui
