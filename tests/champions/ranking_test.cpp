// The ranking of the champions list: which result enters, the order of the
// sorted list, the stored name and what a row shows.

#include "champions/ranking.h"

#include <gtest/gtest.h>

using champions::kEmptySlot;

TEST(Ranking, WhichResultEntersTheList)
{
    struct Case {
        const char* score;
        QString last;
        bool enters;
    } cases[] = {
        {"0000700012", kEmptySlot, true},            // first result of a size and mode
        {"9999900001", kEmptySlot, true},            // 99999 seconds still enters
        {"0000000000", kEmptySlot, false},           // never, not even an empty list
        {"0001000005", "0001000005Bob", true},       // equal to the tenth: the bare digits are less
        {"0001000004", "0001000005Bob", true},
        {"0001000006", "0001000005Bob", false},      // worse than the tenth
        {"0002000001", "0001000005Bob", false},
        {"1000000005", kEmptySlot, true},
        {"10000000005", kEmptySlot, false},          // 100000 seconds do not fit
        {"00001100000", kEmptySlot, false},          // nor 100000 moves
        {"0000700012", QString(), false},            // a tenth entry of "" sorts first
    };
    for (const Case& c : cases)
        EXPECT_EQ(champions::qualifies(QString::fromLatin1(c.score), c.last), c.enters)
            << c.score << " against " << qPrintable(c.last);
}

TEST(Ranking, TheSortedListRanksSecondsMovesAndNameWithoutCase)
{
    champions::SortedList list;
    for (const char* t : {"9999999999 ", "0001000007bob", "0001000005Bob", "0000900099Zed",
                          "0001000005alice", "9999999999 ", "0001000005Carl", ""})
        list.AddItem(QString::fromLatin1(t));
    const QStringList expected = {"",
                                  "0000900099Zed",
                                  "0001000005alice",
                                  "0001000005Bob",
                                  "0001000005Carl",
                                  "0001000007bob",
                                  "9999999999 ",
                                  "9999999999 "};
    EXPECT_EQ(list.items(), expected);

    // An entry equal but for case goes after the one already there.
    list.AddItem("0001000005BOB");
    EXPECT_EQ(list.List(3), "0001000005Bob");
    EXPECT_EQ(list.List(4), "0001000005BOB");
    EXPECT_EQ(list.ListCount(), 9);
}

TEST(Ranking, TheNameAsItIsStored)
{
    struct Case {
        QString answer;
        QString name;
    } cases[] = {
        {"Anna", "Anna"},
        {"   Anna Maria  ", "Anna Maria"},
        {"", ""},
        {"      ", ""},
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},       // 25 -> 20
        {"abcdefghijklmnopqrs tuvw", "abcdefghijklmnopqrs"},         // no blank at the end
        {QStringLiteral("Zoë Ærø"), QStringLiteral("Zoë Ærø")},      // Windows-1252 holds them
        {QStringLiteral("张三 Li"), "?? Li"},                         // it does not hold these
        {QStringLiteral("\U0001F600x"), "?x"},                      // one character, one "?"
    };
    for (const Case& c : cases)
        EXPECT_EQ(champions::nameFromAnswer(c.answer), c.name) << qPrintable(c.answer);
}

TEST(Ranking, WhatARowShows)
{
    struct Case {
        QString entry;
        QString name, moves, seconds;
    } cases[] = {
        {"0004200137Anna", "Anna", "137", "42"},
        {"0000700012", "", "12", "7"},
        {"0000700012Sam Smith  x", "Sam Smith  x", "12", "7"},
        {kEmptySlot, "", "", ""},
        {"", "", "", ""},
        {"9999900001Slow", "", "", ""},        // 99999 seconds: stored, shown empty
        {"0000000005Zero", "", "", ""},
        {"\x0fZ\x12junk", "", "", ""},         // a value that decoded to junk
        {"00003", "", "0", "3"},
    };
    for (const Case& c : cases) {
        const champions::Row row = champions::rowOf(c.entry);
        EXPECT_EQ(row.name, c.name) << qPrintable(c.entry);
        EXPECT_EQ(row.moves, c.moves) << qPrintable(c.entry);
        EXPECT_EQ(row.seconds, c.seconds) << qPrintable(c.entry);
    }
}

TEST(Ranking, TiesWithTheTenthRankAndCharactersTheFileCannotKeep)
{
    EXPECT_TRUE(champions::tiesLast("0001000005", "0001000005Bob"));
    EXPECT_TRUE(champions::tiesLast("0001000005", "0001000005"));
    EXPECT_FALSE(champions::tiesLast("0001000004", "0001000005Bob"));
    EXPECT_FALSE(champions::tiesLast("9999999999", kEmptySlot));  // an empty slot is no tie

    champions::SortedList list;
    for (const char* t : {"0001000005Bob", "0002000003Dora", "9999999999 "})
        list.AddItem(QString::fromLatin1(t));
    EXPECT_EQ(champions::rankOf(list, "0000900001Zed"), 1);
    EXPECT_EQ(champions::rankOf(list, "0001000005Ann"), 1);  // equal numbers: by name
    EXPECT_EQ(champions::rankOf(list, "0001000005Bob"), 2);  // after the same entry
    EXPECT_EQ(champions::rankOf(list, "0001000005carl"), 2);
    EXPECT_EQ(champions::rankOf(list, "0003000001"), 3);

    EXPECT_EQ(champions::lostCharacters(QString::fromUtf8("Zoë Œuvre ß")), "");
    EXPECT_EQ(champions::lostCharacters(QString::fromUtf8("李x李Ω😀")), QString::fromUtf8("李Ω😀"));
}
