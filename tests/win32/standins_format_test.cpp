// The stand-ins' journal escaping and control-command language, checked without starting a stand-in.
#include <gtest/gtest.h>

#include <string>

#include "../../standins/common/standin_text.h"

namespace {

using standin::CommandKind;

TEST(StandInJournalText, EscapesOnlyWhatWouldBreakALineAndEveryByteSurvives) {
    EXPECT_EQ(standin::EscapeForJournal("003start Gr\xFC\xDF"), "003start Gr\xFC\xDF");  // ANSI letters stay
    EXPECT_EQ(standin::EscapeForJournal(std::string("a\\b\r\n\t\0\x7F", 8)), "a\\\\b\\x0D\\x0A\\x09\\x00\\x7F");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string escaped = standin::EscapeForJournal(all);
    EXPECT_EQ(escaped.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(standin::UnescapeJournal(escaped), all);
    for (const char* bad : {"\\x4g", "trailing\\", "\\q"})
        EXPECT_EQ(standin::UnescapeJournal(bad), std::nullopt) << bad;
}

TEST(StandInCommands, TextIsCutAtOneNulAndRefusedWhenUnfit) {
    EXPECT_EQ(standin::CommandText("quit", 4), "quit");
    EXPECT_EQ(standin::CommandText("quit", 5), "quit");  // with its terminating NUL
    EXPECT_EQ(standin::CommandText(nullptr, 4), std::nullopt);
    const std::string longest(standin::kMaxCommandBytes + 1, 'a');
    EXPECT_EQ(standin::CommandText(longest.data(), longest.size() - 1), longest.substr(1));
    for (const std::string& bad :
         {std::string(), std::string(1, '\0'), std::string("qu\0it", 5), std::string("set call A\nB"), longest}) {
        EXPECT_EQ(standin::CommandText(bad.data(), bad.size()), std::nullopt) << bad;
    }
}

TEST(StandInCommands, EachStandInUnderstandsItsOwnCommandsOnly) {
    struct Case {
        bool logger;
        const char* text;
        CommandKind kind;
        const char* value = "";
    };
    const Case cases[] = {
        {true, "set angle 245", CommandKind::SetAngle, "245"},
        {true, "set call  DL1ABC ", CommandKind::SetCall, " DL1ABC "},  // the value exactly as sent
        {true, "set locator", CommandKind::SetLocator},
        {true, "quit", CommandKind::Quit},
        {false, "refuse on", CommandKind::RefuseOn},
        {false, "refuse off", CommandKind::RefuseOff},
        {false, "noanswer on", CommandKind::NoAnswerOn},
        {false, "noanswer off", CommandKind::NoAnswerOff},
        {false, "announce", CommandKind::Announce},
        {false, "quit", CommandKind::Quit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = c.logger ? standin::ParseLoggerCommand(c.text) : standin::ParseDxViewCommand(c.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->kind, c.kind);
        EXPECT_EQ(parsed->text, c.value);
    }
    for (const char* bad : {"", "quit ", "QUIT", "set", "set angles 5", "set callsign X", "refuse on", "setangle 5"})
        EXPECT_FALSE(standin::ParseLoggerCommand(bad)) << bad;
    for (const char* bad : {"", "refuse", "refuse yes", "Refuse on", "noanswer  on", "set angle 5", "quit now"})
        EXPECT_FALSE(standin::ParseDxViewCommand(bad)) << bad;
}

}  // namespace
