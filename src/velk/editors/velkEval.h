#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class PictureBox;

/// The events of a velkEval.
class VELK_EXPORT velkEvalEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    /// After every mouse press, once the values have changed and the bars are repainted.
    void Click();
};

/// A small rating control: five bars of rising height for the values 20 to 100. A press
/// on a bar chooses its value; with Shift, Ctrl or Alt held it extends a range. The range
/// travels as a condition string such as "$eval>=40/$eval<=80". The bars are drawn in
/// twips on the picture box "Picture1".
class VELK_EXPORT velkEval : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(short value1 READ value1 WRITE setValue1 STORED false)
    Q_PROPERTY(short value2 READ value2 WRITE setValue2 STORED false)
    Q_PROPERTY(QString Condition READ Condition WRITE setCondition STORED false)

public:
    Q_INVOKABLE explicit velkEval(QWidget *parent = nullptr);
    ~velkEval() override;

    velkEvalEvents *events() const;

    /// The value last chosen; 0 for none. Setting it does not repaint.
    short value1() const;
    void setValue1(short value);
    /// The other end of the range (equal to value1 when there is no range). Setting it
    /// does not repaint.
    short value2() const;
    void setValue2(short value);
    /// "" when nothing is chosen, "$eval=v", "$eval<=hi", "$eval>=lo" or
    /// "$eval>=lo/$eval<=hi". Setting it reads such a text (other texts without "/" change
    /// nothing) and repaints.
    QString Condition() const;
    void setCondition(const QString &condition);

    /// Repaints the bars.
    Q_INVOKABLE void Refresh();

    /// A press at `x` (twips) with the button and shift state as the input codes give them.
    void MouseDown(int button, int shift, float x, float y);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
