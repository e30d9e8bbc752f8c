// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for driving the program's real windows on the offscreen platform: a program folder
// in a temporary directory, message boxes answered as they appear, synthetic mouse input and
// pixel sampling.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "test_paths.h"

namespace moraku::test {

// Runs the event loop for `ms` milliseconds.
inline void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Delivers posted events, including the deletion of windows that were closed.
inline void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// A program folder: fld1 with a database built by moraku-db from CSV rows, fld2 the build's
// image set.
class TempAppDir {
 public:
  TempAppDir() {
    QDir(dir_.path()).mkdir(QStringLiteral("fld1"));
    QFile::link(Fld2Dir(), dir_.path() + QStringLiteral("/fld2"));
  }

  QString Path() const { return dir_.path(); }
  QString DatabasePath() const { return dir_.path() + QStringLiteral("/fld1/goc.db"); }

  // Builds fld1/goc.db from `rows` (the CSV header is added). Returns moraku-db's error output,
  // empty on success.
  QString WriteDatabase(const QStringList& rows) const {
    const QString csv = dir_.path() + QStringLiteral("/gocs.csv");
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write ") + csv;
    file.write("id,one,marks,preset,title,ref,comment,stones,record,five\n");
    for (const QString& row : rows) file.write(row.toUtf8() + "\n");
    file.close();
    QProcess tool;
    tool.start(DbTool(), {QStringLiteral("load"), csv, DatabasePath()});
    if (!tool.waitForFinished(60000)) return QStringLiteral("moraku-db did not finish");
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
      return QString::fromUtf8(tool.readAllStandardError()) + QStringLiteral(" (moraku-db load)");
    return {};
  }

  // The bytes of a file of the folder (relative path); empty when it cannot be read.
  QByteArray ReadFile(const QString& relative) const {
    QFile file(dir_.path() + QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Writes raw bytes to a file of the folder (relative path).
  void WriteFile(const QString& relative, const QByteArray& bytes) const {
    QFile file(dir_.path() + QLatin1Char('/') + relative);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  }

 private:
  QTemporaryDir dir_;
};

// Answers every message box that appears while it lives, recording what it showed.
class MessageCatcher {
 public:
  struct Box {
    QString title;
    QString text;
    int buttons = 0;
    bool okButton = false;
  };

  MessageCatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start();
  }

  QList<Box> boxes;

 private:
  void Answer() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr || !box->isVisible()) continue;
      boxes.append(Box{box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                       box->button(QMessageBox::Ok) != nullptr});
      box->done(QMessageBox::Ok);
    }
  }

  QTimer timer_;
};

// Synthetic mouse input in widget coordinates.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void MoveMouse(QWidget* widget, QPoint pos) {
  SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

inline void ClickMouse(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, pos, button, button);
  SendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// The widget as it is drawn, with its children.
inline QImage Snapshot(QWidget* widget) {
  return widget->grab().toImage();
}

// The top-level widgets with object name `name`.
inline QList<QWidget*> TopLevels(const QString& name) {
  QList<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name) found.append(w);
  return found;
}

}  // namespace moraku::test
