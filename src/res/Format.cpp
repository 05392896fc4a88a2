#include "res/Format.hpp"

#include <boost/algorithm/string/replace.hpp>

namespace res {

namespace {

template <class String>
String formatWith(const String& pattern, const String* const (&args)[5]) {
    String text = pattern;
    String placeholder(3, typename String::value_type('{'));
    placeholder[2] = typename String::value_type('}');
    for (int n = 0; n < 5; ++n) {
        placeholder[1] = static_cast<typename String::value_type>('1' + n);
        boost::algorithm::replace_all(text, placeholder, *args[n]);
    }
    return text;
}

}  // namespace

std::string format(const std::string& pattern, const std::string& a1, const std::string& a2, const std::string& a3,
                   const std::string& a4, const std::string& a5) {
    const std::string* const args[5] = {&a1, &a2, &a3, &a4, &a5};
    return formatWith(pattern, args);
}

std::wstring format(const std::wstring& pattern, const std::wstring& a1, const std::wstring& a2, const std::wstring& a3,
                    const std::wstring& a4, const std::wstring& a5) {
    const std::wstring* const args[5] = {&a1, &a2, &a3, &a4, &a5};
    return formatWith(pattern, args);
}

}  // namespace res
