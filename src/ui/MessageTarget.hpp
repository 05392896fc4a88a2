#pragma once

#include <windows.h>

#include <boost/signals2/signal.hpp>

namespace ui {

// Calls the slots in connection order and stops at the first one that answers true.
struct FirstTrueCombiner {
    using result_type = bool;

    template <typename Iterator>
    bool operator()(Iterator first, Iterator last) const {
        for (; first != last; ++first) {
            if (*first) {
                return true;
            }
        }
        return false;
    }
};

using InterceptorSignal = boost::signals2::signal<bool(const MSG&, LRESULT&), FirstTrueCombiner>;

// Anything that receives window messages. Message interceptors connect to its signal and
// see every message before the receiver's own handlers do.
class MessageTarget {
public:
    MessageTarget() = default;
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;
    virtual ~MessageTarget() = default;

    InterceptorSignal& getInterceptorSignal() { return interceptors_; }

protected:
    bool interceptMessage(const MSG& msg, LRESULT& result) { return interceptors_(msg, result); }

private:
    InterceptorSignal interceptors_;
};

}  // namespace ui
