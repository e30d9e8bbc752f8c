// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One Go engine process driven over GTP (the Go Text Protocol): started once, asked one
// command at a time, each answer awaited with a time limit. A missing program, a process that
// dies or one that stops answering ends the conversation with a message saying which.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace moraku {

// The answer to one GTP command.
struct GtpReply {
  enum class Status {
    Success,  // "= text": the engine did it
    Failure,  // "? text": the engine refused (an illegal move, an unknown command)
    Lost,     // no answer: the engine is missing, died or did not answer in time
  };
  Status status = Status::Lost;
  // The answer without its "= "/"? " prefix and final blank line (lines joined by '\n'); for
  // Lost, an English sentence saying what happened to the engine.
  QString text;

  bool ok() const { return status == Status::Success; }
};

class GtpEngine {
 public:
  GtpEngine();
  // Asks the engine to quit, waits a moment, then kills it if it is still running.
  ~GtpEngine();
  GtpEngine(const GtpEngine&) = delete;
  GtpEngine& operator=(const GtpEngine&) = delete;

  // Starts `program` with `arguments` (its standard error is discarded). Returns false with
  // `error` naming the program and why when it cannot be started. Start once per object.
  bool Start(const QString& program, const QStringList& arguments, QString* error);

  // How long Send waits for an answer before it gives the engine up as hung (default 60 s).
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

  // Sends one command line (no newline in it) and waits for its answer. After a Lost reply
  // the engine has been stopped and every later Send returns Lost with the same text.
  GtpReply Send(const QString& command);

  // True until the engine was lost (or was never started).
  bool Running() const { return lostReason_.isEmpty(); }

 private:
  GtpReply Lose(const QString& reason);
  // Takes one complete answer (ending in an empty line) off the front of buffer_, if there is
  // one; returns false when the buffer holds no complete answer yet.
  bool TakeAnswer(GtpReply* reply);

  std::unique_ptr<QProcess> process_;
  QString program_;
  QByteArray buffer_;
  QString lostReason_ = QStringLiteral("the engine was not started");
  int timeoutMs_ = 60000;
};

// The GNU Go program: "gnugo" on the PATH, else /usr/games/gnugo (where Debian installs it);
// an empty string when neither exists.
QString FindGnuGo();

// The arguments that run GNU Go as a GTP engine.
QStringList GnuGoArguments();

}  // namespace moraku
