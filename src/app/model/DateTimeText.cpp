#include "app/model/DateTimeText.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>

namespace app::model {

namespace {

void appendTwoDigits(std::wstring& out, long value) {
    out += static_cast<wchar_t>(L'0' + value / 10 % 10);
    out += static_cast<wchar_t>(L'0' + value % 10);
}

}  // namespace

// Formatted by hand rather than through a locale facet: the texts are built for every note
// on load and must not depend on the locale the process happens to run in.
std::wstring dateText(const boost::posix_time::ptime& time) {
    if (time.is_special()) {
        return std::wstring();
    }
    const auto date = time.date();
    std::wstring text;
    text.reserve(8);
    appendTwoDigits(text, date.month());
    text += L'/';
    appendTwoDigits(text, date.day());
    text += L'/';
    appendTwoDigits(text, date.year() % 100);
    return text;
}

std::wstring timeText(const boost::posix_time::ptime& time) {
    if (time.is_special()) {
        return std::wstring();
    }
    const auto of = time.time_of_day();
    std::wstring text;
    text.reserve(8);
    appendTwoDigits(text, of.hours());
    text += L':';
    appendTwoDigits(text, of.minutes());
    text += L':';
    appendTwoDigits(text, of.seconds());
    return text;
}

}  // namespace app::model
