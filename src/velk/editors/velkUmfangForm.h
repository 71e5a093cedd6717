#pragma once

#include <velk/velk_export.h>

#include <QDialog>
#include <QString>

#include <memory>

namespace velk {

/// The form that edits one scope rule. Its fields: "T_File" and "T_Path" (patterns),
/// the limit boxes "Chk_SizeBigger", "Chk_SizeSmaller", "Chk_AgeOlder", "Chk_AgeYounger"
/// with their numbers "T_…" (digits only) and unit lists "C_…", and the attribute boxes
/// "Chk_AttrA", "Chk_AttrNotA" … "Chk_AttrG", "Chk_AttrNotG". Parts of a rule the fields
/// cannot show are kept and written back after the fields' parts.
class VELK_EXPORT velkUmfangForm : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Rule READ Rule WRITE setRule)

public:
    Q_INVOKABLE explicit velkUmfangForm(QWidget *parent = nullptr);
    ~velkUmfangForm() override;

    /// The rule the fields make now.
    QString Rule() const;
    /// Fills the fields from `rule`.
    void setRule(const QString &rule);

    /// Shows the form for `rule` through the dialog seam; the edited rule, or "*" when the
    /// user cancelled.
    static QString Edit(const QString &rule, QWidget *parent = nullptr);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
