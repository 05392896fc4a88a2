#pragma once

#include <string>

namespace res {

// Replaces "{1}" to "{5}", in this order, each at every occurrence, by the arguments.
// A placeholder without an argument disappears; any other text in braces stays.
std::string format(const std::string& pattern, const std::string& a1 = std::string(),
                   const std::string& a2 = std::string(), const std::string& a3 = std::string(),
                   const std::string& a4 = std::string(), const std::string& a5 = std::string());
std::wstring format(const std::wstring& pattern, const std::wstring& a1 = std::wstring(),
                    const std::wstring& a2 = std::wstring(), const std::wstring& a3 = std::wstring(),
                    const std::wstring& a4 = std::wstring(), const std::wstring& a5 = std::wstring());

}  // namespace res
