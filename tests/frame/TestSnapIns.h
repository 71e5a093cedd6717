#pragma once

#include <velk/common/Color.h>

#include <QStringList>
#include <QWidget>

#include <functional>

// Snap-ins for the frame tests. RecordingSnapIn has every member the frame may use and
// writes each late-bound call it receives into `calls`; the others lack members on purpose.

class RecordingSnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Parameter READ Parameter WRITE setParameter)
    Q_PROPERTY(bool IsDirty READ IsDirty WRITE setIsDirty)
    Q_PROPERTY(QString Toolbar READ Toolbar)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool IsVisible READ IsVisible WRITE setIsVisible)

public:
    Q_INVOKABLE explicit RecordingSnapIn(QWidget *parent = nullptr);

    QString Parameter() const;
    void setParameter(const QString &text);
    bool IsDirty() const;
    void setIsDirty(bool dirty);
    QString Toolbar() const;
    velk::Color BackColor() const;
    void setBackColor(velk::Color color);
    bool IsVisible() const;
    void setIsVisible(bool visible);

    /// Item 2 of the toolbar is disabled.
    Q_INVOKABLE bool ToolbarEnabled(int id);
    Q_INVOKABLE void Click(int id);
    Q_INVOKABLE void ReceiveCommand(const QString &cmd, const QString &value);
    Q_INVOKABLE void SaveParameter();

    // State a test sets or reads without it counting as a call.
    QStringList calls;
    QString text;
    bool dirty = false;
    QString toolbar = QStringLiteral("save#Speichern,-,Drucken");
    velk::Color backColor = 0;
    bool isVisible = false;
    /// Runs inside setIsVisible (lets a test re-enter the frame from a layout pass).
    std::function<void()> onIsVisible;

    /// All RecordingSnapIns alive, in creation order.
    static QList<RecordingSnapIn *> &alive();
    ~RecordingSnapIn() override;

signals:
    void statustext(const QString &txt);
    void toolbarchanged();
    void closesnapin();
    void CLOSEPLUGIN();
    void parameterchanged();
    void parameterrefresh();
    void showole(const QString &file, int l, int t, int w, int h);
    void somethingelse();
};

/// A control with none of the snap-in members.
class BareSnapIn : public QWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit BareSnapIn(QWidget *parent = nullptr) : QWidget(parent) {}
};

/// Has only the three-argument form of Click.
class PositionClickSnapIn : public QWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit PositionClickSnapIn(QWidget *parent = nullptr) : QWidget(parent) {}
    Q_INVOKABLE void Click(int id, int x, int y) { clicks.push_back(QStringLiteral("%1@%2,%3").arg(id).arg(x).arg(y)); }
    QStringList clicks;
};

/// Registers the classes above with the control factory (once).
void registerTestSnapIns();
