#include "rig/RigPoll.h"

#include "rig/RigSettings.h"

#include <optional>

namespace {

// `count` bytes from hex pairs at character positions 1, 4, 7, ...
std::optional<QByteArray> fixedPairs(const QString &text, int count) {
  return HexPairsToBytes(text.left(count * 3 - 1));
}

} // namespace

PollTurn pollCommands(const PollTexts &t, int pollModeNext) {
  PollTurn turn;
  turn.pollModeNext = pollModeNext;
  const auto add = [&turn](const std::optional<QByteArray> &bytes) {
    if (bytes)
      turn.commands.push_back(*bytes);
    else
      turn.ok = false;
  };
  const QString &asked = pollModeNext == 1 ? t.modeText : t.freqText;
  const auto alternate = [&](int minLength, int bytes) {
    if (asked.size() >= minLength)
      add(bytes > 0 ? fixedPairs(asked, bytes) : std::optional<QByteArray>(asked.toLatin1()));
    turn.pollModeNext = pollModeNext == 1 ? 0 : 1;
  };
  // Both texts every turn, an empty one left out.
  const auto both = [&](const auto &bytesOf) {
    for (const QString *text : {&t.freqText, &t.modeText}) {
      if (!text->isEmpty())
        add(bytesOf(*text));
    }
  };
  switch (rigFamily(t.rigType)) {
  case RigFamily::Kenwood:
  case RigFamily::KenwoodIF:
    both([](const QString &text) { return text.toLatin1(); });
    break;
  case RigFamily::Icom:
    alternate(17, 6);
    break;
  case RigFamily::Yaesu5Byte:
    if (t.freqText.size() >= 14)
      add(fixedPairs(t.freqText, 5));
    break;
  case RigFamily::FTdx9000:
    alternate(2, 0);
    break;
  case RigFamily::TenTecPanel:
    alternate(7, 3);
    break;
  case RigFamily::Orion:
    both([](const QString &text) -> QByteArray { return text.toLatin1() + '\r'; });
    break;
  case RigFamily::Other:
    both([&](const QString &text) {
      return t.convToHex ? HexPairsToBytes(text) : std::optional<QByteArray>(text.toLatin1());
    });
    break;
  case RigFamily::Pegasus:
  case RigFamily::None:
    break;
  }
  if (!turn.ok) {
    turn.commands.clear();
    turn.pollModeNext = pollModeNext;
  }
  return turn;
}

void parseReply(const PollTexts &t, const QByteArray &reply, int pollModeNext, RigReadout &rig) {
  const QString &type = t.rigType;
  switch (rigFamily(type)) {
  case RigFamily::Kenwood:
    ParseKenwoodFrequency(reply, t.freqText, rig);
    ParseKenwoodMode(reply, rig);
    break;
  case RigFamily::KenwoodIF:
    ParseKenwoodIF(reply, rig);
    break;
  case RigFamily::Icom:
    if (pollModeNext == 1)
      ParseIcomFrequency(reply, type == QLatin1String("Icom 735"), rig);
    else
      ParseIcomMode(reply, rig);
    break;
  case RigFamily::Yaesu5Byte:
    if (type == QLatin1String("Yaesu"))
      ParseYaesuStatus(reply, rig);
    else if (type == QLatin1String("Yaesu 757 GX II"))
      ParseYaesu757Status(reply, rig);
    else if (type == QLatin1String("Yaesu 890"))
      ParseYaesu890Status(reply, rig);
    else if (type == QLatin1String("Yaesu 920"))
      ParseYaesu920Status(reply, rig);
    else if (type == QLatin1String("Yaesu 1000"))
      ParseYaesu1000Status(reply, rig);
    else
      ParseYaesu990Status(reply, rig);
    break;
  case RigFamily::FTdx9000:
    ParseFTdx9000Reply(reply, t.freqText, t.modeText, rig);
    break;
  case RigFamily::TenTecPanel:
    if (pollModeNext == 1)
      ParseTenTecFrequency(reply, rig);
    else
      ParseTenTecMode(reply, rig);
    break;
  case RigFamily::Orion:
    ParseOrionFrequency(reply, rig);
    ParseOrionMode(reply, rig);
    break;
  case RigFamily::Pegasus:
  case RigFamily::Other:
  case RigFamily::None:
    break;
  }
}
