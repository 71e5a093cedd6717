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
    Q_INVOKABLE explicit RecordingSnapIn(QWidget *parent = nullptr) : QWidget(parent) { alive().push_back(this); }
    ~RecordingSnapIn() override { alive().removeOne(this); }
    /// All RecordingSnapIns alive, in creation order.
    static QList<RecordingSnapIn *> &alive();

    QString Parameter() const { return log(QStringLiteral("get Parameter")), text; }
    void setParameter(const QString &v) { log(QStringLiteral("set Parameter=") + v), text = v; }
    bool IsDirty() const { return log(QStringLiteral("get IsDirty")), dirty; }
    void setIsDirty(bool v) { log(QStringLiteral("set IsDirty=%1").arg(v)), dirty = v; }
    QString Toolbar() const { return log(QStringLiteral("get Toolbar")), toolbar; }
    velk::Color BackColor() const { return backColor; }
    void setBackColor(velk::Color c)
    {
        log(QStringLiteral("set BackColor=%1").arg(c)), backColor = c;
        if (onBackColor)
            onBackColor();
    }
    bool IsVisible() const { return isVisible; }
    void setIsVisible(bool v)
    {
        log(QStringLiteral("set IsVisible=%1").arg(v)), isVisible = v;
        if (onIsVisible)
            onIsVisible();
    }
    /// Item 2 of the toolbar is disabled.
    Q_INVOKABLE bool ToolbarEnabled(int id) { return log(QStringLiteral("ToolbarEnabled(%1)").arg(id)), id != 2; }
    Q_INVOKABLE void Click(int id) { log(QStringLiteral("Click(%1)").arg(id)); }
    Q_INVOKABLE void ReceiveCommand(const QString &c, const QString &v) { log(QStringLiteral("ReceiveCommand(%1,%2)").arg(c, v)); }
    Q_INVOKABLE void SaveParameter() { log(QStringLiteral("SaveParameter")); }

    // State a test sets or reads without it counting as a call.
    QStringList calls;
    QString text;
    bool dirty = false;
    QString toolbar = QStringLiteral("save#Speichern,-,Drucken");
    velk::Color backColor = 0;
    bool isVisible = false;
    /// Run inside setBackColor and setIsVisible (let a test re-enter the frame while it
    /// places its snap-ins).
    std::function<void()> onBackColor;
    std::function<void()> onIsVisible;

signals:
    void statustext(const QString &txt);
    void toolbarchanged();
    void CLOSEPLUGIN();
    void parameterchanged();
    void parameterrefresh();
    void showole(const QString &file, int l, int t, int w, int h);
    void somethingelse();

private:
    void log(const QString &call) const { const_cast<RecordingSnapIn *>(this)->calls.push_back(call); }
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
