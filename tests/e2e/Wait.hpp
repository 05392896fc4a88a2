#pragma once

#include <functional>

namespace e2e {

// Every wait of the end-to-end tests has a bound: a program that hangs fails its test
// instead of stopping the run.
constexpr unsigned defaultTimeoutMs = 20000;

// Asks done() every few milliseconds until it answers true or the time is up; answers
// its last reply.
bool waitUntil(const std::function<bool()>& done, unsigned timeoutMs = defaultTimeoutMs);

}  // namespace e2e
