#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>

#include <memory>

class QDialog;

namespace velk {

class StdXML;

/// The events of a Wizard, raised synchronously while its form is shown.
class VELK_EXPORT WizardEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    /// Before the controls of `page` are made; a handler may add and clear fields.
    void LoadPage(int page);
    /// When `page` is left (back, forward, finish or cancel).
    void SavePage(int page);
    /// A row of sheet field `key` was opened; `wert` is the row's tag. Answer with
    /// Wizard::AddSheetItem.
    void expand(const QString &key, const QString &wert);
    /// The value of field `key` on `page` changed; the new value is already stored.
    void Change(int page, const QString &key);
};

/// A multi-page input dialog built from code. Fields are added to numbered pages, the
/// dialog is shown modally with Show(), and the entered values are read back by key.
///
/// Fields are kept as elements of an XML document made from `<WIZARD pages="1"/>`: each
/// Add call appends one element whose attributes hold the field's definition and its
/// current value. Options are "name=value" lines: `help` (a "Hilfe" button showing the
/// text), `file` and `path` (a "..." button choosing a file or a folder for a TEXT),
/// `leftmargin` and `flags` (for a SHEET). List fields take one entry per line; a SHEET
/// line is "shown text=tag", and a leading "+" marks a row that opens (it raises
/// `expand`, answered with AddSheetItem). A page argument left out means page 1.
class VELK_EXPORT Wizard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Count READ Count WRITE setCount)

public:
    explicit Wizard(QObject *parent = nullptr);
    ~Wizard() override;

    WizardEvents *events() const;

    /// The page count; writing it updates the navigation of a shown form.
    int Count() const;
    void setCount(int pages);

    Q_INVOKABLE void AddText(const QString &key, const QString &wert, const QString &label, int page = 1,
                             const QString &Options = {});
    Q_INVOKABLE void AddTextArea(const QString &key, const QString &wert, const QString &label, int page = 1,
                                 const QString &Options = {});
    Q_INVOKABLE void AddOption(const QString &key, const QString &wert, const QString &caption, int page = 1,
                               const QString &Options = {});
    Q_INVOKABLE void AddCheckbox(const QString &key, const QString &wert, const QString &caption, int page = 1,
                                 const QString &Options = {});
    Q_INVOKABLE void AddCombo(const QString &key, const QString &wert, const QString &Liste, const QString &label,
                              int page = 1, const QString &Options = {});
    Q_INVOKABLE void AddSheet(const QString &key, const QString &wert, const QString &Liste, const QString &label,
                              int page = 1, const QString &Options = {});
    Q_INVOKABLE void AddLabel(const QString &label, int page = 1, const QString &Options = {});
    Q_INVOKABLE void AddControl(const QString &key, const QString &wert, const QString &ctl, const QString &par,
                                const QString &label, int page = 1, const QString &Options = {});

    /// Removes every field of `page`; harmless while that page is shown.
    Q_INVOKABLE void ClearPage(int page);
    /// Shows page 1 of the dialog captioned `cap` modally; true when it was finished
    /// with the last page's button.
    Q_INVOKABLE bool Show(const QString &cap);
    /// The value of the first field with `key`; "???" when there is none.
    Q_INVOKABLE QString GetValue(const QString &key) const;
    /// "key=value" and CR LF for every field that has a key, in order.
    Q_INVOKABLE QString GetValues() const;
    /// Adds the rows of `lst` (list-line format) below the row tagged `wert` of sheet
    /// field `key`, replacing its "..." placeholder.
    Q_INVOKABLE void AddSheetItem(const QString &key, const QString &wert, const QString &lst);
    /// The dialog form.
    QDialog *WizardForm() const;

private:
    friend const StdXML &wizardDocument(const Wizard &wizard);
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
