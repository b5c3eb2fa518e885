#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The text a mail reader decodes from one encoded word of a header ("=?utf-8?q?M=C3=BCller?=",
// "=?UTF-8?B?TcO8bGxlcg==?="), when it is written whole and strictly: charset utf-8, us-ascii or
// iso-8859-1, Q or B encoding, every escape and every byte valid in its charset. Otherwise
// nullopt, also for the forms readers disagree on (a language tag, a stray "=", missing padding).
std::optional<QString> encodedWordText(QStringView word);
