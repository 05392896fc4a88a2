#include "app/model/FilterChoices.hpp"
#include "app/model/Note.hpp"
#include "app/model/SubstringFinder.hpp"
#include "app/model/TextFilter.hpp"
#include "sys/platform/Platform.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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
        {TextFilter::Title, L"budget rev"},      {TextFilter::Time, L"03/07/09 14:05"},
        {TextFilter::Link, L"example.com/page"}, {TextFilter::Tags, L"proj"},
    };
    for (const auto& [field, query] : onlyIn) {
        for (const auto& [other, ignored] : onlyIn) {
            EXPECT_EQ(field == other, found(other, query, note)) << field << " query in field " << other;
        }
        EXPECT_TRUE(found(TextFilter::All, query, note)) << field;
        EXPECT_EQ(field == TextFilter::Text || field == TextFilter::Title, found(TextFilter::TextAndTitle, query, note))
            << field;
    }
    EXPECT_FALSE(found(TextFilter::All, L"nowhere", note));
    EXPECT_FALSE(found(TextFilter::Fields{}, L"beta", note));
}

TEST(TextFilterFields, TheDateFieldFollowsAChangedDate) {
    Note note = sampleNote();
    const Note before(note);
    note.setCreated(
        boost::posix_time::ptime(boost::gregorian::date(2021, 12, 24), boost::posix_time::time_duration(9, 30, 0)));
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
    for (TextFilter::Fields field : {TextFilter::Text, TextFilter::Title, TextFilter::Time, TextFilter::Link}) {
        EXPECT_TRUE(found(field, L"", Note())) << field;
    }
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
        {"0.filter.all", 62u}, {"1.filter.textandtitle", 6u}, {"2.filter.text", 4u},  {"3.filter.title", 2u},
        {"4.filter.time", 8u}, {"5.filter.link", 16u},        {"6.filter.tags", 32u},
    };
    ASSERT_EQ(std::size(expected), app::model::filterChoices.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(expected[i].first, app::model::filterChoices[i].key);
        EXPECT_EQ(expected[i].second, static_cast<unsigned>(app::model::filterChoices[i].fields));
    }
}

TEST(SubstringFinder, FindsWhatFindFindsInFoldedAndRawText) {
    // Lengths around the widths searched at once, needles at the very start and end,
    // repeated units, units that differ only above the low byte, capitals, line feeds,
    // and the Kelvin sign, which folds to an ASCII letter.
    std::mt19937 random(7);
    const std::wstring alphabet = L"aAkb e\n\u00E9\u0436\u0416\u0161\u0160\u0100\u0200\u212A";
    const auto text = [&](std::size_t length) {
        std::wstring s;
        for (std::size_t i = 0; i < length; ++i) {
            s += alphabet[random() % alphabet.size()];
        }
        return s;
    };
    const auto readAsSearchText = [](std::wstring s) {
        sys::platform::foldCase(s);
        std::replace(s.begin(), s.end(), L'\n', L' ');
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::wstring raw = text(random() % 70);
        const std::wstring folded = readAsSearchText(raw);
        std::wstring needle;
        if (!raw.empty() && round % 2 == 0) {
            const std::size_t at = random() % raw.size();
            needle = folded.substr(at, 1 + random() % 9);
        } else {
            needle = readAsSearchText(text(random() % 5));
        }
        const app::model::SubstringFinder finder(needle);
        const bool expected = folded.find(needle) != std::wstring::npos;
        ASSERT_EQ(expected, finder.foundIn(folded)) << "round " << round;
        ASSERT_EQ(expected, finder.foundInText(raw)) << "round " << round;
        ASSERT_EQ(raw.find(needle) != std::wstring::npos, finder.foundIn(raw)) << "round " << round;
        // The first place from a given one on, as a narrowing search starts there.
        const std::size_t from = random() % (raw.size() + 1);
        ASSERT_EQ(folded.find(needle, from), finder.findIn(folded, from)) << "round " << round;
        ASSERT_EQ(folded.find(needle, from), finder.findInText(raw, from)) << "round " << round;
    }
    EXPECT_TRUE(app::model::SubstringFinder(L"").foundIn(L""));
    EXPECT_FALSE(app::model::SubstringFinder(L"ab").foundIn(L"a"));
    // Only the whole needle counts, not its two rarest units at their distance.
    EXPECT_FALSE(app::model::SubstringFinder(L"qxzq").foundIn(std::wstring(40, L'q') + L"qyzq"));
    // A line feed is read as a space, so it is never found in a text.
    EXPECT_FALSE(app::model::SubstringFinder(L"a\nb").foundInText(L"a\nb"));
    EXPECT_TRUE(app::model::SubstringFinder(L"a b").foundInText(L"A\nB"));
}

TEST(TextFilterNarrowing, WholeStringFieldsNarrowOnlyWhenTheWiderQueryIsContained) {
    const auto narrows = [](TextFilter::Fields fields, const wchar_t* query, const wchar_t* wider) {
        return TextFilter(fields, query).narrows(TextFilter(fields, wider));
    };
    for (TextFilter::Fields fields : {TextFilter::Text, TextFilter::Title, TextFilter::Time, TextFilter::Link,
                                      TextFilter::TextAndTitle, TextFilter::All}) {
        EXPECT_TRUE(narrows(fields, L"abc", L"ab")) << fields;
        EXPECT_TRUE(narrows(fields, L"xabc", L"ab")) << fields;   // a character put in front
        EXPECT_TRUE(narrows(fields, L"AB C", L"b c")) << fields;  // folded on both sides
        EXPECT_TRUE(narrows(fields, L"ab", L"")) << fields;
        EXPECT_TRUE(narrows(fields, L"ab", L"ab")) << fields;
        EXPECT_FALSE(narrows(fields, L"ab", L"abc")) << fields;      // Backspace widens
        EXPECT_FALSE(narrows(fields, L"b a", L"a b")) << fields;     // words, but not the string
        EXPECT_FALSE(narrows(fields, L"ab  c", L"ab c")) << fields;  // the spaces count
    }
    // The tags need each earlier word inside some new word, in any order and separation.
    EXPECT_TRUE(narrows(TextFilter::Tags, L"b a", L"a b"));
    EXPECT_TRUE(narrows(TextFilter::Tags, L"work;proj", L"or, pro"));
    EXPECT_TRUE(narrows(TextFilter::Tags, L"project", L"pro ject"));  // two words in one
    EXPECT_TRUE(narrows(TextFilter::Tags, L"ab", L" ;"));             // no words matches every note
    EXPECT_FALSE(narrows(TextFilter::Tags, L"pro", L"pro x"));
    EXPECT_FALSE(narrows(TextFilter::Tags, L" ", L"a"));
    // Not across field choices.
    EXPECT_FALSE(TextFilter(TextFilter::Text, L"abc").narrows(TextFilter(TextFilter::TextAndTitle, L"ab")));
}
