#include "spotting/AgwTraffic.h"
#include "spotting/ClusterLines.h"

#include <gtest/gtest.h>

namespace {

const QString dxLine = "DX de Q7ABC:     14025.0  Q7XYZ        CQ WPX CW                      1234Z MA";

} // namespace

TEST(AgwTraffic, FrameTextsAsTheReceiverBuildsThem) {
  const QString nul(QChar(0));
  const QString header = " 1:Fm Q7CLU To DX <UI pid=F0 Len=79 PF=0 >[12:34:56]\r";
  const struct {
    QString call, data;
    char kind;
    bool connected;
    QString frameCall, frameLine, spotText;
  } rows[] = {
      // A monitored UI frame from direwolf: header line dropped, the doubled end halved.
      {"Q7CLU" + nul, header + dxLine + "\r\r", 'T', false, "Q7CLU",
       "TQ7CLU  1:Fm Q7CLU To DX <UI pid=F0 Len=79 PF=0 >[12:34:56]\r\n" + dxLine + "\r\n\r\n",
       dxLine + "\r\n"},
      // One pass: CR LF becomes CR LF CR LF, never CR CR LF; connected text keeps its first line.
      {"Q7NODE" + nul, "hello\r\nthere", 'D', true, "Q7NODE", "DQ7NODE hello\r\n\r\nthere",
       "hello\r\n\r\nthere"},
      // Not connected, no line end: only trimmed (spaces only).
      {"Q7NODE" + nul, "  \tx  ", 'U', false, "Q7NODE", "UQ7NODE   \tx  ", "\tx"},
      // A lone line end goes; a call buffer without NUL keeps no call.
      {"Q7ABCDEFGH", "\r", 'D', true, "", "D \r\n", ""},
      {"Q7NODE" + nul, "*** CONNECTED With Station Q7NODE\r", 'c', false, "Q7NODE",
       "cQ7NODE *** CONNECTED With Station Q7NODE\r\n", ""},
      // Only the first `length` characters count; a NUL inside stays.
      {"Q7CLU" + nul, "ab" + nul + "cd\rIGNORED", 'I', true, "Q7CLU", "IQ7CLU ab" + nul + "cd\r\n",
       "ab" + nul + "cd\r\n"},
  };
  for (const auto &row : rows) {
    const int length = row.data.startsWith("ab") ? 6 : int(row.data.size());
    const AgwFrameTexts texts = agwFrameTexts(row.call, row.data, row.kind, length, row.connected);
    EXPECT_EQ(texts.frameCall, row.frameCall) << row.data.toStdString();
    EXPECT_EQ(texts.frameLine, row.frameLine) << row.data.toStdString();
    EXPECT_EQ(texts.spotText, row.spotText) << row.data.toStdString();
  }
}

TEST(AgwTraffic, SpotTextsAndTypedCommands) {
  for (const char *spot : {"DX de", " DX de", "dx de", "xDX"})
    EXPECT_TRUE(isAgwSpotText(spot)) << spot;
  for (const char *other : {"  DX de", "ab DX", "", "D X"})
    EXPECT_FALSE(isAgwSpotText(other)) << other;

  const struct {
    const char *typed;
    AgwCommand::Kind kind;
    const char *call;
  } rows[] = {
      {":c q7node", AgwCommand::Connect, "Q7NODE"},
      {":C  Q7NODE-3 ", AgwCommand::Connect, "Q7NODE-3"},
      {":C", AgwCommand::Connect, ""},
      {":d", AgwCommand::Disconnect, ""},
      {":X Q7NODE", AgwCommand::Other, ""},
      {":", AgwCommand::Other, ""},
      {"hello :C", AgwCommand::Text, ""},
  };
  for (const auto &row : rows) {
    const AgwCommand command = agwCommand(row.typed);
    EXPECT_EQ(command.kind, row.kind) << row.typed;
    EXPECT_EQ(command.call, row.call) << row.typed;
  }
}
