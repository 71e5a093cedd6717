#include <velk/editors/velkRights.h>

#include <velk/controls/velkButton.h>
#include <velk/editors/RightsRules_p.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/SystemColors.h>
#include <velk/sheet/velkSheet.h>

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velk {

namespace {
constexpr int kButtonWidthPx = 110;
constexpr int kButtonHeightPx = 26;
constexpr int kButtonGapPx = 6;
const QString kAddTitle = QStringLiteral("Hinzufügen");
const QString kRemoveTitle = QStringLiteral("Entfernen");

int toPixels(int twips) { return int(std::lround(twips / TwipsPerPixel)); }
QRect toPixels(const QRect &r)
{
    return QRect(toPixels(r.x()), toPixels(r.y()), std::max(toPixels(r.width()), 0), std::max(toPixels(r.height()), 0));
}

// Names travel in the parameter text between "," and ":", and a tab or line break would
// split the user list's cells.
bool isTravellingName(const QString &name)
{
    for (const QChar c : name) {
        if (c == u',' || c == u':' || c == u'\t' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}
} // namespace

struct velkRights::Private
{
    velkRights *q;
    velkRightsEvents *events;
    velkSheet *users;
    velkSheet *rights;
    QLabel *label;
    velkButton *add;
    velkButton *remove;

    QString allRights;
    QString selName;
    QString selOwn;
    QString selInherited;
    bool enabled = true;
    Color backColor = SystemColor::ButtonFace;

    explicit Private(velkRights *owner)
        : q(owner)
        , events(new velkRightsEvents(owner))
        , users(new velkSheet(owner))
        , rights(new velkSheet(owner))
        , label(new QLabel(QStringLiteral("Rechte:"), owner))
        , add(new velkButton(owner))
        , remove(new velkButton(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        users->setObjectName(QStringLiteral("velkSheet1"));
        rights->setObjectName(QStringLiteral("velkSheet2"));
        label->setObjectName(QStringLiteral("Label1"));
        add->setObjectName(QStringLiteral("velkButton1"));
        remove->setObjectName(QStringLiteral("velkButton2"));
        add->setCaption(kAddTitle);
        add->setIcon(QStringLiteral("person"));
        remove->setCaption(kRemoveTitle);
        remove->setIcon(QStringLiteral("delete"));
        for (velkButton *button : {add, remove})
            button->resize(kButtonWidthPx, kButtonHeightPx);
        users->setFlags(QStringLiteral("singleselect"));
        users->setColumns(QStringLiteral("Name:3000,Rechte:*"));
    }

    velkSheet::RowPtr selectedUser() const { return users->Selected(); }

    void selectUser()
    {
        const velkSheet::RowPtr row = selectedUser();
        selName = row ? row->Tag : QString();
        selOwn = row ? row->GetSubText(2) : QString();
        selInherited = row ? row->GetSubText(3) : QString();
        recomputeRights();
    }

    void applyEnabled()
    {
        label->setEnabled(enabled);
        add->setEnabled(enabled);
        rights->setEnabled(enabled && !selName.isEmpty());
        remove->setEnabled(enabled && !selName.isEmpty() && selInherited.isEmpty());
    }

    void recomputeRights()
    {
        applyEnabled();
        const bool someone = !selName.isEmpty();
        for (int pos = 1; pos <= rights->Count(); ++pos) {
            SheetData *row = rights->ListItem(pos).get();
            row->CheckState = short(RightsRules::checkState(row->Tag, someone, selOwn, selInherited));
        }
        rights->Refresh();
    }

    void toggle(int row, int &newState)
    {
        const velkSheet::RowPtr right = rights->ListItem(row);
        if (!right)
            return;
        if (!selName.isEmpty()) {
            selOwn = RightsRules::toggled(right->Tag, selOwn, selInherited, allRights);
            if (const velkSheet::RowPtr user = selectedUser())
                user->SetSubText(2, selOwn);
            users->Refresh();
        }
        recomputeRights();
        Q_EMIT events->Changed();
        // The sheet stores this after the event; it must be the state just worked out.
        newState = right->CheckState;
    }

    bool hasUser(const QString &name) const
    {
        for (int pos = 1; pos <= users->Count(); ++pos) {
            if (users->ListItem(pos)->Tag == name)
                return true;
        }
        return false;
    }

    void addUser()
    {
        Dialogs &dialogs = Dialogs::instance();
        const std::optional<QString> answer = dialogs.InputBox(QStringLiteral("Benutzer"), QStringLiteral("Benutzer"));
        if (!answer || answer->isEmpty())
            return;
        const QString name = *answer;
        if (!isTravellingName(name)) {
            dialogs.MsgBox(QStringLiteral("Der Name '%1' darf weder Komma, Doppelpunkt, Tabulator noch Zeilenumbruch "
                                          "enthalten.").arg(name),
                           MsgBoxStyle::Exclamation, kAddTitle);
            return;
        }
        if (hasUser(name)) {
            dialogs.MsgBox(QStringLiteral("Der Benutzer '") + name + QStringLiteral("' existiert bereits!"), MsgBoxStyle::Exclamation, kAddTitle);
            return;
        }
        users->AddItem(name + QStringLiteral("\trek"), QStringLiteral("person"), 0, false, 0, name);
        users->setSelectedIndex(users->NewIndex());
        Q_EMIT events->Changed();
    }

    void removeUser()
    {
        if (selName.isEmpty())
            return;
        const int answer = Dialogs::instance().MsgBox(QStringLiteral("Den Benutzer '") + selName + QStringLiteral("' wirklich löschen?"),
                                                      MsgBoxStyle::YesNo | MsgBoxStyle::Question, kRemoveTitle);
        if (answer == MsgBoxResult::No)
            return;
        users->RemoveItem(users->SelectedIndex());
        selName.clear();
        selOwn.clear();
        selInherited.clear();
        recomputeRights();
        Q_EMIT events->Changed();
    }

    void layoutChildren()
    {
        const int bw = int(add->width() * TwipsPerPixel);
        const RightsRules::Layout l = RightsRules::layoutOf(int(q->width() * TwipsPerPixel),
                                                           int(q->height() * TwipsPerPixel), bw, rights->FullHeight());
        users->setGeometry(toPixels(l.users));
        label->setGeometry(toPixels(l.label));
        rights->setGeometry(toPixels(l.rights));
        const int left = toPixels(l.buttonLeft);
        add->move(left, toPixels(l.users.top()));
        remove->move(left, toPixels(l.users.top()) + kButtonHeightPx + kButtonGapPx);
    }
};

velkRights::velkRights(QWidget *parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    connect(d->users->events(), &velkSheetEvents::Click, this, [this] { d->selectUser(); });
    connect(d->rights->events(), &velkSheetEvents::Checked, this,
            [this](int row, int, int &NewState) { d->toggle(row, NewState); });
    connect(d->add->events(), &velkButtonEvents::Click, this, [this] { d->addUser(); });
    connect(d->remove->events(), &velkButtonEvents::Click, this, [this] { d->removeUser(); });
    setAutoFillBackground(true);
    setBackColor(d->backColor);
    d->recomputeRights();
    d->layoutChildren();
}

velkRights::~velkRights() = default;

velkRightsEvents *velkRights::events() const { return d->events; }

QString velkRights::Parameter() const
{
    std::vector<RightsRules::User> list;
    list.reserve(size_t(d->users->Count()));
    for (int pos = 1; pos <= d->users->Count(); ++pos) {
        const velkSheet::RowPtr row = d->users->ListItem(pos);
        list.push_back({row->Tag, row->GetSubText(2), QString()});
    }
    return RightsRules::writeParameter(list, d->allRights);
}

void velkRights::setParameter(const QString &p)
{
    bool hasInherited = false;
    const std::vector<RightsRules::UserView> list = RightsRules::readParameterViews(p, d->allRights, &hasInherited);
    velkSheet *users = d->users;
    const bool redraw = users->Redraw();
    users->setRedraw(false);
    users->Clear();
    users->setFlags(QStringLiteral("singleselect"));
    users->setColumns(hasInherited ? QStringLiteral("Name:3000,Rechte:1000,Geerbte Rechte:*") : QStringLiteral("Name:3000,Rechte:*"));
    const QString icon = QStringLiteral("person");
    QString text;
    QString name;
    for (const RightsRules::UserView &user : list) {
        // name TAB own, and for inherited rights TAB letters TAB: the text that setting
        // column 3 of such a row leaves.
        name.clear();
        RightsRules::appendCell(name, user.name);
        text = name;
        text += u'\t';
        RightsRules::appendCell(text, user.own);
        if (!user.inherited.isEmpty()) {
            text += u'\t';
            RightsRules::appendCell(text, user.inherited);
            if (!user.own.isEmpty())
                text += u'\t';
        } else if (user.own.isEmpty()) {
            text += u'\t';
        }
        users->AddItem(text, icon, 0, false, 0, name);
    }
    users->setRedraw(redraw);
    users->Refresh();
    d->selName.clear();
    d->selOwn.clear();
    d->selInherited.clear();
    d->recomputeRights();
}

void velkRights::AddRight(const QString &cap, const QString &recht)
{
    if (!RightsRules::isRightLetter(recht))
        return;
    d->allRights += recht;
    d->rights->AddItem(cap, QString(), 0, false, 0, recht, 1);
    d->layoutChildren();
}

bool velkRights::Enabled() const { return d->add->isEnabledTo(const_cast<velkRights *>(this)); }

void velkRights::setEnabled(bool on)
{
    d->enabled = on;
    d->applyEnabled();
}

Color velkRights::BackColor() const { return d->backColor; }

void velkRights::setBackColor(Color color)
{
    d->backColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, resolveColor(color));
    setPalette(pal);
    d->add->setBackColor(color);
    d->remove->setBackColor(color);
}

QSize velkRights::sizeHint() const { return QSize(420, 360); }

void velkRights::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layoutChildren();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkRights>(QStringLiteral("velkRights")), true);
}

} // namespace velk
