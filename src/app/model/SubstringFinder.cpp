#include "app/model/SubstringFinder.hpp"

#include "sys/platform/Platform.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VARNEL_SSE2 1
#endif
// Twice the width where the processor has it, chosen when the program runs. Not in the
// Windows build: MinGW's GCC does not align the stack to 32 bytes, and 256-bit values it
// keeps there would fault.
#if defined(VARNEL_SSE2) && defined(__GNUC__) && !defined(_WIN32)
#include <immintrin.h>
#define VARNEL_AVX2 1
#define VARNEL_AVX2_TARGET __attribute__((target("avx2")))
#endif

namespace app::model {

namespace {

constexpr std::uint32_t planeSize = 0x10000;

// How a raw text unit reads in the search text: folded, and a line feed as a space.
struct TextFolding {
    std::vector<wchar_t> folded;                     // of every unit of the basic plane
    std::vector<std::pair<wchar_t, wchar_t>> moved;  // (unit, its reading) where they differ

    TextFolding() {
        std::wstring all(planeSize, L'\0');
        for (std::uint32_t c = 0; c < planeSize; ++c) {
            all[c] = static_cast<wchar_t>(c);
        }
        sys::platform::foldCase(all);
        all[L'\n'] = L' ';
        folded.assign(all.begin(), all.end());
        for (std::uint32_t c = 0; c < planeSize; ++c) {
            if (folded[c] != static_cast<wchar_t>(c)) {
                moved.emplace_back(static_cast<wchar_t>(c), folded[c]);
            }
        }
    }

    wchar_t read(wchar_t c) const {
        const auto code = static_cast<std::uint32_t>(c);
        return code < planeSize ? folded[code] : c;
    }
};

const TextFolding& textFolding() {
    static const TextFolding folding;
    return folding;
}

// How often a code unit turns up in ordinary text, roughly (per mille of English prose,
// spaces included). Letters beyond ASCII are taken as rare: in a query they are the
// best code units to look for first.
int commonness(wchar_t c) {
    static const unsigned char letters[26] = {
        65, 12, 22, 34, 102, 18, 16, 49, 56, 1, 6, 32, 20, 57, 60, 15, 1, 48, 51, 73, 23, 8, 19, 2, 16, 1,
    };
    const auto code = static_cast<std::uint32_t>(c);
    if (code >= L'a' && code <= L'z') {
        return letters[code - L'a'];
    }
    if (code == L' ') {
        return 180;
    }
    if (code == L'.' || code == L',') {
        return 12;
    }
    if (code >= L'0' && code <= L'9') {
        return 6;
    }
    if (code < 0x80) {
        return 3;
    }
    return 0;
}

// Offsets of the rarest unit of the needle, and of the rarest of the others (preferring
// one that differs from it): two rare units at a fixed distance come together far less
// often than either alone, so the whole needle is compared at few places. `costs` ranks
// the units of the needle, offset by offset.
std::pair<std::size_t, std::size_t> pickProbes(const std::wstring& needle, const std::vector<int>& costs) {
    const std::size_t n = needle.size();
    std::size_t rarest = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (costs[i] < costs[rarest]) {
            rarest = i;
        }
    }
    if (n < 2) {
        return {rarest, rarest};
    }
    const auto score = [&](std::size_t i) { return costs[i] + (needle[i] == needle[rarest] ? 1000 : 0); };
    std::size_t other = rarest == 0 ? 1 : 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i != rarest && score(i) < score(other)) {
            other = i;
        }
    }
    return {rarest, other};
}

#ifdef VARNEL_SSE2
// How far ahead of the block being tested the search asks for the text: a long text
// comes from memory line by line, and the processor's own look-ahead starts late.
constexpr std::size_t readAhead = 256;

__m128i broadcast(wchar_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        return _mm_set1_epi16(static_cast<short>(c));
    } else {
        return _mm_set1_epi32(static_cast<int>(c));
    }
}

__m128i equalUnits(__m128i a, __m128i b) {
    if constexpr (sizeof(wchar_t) == 2) {
        return _mm_cmpeq_epi16(a, b);
    } else {
        return _mm_cmpeq_epi32(a, b);
    }
}

__m128i load(const wchar_t* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

unsigned lowestBit(unsigned mask) {
#if defined(__GNUC__)
    return static_cast<unsigned>(__builtin_ctz(mask));
#else
    unsigned bit = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++bit;
    }
    return bit;
#endif
}

// The lanes of a block that hold one of a probe's units, up to four of them.
class ProbeLanes {
public:
    ProbeLanes(const wchar_t* units, std::size_t count) : count_(count) {
        for (std::size_t k = 0; k < 4; ++k) {
            units_[k] = broadcast(units[k < count ? k : 0]);
        }
    }
    __m128i operator()(__m128i block) const {
        __m128i hits = equalUnits(block, units_[0]);
        if (count_ > 1) {
            hits = _mm_or_si128(hits, equalUnits(block, units_[1]));
            if (count_ > 2) {
                hits = _mm_or_si128(_mm_or_si128(hits, equalUnits(block, units_[2])), equalUnits(block, units_[3]));
            }
        }
        return hits;
    }

private:
    __m128i units_[4];
    std::size_t count_;
};
#endif

#ifdef VARNEL_AVX2
bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}

VARNEL_AVX2_TARGET __m256i broadcastWide(wchar_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        return _mm256_set1_epi16(static_cast<short>(c));
    } else {
        return _mm256_set1_epi32(static_cast<int>(c));
    }
}

VARNEL_AVX2_TARGET __m256i equalWide(__m256i a, __m256i b) {
    if constexpr (sizeof(wchar_t) == 2) {
        return _mm256_cmpeq_epi16(a, b);
    } else {
        return _mm256_cmpeq_epi32(a, b);
    }
}

VARNEL_AVX2_TARGET __m256i probeWide(const wchar_t* at, const __m256i (&units)[4], std::size_t count) {
    const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    __m256i hits = equalWide(block, units[0]);
    for (std::size_t k = 1; k < count; ++k) {
        hits = _mm256_or_si256(hits, equalWide(block, units[k]));
    }
    return hits;
}

// The 32-byte form of the block loop in SubstringFinder::search: tests the starts from
// `start` on, a block at a time, and leaves `start` at the first start it did not test.
// Returns the first start that `same` confirms, or npos.
template <typename Same>
VARNEL_AVX2_TARGET std::size_t searchWide(const wchar_t* haystack, std::size_t starts, const wchar_t* atA,
                                          const wchar_t* unitsA, std::size_t countA, const wchar_t* atB,
                                          const wchar_t* unitsB, std::size_t countB, const Same& same,
                                          std::size_t& start) {
    constexpr std::size_t lanes = 32 / sizeof(wchar_t);
    constexpr unsigned laneBits = (1u << sizeof(wchar_t)) - 1;
    __m256i wantA[4];
    __m256i wantB[4];
    for (std::size_t k = 0; k < 4; ++k) {
        wantA[k] = broadcastWide(unitsA[k < countA ? k : 0]);
        wantB[k] = broadcastWide(unitsB[k < countB ? k : 0]);
    }
    for (; start + lanes <= starts; start += lanes) {
        _mm_prefetch(reinterpret_cast<const char*>(atA + start) + readAhead, _MM_HINT_T0);
        unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_and_si256(probeWide(atA + start, wantA, countA), probeWide(atB + start, wantB, countB))));
        while (mask != 0) {
            const std::size_t at = start + static_cast<unsigned>(__builtin_ctz(mask)) / sizeof(wchar_t);
            if (same(haystack + at)) {
                return at;
            }
            mask &= ~(laneBits << __builtin_ctz(mask));
        }
    }
    return std::wstring::npos;
}
#endif

}  // namespace

SubstringFinder::SubstringFinder(std::wstring needle) : needle_(std::move(needle)) {
    const std::size_t n = needle_.size();
    if (n == 0) {
        return;
    }
    std::vector<int> costs(n);
    for (std::size_t i = 0; i < n; ++i) {
        costs[i] = commonness(needle_[i]);
    }
    const auto [a, b] = pickProbes(needle_, costs);
    first_ = Probe{a, {needle_[a]}, 1};
    second_ = Probe{b, {needle_[b]}, 1};

    // In a raw text, a needle unit is found as any unit that reads as it: a lower-case
    // letter as itself or its capital, a space as a space or a line feed.
    const TextFolding& folding = textFolding();
    std::vector<std::vector<wchar_t>> forms(n);
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t c = needle_[i];
        if (i > 0 && needle_.find(c) < i) {
            forms[i] = forms[needle_.find(c)];
            continue;
        }
        if (folding.read(c) == c) {
            forms[i].push_back(c);
        }
        for (const auto& [unit, reading] : folding.moved) {
            if (reading == c) {
                forms[i].push_back(unit);
            }
        }
    }
    constexpr int never = 1 << 20;
    for (std::size_t i = 0; i < n; ++i) {
        if (forms[i].empty()) {
            textNeverFound_ = true;  // nothing in a text reads as this unit (a line feed, say)
            return;
        }
        costs[i] = forms[i].size() > 4 ? never : commonness(needle_[i]);
    }
    const auto [textA, textB] = pickProbes(needle_, costs);
    const auto probe = [&](std::size_t offset, Probe& into) {
        if (forms[offset].size() > 4) {
            return false;
        }
        into.offset = offset;
        into.count = forms[offset].size();
        std::copy(forms[offset].begin(), forms[offset].end(), into.units);
        return true;
    };
    textSearchable_ = probe(textA, firstInText_) && probe(textB, secondInText_);
}

std::size_t SubstringFinder::findIn(const std::wstring& haystack, std::size_t from) const {
    if (from > haystack.size()) {
        return std::wstring::npos;
    }
    const wchar_t* const needle = needle_.data();
    const std::size_t n = needle_.size();
    const std::size_t at =
        search(haystack.data() + from, haystack.size() - from, first_, second_,
               [needle, n](const wchar_t* start) { return std::memcmp(start, needle, n * sizeof(wchar_t)) == 0; });
    return at == std::wstring::npos ? at : from + at;
}

std::size_t SubstringFinder::findInText(const std::wstring& text, std::size_t from) const {
    if (from > text.size() || textNeverFound_) {
        return std::wstring::npos;
    }
    const TextFolding& folding = textFolding();
    const wchar_t* const needle = needle_.data();
    const std::size_t n = needle_.size();
    const auto same = [&folding, needle, n](const wchar_t* start) {
        for (std::size_t i = 0; i < n; ++i) {
            if (folding.read(start[i]) != needle[i]) {
                return false;
            }
        }
        return true;
    };
    if (textSearchable_) {
        const std::size_t at = search(text.data() + from, text.size() - from, firstInText_, secondInText_, same);
        return at == std::wstring::npos ? at : from + at;
    }
    for (std::size_t start = from; start + n <= text.size(); ++start) {
        if (same(text.data() + start)) {
            return start;
        }
    }
    return std::wstring::npos;
}

// Each place where both probes find one of their units is checked with `same`.
template <typename Same>
std::size_t SubstringFinder::search(const wchar_t* haystack, std::size_t size, const Probe& a, const Probe& b,
                                    Same same) const {
    const std::size_t n = needle_.size();
    if (n == 0) {
        return 0;
    }
    if (size < n) {
        return std::wstring::npos;
    }
    const std::size_t starts = size - n + 1;  // places where the needle could begin
    const wchar_t* const atA = haystack + a.offset;
    const wchar_t* const atB = haystack + b.offset;
    std::size_t start = 0;
#ifdef VARNEL_AVX2
    if (haveAvx2()) {
        const std::size_t at = searchWide(haystack, starts, atA, a.units, a.count, atB, b.units, b.count, same, start);
        if (at != std::wstring::npos) {
            return at;
        }
    }
#endif
#ifdef VARNEL_SSE2
    // Each lane tests one start: the unit at start + a.offset against a's units and the
    // one at start + b.offset against b's. The last load ends at most at the last unit.
    constexpr std::size_t lanes = 16 / sizeof(wchar_t);
    constexpr unsigned laneBits = (1u << sizeof(wchar_t)) - 1;
    const ProbeLanes lanesA(a.units, a.count);
    const ProbeLanes lanesB(b.units, b.count);
    const auto candidates = [&](std::size_t from) {
        const __m128i hits = _mm_and_si128(lanesA(load(atA + from)), lanesB(load(atB + from)));
        return static_cast<unsigned>(_mm_movemask_epi8(hits));
    };
    // The first start of the block where the needle is, or npos.
    const auto verify = [&](std::size_t from, unsigned mask) {
        while (mask != 0) {
            const unsigned bit = lowestBit(mask);
            const std::size_t at = from + bit / sizeof(wchar_t);
            if (same(haystack + at)) {
                return at;
            }
            mask &= ~(laneBits << bit);
        }
        return std::wstring::npos;
    };
    for (; start + 2 * lanes <= starts; start += 2 * lanes) {
        _mm_prefetch(reinterpret_cast<const char*>(atA + start) + readAhead, _MM_HINT_T0);
        const unsigned low = candidates(start);
        const unsigned high = candidates(start + lanes);
        if ((low | high) == 0) {
            continue;
        }
        std::size_t at = verify(start, low);
        if (at == std::wstring::npos) {
            at = verify(start + lanes, high);
        }
        if (at != std::wstring::npos) {
            return at;
        }
    }
    for (; start + lanes <= starts; start += lanes) {
        const std::size_t at = verify(start, candidates(start));
        if (at != std::wstring::npos) {
            return at;
        }
    }
    // The starts left over, fewer than a block, as the last block of the string: it
    // overlaps starts already tested, whose lanes are dropped. Short strings (titles,
    // dates, tags) are mostly such a block.
    if (start < starts && starts >= lanes) {
        const std::size_t last = starts - lanes;
        const unsigned tested = (1u << ((start - last) * sizeof(wchar_t))) - 1;
        return verify(last, candidates(last) & ~tested);
    }
#endif
    const auto isOne = [](const Probe& probe, wchar_t c) {
        return std::find(probe.units, probe.units + probe.count, c) != probe.units + probe.count;
    };
    for (; start < starts; ++start) {
        if (isOne(a, atA[start]) && isOne(b, atB[start]) && same(haystack + start)) {
            return start;
        }
    }
    return std::wstring::npos;
}

}  // namespace app::model
