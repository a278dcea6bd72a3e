// The stand-ins' journal escaping and control-command language, checked without starting a stand-in.
#include <gtest/gtest.h>

#include <string>

#include "../../standins/common/standin_text.h"

namespace {

using standin::CommandKind;

TEST(StandInJournalText, PlainCommandsAreWrittenAsTheyAre) {
    EXPECT_EQ(standin::EscapeForJournal("003selectbearing245"), "003selectbearing245");
    EXPECT_EQ(standin::EscapeForJournal("003start "), "003start ");
    EXPECT_EQ(standin::EscapeForJournal("Gr\xFC\xDF"), "Gr\xFC\xDF");  // ANSI letters stay single bytes
    EXPECT_EQ(standin::EscapeForJournal("a\\b"), "a\\\\b");
    EXPECT_EQ(standin::EscapeForJournal(std::string("x\r\n\t\0\x7F", 6)), "x\\x0D\\x0A\\x09\\x00\\x7F");
}

TEST(StandInJournalText, EveryByteStringSurvivesTheJournal) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string escaped = standin::EscapeForJournal(all);
    EXPECT_EQ(escaped.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(standin::UnescapeJournal(escaped), all);
    EXPECT_EQ(standin::UnescapeJournal("\\x4g"), std::nullopt);
    EXPECT_EQ(standin::UnescapeJournal("trailing\\"), std::nullopt);
    EXPECT_EQ(standin::UnescapeJournal("\\q"), std::nullopt);
}

TEST(StandInCommands, TextIsCutAtOneNulAndRefusedWhenUnfit) {
    EXPECT_EQ(standin::CommandText("quit", 4), "quit");
    EXPECT_EQ(standin::CommandText("quit", 5), "quit");  // with its terminating NUL
    EXPECT_EQ(standin::CommandText(nullptr, 4), std::nullopt);
    EXPECT_EQ(standin::CommandText("", 0), std::nullopt);
    EXPECT_EQ(standin::CommandText("\0", 1), std::nullopt);
    EXPECT_EQ(standin::CommandText("qu\0it", 5), std::nullopt);
    EXPECT_EQ(standin::CommandText("set call A\nB", 12), std::nullopt);
    const std::string longest(standin::kMaxCommandBytes, 'a');
    EXPECT_EQ(standin::CommandText(longest.data(), longest.size()), longest);
    const std::string tooLong(standin::kMaxCommandBytes + 1, 'a');
    EXPECT_EQ(standin::CommandText(tooLong.data(), tooLong.size()), std::nullopt);
}

TEST(StandInCommands, LoggerUnderstandsItsFourCommandsOnly) {
    auto parsed = standin::ParseLoggerCommand("set angle 245");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->kind, CommandKind::SetAngle);
    EXPECT_EQ(parsed->text, "245");
    parsed = standin::ParseLoggerCommand("set call  DL1ABC ");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->kind, CommandKind::SetCall);
    EXPECT_EQ(parsed->text, " DL1ABC ");  // the value exactly as sent
    parsed = standin::ParseLoggerCommand("set locator");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->kind, CommandKind::SetLocator);
    EXPECT_EQ(parsed->text, "");
    EXPECT_EQ(standin::ParseLoggerCommand("quit")->kind, CommandKind::Quit);
    for (const char* bad : {"", "quit ", "QUIT", "set", "set angles 5", "set callsign X", "refuse on", "setangle 5"}) {
        EXPECT_FALSE(standin::ParseLoggerCommand(bad)) << bad;
    }
}

TEST(StandInCommands, DxViewUnderstandsItsSwitchesOnly) {
    EXPECT_EQ(standin::ParseDxViewCommand("refuse on")->kind, CommandKind::RefuseOn);
    EXPECT_EQ(standin::ParseDxViewCommand("refuse off")->kind, CommandKind::RefuseOff);
    EXPECT_EQ(standin::ParseDxViewCommand("noanswer on")->kind, CommandKind::NoAnswerOn);
    EXPECT_EQ(standin::ParseDxViewCommand("noanswer off")->kind, CommandKind::NoAnswerOff);
    EXPECT_EQ(standin::ParseDxViewCommand("announce")->kind, CommandKind::Announce);
    EXPECT_EQ(standin::ParseDxViewCommand("quit")->kind, CommandKind::Quit);
    for (const char* bad : {"", "refuse", "refuse yes", "Refuse on", "noanswer  on", "set angle 5", "quit now"}) {
        EXPECT_FALSE(standin::ParseDxViewCommand(bad)) << bad;
    }
}

}  // namespace
