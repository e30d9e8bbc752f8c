// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_text.h"

#include <QFile>

#include "text/charset_decoder.h"

namespace moraku {
namespace {

// Opens every topic block of the instructions text.
constexpr QStringView kTopicMark = u"■";

}  // namespace

const QStringList& HelpTopics() {
  static const QStringList topics = {
      QStringLiteral("はじめに"),
      QStringLiteral("内容説明"),
      QStringLiteral("アイコンをデスクトップに表示"),
      QStringLiteral("プログラムのアンインストール（削除）"),
      QStringLiteral("定石の手順表示"),
      QStringLiteral("定石の標題"),
      QStringLiteral("置碁定石"),
      QStringLiteral("小目定石"),
      QStringLiteral("置石の表示"),
      QStringLiteral("手抜き石の表示"),
      QStringLiteral("参考画面"),
      QStringLiteral("定石検索"),
      QStringLiteral("検索手順の入力（１）"),
      QStringLiteral("検索手順の入力（２）"),
      QStringLiteral("検索入力の補助機能"),
      QStringLiteral("検索のコツ"),
      QStringLiteral("パソコンによる自動検索"),
      QStringLiteral("免責事項"),
      QStringLiteral("著作権"),
  };
  return topics;
}

QString ReadHelpText(const QString& path) {
  QFile file(path);
  // Binary mode: the CR LF line breaks belong to the text and are cut by position later.
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodeShiftJis(file.readAll());
}

QString TopicText(const QString& helpText, const QString& topic) {
  const QString key = kTopicMark.toString() + topic;
  const qsizetype keyAt = helpText.indexOf(key);
  if (keyAt < 0) return {};
  // Skip the key and the two characters of the line break after it.
  const qsizetype textAt = keyAt + key.size() + 2;
  if (textAt >= helpText.size()) return {};
  const QStringView rest = QStringView(helpText).mid(textAt);
  const qsizetype nextMark = rest.indexOf(kTopicMark);
  // Without a following mark the topic runs to the end of the text.
  return (nextMark < 0 ? rest : rest.left(nextMark)).toString();
}

}  // namespace moraku
