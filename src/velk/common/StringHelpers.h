#pragma once

// The token, list and text helpers every definition-string parser uses. They hold
// no state, never throw and give a plain result (mostly an empty text) for any input.
// Positions are 1-based; comparisons are binary unless a helper says otherwise;
// "trim" removes blanks (code 32) only.

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QString>
#include <QVariant>

namespace velk {

/// Text before the first `sep`; `s` keeps the text after it. Without `sep` the whole
/// of `s` is returned and `s` becomes empty. `sep` may be longer than one character.
VELK_EXPORT QString GetToken(QString &s, const QString &sep);
/// GetToken, then the token and the remaining `s` are both trimmed.
VELK_EXPORT QString GetTokenTrim(QString &s, const QString &sep);
/// Text before the first `sep`, or all of `s`.
VELK_EXPORT QString LeftOfSep(const QString &s, const QString &sep);
/// Field `n` (from 1) of `s` split at `sep`; empty for n < 1 or past the last field.
VELK_EXPORT QString GetField(const QString &s, const QString &sep, int n);
/// GetToken applied `n` times to a copy of `s`; the last token taken.
VELK_EXPORT QString GetNthToken(const QString &s, const QString &sep, int n);
/// One line (LF or CR LF ended) taken from `s`.
VELK_EXPORT QString GetLine(QString &s);
/// One word taken from `s`, honouring double quotes (doubled inside) and single quotes.
VELK_EXPORT QString GetWord(QString &s);
/// Position of the first `sep` not escaped by an odd number of backslashes; 0 if none.
VELK_EXPORT int FindUnescaped(const QString &s, const QString &sep);
/// GetToken at the first unescaped `sep`; escapes stay in the token.
VELK_EXPORT QString GetTokenEscaped(QString &s, const QString &sep);
/// Unescaped value of `key` in "key=value|key=value"; empty when missing. First match wins.
VELK_EXPORT QString GetListValue(const QString &list, const QString &key);
/// Escapes `s` for a key/value list; characters of `special` are escaped too.
VELK_EXPORT QString EscapeText(const QString &s, const QString &special = QString());
/// Reverses EscapeText: \n → CR LF, \ddd → character ddd, \c → c; a trailing \ stays.
VELK_EXPORT QString UnescapeText(const QString &s);
/// Replaces every `find` by `repl`; replaced text is never scanned again.
VELK_EXPORT void ReplaceText(QString &s, const QString &find, const QString &repl,
                             bool ignoreCase = false, bool wholeWord = false);
/// Position of the first whole-word `word` at or after `start`; 0 if none.
VELK_EXPORT int FindWholeWord(int start, const QString &s, const QString &word);
/// True for A–Z, a–z and "_" (digits are not word characters).
VELK_EXPORT bool IsWordChar(QChar c);
/// Removes leading and trailing characters with codes below 33.
VELK_EXPORT QString TrimWhite(const QString &s);
/// Removes the last `n` characters; `s` becomes empty when it has `n` or fewer.
VELK_EXPORT void CutRight(QString &s, int n);
/// `s` with blanks in front up to length `n`, or its first `n` characters.
VELK_EXPORT QString PadLeft(const QString &s, int n);
/// The value as text (no leading blank for positive numbers), trimmed.
VELK_EXPORT QString TrimText(const QVariant &value);
/// Reads a German-written number ("1.234,5", "12,5%"); text without a number is 0.
VELK_EXPORT double ParseNumber(const QString &s);
/// Trims blanks (code 32) only, as the helpers above do; tabs and line breaks stay.
VELK_EXPORT QString TrimBlanks(const QString &s);
/// As above, without copying: the part of `s` between its leading and trailing blanks.
VELK_EXPORT QStringView TrimBlanks(QStringView s);

template<typename T> T MinOf(const T &a, const T &b) { return b < a ? b : a; }
template<typename T> T MaxOf(const T &a, const T &b) { return b < a ? a : b; }

/// Inserts `text` (keyed `key`) before the first item whose lower-cased text is
/// greater than the lower-cased `text`; appends it when there is none.
VELK_EXPORT void AddSorted(Collection<QString> &collection, const QString &text,
                           const QString &key = QString());

template<typename T> void ClearCollection(Collection<T> &collection)
{
    while (collection.Count() > 0)
        collection.Remove(1);
}

template<typename P> bool IsNothing(const P &ref) { return !ref; }
template<typename P> bool IsSomething(const P &ref) { return static_cast<bool>(ref); }

} // namespace velk
