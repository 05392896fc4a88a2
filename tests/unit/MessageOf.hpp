#pragma once

#include <exception>
#include <string>

namespace testing_support {

// What `call` threw as `Exception`, or "(nothing thrown)". Anything else it throws fails
// the test as an unexpected exception.
template <typename Exception = std::exception, typename Call>
std::string messageOf(Call call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

}  // namespace testing_support
