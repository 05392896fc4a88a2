#pragma once

#include <boost/date_time/posix_time/ptime.hpp>

#include <string>

namespace app::model {

// The date and time of a note as the program shows them everywhere (notes list header,
// date-and-time filter, text export, copied notes): "%x" and "%X" of the classic locale,
// month/day/two-digit year and hours:minutes:seconds, as in "03/07/09" and "14:05:09".
std::wstring dateText(const boost::posix_time::ptime& time);
std::wstring timeText(const boost::posix_time::ptime& time);

}  // namespace app::model
