#pragma once

// Text rules of the XML dialect: its four entities, the backslash escape that attribute
// values carry inside them and the quoted-word reader. Each function makes one pass over
// its input. Numbers are read by velk::LeadingNumber in its scientific form, blanks
// trimmed by velk::TrimBlanks.

#include <QString>
#include <QStringView>

#include <utility>

namespace velk::XmlText {

/// "name rest" split at the first blank into the name and the rest, both trimmed of
/// blanks (tabs and line breaks stay part of the name).
std::pair<QString, QString> splitTag(QStringView text);

/// Text without leading blanks (code 32 only).
QStringView trimLeadingSpaces(QStringView s);
/// True when `s` holds nothing but blanks. Looks only as far as the first other character,
/// so a loop that asks this before consuming text stays linear.
bool isBlank(QStringView s);

/// Text without leading and trailing characters whose code is below 33.
QStringView trimWhite(QStringView s);

/// Appends `s` with "&", ">", "<" and the double quote written as entities.
void appendEncoded(QString &out, QStringView s);
QString encodeEntities(QStringView s);
/// Resolves "&gt;", "&lt;", "&quot;" and "&amp;"; anything else stays as it is.
QString decodeEntities(QStringView s);
/// Writes `s` with the four entities resolved to `out`, which has room for `s.size()`
/// characters; returns the number written.
qsizetype decodeEntitiesInto(QStringView s, char16_t *out);

/// Backslash escape of an attribute value: "\" "|" LF and the double quote get a
/// backslash, CR is dropped, LF becomes "\n".
QString escapeValue(QStringView s);
/// Reverses the escape: "\n" gives CR LF, "\" plus a digit takes three characters as a
/// character code (left alone above 255), "\" plus anything else gives that character;
/// a trailing "\" stays.
QString unescapeValue(QStringView s);

/// Takes one word from the front of `s`: a double-quoted word (a doubled quote inside
/// stands for one), a single-quoted word, or the text up to the next blank. Characters
/// below code 33 after the word are skipped.
QString takeWord(QStringView &s);

} // namespace velk::XmlText
