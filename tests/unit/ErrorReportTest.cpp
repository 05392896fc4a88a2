#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Puts a presenter in place for one test and the previous one back afterwards.
class PresenterScope {
public:
    explicit PresenterScope(err::ErrorPresenter presenter) : previous_(err::setErrorPresenter(std::move(presenter))) {}
    ~PresenterScope() { err::setErrorPresenter(std::move(previous_)); }

private:
    err::ErrorPresenter previous_;
};

std::string readLog() {
    std::ifstream in("log.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <typename Throw>
void failAndReport(Throw fail, const char* where, void* owner = nullptr) {
    try {
        fail();
    } catch (...) {
        err::reportCurrentException(where, owner);
    }
}

}  // namespace

// One test: every report of the process appends to the same "log.txt", which a second test
// process running beside this one would empty.
TEST(ErrorReport, ReportsAreLoggedThenPresentedAndNeitherAFailingNorAMissingPresenterLosesThem) {
    std::vector<err::ErrorReport> seen;
    PresenterScope scope([&](const err::ErrorReport& report) { seen.push_back(report); });
    int owner = 0;
    failAndReport([] { throw err::IOException("The disk is full"); }, "test::boundary", &owner);
    failAndReport([] { throw 42; }, "test::other");

    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("test::boundary", seen[0].where);
    EXPECT_EQ("err::IOException\nThe disk is full", seen[0].text);
    EXPECT_EQ("The disk is full", seen[0].message);
    EXPECT_EQ(&owner, seen[0].owner);
    EXPECT_EQ("Unknown exception", seen[1].text);
    EXPECT_EQ(nullptr, seen[1].owner);

    // Reports come from system callbacks, where an escaping exception ends the process.
    {
        PresenterScope failing([](const err::ErrorReport&) { throw std::runtime_error("the presenter failed"); });
        failAndReport([] { throw std::logic_error("first failure"); }, "test::failing");
    }

    // Without a presenter a report is only logged; setting one answers the one it replaces.
    err::ErrorPresenter mine = err::setErrorPresenter(nullptr);
    failAndReport([] { throw std::runtime_error("unseen"); }, "test::quiet");
    ASSERT_TRUE(mine);
    err::setErrorPresenter(std::move(mine));
    EXPECT_EQ(2u, seen.size());
    failAndReport([] { throw std::runtime_error("seen"); }, "test::quiet");
    EXPECT_EQ(3u, seen.size());

    const std::string log = readLog();
    EXPECT_NE(std::string::npos, log.find("test::boundary err::IOException\nThe disk is full\n"));
    EXPECT_NE(std::string::npos, log.find("test::other Unknown exception\n"));
    EXPECT_NE(std::string::npos, log.find("test::failing std::logic_error\nfirst failure\n"));
    EXPECT_NE(std::string::npos, log.find("test::quiet std::runtime_error\nunseen\n"));
}
