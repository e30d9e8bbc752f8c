// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/gtp_engine.h"

#include <gtest/gtest.h>

namespace moraku {
namespace {

// A stand-in engine written in shell: `script` runs with the commands on its standard input.
bool StartShell(GtpEngine& engine, const QString& script, QString* error) {
  return engine.Start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, error);
}

TEST(GtpEngineTest, ReadsAnswersWithIdsCarriageReturnsAndSeveralLines) {
  GtpEngine engine;
  QString error;
  // Answers "=7 a" "b" for the first command, "? no" for the second, in one write each.
  ASSERT_TRUE(
      StartShell(engine,
                 "read a; printf '=7 a\\r\\nb\\r\\n\\r\\n'; read b; printf '\\n? no\\n\\n'; "
                 "read c",
                 &error))
      << error.toStdString();
  const GtpReply first = engine.Send("one");
  EXPECT_EQ(first.status, GtpReply::Status::Success);
  EXPECT_EQ(first.text, "a\nb");
  const GtpReply second = engine.Send("two");
  EXPECT_EQ(second.status, GtpReply::Status::Failure);
  EXPECT_EQ(second.text, "no");
  EXPECT_TRUE(engine.Running());
}

TEST(GtpEngineTest, MissingProgramIsNamed) {
  GtpEngine engine;
  QString error;
  EXPECT_FALSE(engine.Start("/nonexistent/gnugo", {}, &error));
  EXPECT_TRUE(error.contains("/nonexistent/gnugo")) << error.toStdString();
  EXPECT_EQ(engine.Send("version").status, GtpReply::Status::Lost);
}

TEST(GtpEngineTest, EngineThatDiesIsLostWithItsStatus) {
  GtpEngine engine;
  QString error;
  ASSERT_TRUE(StartShell(engine, "read a; printf '= half'; exit 3", &error));
  const GtpReply reply = engine.Send("dragon_status");
  EXPECT_EQ(reply.status, GtpReply::Status::Lost);
  EXPECT_TRUE(reply.text.contains("exited with status 3")) << reply.text.toStdString();
  EXPECT_TRUE(reply.text.contains("\"dragon_status\"")) << reply.text.toStdString();
  EXPECT_FALSE(engine.Running());
  EXPECT_EQ(engine.Send("version").text, reply.text);  // stays lost
}

TEST(GtpEngineTest, EngineThatStopsAnsweringIsStoppedAfterTheTimeout) {
  GtpEngine engine;
  QString error;
  ASSERT_TRUE(StartShell(engine, "read a; printf '= ok\\n\\n'; read b; exec sleep 600", &error));
  engine.SetTimeout(300);
  EXPECT_TRUE(engine.Send("first").ok());
  const GtpReply reply = engine.Send("second");
  EXPECT_EQ(reply.status, GtpReply::Status::Lost);
  EXPECT_TRUE(reply.text.contains("did not answer \"second\"")) << reply.text.toStdString();
  EXPECT_FALSE(engine.Running());
}

TEST(GtpEngineTest, TalksToGnuGo) {
  const QString gnugo = FindGnuGo();
  if (gnugo.isEmpty()) GTEST_SKIP() << "GNU Go is not installed (Debian package gnugo)";
  GtpEngine engine;
  QString error;
  ASSERT_TRUE(engine.Start(gnugo, GnuGoArguments(), &error)) << error.toStdString();
  EXPECT_TRUE(engine.Send("play b D16").ok());
  EXPECT_EQ(engine.Send("play w D16").status, GtpReply::Status::Failure);
  EXPECT_EQ(engine.Send("list_stones black").text, "D16");
}

}  // namespace
}  // namespace moraku
