#pragma once

#include <velk/velk_export.h>

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velk {

class velkDateControl;

/// The modal form "Datum auswählen" for a single date or a date range: the text box
/// `Text1` holds the result text ("dd.mm.yyyy" or "dd.mm.yyyy - dd.mm.yyyy"); the pickers
/// `velkDateControl1` (start) and `velkDateControl2` (end, only with `Check1` "bis Datum:"
/// ticked) write it, and typing in it sets them. `C_OK` "Schliessen" keeps the text as the
/// result, `C_Cancel` "Abbrechen" leaves the result empty.
class VELK_EXPORT DateForm : public QDialog
{
    Q_OBJECT
public:
    /// ViewType 0 shows both pickers (range mode), 1 only the first (single date).
    explicit DateForm(QWidget *parent = nullptr, int viewType = 0);
    ~DateForm() override;

    /// Writes `text` into Text1 (the pickers follow); the result stays empty.
    void setPreset(const QString &text);
    /// The text C_OK stored; empty until then and after C_Cancel.
    QString result() const;
    int viewType() const;

    QLineEdit *Text1() const;
    QCheckBox *Check1() const;
    velkDateControl *velkDateControl1() const;
    velkDateControl *velkDateControl2() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
