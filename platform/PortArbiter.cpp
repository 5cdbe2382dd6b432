#include "platform/PortArbiter.h"

#include "platform/ProgramFiles.h"

#include <vector>

void PortArbiter::registerUser(PortUser user, std::function<QString()> device, std::function<void()> close) {
  users_[user] = {std::move(device), std::move(close)};
}

void PortArbiter::unregisterUser(PortUser user) {
  users_.erase(user);
}

namespace {
std::vector<PortUser> closedFirstBy(PortUser opener) {
  switch (opener) {
  case PortUser::CwKeyLine:
    return {PortUser::PushToTalk};
  case PortUser::PushToTalk:
    return {PortUser::WinKey, PortUser::CwKeyLine};
  case PortUser::WinKey:
    return {PortUser::PushToTalk, PortUser::CwKeyLine};
  }
  return {};
}
} // namespace

void PortArbiter::closeOthersFor(PortUser opener) {
  for (const PortUser user : closedFirstBy(opener)) {
    const auto it = users_.find(user);
    if (it != users_.end())
      it->second.close();
  }
}

bool PortArbiter::heldByOther(PortUser opener, const QString &device) const {
  for (const auto &[user, u] : users_) {
    if (user == opener)
      continue;
    const QString held = u.device();
    if (!held.isEmpty() && (held == device || files::sameFile(held, device)))
      return true;
  }
  return false;
}
