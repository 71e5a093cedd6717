#pragma once

#include <velk/common/Color.h>

#include <QString>
#include <QPointF>
#include <QWidget>

class SampleArchive;

namespace velk {
class velkSheet;
}

/// The snap-ins of the archive screen on the "Rahmen" page. Each shows a sheet under the
/// toolbar the frame gives it, reads the sample archive, and talks to its neighbours only
/// through the frame: a choice is sent to every snap-in with SendCommand ("thema" with a
/// topic number, "dokument" with a document number), and status texts go out as
/// "statustext".
class ArchiveSnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Toolbar READ Toolbar)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor)

public:
    /// The archive every snap-in reads; set before the frame is built.
    static void setArchive(SampleArchive *archive);
    /// Registers the snap-in classes with the control factory (once).
    static void registerClasses();

    virtual QString Toolbar() const = 0;
    velk::Color BackColor() const { return m_backColor; }
    void setBackColor(velk::Color color);
    /// A toolbar click: the frame passes the item's lower left corner in twips.
    Q_INVOKABLE void Click(int id, float x, float y)
    {
        m_clickAt = QPointF(x, y);
        clicked(id);
    }
    Q_INVOKABLE void ReceiveCommand(const QString &cmd, const QString &value) { received(cmd, value); }

signals:
    void statustext(const QString &text);

protected:
    explicit ArchiveSnapIn(QWidget *parent);

    static SampleArchive *archive();
    velk::velkSheet *sheet() const { return m_sheet; }
    /// The Tag of the sheet's selected row; empty when none.
    QString selectedTag() const;
    /// The frame's toolbar of this snap-in, or nullptr.
    QWidget *toolbar() const;
    /// Where the last toolbar click was, in twips of the toolbar.
    QPointF clickAt() const { return m_clickAt; }
    /// Sends a command through the frame this snap-in sits in.
    void sendCommand(const QString &cmd, const QString &value);

    virtual void clicked(int) {}
    virtual void received(const QString &, const QString &) {}

private:
    velk::velkSheet *m_sheet;
    velk::Color m_backColor = 0;
    QPointF m_clickAt;
};

/// The topic tree.
class ArchiveTopics : public ArchiveSnapIn
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit ArchiveTopics(QWidget *parent = nullptr);
    QString Toolbar() const override;

protected:
    void clicked(int id) override;

private:
    void fill();
    void setAllExpanded(bool expanded);
};

/// The documents of the chosen topic.
class ArchiveDocuments : public ArchiveSnapIn
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit ArchiveDocuments(QWidget *parent = nullptr);
    QString Toolbar() const override;

protected:
    void clicked(int id) override;
    void received(const QString &cmd, const QString &value) override;

private:
    void fill();
    void sortBy(int column);

    int m_topic = 0;
};

/// The fields of the chosen document.
class ArchiveDetails : public ArchiveSnapIn
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit ArchiveDetails(QWidget *parent = nullptr);
    QString Toolbar() const override;

protected:
    void clicked(int id) override;
    void received(const QString &cmd, const QString &value) override;
};

/// The keywords of the chosen document.
class ArchiveKeywords : public ArchiveSnapIn
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit ArchiveKeywords(QWidget *parent = nullptr);
    QString Toolbar() const override;

protected:
    void received(const QString &cmd, const QString &value) override;
};
