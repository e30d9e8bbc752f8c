// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/gtp_engine.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>

namespace moraku {

namespace {

constexpr int kStartMs = 10000;
constexpr int kQuitMs = 2000;

}  // namespace

GtpEngine::GtpEngine() = default;

GtpEngine::~GtpEngine() {
  if (!process_ || process_->state() == QProcess::NotRunning) return;
  if (Running()) {
    process_->write("quit\n");
    if (process_->waitForFinished(kQuitMs)) return;
  }
  process_->kill();
  process_->waitForFinished(kQuitMs);
}

bool GtpEngine::Start(const QString& program, const QStringList& arguments, QString* error) {
  program_ = QFileInfo(program).fileName();
  process_ = std::make_unique<QProcess>();
  process_->setProgram(program);
  process_->setArguments(arguments);
  process_->setStandardErrorFile(QProcess::nullDevice());
  process_->start(QIODevice::ReadWrite);
  if (!process_->waitForStarted(kStartMs)) {
    *error = program + QStringLiteral(": ") + process_->errorString();
    lostReason_ = *error;
    process_->kill();
    process_->waitForFinished(kQuitMs);
    return false;
  }
  lostReason_.clear();
  return true;
}

GtpReply GtpEngine::Lose(const QString& reason) {
  lostReason_ = reason;
  if (process_ && process_->state() != QProcess::NotRunning) {
    process_->kill();
    process_->waitForFinished(kQuitMs);
  }
  return {GtpReply::Status::Lost, reason};
}

bool GtpEngine::TakeAnswer(GtpReply* reply) {
  buffer_.replace('\r', QByteArray());
  qsizetype start = 0;
  while (start < buffer_.size() && buffer_[start] == '\n') ++start;
  const qsizetype end = buffer_.indexOf("\n\n", start);
  if (end < 0) return false;
  QByteArray answer = buffer_.mid(start, end - start);
  buffer_.remove(0, end + 2);
  reply->status = answer.startsWith('=') ? GtpReply::Status::Success : GtpReply::Status::Failure;
  if (!answer.startsWith('=') && !answer.startsWith('?')) {
    reply->text = QString::fromUtf8(answer);
    return true;
  }
  qsizetype k = 1;  // after the status character, an optional command id, then a space
  while (k < answer.size() && answer[k] >= '0' && answer[k] <= '9') ++k;
  reply->text = QString::fromUtf8(answer.mid(k)).trimmed();
  return true;
}

GtpReply GtpEngine::Send(const QString& command) {
  if (!Running()) return {GtpReply::Status::Lost, lostReason_};
  const QString quoted = u'"' + command + u'"';
  process_->write(command.toUtf8() + '\n');
  QDeadlineTimer deadline(timeoutMs_);
  GtpReply reply;
  for (;;) {
    buffer_ += process_->readAllStandardOutput();
    if (TakeAnswer(&reply)) return reply;
    if (process_->state() == QProcess::NotRunning) {
      const QString how = process_->exitStatus() == QProcess::CrashExit
                              ? QStringLiteral("crashed")
                              : QStringLiteral("exited with status %1").arg(process_->exitCode());
      return Lose(QStringLiteral("%1 %2 while answering %3").arg(program_, how, quoted));
    }
    if (deadline.hasExpired()) {
      return Lose(QStringLiteral("%1 did not answer %2 within %3 s; it was stopped")
                      .arg(program_, quoted)
                      .arg(timeoutMs_ / 1000.0));
    }
    process_->waitForReadyRead(static_cast<int>(deadline.remainingTime()));
  }
}

QString FindGnuGo() {
  QString path = QStandardPaths::findExecutable(QStringLiteral("gnugo"));
  if (path.isEmpty()) {
    path = QStandardPaths::findExecutable(QStringLiteral("gnugo"), {QStringLiteral("/usr/games")});
  }
  return path;
}

QStringList GnuGoArguments() {
  return {QStringLiteral("--mode"), QStringLiteral("gtp")};
}

}  // namespace moraku
