#include "velkUmfang.h"

#include "UmfangRule_p.h"
#include "velkUmfangForm.h"

#include <velk/controls/velkButton.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/SystemColors.h>
#include <velk/sheet/velkSheet.h>

#include <QCheckBox>
#include <QLabel>
#include <QResizeEvent>

#include <array>

namespace velk {
namespace {

constexpr int kMargin = 4;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 24;
constexpr int kGap = 4;

const QString kSingleSelect = QStringLiteral("singleselect");

// The lines of a rule list; a CR before a line's LF belongs to the line break.
QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// The row text of a rule: its description on one cell (a tab would start a second one).
QString rowText(const QString &rule)
{
    return UmfangRule::description(rule).replace(u'\t', u' ');
}

} // namespace

struct velkUmfang::Private
{
    struct List
    {
        QLabel *caption = nullptr;
        velkSheet *sheet = nullptr;
        velkButton *add = nullptr;
        velkButton *edit = nullptr;
        velkButton *remove = nullptr;
    };

    velkUmfang *q = nullptr;
    std::array<List, 2> lists{};
    QCheckBox *subPath = nullptr;
    Color backColor = SystemColor::ButtonFace;

    void updateButtons(const List &list)
    {
        const bool chosen = list.sheet->Selected() != nullptr;
        list.edit->setEnabled(chosen);
        list.remove->setEnabled(chosen);
    }

    void clear(const List &list)
    {
        list.sheet->Clear();
        list.sheet->setFlags(kSingleSelect);
        list.edit->setEnabled(false);
        list.remove->setEnabled(false);
    }

    void put(const List &list, const QString &rules)
    {
        clear(list);
        list.sheet->setRedraw(false);
        for (const QString &rule : linesOf(rules)) {
            if (!rule.isEmpty())
                list.sheet->AddItem(rowText(rule), QString(), 0, false, 0, rule);
        }
        list.sheet->setRedraw(true);
    }

    static QString get(const List &list)
    {
        QString rules;
        for (int pos = 1; pos <= list.sheet->Count(); ++pos)
            rules += list.sheet->ListItem(pos)->Tag + QStringLiteral("\r\n");
        return rules;
    }

    void addRule(const List &list)
    {
        const QString rule = velkUmfangForm::Edit(QString(), q);
        if (rule == u"*" || rule.isEmpty())
            return;
        list.sheet->AddItem(rowText(rule), QString(), 0, false, 0, rule);
        list.sheet->setSelectedIndex(list.sheet->NewIndex());
        updateButtons(list);
    }

    void editRule(const List &list)
    {
        const velkSheet::RowPtr row = list.sheet->Selected();
        if (!row)
            return;
        const QString rule = velkUmfangForm::Edit(row->Tag, q);
        // As Add adds no empty rule, emptying a rule in the form leaves the row as it was.
        if (rule == u"*" || rule.isEmpty())
            return;
        row->Tag = rule;
        row->setText(rowText(rule));
        list.sheet->Refresh();
    }

    void deleteRule(const List &list)
    {
        const int pos = list.sheet->SelectedIndex();
        if (!list.sheet->Selected())
            return;
        const int answer = Dialogs::instance().MsgBox(QStringLiteral("Wirklich löschen?"),
                                                      MsgBoxStyle::YesNo | MsgBoxStyle::Question,
                                                      QStringLiteral("Regel"));
        if (answer != MsgBoxResult::Yes)
            return;
        list.sheet->RemoveItem(pos);
        updateButtons(list);
    }

    void layout()
    {
        const int width = q->width();
        const int checkHeight = subPath->sizeHint().height();
        const int captionHeight = lists[0].caption->sizeHint().height();
        const int listHeight = qMax(0, (q->height() - 2 * kMargin - checkHeight - kGap) / 2);
        const int sheetWidth = qMax(0, width - 2 * kMargin - kGap - kButtonWidth);
        int y = kMargin;
        for (const List &list : lists) {
            list.caption->setGeometry(kMargin, y, sheetWidth, captionHeight);
            const int top = y + captionHeight;
            const int sheetHeight = qMax(0, listHeight - captionHeight - kGap);
            list.sheet->setGeometry(kMargin, top, sheetWidth, sheetHeight);
            const int x = kMargin + sheetWidth + kGap;
            list.add->setGeometry(x, top, kButtonWidth, kButtonHeight);
            list.edit->setGeometry(x, top + kButtonHeight + kGap, kButtonWidth, kButtonHeight);
            list.remove->setGeometry(x, top + 2 * (kButtonHeight + kGap), kButtonWidth, kButtonHeight);
            y += listHeight;
        }
        subPath->setGeometry(kMargin, y + kGap, qMax(0, width - 2 * kMargin), checkHeight);
    }

    void applyBackColor()
    {
        QPalette palette = q->palette();
        palette.setColor(QPalette::Window, resolveColor(backColor));
        q->setPalette(palette);
        q->setAutoFillBackground(true);
    }
};

velkUmfang::velkUmfang(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->q = this;
    const QString captions[2] = {QStringLiteral("Einschließen:"), QStringLiteral("Ausschließen:")};
    // Each array is created in index order: the sheets, then the buttons of each role.
    for (int i = 0; i < 2; ++i) {
        Private::List &list = d->lists[size_t(i)];
        list.caption = new QLabel(captions[i], this);
        list.sheet = new velkSheet(this);
        list.sheet->setObjectName(QStringLiteral("velkSheet1"));
        list.sheet->setProperty("Index", i);
        list.caption->setBuddy(list.sheet);
    }
    auto makeButtons = [this](const QString &name, const QString &caption, velkButton *Private::List::*slot) {
        for (int i = 0; i < 2; ++i) {
            auto *button = new velkButton(this);
            button->setObjectName(name);
            button->setProperty("Index", i);
            button->setCaption(caption);
            d->lists[size_t(i)].*slot = button;
        }
    };
    makeButtons(QStringLiteral("velkButton_Add"), QStringLiteral("Hinzufügen"), &Private::List::add);
    makeButtons(QStringLiteral("velkButton_Edit"), QStringLiteral("Bearbeiten"), &Private::List::edit);
    makeButtons(QStringLiteral("velkButton_Delete"), QStringLiteral("Löschen"), &Private::List::remove);
    for (int i = 0; i < 2; ++i) {
        const Private::List &list = d->lists[size_t(i)];
        connect(list.sheet->events(), &velkSheetEvents::Click, this, [this, i] { d->updateButtons(d->lists[size_t(i)]); });
        connect(list.sheet->events(), &velkSheetEvents::DblClick, this, [this, i](int, int) {
            d->editRule(d->lists[size_t(i)]);
        });
        // The Delete key asks as the Delete button does.
        connect(list.sheet->events(), &velkSheetEvents::Delete, this, [this, i] { d->deleteRule(d->lists[size_t(i)]); });
        connect(list.add->events(), &velkButtonEvents::Click, this, [this, i] { d->addRule(d->lists[size_t(i)]); });
        connect(list.edit->events(), &velkButtonEvents::Click, this, [this, i] { d->editRule(d->lists[size_t(i)]); });
        connect(list.remove->events(), &velkButtonEvents::Click, this, [this, i] { d->deleteRule(d->lists[size_t(i)]); });
    }
    d->subPath = new QCheckBox(QStringLiteral("Unterverzeichnisse einbeziehen"), this);
    d->subPath->setObjectName(QStringLiteral("Check_SubPath"));
    d->applyBackColor();
    Clear();
    resize(sizeHint());
    d->layout();
}

velkUmfang::~velkUmfang() = default;

void velkUmfang::Clear()
{
    for (const Private::List &list : d->lists)
        d->clear(list);
}

QString velkUmfang::Include() const { return Private::get(d->lists[0]); }
void velkUmfang::setInclude(const QString &rules) { d->put(d->lists[0], rules); }
QString velkUmfang::Exclude() const { return Private::get(d->lists[1]); }
void velkUmfang::setExclude(const QString &rules) { d->put(d->lists[1], rules); }

bool velkUmfang::SubPath() const { return d->subPath->isChecked(); }
void velkUmfang::setSubPath(bool on) { d->subPath->setChecked(on); }

Color velkUmfang::BackColor() const { return d->backColor; }

void velkUmfang::setBackColor(Color color)
{
    if (d->backColor == color)
        return;
    d->backColor = color;
    d->applyBackColor();
}

QSize velkUmfang::sizeHint() const
{
    return {420, 300};
}

void velkUmfang::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layout();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkUmfang>(QStringLiteral("velkUmfang")), true);
}

} // namespace velk
