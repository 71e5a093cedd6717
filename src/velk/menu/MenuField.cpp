#include "MenuField_p.h"

#include "MenuModel_p.h"

#include <QDate>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace velk {

namespace {

// Field backgrounds: empty, holding a value, and with the keyboard focus.
const QColor kEmptyField(255, 255, 192);
const QColor kFilledField(255, 255, 128);
const QColor kFocusedField(255, 255, 0);

// The eval field's characters sit in 7-pixel cells after a 12-pixel first cell, so that
// the toggle rule's pixel positions match what is shown.
constexpr int kEvalCellPx = 7;
constexpr int kEvalFirstCellPx = 12;
constexpr int kLineEditInnerMarginPx = 2;

QFont evalFont()
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(11);
    f.setBold(true);
    const double advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('x'));
    f.setLetterSpacing(QFont::AbsoluteSpacing, kEvalCellPx - advance);
    return f;
}

} // namespace

MenuField::MenuField(int id, const QString &type, QWidget *parent)
    : QLineEdit(parent)
    , m_id(id)
    , m_eval(type == u"$eval")
    , m_date(type == u"$date")
{
    setObjectName(QStringLiteral("Text1_%1").arg(id));
    setFrame(false);
    setAutoFillBackground(true);
    if (m_eval) {
        setReadOnly(true);
        setFont(evalFont());
        setTextMargins(kEvalFirstCellPx - kEvalCellPx - kLineEditInnerMarginPx, 0, 0, 0);
        setText(QString(MenuModel::EvalFieldLength, u' '));
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
    } else if (m_date) {
        setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
        setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,2}(\\.\\d{0,2}(\\.\\d{0,4})?)?")), this));
        connect(this, &QLineEdit::editingFinished, this, &MenuField::completeDate);
    }
    connect(this, &QLineEdit::textChanged, this, &MenuField::updateBackground);
    connect(this, &QLineEdit::returnPressed, this, [this] {
        if (!m_eval)
            emit activated(m_id);
    });
    updateBackground();
}

void MenuField::mousePressEvent(QMouseEvent *event)
{
    if (!m_eval) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        setText(MenuModel::toggledEvalFlag(text(), flagAt(int(event->position().x()))));
}

void MenuField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    updateBackground();
}

void MenuField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    updateBackground();
}

void MenuField::updateBackground()
{
    QPalette p = palette();
    const bool filled = !text().trimmed().isEmpty();
    p.setColor(QPalette::Base, hasFocus() ? kFocusedField : filled ? kFilledField : kEmptyField);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

// "1.2.24" becomes "01.02.2024"; a text that is no date stays as typed.
void MenuField::completeDate()
{
    const QStringList parts = text().split(u'.');
    if (parts.size() != 3)
        return;
    int year = parts[2].toInt();
    if (parts[2].size() <= 2)
        year += 2000;
    const QDate date(year, parts[1].toInt(), parts[0].toInt());
    if (date.isValid())
        setText(date.toString(QStringLiteral("dd.MM.yyyy")));
}

} // namespace velk
