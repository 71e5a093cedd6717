#pragma once

// The edit box of a menu bar field: "$text" takes any text, "$date" a date dd.mm.yyyy,
// "$eval" a row of flag characters toggled by presses.

#include <QLineEdit>

namespace velk {

class MenuField : public QLineEdit
{
    Q_OBJECT

public:
    MenuField(int id, const QString &type, QWidget *parent);

    int id() const { return m_id; }
    /// The "$eval" flag under a press `xPx` pixels from the box's left edge: the first
    /// flag is 12 pixels wide, every further one 7.
    static int flagAt(int xPx) { return xPx < 12 ? 0 : 1 + (xPx - 12) / 7; }
    bool isEval() const { return m_eval; }

signals:
    /// Enter in a text or date field.
    void activated(int id);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateBackground();
    void completeDate();

    int m_id;
    bool m_eval;
    bool m_date;
};

} // namespace velk
