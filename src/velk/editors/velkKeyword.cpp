#include "velkKeyword.h"

#include "KeywordBar_p.h"

#include <velk/controls/velkButton.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/SettingsStore.h>
#include <velk/platform/Units.h>

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velk {
namespace {

constexpr int kCurrentUserRoot = 1;

QRect toPixels(const QRect &twips)
{
    return QRect(pixelsOfTwips(twips.left()), pixelsOfTwips(twips.top()), pixelsOfTwips(twips.width()),
                 pixelsOfTwips(twips.height()));
}

// Menu texts take "&" as the accelerator mark; a keyword shows it as it is.
QString menuText(const QString &text)
{
    QString escaped = text;
    return escaped.replace(u'&', QStringLiteral("&&"));
}

} // namespace

struct velkKeyword::Private
{
    velkKeyword *q;
    velkKeywordEvents *events;
    QLabel *label;
    std::vector<velkButton *> buttons;
    velkButton *popupButton;
    QMenu *menu;
    std::vector<QAction *> keywordActions;
    QAction *separator = nullptr;
    KeywordBarModel model;
    KeywordLearning learning;
    QString caption;
    QString registry;
    KeywordBarLayout plan;
    bool rankPending = false;

    explicit Private(velkKeyword *owner)
        : q(owner)
        , events(new velkKeywordEvents(owner))
        , label(new QLabel(owner))
        , popupButton(new velkButton(owner))
        , menu(new QMenu(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        label->setObjectName(QStringLiteral("Label1"));
        label->setTextFormat(Qt::PlainText);
        createButtons();
        createMenu();
        layout();
    }

    void createButtons()
    {
        for (int b = 0; b < KeywordBarLayout::MaxButtons; ++b) {
            auto *button = new velkButton(q);
            button->setObjectName(QStringLiteral("velkButton1"));
            button->setProperty("Index", b);
            button->hide();
            QObject::connect(button->events(), &velkButtonEvents::Click, q,
                             [this, button](int, int, int) { q->PickKeyword(button->Tag().toInt(), false); });
            buttons.push_back(button);
        }
        popupButton->setObjectName(QStringLiteral("velkButton2"));
        popupButton->setCaption(QString());
        popupButton->setIcon(QStringLiteral("v"));
        popupButton->setToolTip(QStringLiteral("Alle Keywords"));
        QObject::connect(popupButton->events(), &velkButtonEvents::Click, q, [this](int, int, int) { q->ShowPopup(); });
    }

    void createMenu()
    {
        menu->setObjectName(QStringLiteral("menu_popup"));
        keywordActions.push_back(newKeywordAction(0));
        keywordActions.front()->setVisible(false);
        separator = menu->addSeparator();
        QAction *add = menu->addAction(QStringLiteral("neues Keyword..."));
        add->setObjectName(QStringLiteral("menu_neu"));
        QObject::connect(add, &QAction::triggered, q, [this] { q->NewKeyword(); });
        QAction *refresh = menu->addAction(QStringLiteral("Aktualisieren"));
        refresh->setObjectName(QStringLiteral("menu_refresh"));
        QObject::connect(refresh, &QAction::triggered, events, &velkKeywordEvents::Refresh);
    }

    QAction *newKeywordAction(int index)
    {
        auto *action = new QAction(menu);
        action->setObjectName(QStringLiteral("menu_kw"));
        action->setProperty("Index", index);
        QObject::connect(action, &QAction::triggered, q, [this, action] {
            q->PickKeyword(action->property("Index").toInt() + 1, true);
        });
        menu->insertAction(separator, action); // appends while there is no separator yet
        return action;
    }

    // Keyword i is shown by menu_kw(i - 1); the first entry stays, hidden, while there is none.
    void addMenuEntry(const QString &text)
    {
        const int index = model.count() - 1;
        QAction *action = index == 0 ? keywordActions.front() : newKeywordAction(index);
        if (index > 0)
            keywordActions.push_back(action);
        action->setText(menuText(text));
        action->setVisible(true);
    }

    void dropMenuEntries()
    {
        while (keywordActions.size() > 1) {
            delete keywordActions.back();
            keywordActions.pop_back();
        }
        keywordActions.front()->setText(QString());
        keywordActions.front()->setVisible(false);
    }

    void updateMenuCaptions()
    {
        for (int i = 1; i <= model.count() && size_t(i) <= keywordActions.size(); ++i)
            keywordActions[size_t(i - 1)]->setText(menuText(model.at(i)->Text));
    }

    void rank()
    {
        model.rank();
        rankPending = false;
        updateMenuCaptions();
    }

    void layout()
    {
        label->setText(caption);
        Canvas measure(nullptr, ScaleMode::Twips);
        measure.setFont(buttons.front()->font());
        const int shown = std::min(model.count(), int(KeywordBarLayout::MaxButtons));
        std::vector<int> widths;
        for (int b = 0; b < shown; ++b)
            widths.push_back(int(std::lround(measure.TextWidth(model.at(b + 1)->Text))));
        Canvas labelMeasure(nullptr, ScaleMode::Twips);
        labelMeasure.setFont(label->font());
        plan = KeywordBarLayout::compute(widths, int(std::lround(labelMeasure.TextWidth(caption))),
                                         int(std::lround(measure.TextHeight())));
        applyPlan(shown);
    }

    void applyPlan(int shown)
    {
        label->setGeometry(toPixels(plan.label));
        for (int b = 0; b < KeywordBarLayout::MaxButtons; ++b) {
            velkButton *button = buttons[size_t(b)];
            if (b >= shown) {
                button->hide();
                continue;
            }
            button->setCaption(model.at(b + 1)->Text);
            button->setTag(QString::number(b + 1));
            button->setGeometry(toPixels(plan.buttons[size_t(b)]));
            button->show();
        }
        popupButton->setGeometry(toPixels(plan.popup));
        q->updateGeometry();
    }

    // "key path\value name" as the settings store names them.
    std::pair<QString, QString> place() const
    {
        QString path = registry;
        path.replace(u'/', u'\\');
        const qsizetype split = path.lastIndexOf(u'\\');
        return {split < 0 ? QString() : path.left(split), path.mid(split + 1)};
    }

    void loadLearning()
    {
        QStringList stored;
        if (!registry.isEmpty()) {
            const auto [keyPath, valueName] = place();
            const auto value = SettingsStore::instance().readValue(kCurrentUserRoot, keyPath, valueName);
            if (value && value->type == SettingsValue::MultiString)
                stored = value->strings;
        }
        learning.load(stored);
    }

    bool restoreCounts(velkKeywordData &data)
    {
        const KeywordLearning::Counts *counts = learning.find(data.Text);
        if (!counts)
            return false;
        data.Clicks = counts->clicks;
        data.ClicksOther = counts->clicksOther;
        return true;
    }

    void saveLearning()
    {
        if (registry.isEmpty())
            return;
        const auto [keyPath, valueName] = place();
        SettingsStore::instance().writeValue(kCurrentUserRoot, keyPath, valueName,
                                             SettingsValue::fromStrings(learning.merge(model.keywords())));
    }
};

velkKeyword::velkKeyword(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
}

velkKeyword::~velkKeyword() = default;

velkKeywordEvents *velkKeyword::events() const { return d->events; }
QMenu *velkKeyword::popupMenu() const { return d->menu; }

QString velkKeyword::caption() const { return d->caption; }

void velkKeyword::setCaption(const QString &value)
{
    if (value == d->caption)
        return;
    d->caption = value;
    d->layout();
}

QString velkKeyword::KeywordsRegistry() const { return d->registry; }

void velkKeyword::setKeywordsRegistry(const QString &value)
{
    if (value == d->registry)
        return;
    d->registry = value;
    d->loadLearning();
    for (const DataPtr &data : d->model.keywords())
        d->rankPending = d->restoreCounts(*data) || d->rankPending;
}

const Collection<velkKeyword::DataPtr> &velkKeyword::Keywords() const { return d->model.keywords(); }

void velkKeyword::AddItem(const QString &a)
{
    if (!d->model.add(a))
        return;
    d->rankPending = d->restoreCounts(*d->model.at(d->model.count())) || d->rankPending;
    d->addMenuEntry(a);
}

void velkKeyword::Clear()
{
    d->caption.clear();
    d->model.clear();
    d->rankPending = false;
    d->dropMenuEntries();
    d->layout();
}

void velkKeyword::Refresh()
{
    if (d->rankPending)
        d->rank();
    d->layout();
}

void velkKeyword::PickKeyword(int i, bool fromPopup)
{
    const DataPtr data = d->model.at(i);
    if (!data)
        return;
    const QString text = d->caption.isEmpty() ? data->Text : d->caption + u'=' + data->Text;
    d->model.countPick(i);
    d->saveLearning();
    emit d->events->SetKeyword(text);
    if (fromPopup) {
        d->rank();
        d->layout();
    }
}

void velkKeyword::NewKeyword()
{
    const std::optional<QString> answer = Dialogs::instance().InputBox(QStringLiteral("Keyword:"),
                                                                       QStringLiteral("neues Keyword"));
    if (!answer)
        return;
    const QString text = answer->trimmed();
    if (text.isEmpty())
        return;
    int i = d->model.indexOf(text);
    if (i == 0) {
        AddItem(text);
        i = d->model.count();
    }
    PickKeyword(i, true);
}

void velkKeyword::ShowPopup()
{
    d->menu->popup(d->popupButton->mapToGlobal(QPoint(0, d->popupButton->height())));
}

QSize velkKeyword::sizeHint() const
{
    return toPixels(QRect(QPoint(0, 0), d->plan.extent())).size().expandedTo(QSize(120, 40));
}

QSize velkKeyword::minimumSizeHint() const
{
    return sizeHint();
}

void velkKeyword::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->layout();
}

[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkKeyword>(QStringLiteral("velkKeyword")), true);

} // namespace velk
