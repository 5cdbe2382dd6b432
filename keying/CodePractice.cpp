#include "keying/CodePractice.h"

#include <algorithm>
#include <random>

std::array<QString, 46> codePracticeChars() {
  std::array<QString, 46> chars;
  const QString table = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
  for (qsizetype i = 0; i < table.size(); ++i)
    chars[static_cast<size_t>(i + 1)] = table[i];
  return chars;
}

QString randomGroups(double groups, double perGroup, int alphabet, std::uint64_t seed) {
  const auto chars = codePracticeChars();
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  QString text;
  for (int group = 1; group <= groups; ++group) {
    for (int n = 1; n <= perGroup; ++n) {
      // Rounding can make a draw from [0, 1) come out as 1.
      const int k = std::min(static_cast<int>(uniform(engine) * alphabet), alphabet - 1) + 1;
      text += chars[static_cast<size_t>(k)];
    }
    text += u' ';
  }
  return text;
}
