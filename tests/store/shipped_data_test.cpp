// The build's joseki database against its source, data/joseki/*.sgf.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include "data/sqlite_db.h"
#include "test_paths.h"

namespace moraku {
namespace {

// Entry ends (MKCODE) per section character in the SGF source files.
QMap<QChar, int> EntriesInSource() {
  QMap<QChar, int> counts;
  const QDir folder(test::SourceDir() + QStringLiteral("/data/joseki"));
  static const QRegularExpression code(QStringLiteral("MKCODE\\[\\s*(.)"));
  for (const QString& name : folder.entryList({QStringLiteral("*.sgf")}, QDir::Files)) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& m : code.globalMatch(text)) ++counts[m.captured(1)[0]];
  }
  return counts;
}

// Every section the database holds has exactly the entries of its source files, and the
// handicap and star-point sections are there.
TEST(ShippedDatabase, HoldsEveryEntryOfItsSections) {
  const QMap<QChar, int> source = EntriesInSource();
  sql::Database db;
  ASSERT_EQ(db.Open(test::ShippedDatabase(), SQLITE_OPEN_READONLY), SQLITE_OK);
  sql::Statement count;
  ASSERT_EQ(count.Prepare(db, "SELECT substr(five, 1, 1), count(*) FROM gocs GROUP BY 1"),
            SQLITE_OK);
  QMap<QChar, int> built;
  while (count.Step() == sql::StepResult::Row) {
    built[count.ColumnText(0)[0]] = count.ColumnText(1).toInt();
  }
  ASSERT_TRUE(built.contains(u'0') && built.contains(u'1'));
  for (auto it = built.cbegin(); it != built.cend(); ++it) {
    EXPECT_EQ(it.value(), source.value(it.key())) << "section code " << it.key().toLatin1();
  }
}

}  // namespace
}  // namespace moraku
