#include "velkAction.h"

#include "ActionString_p.h"

#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRadioButton>
#include <QResizeEvent>

#include <array>

// The editors' texts are compiled into the library; referencing them here also keeps them
// in static builds.
static void initEditorTexts()
{
    Q_INIT_RESOURCE(velk_editor_texts);
}

namespace velk {
namespace {

constexpr int kMargin = 4;
constexpr int kIndent = 20;

const char *const kBoxNames[ActionState::BoxCount] = {
    "Check1_1", "Check1_2", "Check1_3", "Check1_4", "Check2_1", "Check3_1", "Check3_2", "Check3_3",
};

// The captions live in a text file compiled into the library, so that what the user reads
// can be reviewed and reworded apart from the code. Read once; a name the file lacks shows
// as itself.
const QHash<QString, QString> &captions()
{
    static const QHash<QString, QString> table = [] {
        initEditorTexts();
        QHash<QString, QString> read;
        QFile file(QStringLiteral(":/velk/texts/action-captions.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return read;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const qsizetype equals = line.indexOf(u'=');
            if (line.startsWith(u'#') || equals <= 0)
                continue;
            read.insert(line.first(equals), line.sliced(equals + 1).trimmed());
        }
        return read;
    }();
    return table;
}

QString captionOf(const QString &name)
{
    return captions().value(name, name);
}

constexpr const char *kTag = "Tag";

} // namespace

struct velkAction::Private
{
    velkAction *q = nullptr;
    std::array<QRadioButton *, 4> options{};
    std::array<QCheckBox *, ActionState::BoxCount> boxes{};
    bool loading = false;

    QCheckBox *box(ActionState::Box b) const { return boxes[size_t(b)]; }

    ActionState state() const
    {
        ActionState s;
        for (int i = 0; i < 4; ++i) {
            if (options[size_t(i)]->isChecked())
                s.option = i + 1;
        }
        for (int b = 0; b < ActionState::BoxCount; ++b) {
            s.checked[size_t(b)] = boxes[size_t(b)]->isChecked();
            s.enabled[size_t(b)] = boxes[size_t(b)]->isEnabled();
        }
        s.folder1 = box(ActionState::Check1_3)->property(kTag).toString();
        s.folder3 = box(ActionState::Check3_2)->property(kTag).toString();
        s.caption1 = box(ActionState::Check1_3)->text();
        s.caption3 = box(ActionState::Check3_2)->text();
        return s;
    }

    // Shows `s` with the loading flag set, so the boxes' handlers open no dialogs.
    void show(const ActionState &s)
    {
        const bool wasLoading = loading;
        loading = true;
        for (int i = 0; i < 4; ++i) {
            QRadioButton *option = options[size_t(i)];
            if (s.option == i + 1) {
                option->setChecked(true);
            } else if (option->isChecked()) {
                // An auto-exclusive button cannot be unchecked while it is the checked one.
                option->setAutoExclusive(false);
                option->setChecked(false);
                option->setAutoExclusive(true);
            }
        }
        for (int b = 0; b < ActionState::BoxCount; ++b) {
            boxes[size_t(b)]->setChecked(s.checked[size_t(b)]);
            boxes[size_t(b)]->setEnabled(s.enabled[size_t(b)]);
        }
        box(ActionState::Check1_3)->setProperty(kTag, s.folder1);
        box(ActionState::Check3_2)->setProperty(kTag, s.folder3);
        box(ActionState::Check1_3)->setText(s.caption1);
        box(ActionState::Check3_2)->setText(s.caption3);
        loading = wasLoading;
    }

    void optionClicked(int index)
    {
        ActionState s = state();
        ActionString::enableGroup(s, index);
        show(s);
    }

    void saveBoxToggled(QCheckBox *saveBox, bool ticked)
    {
        if (loading)
            return;
        if (!ticked) {
            saveBox->setText(ActionString::saveCaption());
            return;
        }
        const QString folder = Dialogs::instance().getExistingDirectory(
            q, QStringLiteral("Sicherheitskopie"), saveBox->property(kTag).toString());
        if (folder.isEmpty()) {
            saveBox->setChecked(false); // toggles back, which restores the caption
            saveBox->setText(ActionString::saveCaption());
            return;
        }
        saveBox->setText(ActionString::saveCaption(folder));
        saveBox->setProperty(kTag, folder);
    }

    void layout()
    {
        const int width = q->width();
        int y = kMargin;
        auto place = [&](QWidget *w, int left, bool toRightEdge) {
            const QSize hint = w->sizeHint();
            w->setGeometry(left, y, toRightEdge ? qMax(0, width - left) : hint.width(), hint.height());
            y += hint.height() + 2;
        };
        const int groupOf[4][4] = {{0, 1, 2, 3}, {4, -1, -1, -1}, {5, 6, 7, -1}, {-1, -1, -1, -1}};
        for (int i = 0; i < 4; ++i) {
            place(options[size_t(i)], kMargin, false);
            for (int b : groupOf[i]) {
                if (b < 0)
                    continue;
                const bool save = b == ActionState::Check1_3 || b == ActionState::Check3_2;
                place(boxes[size_t(b)], kMargin + kIndent, save);
            }
            y += 4;
        }
    }

    int contentHeight() const
    {
        int h = 2 * kMargin;
        for (QRadioButton *option : options)
            h += option->sizeHint().height() + 6;
        for (QCheckBox *b : boxes)
            h += b->sizeHint().height() + 2;
        return h;
    }
};

velkAction::velkAction(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->q = this;
    // Created in the order of the form: each option followed by its group.
    for (int i = 0; i < 4; ++i) {
        auto *option = new QRadioButton(captionOf(QStringLiteral("O_Aktion%1").arg(i + 1)), this);
        option->setObjectName(QStringLiteral("O_Aktion"));
        option->setProperty("Index", i + 1);
        d->options[size_t(i)] = option;
        // A choice by mouse, keyboard or code enables the option's group; while a choice is
        // being shown, the shown state already holds the right groups.
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !d->loading)
                d->optionClicked(i + 1);
        });
    }
    for (int b = 0; b < ActionState::BoxCount; ++b) {
        const QString name = QString::fromLatin1(kBoxNames[b]);
        auto *box = new QCheckBox(captionOf(name), this);
        box->setObjectName(name);
        d->boxes[size_t(b)] = box;
        if (b == ActionState::Check1_3 || b == ActionState::Check3_2)
            connect(box, &QCheckBox::toggled, this, [this, box](bool on) { d->saveBoxToggled(box, on); });
    }
    d->show(ActionString::initial(QDir::currentPath()));
    // Keyboard order follows the screen: each option, then its boxes.
    QWidget *previous = nullptr;
    const int order[] = {-1, 0, 1, 2, 3, -2, 4, -3, 5, 6, 7, -4};
    for (int k : order) {
        QWidget *w = k < 0 ? static_cast<QWidget *>(d->options[size_t(-k - 1)]) : d->boxes[size_t(k)];
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    resize(sizeHint());
    d->layout();
}

velkAction::~velkAction() = default;

QString velkAction::Aktion() const
{
    return ActionString::actionOf(d->state());
}

void velkAction::setAktion(const QString &value)
{
    ActionState s = d->state();
    ActionString::putAction(s, value);
    d->show(s);
}

QSize velkAction::sizeHint() const
{
    int width = 0;
    for (QRadioButton *option : d->options)
        width = qMax(width, option->sizeHint().width() + 2 * kMargin);
    for (QCheckBox *box : d->boxes)
        width = qMax(width, box->sizeHint().width() + kMargin + kIndent);
    return {width, d->contentHeight()};
}

void velkAction::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layout();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkAction>(QStringLiteral("velkAction")), true);
}

} // namespace velk
