#pragma once
// Who may hold a serial port among the CW key line, the voice keyer's push-to-talk and the WinKey
// keyer. Whoever opens closes the others' ports first, whatever their numbers:
//   CW key line:   push-to-talk (never the keyer)
//   push-to-talk:  the keyer, the CW key line
//   WinKey keyer:  push-to-talk, the CW key line
// Each user registers how to tell its open device and how to close it; a user not registered is
// simply left out. Rig control and the packet-radio port are never touched.

#include <QString>

#include <functional>
#include <map>

enum class PortUser { CwKeyLine, PushToTalk, WinKey };

class PortArbiter {
public:
  // `device` answers the device the user holds open, empty when it holds none.
  void registerUser(PortUser user, std::function<QString()> device, std::function<void()> close);
  void unregisterUser(PortUser user);
  // Closes the other users' ports that the table makes `opener` close first.
  void closeOthersFor(PortUser opener);
  // Whether another user still holds `device` (however its path is spelt).
  bool heldByOther(PortUser opener, const QString &device) const;

private:
  struct User {
    std::function<QString()> device;
    std::function<void()> close;
  };
  std::map<PortUser, User> users_;
};
