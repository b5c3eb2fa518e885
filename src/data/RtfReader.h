#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The plain text of an RTF document: its characters in order, paragraphs and line breaks as
// line feeds, tabs as tabs; fonts, colours, styles, document information, pictures and every
// ignorable destination are left out. None when the bytes are not an RTF document or its
// groups do not balance, or when its text would hold a NUL character (a raw one or "\'00"),
// which is no text: nulLine, when given, is then the line (from 1) of the file where it stands.
std::optional<QString> rtfPlainText(const QByteArray& bytes, qint64* nulLine = nullptr);
