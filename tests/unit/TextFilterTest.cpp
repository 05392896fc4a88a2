#include "app/model/FilterChoices.hpp"
#include "app/model/Note.hpp"
#include "app/model/TextFilter.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <gtest/gtest.h>

#include <string>
#include <utility>

using app::model::Note;
using app::model::TextFilter;

namespace {

// One note whose fields share no text, so that each query below is found in one field only.
Note sampleNote() {
    Note note(L"Alpha beta\nGamma delta", L"", L"Weekly Budget Review",
              boost::posix_time::ptime(boost::gregorian::date(2009, 3, 7), boost::posix_time::time_duration(14, 5, 9)));
    note.setLink(L"https://Example.com/Page");
    note.setTags(L"work project");
    return note;
}

bool found(TextFilter::Fields fields, const std::wstring& query, const Note& note) {
    return TextFilter(fields, query).matches(note);
}

}  // namespace

TEST(TextFilterFields, EachFieldIsSearchedOnlyWhenSelected) {
    const Note note = sampleNote();
    const std::pair<TextFilter::Fields, std::wstring> onlyIn[] = {
        {TextFilter::Text, L"beta gamma"},  // the line feed is searched as a space
        {TextFilter::Title, L"budget rev"},
        {TextFilter::Time, L"03/07/09 14:05"},
        {TextFilter::Link, L"example.com/page"},
        {TextFilter::Tags, L"proj"},
    };
    for (const auto& [field, query] : onlyIn) {
        for (const auto& [other, ignored] : onlyIn)
            EXPECT_EQ(field == other, found(other, query, note)) << field << " query in field " << other;
        EXPECT_TRUE(found(TextFilter::All, query, note)) << field;
        EXPECT_EQ(field == TextFilter::Text || field == TextFilter::Title,
                  found(TextFilter::TextAndTitle, query, note))
            << field;
    }
    EXPECT_FALSE(found(TextFilter::All, L"nowhere", note));
    EXPECT_FALSE(found(TextFilter::Fields{}, L"beta", note));
}

TEST(TextFilterFields, TheDateFieldFollowsAChangedDate) {
    Note note = sampleNote();
    const Note before(note);
    note.setCreated(boost::posix_time::ptime(boost::gregorian::date(2021, 12, 24), boost::posix_time::time_duration(9, 30, 0)));
    EXPECT_TRUE(found(TextFilter::Time, L"12/24/21 09:30:00", note));
    EXPECT_FALSE(found(TextFilter::Time, L"03/07/09", note));
    EXPECT_TRUE(found(TextFilter::Time, L"03/07/09", before));
}

TEST(TextFilterQuery, QueryAndFieldsAreFoldedTheSameWay) {
    const Note note = sampleNote();
    const TextFilter filter(TextFilter::TextAndTitle, L"BUDGET Review");
    EXPECT_EQ(L"budget review", filter.query());
    EXPECT_EQ(TextFilter::TextAndTitle, filter.fields());
    EXPECT_TRUE(filter.matches(note));
    EXPECT_TRUE(found(TextFilter::Title, L"Week", note));
    EXPECT_TRUE(found(TextFilter::Link, L"HTTPS://EXAMPLE", note));

    // Letters from U+0100 up fold; Latin-1 letters are left as they are on both sides.
    Note other = sampleNote();
    other.setText(L"\u0416\u0434 \u00E4");
    EXPECT_TRUE(found(TextFilter::Text, L"\u0436\u0414", other));
    EXPECT_TRUE(found(TextFilter::Text, L"\u00E4", other));
    EXPECT_FALSE(found(TextFilter::Text, L"\u00C4", other));
}

TEST(TextFilterQuery, TheQueryIsOneStringWithItsSpaces) {
    const Note note = sampleNote();
    EXPECT_FALSE(found(TextFilter::Text, L"beta alpha", note));
    EXPECT_TRUE(found(TextFilter::Text, L"alpha beta", note));
    EXPECT_FALSE(found(TextFilter::Text, L"alpha  beta", note));
    EXPECT_FALSE(found(TextFilter::Title, L" weekly", note));  // the title is trimmed
    // An empty query occurs everywhere.
    for (TextFilter::Fields field : {TextFilter::Text, TextFilter::Title, TextFilter::Time, TextFilter::Link})
        EXPECT_TRUE(found(field, L"", Note())) << field;
}

TEST(TextFilterTags, EveryWordMustBePartOfSomeTag) {
    Note both = sampleNote();
    both.setTags(L"work project");
    Note one = sampleNote();
    one.setTags(L"work");
    Note none = sampleNote();
    none.setTags(L"");

    EXPECT_TRUE(found(TextFilter::Tags, L"wor pro", both));
    EXPECT_FALSE(found(TextFilter::Tags, L"wor pro", one));
    EXPECT_TRUE(found(TextFilter::Tags, L"Pro;  WOR,", both));  // any order, any separators
    EXPECT_TRUE(found(TextFilter::Tags, L"ork ject", both));    // anywhere inside a tag
    EXPECT_TRUE(found(TextFilter::Tags, L"pro ject", both));    // two words in one tag
    EXPECT_FALSE(found(TextFilter::Tags, L"twor", both));       // not across two tags
    EXPECT_FALSE(found(TextFilter::Tags, L"work", none));
}

TEST(TextFilterTags, AQueryOfSeparatorsOnlyMatchesEveryNote) {
    Note untagged = sampleNote();
    untagged.setTags(L"");
    for (const wchar_t* query : {L" ", L",;", L" , ; ", L""}) {
        EXPECT_TRUE(found(TextFilter::Tags, query, untagged)) << query;
        EXPECT_TRUE(found(TextFilter::Tags, query, sampleNote())) << query;
    }
    // For the other fields the separators are searched as they stand.
    EXPECT_FALSE(found(TextFilter::Text, L",;", sampleNote()));
}

TEST(TextFilterChoices, SevenChoicesInTheFilterBarsOrder) {
    const std::pair<const char*, unsigned> expected[] = {
        {"0.filter.all", 62u},  {"1.filter.textandtitle", 6u}, {"2.filter.text", 4u}, {"3.filter.title", 2u},
        {"4.filter.time", 8u},  {"5.filter.link", 16u},        {"6.filter.tags", 32u},
    };
    ASSERT_EQ(std::size(expected), app::model::filterChoices.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(expected[i].first, app::model::filterChoices[i].key);
        EXPECT_EQ(expected[i].second, static_cast<unsigned>(app::model::filterChoices[i].fields));
    }
}
