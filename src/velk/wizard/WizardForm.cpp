#include "WizardForm_p.h"

#include "WizardText_p.h"

#include <velk/common/LeadingNumber_p.h>
#include <velk/common/StringHelpers.h>
#include <velk/controls/velkButton.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>
#include <velk/wizard/Wizard.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <unordered_set>

namespace velk {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kNavButtonWidth = 1350;
constexpr int kNavButtonHeight = 375;
const QString kPlaceholder = QStringLiteral("...");

int pixels(int twips)
{
    return int(std::lround(twips / double(kTwipsPerPixel)));
}

QRect pixelRect(const QRect &twips)
{
    return QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height()));
}

// Heights in twips by element: fixed, or preferred with a minimum and maximum.
struct FieldHeights
{
    int height = 0;
    int minHeight = 0;
    int maxHeight = 0;
};

FieldHeights heightsOf(const QString &tag)
{
    if (tag == u"TEXT" || tag == u"OPTION" || tag == u"CHECKBOX")
        return {285, 0, 0};
    if (tag == u"COMBO")
        return {315, 0, 0};
    if (tag == u"TEXTAREA" || tag == u"SHEET" || tag == u"CONTROL")
        return {1000, 800, 20000};
    return {};
}

QString attr(const StdXMLNodePtr &field, const char16_t *name)
{
    return field->GetAttribute(QString::fromUtf16(name));
}

Qt::CheckState checkStateOf(const QString &value)
{
    switch (LeadingInteger(value)) {
    case 0: return Qt::Unchecked;
    case 2: return Qt::PartiallyChecked;
    default: return Qt::Checked;
    }
}

// Check box states are stored as 0 (clear), 1 (ticked) and 2 (grey).
QString valueOf(Qt::CheckState state)
{
    switch (state) {
    case Qt::Unchecked: return QStringLiteral("0");
    case Qt::PartiallyChecked: return QStringLiteral("2");
    default: return QStringLiteral("1");
    }
}

WizardFormDialog::FolderChooser &folderChooser()
{
    static WizardFormDialog::FolderChooser chooser = [](QWidget *parent, const QString &current) {
        return Dialogs::instance().getExistingDirectory(parent, QStringLiteral("Verzeichnis"), current);
    };
    return chooser;
}

} // namespace

// One field of the shown page with the controls made for it.
struct WizardFormDialog::PageField
{
    StdXMLNodePtr field;
    QString tag;
    QString key;
    QPointer<QLabel> label;
    QPointer<QWidget> input;     // the input control, or the container of a hosted control
    QPointer<QWidget> hosted;    // a hosted control inside `input`
    QPointer<velkButton> side;
    QButtonGroup *group = nullptr;
    std::unordered_set<const SheetData *> asked; // opened rows whose children were asked for
    WizardLayout::Field layout;
};

WizardFormDialog::WizardFormDialog(WizardFields &fields, WizardEvents &events, QWidget *parent)
    : QDialog(parent)
    , m_fields(fields)
    , m_events(events)
{
    setObjectName(QStringLiteral("WizardForm"));
    setProperty("Tag", QString());
    resize(pixels(7500), pixels(5400));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("Seite"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pageWidget = new QWidget;
    m_pageWidget->setObjectName(QStringLiteral("Page"));
    m_scroll->setWidget(m_pageWidget);

    auto makeNavButton = [this](int index, const QString &caption, const QString &icon) {
        auto *button = new velkButton(this);
        button->setObjectName(QStringLiteral("velkButton%1").arg(index));
        button->setCaption(caption);
        button->setIcon(icon);
        return button;
    };
    m_back = makeNavButton(2, QStringLiteral("zurück"), QStringLiteral("left"));
    m_forward = makeNavButton(3, QStringLiteral("weiter"), QStringLiteral("right"));
    m_cancel = makeNavButton(4, QStringLiteral("Abbrechen"), QString());
    m_forward->setDefault(true);
    m_cancel->setCancel(true);
    connect(m_back->events(), &velkButtonEvents::Click, this, [this] { goBack(); });
    connect(m_forward->events(), &velkButtonEvents::Click, this, [this] { goForward(); });
    connect(m_cancel->events(), &velkButtonEvents::Click, this, [this] { reject(); });
    updateNavigation();
}

WizardFormDialog::~WizardFormDialog() = default;

void WizardFormDialog::setFolderChooser(FolderChooser chooser)
{
    folderChooser() = std::move(chooser);
}

void WizardFormDialog::start(int page)
{
    setProperty("Tag", QString());
    m_closing = false;
    showPage(page);
}

void WizardFormDialog::updateNavigation()
{
    const int count = m_fields.pages();
    const bool last = m_page >= count;
    m_back->setVisible(count >= 2);
    m_back->setEnabled(m_page > 1);
    m_forward->setCaption(count <= 1 ? QStringLiteral("Ok") : last ? QStringLiteral("Fertig") : QStringLiteral("weiter"));
    m_forward->setIcon(last ? QStringLiteral("ok") : QStringLiteral("right"));
}

void WizardFormDialog::showPage(int page)
{
    if (m_page > 0) {
        Q_EMIT m_events.SavePage(m_page);
        removePageControls();
    }
    m_page = page;
    Q_EMIT m_events.LoadPage(page);
    // The fields as they stand after the handler, which may have added or cleared some.
    for (const StdXMLNodePtr &field : m_fields.onPage(page))
        buildField(field);
    arrange();
    updateNavigation();
    if (!m_pageFields.empty()) {
        for (const PageField &pf : m_pageFields) {
            if (pf.input) {
                pf.input->setFocus();
                break;
            }
        }
    }
}

void WizardFormDialog::removePageControls()
{
    for (PageField &pf : m_pageFields) {
        for (QWidget *w : {static_cast<QWidget *>(pf.label.data()), pf.input.data(), static_cast<QWidget *>(pf.side.data())}) {
            if (!w)
                continue;
            // Taken out of the form at once, so no search finds the old page's controls;
            // deleted later, since one of them may be running the handler that got here.
            w->hide();
            w->disconnect(this);
            w->setParent(nullptr);
            w->deleteLater();
        }
        delete pf.group;
    }
    m_pageFields.clear();
    m_labelCount = m_buttonCount = 0;
}

void WizardFormDialog::buildField(const StdXMLNodePtr &field)
{
    m_pageFields.push_back(PageField());
    PageField &pf = m_pageFields.back();
    pf.field = field;
    pf.tag = field->Tag;
    pf.key = attr(field, u"key");

    const QString labelText = attr(field, u"label");
    if (!labelText.isEmpty()) {
        pf.label = new QLabel(labelText == u"-" ? QString() : labelText + u':', m_pageWidget);
        pf.label->setObjectName(QStringLiteral("Label1"));
        pf.label->setProperty("Index", ++m_labelCount);
        field->SetAttribute(QStringLiteral("labelctl"), QString::number(m_labelCount));
    }

    const QString options = attr(field, u"options");
    for (const char16_t *kind : {u"help", u"file", u"path"}) {
        const QString text = WizardText::option(options, QString::fromUtf16(kind));
        if (text.isEmpty() || (kind != std::u16string_view(u"help") && pf.tag != u"TEXT"))
            continue;
        makeSideButton(pf, QString::fromUtf16(kind), text);
        break;
    }

    const FieldHeights h = heightsOf(pf.tag);
    field->SetAttribute(QStringLiteral("height"), QString::number(h.height));
    if (h.minHeight > 0) {
        field->SetAttribute(QStringLiteral("minheight"), QString::number(h.minHeight));
        field->SetAttribute(QStringLiteral("maxheight"), QString::number(h.maxHeight));
    }
    pf.layout.height = h.height;
    pf.layout.minHeight = h.minHeight;
    pf.layout.maxHeight = h.maxHeight;
    pf.layout.hasLabel = pf.label != nullptr;
    pf.layout.hasSideButton = pf.side != nullptr;
    pf.input = makeInput(pf);
    pf.layout.hasInput = pf.input != nullptr;
}

void WizardFormDialog::makeSideButton(PageField &pf, const QString &kind, const QString &text)
{
    auto *button = new velkButton(m_pageWidget);
    button->setObjectName(QStringLiteral("velkButton1"));
    button->setProperty("Index", ++m_buttonCount);
    pf.field->SetAttribute(QStringLiteral("buttonctl"), QString::number(m_buttonCount));
    const bool help = kind == u"help";
    button->setCaption(help ? QStringLiteral("Hilfe") : QStringLiteral("..."));
    button->setIcon(help ? QStringLiteral("question") : kind);
    pf.side = button;
    const StdXMLNodePtr field = pf.field;
    connect(button->events(), &velkButtonEvents::Click, this, [this, field, kind, text] {
        PageField *pf = nullptr;
        for (PageField &candidate : m_pageFields) {
            if (candidate.field == field)
                pf = &candidate;
        }
        if (!pf)
            return;
        if (kind == u"help") {
            Dialogs::instance().MsgBox(UnescapeText(text), MsgBoxStyle::Information, attr(field, u"label"));
            return;
        }
        auto *edit = qobject_cast<QLineEdit *>(pf->input.data());
        if (!edit)
            return;
        const QString chosen = kind == u"file"
                                   ? Dialogs::instance().getOpenFileName(this, QStringLiteral("Datei"), edit->text(),
                                                                         QStringLiteral("Alle Dateien (*)"))
                                   : folderChooser()(this, edit->text());
        if (!chosen.isEmpty())
            edit->setText(chosen); // stored and reported by the edit's own signal
    });
}

QWidget *WizardFormDialog::makeInput(PageField &pf)
{
    const QString value = attr(pf.field, u"value");
    const QString options = attr(pf.field, u"options");
    // Controls of one kind form an array on the page, numbered from 1.
    const int index = int(std::count_if(m_pageFields.begin(), m_pageFields.end(),
                                        [&](const PageField &other) { return other.tag == pf.tag; }));
    QWidget *input = nullptr;
    const StdXMLNodePtr field = pf.field;
    // Finds the record again: m_pageFields may grow, which moves its entries.
    auto self = [this, field]() -> PageField * {
        for (PageField &candidate : m_pageFields) {
            if (candidate.field == field)
                return &candidate;
        }
        return nullptr;
    };

    if (pf.tag == u"TEXT") {
        auto *edit = new QLineEdit(value, m_pageWidget);
        edit->setObjectName(QStringLiteral("Text1"));
        connect(edit, &QLineEdit::textChanged, this, [this, self](const QString &text) {
            if (PageField *p = self())
                store(*p, text);
        });
        input = edit;
    } else if (pf.tag == u"TEXTAREA") {
        auto *edit = new QPlainTextEdit(value, m_pageWidget);
        edit->setObjectName(QStringLiteral("TextArea1"));
        connect(edit, &QPlainTextEdit::textChanged, this, [this, self, edit] {
            if (PageField *p = self())
                store(*p, edit->toPlainText());
        });
        input = edit;
    } else if (pf.tag == u"OPTION") {
        auto *option = new QRadioButton(attr(pf.field, u"caption"), m_pageWidget);
        option->setObjectName(QStringLiteral("Option1"));
        // The options of a page are one exclusive group; the group is kept by the first.
        PageField *first = nullptr;
        for (PageField &other : m_pageFields) {
            if (other.tag == u"OPTION" && other.group) {
                first = &other;
                break;
            }
        }
        QButtonGroup *group = first ? first->group : (pf.group = new QButtonGroup(this));
        group->addButton(option);
        option->setChecked(value == u"true");
        connect(option, &QRadioButton::toggled, this, [this, self](bool on) {
            if (PageField *p = self(); p && on)
                storeOption(*p);
        });
        input = option;
    } else if (pf.tag == u"CHECKBOX") {
        auto *box = new QCheckBox(attr(pf.field, u"caption"), m_pageWidget);
        box->setObjectName(QStringLiteral("Check1"));
        const Qt::CheckState state = checkStateOf(value);
        box->setTristate(state == Qt::PartiallyChecked);
        box->setCheckState(state);
        connect(box, &QCheckBox::stateChanged, this, [this, self](int state) {
            if (PageField *p = self())
                store(*p, valueOf(Qt::CheckState(state)));
        });
        input = box;
    } else if (pf.tag == u"COMBO") {
        auto *combo = new QComboBox(m_pageWidget);
        combo->setObjectName(QStringLiteral("Combo1"));
        const QString liste = attr(pf.field, u"liste");
        for (QStringView line : WizardText::lines(liste))
            combo->addItem(line.toString());
        combo->setCurrentIndex(combo->findText(value));
        connect(combo, &QComboBox::currentTextChanged, this, [this, self](const QString &text) {
            if (PageField *p = self())
                store(*p, text);
        });
        input = combo;
    } else if (pf.tag == u"SHEET") {
        auto *sheet = new velkSheet(m_pageWidget);
        sheet->setObjectName(QStringLiteral("velkSheet1"));
        const QString margin = WizardText::option(options, u"leftmargin");
        if (!margin.isEmpty())
            sheet->setLeftMargin(int(LeadingInteger(margin)));
        const QString flags = WizardText::option(options, u"flags");
        sheet->setFlags(QStringLiteral("singleselect ") + (flags == u"-" ? QString() : flags));
        sheet->setRedraw(false);
        fillSheet(*sheet, attr(pf.field, u"liste"), 0, 0);
        sheet->setRedraw(true);
        for (int pos = 1; pos <= sheet->Count(); ++pos) {
            if (sheet->ListItem(pos)->Tag == value && sheet->ListItem(pos)->GetSubText(1) != kPlaceholder) {
                sheet->setSelectedIndex(pos);
                break;
            }
        }
        connect(sheet->events(), &velkSheetEvents::Click, this, [this, self, sheet] {
            const auto row = sheet->ListItem(sheet->SelectedIndex());
            if (PageField *p = self(); p && row)
                store(*p, row->Tag);
        });
        connect(sheet->events(), &velkSheetEvents::expand, this, [this, self](int) {
            if (PageField *p = self())
                sheetRowsOpened(*p);
        });
        // The keyboard opens rows without the event; look after each key.
        sheet->installEventFilter(this);
        for (QWidget *child : sheet->findChildren<QWidget *>())
            child->installEventFilter(this);
        input = sheet;
    } else if (pf.tag == u"CONTROL") {
        auto *container = new QWidget(m_pageWidget);
        container->setObjectName(QStringLiteral("Container1"));
        const int number = ++m_hostedCount;
        pf.field->SetAttribute(QStringLiteral("ctlnr"), QString::number(number));
        QWidget *control = ControlFactory::create(attr(pf.field, u"control"), container);
        if (control) {
            control->setObjectName(QStringLiteral("ctl%1").arg(number));
            // A hosted control that fails here leaves its place empty; nothing reaches the host.
            const LateBoundResult init = LateBound::call(control, QStringLiteral("Init"), {attr(pf.field, u"parameter")});
            if (init || !LateBound::hasMember(control, QStringLiteral("Init"))) {
                LateBound::set(control, QStringLiteral("Text"), value);
                LateBound::set(control, QStringLiteral("BackColor"), QVariant::fromValue(Color(0x8000000F)));
                pf.hosted = control;
            } else {
                delete control;
            }
        }
        input = container;
    }
    if (input) {
        input->setProperty("Index", pf.tag == u"CONTROL" ? m_hostedCount : index);
        input->setProperty("key", pf.key);
    }
    return input;
}

void WizardFormDialog::fillSheet(velkSheet &sheet, const QString &liste, int pos, int indent)
{
    for (QStringView line : WizardText::lines(liste)) {
        const WizardText::ListLine item = WizardText::listLine(line);
        sheet.AddItem(item.text, QString(), indent, false, pos, item.tag);
        if (pos > 0)
            ++pos;
        if (item.opens) {
            sheet.AddItem(kPlaceholder, QString(), indent + 1, false, pos, QString());
            if (pos > 0)
                ++pos;
        }
    }
}

void WizardFormDialog::sheetRowsOpened(PageField &pf)
{
    auto *sheet = qobject_cast<velkSheet *>(pf.input.data());
    if (!sheet)
        return;
    // Rows that are open and still hold only the placeholder ask for their children once.
    std::vector<QString> asked;
    for (int pos = 1; pos < sheet->Count(); ++pos) {
        const auto row = sheet->ListItem(pos);
        const auto next = sheet->ListItem(pos + 1);
        if (row->Expanded && next->Indent == row->Indent + 1 && next->GetSubText(1) == kPlaceholder
            && next->Tag.isEmpty() && pf.asked.insert(row.get()).second)
            asked.push_back(row->Tag); // asked once; the host's answer replaces the placeholder
    }
    const QString key = pf.key;
    for (const QString &tag : asked)
        Q_EMIT m_events.expand(key, tag);
}

void WizardFormDialog::addSheetRows(const QString &key, const QString &tag, const QString &lst)
{
    for (PageField &pf : m_pageFields) {
        auto *sheet = qobject_cast<velkSheet *>(pf.input.data());
        if (!sheet || pf.key != key)
            continue;
        for (int pos = 1; pos <= sheet->Count(); ++pos) {
            const auto row = sheet->ListItem(pos);
            if (row->Tag != tag)
                continue;
            const int indent = row->Indent;
            const auto next = sheet->ListItem(pos + 1);
            if (next && next->Indent == indent + 1 && next->GetSubText(1) == kPlaceholder && next->Tag.isEmpty())
                sheet->RemoveItem(pos + 1);
            const bool append = pos + 1 > sheet->Count();
            fillSheet(*sheet, lst, append ? 0 : pos + 1, indent + 1);
            sheet->Refresh();
            return;
        }
        return;
    }
}

void WizardFormDialog::store(PageField &pf, const QString &value)
{
    if (m_closing)
        return;
    pf.field->SetAttribute(QStringLiteral("value"), value);
    Q_EMIT m_events.Change(m_page, pf.key);
}

void WizardFormDialog::storeOption(PageField &picked)
{
    const StdXMLNodePtr pickedField = picked.field;
    const QString pickedKey = picked.key;
    // The others of the page first become "false", each reported.
    std::vector<std::pair<StdXMLNodePtr, QString>> cleared;
    for (PageField &pf : m_pageFields) {
        if (pf.tag == u"OPTION" && pf.field != pickedField && attr(pf.field, u"value") != u"false") {
            pf.field->SetAttribute(QStringLiteral("value"), QStringLiteral("false"));
            cleared.emplace_back(pf.field, pf.key);
        }
    }
    pickedField->SetAttribute(QStringLiteral("value"), QStringLiteral("true"));
    const int page = m_page;
    for (const auto &[field, key] : cleared)
        Q_EMIT m_events.Change(page, key);
    Q_EMIT m_events.Change(page, pickedKey);
}

void WizardFormDialog::collectValues()
{
    for (PageField &pf : m_pageFields) {
        QString value;
        if (auto *edit = qobject_cast<QLineEdit *>(pf.input.data()))
            value = edit->text();
        else if (auto *area = qobject_cast<QPlainTextEdit *>(pf.input.data()))
            value = area->toPlainText();
        else if (auto *option = qobject_cast<QRadioButton *>(pf.input.data()))
            value = option->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
        else if (auto *box = qobject_cast<QCheckBox *>(pf.input.data()))
            value = valueOf(box->checkState());
        else if (auto *combo = qobject_cast<QComboBox *>(pf.input.data()))
            value = combo->currentText();
        else if (auto *sheet = qobject_cast<velkSheet *>(pf.input.data())) {
            const auto row = sheet->ListItem(sheet->SelectedIndex());
            if (!row)
                continue;
            value = row->Tag;
        } else if (pf.hosted) {
            const LateBoundResult text = LateBound::get(pf.hosted, QStringLiteral("Text"));
            if (!text)
                continue;
            value = text.value.toString();
        } else {
            continue;
        }
        pf.field->SetAttribute(QStringLiteral("value"), value);
    }
}

void WizardFormDialog::goBack()
{
    if (m_page > 1)
        showPage(m_page - 1);
}

void WizardFormDialog::goForward()
{
    if (m_page < m_fields.pages()) {
        showPage(m_page + 1);
        return;
    }
    collectValues();
    Q_EMIT m_events.SavePage(m_page);
    m_closing = true;
    removePageControls();
    m_page = 0;
    setProperty("Tag", QStringLiteral("*"));
    QDialog::accept();
}

void WizardFormDialog::reject()
{
    if (m_page > 0) {
        Q_EMIT m_events.SavePage(m_page);
        m_closing = true;
        removePageControls();
        m_page = 0;
    }
    QDialog::reject();
}

bool WizardFormDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        for (PageField &pf : m_pageFields) {
            if (pf.input && (watched == pf.input || pf.input->isAncestorOf(qobject_cast<QWidget *>(watched)))) {
                sheetRowsOpened(pf);
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter moves on (a text area keeps its own Enter); Escape cancels through reject().
void WizardFormDialog::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        goForward();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A form shown by other means than Show (embedded in a window, say) opens at page 1.
void WizardFormDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_page == 0)
        start(1);
}

void WizardFormDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    arrange();
}

void WizardFormDialog::arrange()
{
    const int w = width() * kTwipsPerPixel;
    const int h = height() * kTwipsPerPixel;
    const int navTop = h - WizardLayout::kMargin - kNavButtonHeight;
    // Navigation at the bottom right: back, forward, cancel.
    int x = w - WizardLayout::kMargin - kNavButtonWidth;
    for (velkButton *button : {m_cancel, m_forward, m_back}) {
        button->setGeometry(pixelRect(QRect(x, navTop, kNavButtonWidth, kNavButtonHeight)));
        x -= kNavButtonWidth + WizardLayout::kGap;
    }
    const QRect view(0, 0, width(), pixels(navTop - WizardLayout::kGap));
    m_scroll->setGeometry(view);

    std::vector<WizardLayout::Field> fields;
    fields.reserve(m_pageFields.size());
    int labelWidth = 0;
    for (const PageField &pf : m_pageFields) {
        fields.push_back(pf.layout);
        if (pf.label)
            labelWidth = std::max(labelWidth, pf.label->sizeHint().width() * kTwipsPerPixel);
    }
    const int scrollBar = m_scroll->verticalScrollBar()->sizeHint().width() * kTwipsPerPixel;
    int contentHeight = 0;
    int viewWidth = view.width() * kTwipsPerPixel;
    const int viewHeight = view.height() * kTwipsPerPixel;
    std::vector<WizardLayout::Placement> places = WizardLayout::arrange(fields, viewWidth, viewHeight, labelWidth,
                                                                       contentHeight);
    if (contentHeight > viewHeight) {
        // Taller than the form: leave room for the scroll bar and arrange again.
        viewWidth -= scrollBar;
        places = WizardLayout::arrange(fields, viewWidth, viewHeight, labelWidth, contentHeight);
    }
    m_scroll->setVerticalScrollBarPolicy(contentHeight > viewHeight ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_pageWidget->resize(pixels(viewWidth), pixels(std::max(contentHeight, viewHeight)));
    for (size_t i = 0; i < places.size(); ++i) {
        PageField &pf = m_pageFields[i];
        if (pf.label)
            pf.label->setGeometry(pixelRect(places[i].label));
        if (pf.input) {
            pf.input->setGeometry(pixelRect(places[i].input));
            if (pf.hosted)
                pf.hosted->setGeometry(QRect(QPoint(0, 0), pf.input->size()));
        }
        if (pf.side)
            pf.side->setGeometry(pixelRect(places[i].sideButton));
        for (QWidget *w : {static_cast<QWidget *>(pf.label.data()), pf.input.data(), static_cast<QWidget *>(pf.side.data())}) {
            if (w)
                w->show();
        }
    }
}

} // namespace velk
