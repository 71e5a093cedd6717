#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

/// The events of a velkRights.
class VELK_EXPORT velkRightsEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    /// A user was added or removed, or a right toggled.
    void Changed();
};

/// Edits which users hold which rights on one object: the user list "velkSheet1" (name,
/// own rights, inherited rights), the right list "velkSheet2" with a check box per right,
/// the label "Label1" between them and the buttons "velkButton1" ("Hinzufügen") and
/// "velkButton2" ("Entfernen") at the right edge. Rights are letters: lower case grants,
/// upper case denies explicitly (overriding an inherited grant). Lengths are twips.
class VELK_EXPORT velkRights : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Parameter READ Parameter WRITE setParameter STORED false)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled STORED false)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)

public:
    Q_INVOKABLE explicit velkRights(QWidget *parent = nullptr);
    ~velkRights() override;

    velkRightsEvents *events() const;

    /// The own rights of every user as one line: "name" for the default "rek",
    /// "name:*" for all rights, else "name:letters"; users who only inherit are left out.
    QString Parameter() const;
    /// Loads the users: a line of "name:letters" entries separated by ",", optionally a
    /// line break and a line of inherited rights. Empty letters mean "rek", "*" all rights.
    void setParameter(const QString &p);
    /// Registers right `recht` (a letter) with caption `cap` as a row of the right list.
    /// An empty `recht`, or one holding ",", ":", a tab or a line break, is ignored: it
    /// could not be written into the parameter text.
    Q_INVOKABLE void AddRight(const QString &cap, const QString &recht);
    /// Whether the editor takes changes (reports the add button).
    bool Enabled() const;
    /// Enables the label and the add button; the right list only while a user is
    /// selected, the remove button only for a selected user without inherited rights.
    void setEnabled(bool on);
    Color BackColor() const;
    /// The background of the control and both buttons.
    void setBackColor(Color color);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
