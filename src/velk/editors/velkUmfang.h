#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

/// The scope of a file operation as two lists of rules, one of files to include and one of
/// files to exclude, plus whether subfolders count. Each list is a sheet of the array
/// "velkSheet1" (Index 0 include, 1 exclude) with its buttons "velkButton_Add",
/// "velkButton_Edit" and "velkButton_Delete" (the same indices); a row shows a rule's
/// description and keeps the rule in its Tag. Rules are edited in velkUmfangForm.
class VELK_EXPORT velkUmfang : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Include READ Include WRITE setInclude STORED false)
    Q_PROPERTY(QString Exclude READ Exclude WRITE setExclude STORED false)
    Q_PROPERTY(bool SubPath READ SubPath WRITE setSubPath STORED false)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)

public:
    /// The kinds of scope.
    enum enmUmfang { enmUmfang_File, enmUmfang_Path, enmUmfang_EMail };
    Q_ENUM(enmUmfang)

    Q_INVOKABLE explicit velkUmfang(QWidget *parent = nullptr);
    ~velkUmfang() override;

    /// Empties both lists; their Edit and Delete buttons are disabled until a row is chosen.
    Q_INVOKABLE void Clear();

    /// The include rules, each followed by CR LF.
    QString Include() const;
    /// Replaces the include rules: one row per non-empty line.
    void setInclude(const QString &rules);
    /// The exclude rules, each followed by CR LF.
    QString Exclude() const;
    void setExclude(const QString &rules);
    /// Whether subfolders are included (the box "Check_SubPath").
    bool SubPath() const;
    void setSubPath(bool on);
    Color BackColor() const;
    void setBackColor(Color color);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
