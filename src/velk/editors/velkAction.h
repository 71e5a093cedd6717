#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

/// Chooses what happens to a document when it is filed: move, copy, delete or link, each
/// with its follow-up options. The choice travels as one action string through `Aktion`,
/// the action word followed by its options, each after "|" ("move|shortcut|save:/alt").
///
/// Children: the option buttons "O_Aktion" (Index 1 to 4) and the check boxes "Check1_1"
/// to "Check1_4", "Check2_1" and "Check3_1" to "Check3_3". The two "Sicherheitskopie"
/// boxes keep their backup folder in the dynamic property "Tag".
class VELK_EXPORT velkAction : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Aktion READ Aktion WRITE setAktion STORED false)

public:
    Q_INVOKABLE explicit velkAction(QWidget *parent = nullptr);
    ~velkAction() override;

    /// The action string of the current choice; "" when no action is chosen.
    QString Aktion() const;
    /// Shows an action string; an unknown action word leaves nothing chosen.
    void setAktion(const QString &value);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
