#include "app/mainframe/noteslist/BoundedCache.hpp"
#include "app/mainframe/noteslist/noterenderer/CharacterWidths.hpp"
#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"
#include "app/mainframe/noteslist/noterenderer/NoteTextFormatter.hpp"
#include "err/Exceptions.hpp"

#include "MessageOf.hpp"
#include "NotesListSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using app::mainframe::noteslist::BoundedCache;
using app::mainframe::noteslist::noterenderer::CharacterWidths;
using app::mainframe::noteslist::noterenderer::LineBreaker;
using app::mainframe::noteslist::noterenderer::NoteTextFormatter;
using noteslist_test::CountingMeasure;
using noteslist_test::VectorView;
using testing::ElementsAre;
using testing_support::messageOf;

namespace {

std::shared_ptr<CharacterWidths> widthsOf(int each, std::vector<char32_t>* asked = nullptr) {
    return std::make_shared<CharacterWidths>([each, asked](char32_t c) {
        if (asked) {
            asked->push_back(c);
        }
        return each;
    });
}

std::vector<std::wstring> linesOf(const std::wstring& text, int width, int each = 1) {
    LineBreaker breaker(text, width, widthsOf(each));
    std::vector<std::wstring> lines;
    for (int i = 0; i < breaker.getLineCount(); ++i) {
        lines.push_back(breaker.getLine(i));
    }
    return lines;
}

bool breaksAt(const std::wstring& s, std::size_t i) {
    const wchar_t c = s[i];
    if (c == L' ') {
        return i >= 3 && (s[i - 2] != L' ' || s[i - 1] == L' ');
    }
    return c == L'\n' || c == L',' || c == L'-' || c == L':' || c == L';';
}

// One character from the position on: a surrogate pair or a single code unit.
std::pair<char32_t, std::size_t> characterAt(const std::wstring& s, std::size_t i) {
    const auto c = static_cast<char32_t>(s[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        return {0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(s[i + 1]) - 0xDC00), 2};
    }
    return {c, 1};
}

// The line breaking rule written out character by character, one line after another. A
// line never takes the character that overflowed it, unless that character is the whole
// line; a mark that overflows is no break opportunity.
std::vector<LineBreaker::Range> rangesByTheRule(const std::wstring& s, int width,
                                                const std::function<int(char32_t)>& widthOf) {
    std::vector<LineBreaker::Range> ranges;
    const std::size_t n = s.size();
    std::size_t p = 0;
    while (p < n) {
        int remaining = width;
        std::size_t examine = p;
        std::size_t last = p;
        bool lineFeed = false;
        std::vector<std::size_t> opportunities;
        while (remaining > 0 && examine < n) {
            if (breaksAt(s, examine)) {
                if (s[examine] == L'\n') {
                    lineFeed = true;
                    break;
                }
                opportunities.push_back(examine);
            }
            const auto [c, length] = characterAt(s, examine);
            remaining -= std::max(widthOf(c), 0);
            last = examine;
            examine += length;
        }
        std::size_t end = examine;
        std::size_t next = examine;
        if (lineFeed) {
            next = examine + 1;
        } else if (examine < n || remaining < 0) {
            const std::size_t limit = remaining < 0 ? last : examine;
            bool found = false;
            for (auto at = opportunities.rbegin(); at != opportunities.rend() && !found; ++at) {
                const std::size_t lineEnd = s[*at] == L' ' ? *at : *at + 1;
                if (lineEnd <= limit) {
                    end = lineEnd;
                    next = *at + 1;
                    found = true;
                }
            }
            if (!found && remaining < 0 && last > p) {
                end = last;
                next = last;
            }
        }
        ranges.emplace_back(static_cast<int>(p), static_cast<int>(end));
        p = next;
    }
    if (ranges.empty()) {
        ranges.emplace_back(0, 0);
    }
    return ranges;
}

}  // namespace

TEST(LineBreaker, LineFeedsAndEmptyText) {
    EXPECT_THAT(linesOf(L"", 10), ElementsAre(L""));
    // A closing line feed makes no empty last line; two in a row make an empty line.
    EXPECT_THAT(linesOf(L"abc\n", 10), ElementsAre(L"abc"));
    EXPECT_THAT(linesOf(L"a\n\nb", 10), ElementsAre(L"a", L"", L"b"));
    EXPECT_THAT(linesOf(L"\n", 10), ElementsAre(L""));
    // A line feed is a break even where the line has room left.
    EXPECT_THAT(linesOf(L"ab\ncd ef", 100), ElementsAre(L"ab", L"cd ef"));
}

TEST(LineBreaker, SpaceRule) {
    // The space after the one-letter word x does not break, so x goes on with "word".
    EXPECT_THAT(linesOf(L"hello x word", 10), ElementsAre(L"hello", L"x word"));
    // A space at position 2 is no break: the line is cut inside the word instead.
    EXPECT_THAT(linesOf(L"ab cdef", 4), ElementsAre(L"ab c", L"def"));
    // After a one-letter word the first space does not break, a second one does.
    EXPECT_THAT(linesOf(L"ab x  yz", 7), ElementsAre(L"ab x ", L"yz"));
    // Every space of a run after a longer word breaks: the last one the width reaches wins.
    EXPECT_THAT(linesOf(L"abc   d", 6), ElementsAre(L"abc  ", L"d"));
    // The rest of the text fits: earlier opportunities do not matter.
    EXPECT_THAT(linesOf(L"abc def", 7), ElementsAre(L"abc def"));
}

TEST(LineBreaker, PunctuationStaysOnTheLine) {
    for (const wchar_t* text : {L"one,two", L"one-two", L"one:two", L"one;two"}) {
        const std::vector<std::wstring> lines = linesOf(text, 5);
        ASSERT_EQ(2u, lines.size()) << text;
        EXPECT_EQ(std::wstring(text).substr(0, 4), lines[0]);
        EXPECT_EQ(L"two", lines[1]);
    }
    // A full stop is no break opportunity.
    EXPECT_THAT(linesOf(L"one.two", 5), ElementsAre(L"one.t", L"wo"));
}

TEST(LineBreaker, WordLongerThanTheLine) {
    // Cut inside the word before the character that would not fit: 20 of 25 pixels.
    EXPECT_THAT(linesOf(L"abcdefgh", 25, 10), ElementsAre(L"ab", L"cd", L"ef", L"gh"));
    // Exactly full is full, not over.
    EXPECT_THAT(linesOf(L"abcdefgh", 30, 10), ElementsAre(L"abc", L"def", L"gh"));
    // The last character of the text overflows too: the rest does not fit after all.
    EXPECT_THAT(linesOf(L"abc", 25, 10), ElementsAre(L"ab", L"c"));
    EXPECT_THAT(linesOf(L"ab cd", 41, 10), ElementsAre(L"ab c", L"d"));
    EXPECT_THAT(linesOf(L"hello world", 101, 10), ElementsAre(L"hello", L"world"));
    // A mark that overflows is no opportunity: an earlier one is taken, or the word is cut.
    EXPECT_THAT(linesOf(L"ab,cd", 25, 10), ElementsAre(L"ab", L",", L"cd"));
    EXPECT_THAT(linesOf(L"one two-three", 75, 10), ElementsAre(L"one", L"two-", L"three"));
}

TEST(LineBreaker, TooNarrowForAnyCharacter) {
    // Each line takes the character that overflowed it; a breaking space gives an empty line.
    EXPECT_THAT(linesOf(L"abcd", 5, 10), ElementsAre(L"a", L"b", L"c", L"d"));
    EXPECT_THAT(linesOf(L"abc d", 5, 10), ElementsAre(L"a", L"b", L"c", L"", L"d"));
    // Zero-width characters never use the width up.
    LineBreaker zero(L"abcdef", 1, widthsOf(0));
    EXPECT_EQ(1, zero.getLineCount());
}

TEST(LineBreaker, SurrogatePairsStayWholeAndAreMeasuredWhole) {
    // "ab", U+1F600 as a pair, "cd". With 10 pixels each and 25 of room, the pair is the
    // character that overflows the first line: it goes to the next one whole.
    const std::wstring text{L'a', L'b', wchar_t(0xD83D), wchar_t(0xDE00), L'c', L'd'};
    std::vector<char32_t> asked;
    LineBreaker breaker(text, 25, widthsOf(10, &asked));
    ASSERT_EQ(3, breaker.getLineCount());
    EXPECT_EQ(L"ab", breaker.getLine(0));
    EXPECT_EQ(text.substr(2, 3), breaker.getLine(1));
    EXPECT_EQ(L"d", breaker.getLine(2));
    EXPECT_THAT(asked, testing::Contains(char32_t(0x1F600)));
    for (char32_t c : asked) {
        EXPECT_FALSE(c >= 0xD800 && c <= 0xDFFF) << "measured a surrogate half " << std::hex << unsigned(c);
    }

    // Too narrow for anything: the pair is one line of its own, not two halves.
    LineBreaker narrow(text, 5, widthsOf(10));
    ASSERT_EQ(5, narrow.getLineCount());
    EXPECT_EQ(text.substr(2, 2), narrow.getLine(2));

    // A lone half is measured as what it is and breaks like a letter.
    const std::wstring lone{L'a', wchar_t(0xD83D), L'b'};
    EXPECT_EQ(3, LineBreaker(lone, 5, widthsOf(10)).getLineCount());
}

TEST(LineBreaker, LineForIndex) {
    LineBreaker breaker(L"hello world again", 6, widthsOf(1));
    ASSERT_EQ(3, breaker.getLineCount());
    EXPECT_EQ(LineBreaker::Range(0, 5), breaker.getRange(0));
    // The end of a line belongs to that line, the consumed space after it to the next.
    EXPECT_EQ(0, breaker.getLineForIndex(5));
    EXPECT_EQ(1, breaker.getLineForIndex(6));
    EXPECT_EQ(2, breaker.getLineForIndex(17));
    EXPECT_EQ(5, breaker.getLineLength(1));
}

TEST(LineBreaker, PreconditionMessages) {
    const auto widths = widthsOf(1);
    EXPECT_EQ("Precondition failed:\nLineBreaker::LineBreaker\nwidth > 0",
              messageOf<err::InvalidArgumentException>([&] { LineBreaker(L"x", 0, widths); }));
    EXPECT_EQ("Precondition failed:\nLineBreaker::LineBreaker\nsource", messageOf<err::InvalidArgumentException>([&] {
                  LineBreaker(std::shared_ptr<const std::wstring>(), 10, widths);
              }));
    LineBreaker breaker(L"a\nb", 10, widths);
    EXPECT_EQ("Precondition failed:\nLineBreaker::getLine\nindex >= 0",
              messageOf<err::InvalidArgumentException>([&] { breaker.getLine(-1); }));
    EXPECT_EQ("Precondition failed:\nLineBreaker::getLine\nindex < (int)ranges.size()",
              messageOf<err::InvalidArgumentException>([&] { breaker.getLine(2); }));
    EXPECT_EQ("Precondition failed:\nLineBreaker::getLineForIndex\nindex <= (int)source.length()",
              messageOf<err::InvalidArgumentException>([&] { breaker.getLineForIndex(4); }));
}

// The lines and the break characters between them rebuild the text, whatever the width,
// and breaking part of the way first gives the same lines as breaking all at once.
TEST(LineBreaker, LinesAndConsumedBreaksRebuildTheSource) {
    std::mt19937 random(20261207);
    const std::wstring alphabet = L"abcdefgh  ,-:;.\n\x0416\x0436";
    for (int round = 0; round < 400; ++round) {
        std::wstring text(random() % 120, L' ');
        for (wchar_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        const int width = 1 + static_cast<int>(random() % 40);
        const auto widths = std::make_shared<CharacterWidths>([](char32_t c) { return 1 + int(c % 3); });
        LineBreaker whole(text, width, widths);
        const int count = whole.getLineCount();
        std::wstring rebuilt;
        int previousEnd = 0;
        for (int i = 0; i < count; ++i) {
            const LineBreaker::Range range = whole.getRange(i);
            ASSERT_LE(range.first, range.second);
            const std::wstring consumed = text.substr(previousEnd, range.first - previousEnd);
            ASSERT_TRUE(consumed.empty() || consumed == L" " || consumed == L"\n") << "round " << round;
            rebuilt += consumed + whole.getLine(i);
            previousEnd = range.second;
        }
        // A closing line feed, or a closing space that would not fit, is consumed too.
        const std::wstring tail = text.substr(previousEnd);
        ASSERT_TRUE(tail.empty() || tail == L"\n" || tail == L" ") << "round " << round;
        EXPECT_EQ(text, rebuilt + tail) << "round " << round;

        LineBreaker lazy(text, width, widths);
        const int part = static_cast<int>(random() % (count + 1));
        EXPECT_EQ(part, lazy.getLineCountUpTo(part));
        if (!text.empty()) {
            lazy.getLineForIndex(static_cast<int>(random() % text.size()));
        }
        ASSERT_EQ(count, lazy.getLineCount());
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(whole.getRange(i), lazy.getRange(i));
        }
    }
}

// Every line where the rule puts it, for texts of every kind of character: letters of
// every width (none and unknown ones too), spaces, marks, line feeds, surrogate pairs and
// lone halves, control characters, with the widths measured before or not yet.
TEST(LineBreaker, BreaksWhereTheRuleSays) {
    std::mt19937 random(7061);
    // Surrogate pairs (U+1F600) and lone halves come from the pair's two code units.
    const std::wstring alphabet = L"abcW   ,-:;.\n\t\x0416\x4E2D\xA4D0\x2060\xD83D\xDE00";
    const auto widthOf = [](char32_t c) { return c == 0x2060 ? 0 : c == 0x4E2D ? 40 : 1 + int(c % 9); };
    auto shared = std::make_shared<CharacterWidths>(widthOf);
    for (int round = 0; round < 3000; ++round) {
        std::wstring text(random() % 200, L' ');
        for (wchar_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        const int width = 1 + static_cast<int>(random() % 120);
        const auto widths = round % 2 == 0 ? shared : std::make_shared<CharacterWidths>(widthOf);
        LineBreaker breaker(text, width, widths);
        const std::vector<LineBreaker::Range> expected = rangesByTheRule(text, width, widthOf);
        ASSERT_EQ(static_cast<int>(expected.size()), breaker.getLineCount()) << "round " << round;
        for (int i = 0; i < breaker.getLineCount(); ++i) {
            const LineBreaker::Range range = breaker.getRange(i);
            ASSERT_EQ(expected[static_cast<std::size_t>(i)], range) << "round " << round << " line " << i;
            // No line is wider than the width, unless it is one character wider than all of it.
            int pixels = 0;
            int characters = 0;
            for (auto at = static_cast<std::size_t>(range.first); at < static_cast<std::size_t>(range.second);) {
                const auto [c, length] = characterAt(text, at);
                pixels += widthOf(c);
                ++characters;
                at += length;
            }
            EXPECT_TRUE(pixels <= width || characters == 1)
                << "round " << round << " line " << i << ": " << pixels << " px in " << width;
        }
    }
}

TEST(LineBreaker, BreaksOnlyAsFarAsAsked) {
    // A character that occurs only at the end is never measured while only the first
    // lines are wanted.
    std::wstring text;
    for (int i = 0; i < 10000; ++i) {
        text += L"word word\n";
    }
    text += L"Z";
    std::vector<char32_t> asked;
    LineBreaker breaker(text, 100, widthsOf(5, &asked));
    EXPECT_EQ(16, breaker.getLineCountUpTo(16));
    EXPECT_EQ(L"word word", breaker.getLine(15));
    EXPECT_THAT(asked, testing::Not(testing::Contains(char32_t(L'Z'))));
    EXPECT_EQ(10001, breaker.getLineCount());
    EXPECT_THAT(asked, testing::Contains(char32_t(L'Z')));
}

TEST(CharacterWidths, EveryCharacterIsMeasuredOnce) {
    int calls = 0;
    CharacterWidths widths([&calls](char32_t c) {
        ++calls;
        return c == L'i' ? 3 : 7;
    });
    // Below 1000, Cyrillic and CJK, and beyond the basic plane alike.
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(3, widths.width(L'i'));
        EXPECT_EQ(7, widths.width(0x0436));
        EXPECT_EQ(7, widths.width(0x4E2D));
        EXPECT_EQ(7, widths.width(0x1F600));
    }
    EXPECT_EQ(4, calls);
    EXPECT_EQ(4u, widths.measured());
    // A measure that answers nonsense cannot make the breaker run backwards.
    CharacterWidths negative([](char32_t) { return -5; });
    EXPECT_EQ(0, negative.width(L'a'));
}

TEST(NoteTextFormatter, CachesBreakersAndWidths) {
    VectorView view;
    view.add(L"aaaa bbbb");
    view.add(L"bbbb aaaa");
    view.add(L"\x043F\x0440\x0438\x0432\x0435\x0442 \x043F\x0440\x0438\x0432\x0435\x0442");
    auto measure = std::make_shared<CountingMeasure>(10, 13);
    NoteTextFormatter formatter(view, measure);
    formatter.setWidth(60);
    EXPECT_EQ(13, formatter.getLineHeight());

    EXPECT_EQ(2, formatter.getLineCount(0));
    EXPECT_EQ(3, measure->characterCalls);  // a, space, b
    const auto first = formatter.getLineBreaker(0);
    EXPECT_EQ(first, formatter.getLineBreaker(0));
    EXPECT_EQ(2, formatter.getLineCount(1));
    EXPECT_EQ(3, measure->characterCalls);
    // Code units from 1000 up are kept too: the second word costs no measuring.
    EXPECT_EQ(L"\x043F\x0440\x0438\x0432\x0435\x0442", formatter.getLine(2, 0));
    EXPECT_EQ(9, measure->characterCalls);  // six letters more
    for (const auto& asked : measure->asked) {
        EXPECT_EQ(1, asked.second) << unsigned(asked.first);
    }

    // The same width changes nothing; another width drops the breakers but not the widths.
    const int heights = measure->heightCalls;
    formatter.setWidth(60);
    EXPECT_EQ(first, formatter.getLineBreaker(0));
    EXPECT_EQ(heights, measure->heightCalls);
    formatter.setWidth(61);
    EXPECT_NE(first, formatter.getLineBreaker(0));
    EXPECT_EQ(heights + 1, measure->heightCalls);
    EXPECT_EQ(9, measure->characterCalls);

    // A new font measures again; a breaker handed out before keeps the old widths.
    auto held = formatter.getLineBreaker(0);
    auto wider = std::make_shared<CountingMeasure>(20, 15);
    formatter.setTextMeasure(wider);
    EXPECT_EQ(15, formatter.getLineHeight());
    EXPECT_EQ(2, held->getLineCount());
    EXPECT_EQ(0, wider->characterCalls);
    EXPECT_EQ(4, formatter.getLineCount(0));  // "aaa", "a", "bbb", "b" at 61 pixels of 20 each
    EXPECT_GT(wider->characterCalls, 0);

    EXPECT_EQ("Precondition failed:\napp::mainframe::noteslist::noterenderer::NoteTextFormatter::setWidth\nw >= 0",
              messageOf<err::InvalidArgumentException>([&] { formatter.setWidth(-1); }));
}

// A breaker shares its note's text instead of copying it: an edit of the note afterwards
// must leave the breaker's text and lines as they were.
TEST(NoteTextFormatter, BreakerKeepsItsTextWhenTheNoteChanges) {
    VectorView view;
    view.add(L"first words here");
    NoteTextFormatter formatter(view, std::make_shared<CountingMeasure>(10, 13));
    formatter.setWidth(100);
    const auto held = formatter.getLineBreaker(0);
    ASSERT_EQ(2, held->getLineCount());
    view.notes[0].setText(std::wstring(L"other"));
    EXPECT_EQ(L"first words here", held->getSource());
    EXPECT_EQ(L"words here", held->getLine(1));
    formatter.forget(0);
    EXPECT_EQ(L"other", formatter.getLineBreaker(0)->getSource());
    EXPECT_EQ(L"first words here", held->getSource());
}

TEST(NoteTextFormatter, CacheIsBoundedByCodeUnits) {
    VectorView view;
    for (int i = 0; i < 50; ++i) {
        view.add(std::wstring(1000, L'x'));
    }
    NoteTextFormatter formatter(view, std::make_shared<CountingMeasure>(), 10000);
    for (int i = 0; i < 50; ++i) {
        formatter.getLineCount(i);
    }
    EXPECT_GE(formatter.cachedBreakers(), 5u);
    EXPECT_LE(formatter.cachedBreakers(), 9u);
    // The newest stay: the last item is served from the cache.
    const auto last = formatter.getLineBreaker(49);
    EXPECT_EQ(last, formatter.getLineBreaker(49));
}

TEST(BoundedCache, EvictsOldestByCost) {
    BoundedCache<int, std::string> cache(10);
    EXPECT_TRUE(cache.insert(1, "one", 4));
    EXPECT_TRUE(cache.insert(2, "two", 4));
    ASSERT_NE(nullptr, cache.find(1));  // a lookup does not make 1 newer
    EXPECT_TRUE(cache.insert(3, "three", 4));
    EXPECT_EQ(nullptr, cache.find(1));
    EXPECT_EQ("two", *cache.find(2));
    EXPECT_EQ(8u, cache.used());
    // Replacing a key makes it the newest, with its new cost.
    EXPECT_TRUE(cache.insert(2, "TWO", 2));
    EXPECT_TRUE(cache.insert(4, "four", 5));
    EXPECT_EQ(nullptr, cache.find(3));
    EXPECT_EQ("TWO", *cache.find(2));
    // Something dearer than the whole budget is not kept, and drops nothing.
    EXPECT_FALSE(cache.insert(5, "five", 11));
    EXPECT_EQ(nullptr, cache.find(5));
    EXPECT_EQ(2u, cache.size());
    // A smaller budget drops the oldest until the rest fits.
    cache.setBudget(5);
    EXPECT_EQ(nullptr, cache.find(2));
    EXPECT_NE(nullptr, cache.find(4));
    EXPECT_EQ(5u, cache.used());
    cache.clear();
    EXPECT_EQ(0u, cache.used());
    EXPECT_EQ(0u, cache.queued());
}

// Erasing a key and inserting it again, as dropping one item's bitmap does on every key
// press, must not leave the old place in the eviction order behind.
TEST(BoundedCache, EraseLeavesNoDuplicateInTheOrder) {
    BoundedCache<int, int> cache(100);
    cache.insert(1, 1, 1);
    cache.insert(2, 2, 1);
    for (int i = 0; i < 1000; ++i) {
        cache.erase(1);
        cache.insert(1, i, 1);
    }
    EXPECT_EQ(2u, cache.size());
    EXPECT_EQ(2u, cache.queued());
    // 2 is now the oldest and goes first.
    BoundedCache<int, int> full(2);
    full.insert(1, 1, 1);
    full.insert(2, 2, 1);
    full.erase(1);
    full.insert(1, 1, 1);
    full.insert(3, 3, 1);
    EXPECT_EQ(nullptr, full.find(2));
    EXPECT_NE(nullptr, full.find(1));
    EXPECT_EQ(full.size(), full.queued());
}
