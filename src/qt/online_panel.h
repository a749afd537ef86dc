// The versus window's strip for playing over the network: "host a game", an address box and "join
// a game" while no one is connected, "leave" while a session is on, and two lines that say what
// the network is doing (the port and this machine's addresses, the ping, why a session ended).
// While a host waits, the strip shows its room's code large, to be read out to a friend, and the
// invitation (ADDRESS:PORT/CODE) with a button that copies it.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "play/session/room_code.h"
#include "qt/shown_texts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mojara::qt {

class OnlinePanel : public QWidget {
 public:
  OnlinePanel(const ShownTexts& texts, int scale, int width, QWidget* parent);

  static int heightAt(int scale);

  std::function<void()> hostAsked;
  // Join the host at `address` (HOST, HOST:PORT, [V6]:PORT) with its room's code.
  std::function<void(const std::string& address, const RoomCode& code)> joinAsked;
  std::function<void()> leaveAsked;

  // In a session: only "leave"; out of one: host, the address box and join.
  void setInSession(bool inSession);
  bool inSession() const { return inSession_; }
  void setAddress(const QString& address);
  QString address() const;
  // What "join" does with the box's text (and mojara --join with its own): the invitation whole
  // (ADDRESS:PORT/CODE), an address and a code apart ("192.168.1.20 ABCD-EFGH"), or an address
  // alone with the code given before (mojara --code). Without a code, or with something else
  // where the code goes, the strip says so and the box keeps the text, the keyboard in it, to be
  // put right.
  void askToJoin(const QString& text);
  void setGivenCode(std::optional<RoomCode> code) { givenCode_ = code; }
  // "For example: 192.168.1.20:4913/ABCD-EFGH", for the player who has no invitation to hand.
  static QString example(const ShownTexts& texts);
  // The lines under the buttons (texts already in the player's language); a line too long for
  // the window (a list of addresses) is cut short with "…", and shown whole as its tooltip.
  void setStatus(const QStringList& lines);
  bool fits(const QString& line) const;
  QStringList status() const { return status_; }
  QLineEdit& addressBox() const { return *address_; }

  // The host's room: its code ("ABCD-EFGH") and the invitation a friend joins with; an empty
  // code puts the room away. The copy button puts the invitation on the clipboard.
  void showRoom(const QString& code, const QString& invitation);
  const QLabel& codeLabel() const { return *codeLabel_; }
  QPushButton& copyButton() const { return *copy_; }

 protected:
  // Enter in the address box joins and Escape leaves it; neither goes on to the window, where
  // they would start a fight or close it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void join();
  void copyInvitation();

  const ShownTexts& texts_;
  bool inSession_ = false;
  QStringList status_;
  QString code_, invitation_;
  std::optional<RoomCode> givenCode_;
  QPushButton* host_ = nullptr;
  QLineEdit* address_ = nullptr;
  QPushButton* join_ = nullptr;
  QPushButton* leave_ = nullptr;
  QLabel* lines_ = nullptr;
  QLabel* roomTitle_ = nullptr;
  QLabel* codeLabel_ = nullptr;
  QLabel* invitationLine_ = nullptr;
  QPushButton* copy_ = nullptr;
};

}  // namespace mojara::qt
