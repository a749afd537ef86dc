// The versus window's strip for playing over the network: "host a game", an address box and "join
// a game" while no one is connected, "leave" while a session is on, and two lines that say what
// the network is doing (the port and this machine's addresses, the ping, why a session ended).
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

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
  std::function<void(const std::string& address)> joinAsked;  // the address box's text, trimmed
  std::function<void()> leaveAsked;

  // In a session: only "leave"; out of one: host, the address box and join.
  void setInSession(bool inSession);
  bool inSession() const { return inSession_; }
  void setAddress(const QString& address);
  QString address() const;
  // The lines under the buttons (texts already in the player's language); a line too long for
  // the window (a list of addresses) is cut short with "…", and shown whole as its tooltip.
  void setStatus(const QStringList& lines);
  bool fits(const QString& line) const;
  QStringList status() const { return status_; }
  QLineEdit& addressBox() const { return *address_; }

 protected:
  // Enter in the address box joins and Escape leaves it; neither goes on to the window, where
  // they would start a fight or close it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void join();

  const ShownTexts& texts_;
  bool inSession_ = false;
  QStringList status_;
  QPushButton* host_ = nullptr;
  QLineEdit* address_ = nullptr;
  QPushButton* join_ = nullptr;
  QPushButton* leave_ = nullptr;
  QLabel* lines_ = nullptr;
};

}  // namespace mojara::qt
