#include "app/SettingsKeeper.hpp"

#include "MessageOf.hpp"
#include "TempFolder.hpp"
#include "err/Exceptions.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

using app::Font;
using app::Rect;
using app::SettingsKeeper;
using testing_support::messageOf;
using testing_support::TempFolder;
using testing_support::utf16;

namespace {

using Entries = std::map<std::wstring, std::wstring>;

SettingsKeeper parsedFrom(const std::wstring& text) {
    SettingsKeeper keeper;
    keeper.loadFromText(text);
    return keeper;
}

std::wstring reloaded(const SettingsKeeper& keeper, const std::string& key) {
    const SettingsKeeper copy = parsedFrom(keeper.toText());
    const std::wstring* value = copy.find(key);
    return value ? *value : L"(missing)";
}

}  // namespace

TEST(SettingsKeeperFormat, EntriesAreWrittenInKeyOrderAsUtf16WithoutMarkOrTerminator) {
    const SettingsKeeper keeper = parsedFrom(L"b = 2\na = 1\n");
    EXPECT_EQ(L"a = 1\nb = 2\n", keeper.toText());
    EXPECT_EQ(utf16("a = 1\nb = 2\n"), keeper.toBytes());

    SettingsKeeper set;
    set.set("app.mainframe.silentclipping", false);
    set.set<std::wstring>("B", L"upper case sorts first");
    EXPECT_EQ(utf16("B = upper case sorts first\napp.mainframe.silentclipping = 0\n"), set.toBytes());
    EXPECT_EQ(std::string(), SettingsKeeper().toBytes());
}

TEST(SettingsKeeperParse, KeyAndValueAreSplitAtTheFirstEqualsSignAndTrimmed) {
    const SettingsKeeper keeper = parsedFrom(
        L"  spaced key \t=  text = more = text \t\n"
        L"noequals  \n"
        L"=5\n"
        L"==lead=value\n"
        L"crlf = v\r\n"
        L"empty =\n"
        L"dup = first\n"
        L"dup = second\n");
    EXPECT_EQ((Entries{{L"spaced key", L"text = more = text"},
                       {L"noequals", L""},
                       {L"5", L""},
                       {L"lead", L"value"},
                       {L"crlf", L"v"},
                       {L"empty", L""},
                       {L"dup", L"second"}}),
              keeper.entries());
}

TEST(SettingsKeeperParse, ABlankOrEmptyKeyFailsTheWholeLoadAndKeepsTheEntries) {
    SettingsKeeper keeper = parsedFrom(L"kept = 1\n");
    EXPECT_EQ("SettingsKeeper.processToken: malformed attribute line:  = 5",
              messageOf([&] { keeper.loadFromText(L"a = 1\n = 5\nb = 2\n"); }));
    for (const wchar_t* text : {L"=\n", L"==\n", L"= \t=x\n", L"a = 1\n\t= x"}) {
        EXPECT_THROW(keeper.loadFromText(text), err::IOException) << text;
    }
    EXPECT_EQ((Entries{{L"kept", L"1"}}), keeper.entries());
}

TEST(SettingsKeeperParse, ReadingStopsAtABlankLineOrAZeroButSkipsEmptyLines) {
    EXPECT_EQ((Entries{{L"a", L"1"}, {L"b", L"2"}}), parsedFrom(L"\n\na = 1\n\n\nb = 2\n   \nc = 3\n").entries());
    EXPECT_EQ((Entries{{L"a", L"1"}}), parsedFrom(L"a = 1\r\n\r\nb = 2\r\n").entries());
    EXPECT_EQ((Entries{{L"a", L"1"}, {L"b", L"2"}}), parsedFrom(std::wstring(L"a = 1\nb = 2\0c = 3\n", 18)).entries());
    // Lines after the stop are not even checked.
    EXPECT_EQ((Entries{{L"a", L"1"}}), parsedFrom(L"a = 1\n \n = malformed\n").entries());

    SettingsKeeper keeper = parsedFrom(L"old = 1\n");
    keeper.loadFromText(L"new = 2");
    EXPECT_EQ((Entries{{L"new", L"2"}}), keeper.entries());
    keeper.loadFromText(L"");
    EXPECT_TRUE(keeper.entries().empty());
}

TEST(SettingsKeeperParse, FileBytesEndAtTheFirstZeroCodeUnit) {
    EXPECT_EQ(L"a = 1\nb",
              SettingsKeeper::textFromBytes(reinterpret_cast<const unsigned char*>(utf16("a = 1\nb").data()), 14));
    const std::string zeroInside = utf16("a = 1\n") + std::string(2, '\0') + utf16("b = 2\n");
    EXPECT_EQ(L"a = 1\n", SettingsKeeper::textFromBytes(reinterpret_cast<const unsigned char*>(zeroInside.data()),
                                                        zeroInside.size()));
    // An odd last byte is no code unit; a zero byte inside a unit ends nothing.
    const std::string odd = utf16("k = v") + "x";
    EXPECT_EQ(L"k = v", SettingsKeeper::textFromBytes(reinterpret_cast<const unsigned char*>(odd.data()), odd.size()));
    const unsigned char highZero[] = {0x00, 0x01, 0x41, 0x00};
    EXPECT_EQ((std::wstring{wchar_t(0x0100), L'A'}), SettingsKeeper::textFromBytes(highZero, 4));
    EXPECT_EQ(L"", SettingsKeeper::textFromBytes(highZero, 1));
    EXPECT_EQ(L"", SettingsKeeper::textFromBytes(nullptr, 0));
}

TEST(SettingsKeeperParse, TextOutsideTheBasicPlaneRoundTripsThroughTheFileBytes) {
    const unsigned char bytes[] = {'k', 0, ' ', 0, '=', 0, ' ', 0, 0x34, 0xD8, 0x1E, 0xDD, 0xE9, 0x00, '\n', 0};
    SettingsKeeper keeper;
    keeper.loadFromText(SettingsKeeper::textFromBytes(bytes, sizeof bytes));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), sizeof bytes), keeper.toBytes());
}

TEST(SettingsKeeperValues, NumbersAndFlagsAreWrittenAndReadAsStreamsDo) {
    SettingsKeeper keeper;
    keeper.set("int.negative", -42);
    keeper.set("int.max", std::numeric_limits<int>::max());
    keeper.set("bool.true", true);
    keeper.set("bool.false", false);
    keeper.set<double>("double.whole", 8);
    keeper.set<double>("double.half", 10.5);
    keeper.set<double>("double.third", 1.0 / 3);
    keeper.set<double>("double.large", 1234567.0);
    keeper.set<app::ColorRef>("color", app::rgb(0, 90, 240));
    EXPECT_EQ(
        L"bool.false = 0\nbool.true = 1\ncolor = 15751680\ndouble.half = 10.5\ndouble.large = 1.23457e+06\n"
        L"double.third = 0.333333\ndouble.whole = 8\nint.max = 2147483647\nint.negative = -42\n",
        keeper.toText());

    const SettingsKeeper read = parsedFrom(keeper.toText());
    EXPECT_EQ(-42, read.get("int.negative", 0));
    EXPECT_EQ(std::numeric_limits<int>::max(), read.get("int.max", 0));
    EXPECT_TRUE(read.get("bool.true", false));
    EXPECT_FALSE(read.get("bool.false", true));
    EXPECT_EQ(10.5, read.get<double>("double.half", 0));
    EXPECT_EQ(1234570.0, read.get<double>("double.large", 0));
    EXPECT_EQ(15751680u, read.get<app::ColorRef>("color", 0));

    EXPECT_EQ(7, read.get("absent", 7));
    EXPECT_TRUE(read.get("absent", true));
    EXPECT_EQ(2.5, read.get<double>("absent", 2.5));
    EXPECT_EQ(99u, read.get<app::ColorRef>("absent", 99));
    EXPECT_EQ(L"default", read.get<std::wstring>("absent", L"default"));
    EXPECT_EQ(nullptr, read.find("absent"));
}

TEST(SettingsKeeperValues, OnlyAFailedExtractionIsAParseError) {
    const SettingsKeeper keeper = parsedFrom(
        L"int.trailing = 12abc\nint.letters = abc\nint.overflow = 99999999999\nint.empty =\n"
        L"bool.word = true\nbool.two = 2\nbool.trailing = 1x\ndouble.letters = x1\ncolor.letters = blue\n");
    EXPECT_EQ(12, keeper.get("int.trailing", 0));
    EXPECT_TRUE(keeper.get("bool.trailing", false));
    EXPECT_EQ("Parse error: 'abc'", messageOf([&] { keeper.get("int.letters", 0); }));
    EXPECT_EQ("Parse error: '99999999999'", messageOf([&] { keeper.get("int.overflow", 0); }));
    EXPECT_EQ("Parse error: ''", messageOf([&] { keeper.get("int.empty", 0); }));
    EXPECT_EQ("Parse error: 'true'", messageOf([&] { keeper.get("bool.word", false); }));
    EXPECT_EQ("Parse error: '2'", messageOf([&] { keeper.get("bool.two", false); }));
    EXPECT_THROW(keeper.get<double>("double.letters", 0), err::RuntimeException);
    EXPECT_THROW(keeper.get<app::ColorRef>("color.letters", 0), err::RuntimeException);
}

TEST(SettingsKeeperValues, StringsKeepTheirBlanksUntilTheNextLoadAndPlaceholdersStay) {
    SettingsKeeper keeper;
    keeper.set<std::wstring>("s", L"  padded\t");
    EXPECT_EQ(L"  padded\t", keeper.get<std::wstring>("s", L""));
    EXPECT_EQ(L"padded", reloaded(keeper, "s"));

    keeper.set<std::wstring>("braces", L"{1} {2} {3} {5}");
    keeper.set<std::wstring>("key{2}", L"x");
    EXPECT_EQ(L"{1} {2} {3} {5}", reloaded(keeper, "braces"));
    EXPECT_EQ(L"x", reloaded(keeper, "key{2}"));
}

TEST(SettingsKeeperComposite, FontsAndRectanglesAreFourSubKeys) {
    SettingsKeeper keeper;
    keeper.set("f", Font{L"Courier New", 9.5, 700, true});
    keeper.set("r", Rect{-10, 20, 1300, 800});
    EXPECT_EQ(
        L"f.face = Courier New\nf.italic = 1\nf.size = 9.5\nf.weight = 700\n"
        L"r.bottom = 800\nr.left = -10\nr.right = 1300\nr.top = 20\n",
        keeper.toText());

    const SettingsKeeper read = parsedFrom(keeper.toText());
    EXPECT_EQ((Font{L"Courier New", 9.5, 700, true}), read.get("f", Font{L"Arial", 8, 400, false}));
    EXPECT_EQ((Rect{-10, 20, 1300, 800}), read.get("r", Rect{}));
}

TEST(SettingsKeeperComposite, MissingSubKeysTakeTheDefaultsFields) {
    const SettingsKeeper keeper = parsedFrom(L"f.size = 12\nr.right = 5\nr.top = -3\n");
    EXPECT_EQ((Font{L"Tahoma", 12, 400, true}), keeper.get("f", Font{L"Tahoma", 8, 400, true}));
    EXPECT_EQ((Rect{1, -3, 5, 4}), keeper.get("r", Rect{1, 2, 3, 4}));
    EXPECT_EQ((Font{L"Arial", 8, 700, false}), keeper.get("absent", Font{L"Arial", 8, 700, false}));

    const SettingsKeeper bad = parsedFrom(L"f.weight = bold\n");
    EXPECT_EQ("Parse error: 'bold'", messageOf([&] { bad.get("f", Font{}); }));
}

TEST(SettingsKeeperRefusals, WhatCouldNotBeReadBackIsRefusedAndChangesNothing) {
    SettingsKeeper keeper = parsedFrom(L"f.face = Arial\nkeep = 1\n");
    const Entries before = keeper.entries();
    for (const std::string& key :
         {std::string(" lead"), std::string("a=b"), std::string("a\nb"), std::string("a\0b", 3)}) {
        EXPECT_THROW(keeper.set(key, 1), err::InvalidArgumentException);
        EXPECT_THROW(keeper.set(key, Rect{}), err::InvalidArgumentException);
        EXPECT_THROW(keeper.set(key, Font{}), err::InvalidArgumentException);
    }
    EXPECT_THROW(keeper.set("", 1), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set("trail ", true), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set<std::wstring>("s", L"two\nlines"), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set<std::wstring>("s", std::wstring(L"a\0b", 3)), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set<double>("d", std::nan("")), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set<double>("d", std::numeric_limits<double>::infinity()), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set("f", Font{L"Bad\nFace", 8, 400, false}), err::InvalidArgumentException);
    EXPECT_THROW(keeper.set("f", Font{L"Arial", std::nan(""), 400, false}), err::InvalidArgumentException);
    EXPECT_EQ(before, keeper.entries());
    EXPECT_EQ("Precondition failed:\napp::SettingsKeeper::setString\nisStorableValue(value)",
              messageOf([&] { keeper.set<std::wstring>("s", L"\n"); }));
}

TEST(SettingsKeeperFile, SaveWritesTheTextAndTheFileConstructorReadsIt) {
    TempFolder folder;
    const std::wstring path = folder.file(L"varnel.settings");
    SettingsKeeper keeper;
    keeper.set("b", 2);
    keeper.set<std::wstring>("a", L"text");
    keeper.save(path);
    EXPECT_EQ(utf16("a = text\nb = 2\n"), folder.read(L"varnel.settings"));
    EXPECT_EQ(keeper.entries(), SettingsKeeper(path).entries());

    folder.write(L"zero.settings", utf16("x = 1\n") + std::string(2, '\0') + utf16(" = malformed after the end\n"));
    EXPECT_EQ((Entries{{L"x", L"1"}}), SettingsKeeper(folder.file(L"zero.settings")).entries());
}

TEST(SettingsKeeperFile, FailuresRaiseIOExceptions) {
    TempFolder folder;
    EXPECT_EQ("CFileLoader.fload: cannot open file",
              messageOf([&] { SettingsKeeper keeper(folder.file(L"missing.settings")); }));

    folder.write(L"bad.settings", utf16("a = 1\n = 2\n"));
    EXPECT_THROW(SettingsKeeper(folder.file(L"bad.settings")), err::IOException);

    const std::string message =
        messageOf([&] { SettingsKeeper().save(folder.file(L"no folder") + L"\\varnel.settings"); });
    EXPECT_EQ(0u, message.rfind("CFileLoader.fsave: cannot open file\n", 0)) << message;
    EXPECT_EQ((std::set<std::wstring>{L"bad.settings"}), folder.names());
}
