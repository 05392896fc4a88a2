#pragma once

#include "app/model/TextFilter.hpp"

#include <array>

namespace app::model {

// One entry of the filter bar's field list: the string key of its label and the fields
// it searches.
struct FilterChoice {
    const char* key;
    TextFilter::Fields fields;
};

// In the order the filter bar lists them.
inline constexpr std::array<FilterChoice, 7> filterChoices{{
    {"0.filter.all", TextFilter::All},
    {"1.filter.textandtitle", TextFilter::TextAndTitle},
    {"2.filter.text", TextFilter::Text},
    {"3.filter.title", TextFilter::Title},
    {"4.filter.time", TextFilter::Time},
    {"5.filter.link", TextFilter::Link},
    {"6.filter.tags", TextFilter::Tags},
}};

}  // namespace app::model
