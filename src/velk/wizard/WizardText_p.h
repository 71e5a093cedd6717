#pragma once

// The small text formats of a wizard field: its option lines and its list lines.

#include <velk/velk_export.h>

#include <QString>
#include <QStringView>

#include <vector>

namespace velk::WizardText {

/// The lines of `text`, split at CR LF or LF; a lone CR stays part of its line. A text
/// ending in a line break has no empty last line.
VELK_TESTS_EXPORT std::vector<QStringView> lines(QStringView text);

/// The value of option `name` in `options` ("name=value" lines): the text after the first
/// "=" of the first line whose name is `name`; "-" when that line has no "="; "" when no
/// line names it. Names compare exactly.
VELK_TESTS_EXPORT QString option(QStringView options, QStringView name);

/// One line of a list field ("shown=tag"): split at the first "="; a line without "="
/// is its own tag. A leading "+" marks a row that can be opened, and is not shown.
struct ListLine
{
    QString text;
    QString tag;
    bool opens = false;
};
VELK_TESTS_EXPORT ListLine listLine(QStringView line);

} // namespace velk::WizardText
