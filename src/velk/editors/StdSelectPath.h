#pragma once

#include <velk/velk_export.h>

#include <QDialog>

#include <memory>

class QLineEdit;

namespace velk {

class velkFileSelect;

/// The folder selection form: a velkFileSelect `velkFileSelect1` showing folders only
/// (plus the root "Outlook", location "outlook://"), and the text box `Text1` with the
/// path, kept in step with the tree both ways. `C_OK` keeps Text1's text as the result,
/// `C_Cancel` leaves it empty.
class VELK_EXPORT StdSelectPath : public QDialog
{
    Q_OBJECT
public:
    /// `flags` are added to the file selector's "onlypath".
    explicit StdSelectPath(QWidget *parent = nullptr, const QString &flags = QString());
    ~StdSelectPath() override;

    /// Selects `path` in the tree and writes it into Text1.
    void setPath(const QString &path);
    /// The confirmed path; empty until C_OK and after C_Cancel.
    QString result() const;

    velkFileSelect *velkFileSelect1() const;
    QLineEdit *Text1() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
