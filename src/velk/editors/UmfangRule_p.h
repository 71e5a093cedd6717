#pragma once

// Scope rules of velkUmfang: a rule is a text of parts separated by "|", each part a key,
// a blank and a value ("doc *.pdf", "size > 10 MB", "attr -H"). This is the window-free
// code that takes rules apart, describes them in German and maps them onto the fields of
// the rule form and back.

#include <velk/velk_export.h>

#include <QString>
#include <QStringList>

#include <array>

namespace velk {

/// One size or age limit of the form: its check box, number and unit.
struct VELK_TESTS_EXPORT UmfangLimit
{
    bool checked = false;
    QString number; ///< digits only
    int unit = 0;   ///< index into the unit list of its kind
    bool operator==(const UmfangLimit &) const = default;
};

/// What the rule form holds. Parts the form cannot show exactly are kept in `extra`, in
/// their order, and written back after the form's own parts.
struct VELK_TESTS_EXPORT UmfangFields
{
    enum Limit { SizeBigger, SizeSmaller, AgeOlder, AgeYounger, LimitCount };
    static constexpr int AttrCount = 6;

    QString file; ///< T_File: the file name pattern
    QString path; ///< T_Path: the folder pattern
    std::array<UmfangLimit, LimitCount> limits{};
    std::array<bool, AttrCount> attrSet{};    ///< Chk_AttrA, Chk_AttrR, ...
    std::array<bool, AttrCount> attrNotSet{}; ///< Chk_AttrNotA, Chk_AttrNotR, ...
    QStringList extra;
    bool operator==(const UmfangFields &) const = default;
};

namespace UmfangRule {

/// The attribute letters in the order the rule writes them: A, R, H, S, P, G.
VELK_TESTS_EXPORT QString attributeLetters();
/// The units of sizes ("Bytes", "KB", "MB", "GB") and of ages ("Tage", "Wochen", "Monate", "Jahre").
VELK_TESTS_EXPORT QStringList sizeUnits();
VELK_TESTS_EXPORT QStringList ageUnits();

/// The parts of a rule, split at "|"; empty parts carry nothing and are dropped.
VELK_TESTS_EXPORT QStringList parts(const QString &rule);
/// The German phrase of one part ("Datei *.pdf", "Größe > 10 MB", "ohne Attribut H").
VELK_TESTS_EXPORT QString phrase(const QString &part);
/// The row text of a rule: the phrases of its parts joined with ", ".
VELK_TESTS_EXPORT QString description(const QString &rule);

/// The form fields a rule fills; parts the form cannot show exactly go to `extra`.
VELK_TESTS_EXPORT UmfangFields fieldsOf(const QString &rule);
/// The rule the fields make: the form's parts in their fixed order, then the kept parts.
/// Patterns "*", "*.*" and empty ones are left out, and so is a ticked limit without a number.
VELK_TESTS_EXPORT QString ruleOf(const UmfangFields &fields);

} // namespace UmfangRule
} // namespace velk
