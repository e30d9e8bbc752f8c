// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating instructions: reading the Shift_JIS text file and cutting one topic out of it.

#include <QString>
#include <QStringList>

namespace moraku {

// The 18 topic names of the instructions window, in list order.
const QStringList& HelpTopics();

// The whole instructions file at `path`, decoded from Shift_JIS (code page 932), line breaks
// kept. A missing or unreadable file gives an empty string.
QString ReadHelpText(const QString& path);

// The text of `topic`: after the first "■" + topic and the two-character line break that
// follows it, up to the character before the next "■". A topic not in the text gives "".
QString TopicText(const QString& helpText, const QString& topic);

}  // namespace moraku
