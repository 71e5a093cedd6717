#include "support/TestSupport.h"

#include <velk/controls/velkButton.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>
#include <velk/wizard/Wizard.h>
#include <velk/wizard/WizardFields_p.h>
#include <velk/wizard/WizardText_p.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace velk;

namespace {

// Every event of a wizard as one line, in order.
struct EventLog
{
    QStringList lines;
    explicit EventLog(Wizard &w)
    {
        QObject::connect(w.events(), &WizardEvents::LoadPage, [this](int p) { lines << QStringLiteral("Load %1").arg(p); });
        QObject::connect(w.events(), &WizardEvents::SavePage, [this](int p) { lines << QStringLiteral("Save %1").arg(p); });
        QObject::connect(w.events(), &WizardEvents::Change,
                         [this](int p, const QString &k) { lines << QStringLiteral("Change %1 %2").arg(p).arg(k); });
        QObject::connect(w.events(), &WizardEvents::expand,
                         [this](const QString &k, const QString &v) { lines << QStringLiteral("expand %1 %2").arg(k, v); });
    }
};

template<typename T>
T *control(QDialog &form, const QString &name, int index = 1)
{
    for (T *c : form.findChildren<T *>(name)) {
        if (c->property("Index").toInt() == index)
            return c;
    }
    return nullptr;
}

velkButton *navButton(QDialog &form, int n)
{
    return form.findChild<velkButton *>(QStringLiteral("velkButton%1").arg(n));
}

// Presses a button from the keyboard (Space), as a user tabbing through the form would.
void press(velkButton *button)
{
    ASSERT_NE(button, nullptr);
    button->KeyPress(' ');
}

// A snap-in that records what the wizard asks of it.
class RecordingSnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
public:
    Q_INVOKABLE explicit RecordingSnapIn(QWidget *parent = nullptr) : QWidget(parent) {}
    Q_INVOKABLE void Init(const QString &par) { initParameter = par; }
    QString Text() const { return text; }
    void setText(const QString &t) { text = t; }
    quint32 BackColor() const { return back; }
    void setBackColor(quint32 c) { back = c; }
    QString initParameter;
    QString text;
    quint32 back = 0;
};

} // namespace

TEST(Wizard, FieldsAreStoredInOrderAndPagesGrow)
{
    Wizard w;
    EXPECT_EQ(w.Count(), 1);
    w.AddText(QStringLiteral("titel"), QStringLiteral("A \"B\" <C>"), QStringLiteral("Titel"));
    w.AddLabel(QStringLiteral("Nur Text"), 2);
    w.AddCombo(QStringLiteral("status"), QStringLiteral("neu"), QStringLiteral("neu\r\nalt"), QStringLiteral("Status"), 3,
               QStringLiteral("help=Wähle"));
    EXPECT_EQ(w.Count(), 3) << "a field on page 3 raises the page count";
    EXPECT_EQ(wizardDocument(w).xml(),
              QStringLiteral("<WIZARD pages=\"3\">\r\n"
                             "   <TEXT key=\"titel\" value=\"A &quot;B&quot; &lt;C&gt;\" label=\"Titel\" page=\"1\" options=\"\"/>\r\n"
                             "   <LABEL label=\"Nur Text\" page=\"2\" options=\"\"/>\r\n"
                             "   <COMBO key=\"status\" value=\"neu\" liste=\"neu\\nalt\" label=\"Status\" page=\"3\" "
                             "options=\"help=Wähle\"/>\r\n"
                             "</WIZARD>\r\n"));
    auto *form = w.WizardForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), QStringLiteral("WizardForm"));

    EXPECT_EQ(w.GetValue(QStringLiteral("titel")), QStringLiteral("A \"B\" <C>")) << "values survive escaping";
    EXPECT_EQ(w.GetValues(), QStringLiteral("titel=A \"B\" <C>\r\nstatus=neu\r\n")) << "the label has no key";
    for (const char *odd : {"]", "/", "..", "a]b", "", "x y"})
        EXPECT_EQ(w.GetValue(QString::fromUtf8(odd)), QStringLiteral("???")) << odd;

    w.ClearPage(1);
    EXPECT_EQ(w.GetValue(QStringLiteral("titel")), QStringLiteral("???"));
    EXPECT_EQ(w.GetValues(), QStringLiteral("status=neu\r\n"));
    w.setCount(5);
    EXPECT_EQ(w.Count(), 5);
}

TEST(Wizard, OptionAndListLines)
{
    EXPECT_EQ(WizardText::option(u"file=1\r\nhelp\nflags=grid", u"help"), QStringLiteral("-"));
    EXPECT_EQ(WizardText::option(u"help=a=b\nhelp=c", u"help"), QStringLiteral("a=b")) << "the first line wins, split at the first =";
    EXPECT_EQ(WizardText::option(u"helpx=1", u"help"), QString());
    EXPECT_EQ(WizardText::option(u"help=", u"help"), QString());
    EXPECT_EQ(WizardText::lines(u"a\r\nb\n\nc\r\n").size(), 4u);
    const auto row = WizardText::listLine(u"+Rechnungen=12=x");
    EXPECT_TRUE(row.opens);
    EXPECT_EQ(row.text, QStringLiteral("Rechnungen"));
    EXPECT_EQ(row.tag, QStringLiteral("12=x"));
    EXPECT_EQ(WizardText::listLine(u"Briefe").tag, QStringLiteral("Briefe"));
}

TEST(Wizard, NavigationCaptionsFollowThePageCount)
{
    struct Row { int pages; int page; const char *forward; const char *icon; bool backVisible; bool backEnabled; };
    const Row rows[] = {
        {1, 1, "Ok", "ok", false, false},
        {2, 1, "weiter", "right", true, false},
        {2, 2, "Fertig", "ok", true, true},
        {3, 2, "weiter", "right", true, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.pages * 10 + row.page);
        ScopedDialogs dialogs;
        Wizard w;
        w.setCount(row.pages);
        dialogs->answerForm([&](QDialog &form) {
            for (int p = 1; p < row.page; ++p)
                press(navButton(form, 3));
            velkButton *back = navButton(form, 2);
            velkButton *forward = navButton(form, 3);
            EXPECT_EQ(forward->caption(), QString::fromUtf8(row.forward));
            EXPECT_EQ(forward->Icon(), QString::fromUtf8(row.icon));
            EXPECT_EQ(back->caption(), QStringLiteral("zurück"));
            EXPECT_EQ(back->isVisibleTo(&form), row.backVisible);
            EXPECT_EQ(back->isEnabled(), row.backEnabled);
            EXPECT_EQ(navButton(form, 4)->caption(), QStringLiteral("Abbrechen"));
            form.reject();
        });
        EXPECT_FALSE(w.Show(QStringLiteral("Test")));
    }
}

TEST(Wizard, EventOrderOverBackForwardFinishAndCancel)
{
    ScopedDialogs dialogs;
    Wizard w;
    w.AddText(QStringLiteral("a"), QString(), QStringLiteral("A"), 1);
    w.AddText(QStringLiteral("b"), QString(), QStringLiteral("B"), 2);
    EventLog log(w);
    dialogs->answerForm([&](QDialog &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Neu"));
        press(navButton(form, 3));
        press(navButton(form, 2));
        press(navButton(form, 3));
        control<QLineEdit>(form, QStringLiteral("Text1"))->setText(QStringLiteral("x"));
        press(navButton(form, 3));
    });
    EXPECT_TRUE(w.Show(QStringLiteral("Neu")));
    EXPECT_EQ(log.lines, QStringList({"Load 1", "Save 1", "Load 2", "Save 2", "Load 1", "Save 1", "Load 2",
                                      "Change 2 b", "Save 2"}));
    EXPECT_EQ(w.GetValue(QStringLiteral("b")), QStringLiteral("x"));

    log.lines.clear();
    dialogs->answerForm([&](QDialog &form) {
        control<QLineEdit>(form, QStringLiteral("Text1"))->setText(QStringLiteral("y"));
        press(navButton(form, 4));
    });
    EXPECT_FALSE(w.Show(QStringLiteral("Neu"))) << "cancel sets no marker";
    EXPECT_EQ(log.lines, QStringList({"Load 1", "Change 1 a", "Save 1"}));
    EXPECT_EQ(w.GetValue(QStringLiteral("a")), QStringLiteral("y")) << "cancel keeps what was stored";
}

TEST(Wizard, EveryKindStoresItsValue)
{
    ScopedDialogs dialogs;
    Wizard w;
    w.AddText(QStringLiteral("t"), QStringLiteral("alt"), QStringLiteral("Titel"));
    w.AddTextArea(QStringLiteral("ta"), QStringLiteral("eins"), QStringLiteral("-"));
    w.AddOption(QStringLiteral("o1"), QStringLiteral("true"), QStringLiteral("gut"));
    w.AddOption(QStringLiteral("o2"), QStringLiteral("false"), QStringLiteral("schlecht"));
    w.AddCheckbox(QStringLiteral("c"), QStringLiteral("0"), QStringLiteral("Wichtig"));
    w.AddCombo(QStringLiteral("k"), QStringLiteral("b"), QStringLiteral("a\r\nb\r\nc"), QStringLiteral("Status"));
    w.AddSheet(QStringLiteral("s"), QStringLiteral("t2"), QStringLiteral("Eins=t1\r\n+Zwei=t2\r\nDrei"),
               QStringLiteral("Thema"), 1, QStringLiteral("leftmargin=260"));
    EventLog log(w);
    QObject::connect(w.events(), &WizardEvents::expand, [&](const QString &key, const QString &tag) {
        w.AddSheetItem(key, tag, QStringLiteral("Kind=k1\r\n+Enkel=k2"));
    });
    dialogs->answerForm([&](QDialog &form) {
        EXPECT_EQ(control<QLabel>(form, QStringLiteral("Label1"), 1)->text(), QStringLiteral("Titel:"));
        EXPECT_EQ(control<QLabel>(form, QStringLiteral("Label1"), 2)->text(), QString()) << "label - is empty";
        auto *text = control<QLineEdit>(form, QStringLiteral("Text1"));
        EXPECT_EQ(text->text(), QStringLiteral("alt"));
        EXPECT_EQ(text->property("key").toString(), QStringLiteral("t"));
        text->setText(QStringLiteral("neu"));
        control<QPlainTextEdit>(form, QStringLiteral("TextArea1"))->setPlainText(QStringLiteral("zwei"));
        auto *o1 = control<QRadioButton>(form, QStringLiteral("Option1"), 1);
        auto *o2 = control<QRadioButton>(form, QStringLiteral("Option1"), 2);
        EXPECT_TRUE(o1->isChecked());
        o2->setChecked(true);
        EXPECT_FALSE(o1->isChecked()) << "the options of a page are one group";
        control<QCheckBox>(form, QStringLiteral("Check1"))->setCheckState(Qt::Checked);
        auto *combo = control<QComboBox>(form, QStringLiteral("Combo1"));
        EXPECT_EQ(combo->currentText(), QStringLiteral("b"));
        combo->setCurrentIndex(2);
        auto *sheet = control<velkSheet>(form, QStringLiteral("velkSheet1"));
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->LeftMargin(), 260);
        EXPECT_TRUE(sheet->flags().split(u' ').contains(QStringLiteral("singleselect")));
        ASSERT_EQ(sheet->Count(), 4) << "the opening row carries a placeholder child";
        EXPECT_EQ(sheet->SelectedIndex(), 2);
        EXPECT_EQ(sheet->ListItem(3)->GetSubText(1), QStringLiteral("..."));
        // Open "Zwei" with the keyboard: the host answers expand with two rows.
        QTest::keyClick(sheet, Qt::Key_Right);
        EXPECT_TRUE(sheet->ListItem(2)->Expanded);
        ASSERT_EQ(sheet->Count(), 6);
        EXPECT_EQ(sheet->ListItem(3)->Tag, QStringLiteral("k1"));
        EXPECT_EQ(sheet->ListItem(3)->Indent, 1);
        EXPECT_EQ(sheet->ListItem(5)->GetSubText(1), QStringLiteral("...")) << "a returned row may open again";
        sheet->setSelectedIndex(3);
        Q_EMIT sheet->events()->Click();
        press(navButton(form, 3));
    });
    EXPECT_TRUE(w.Show(QStringLiteral("Alles")));
    EXPECT_EQ(w.GetValues(), QStringLiteral("t=neu\r\nta=zwei\r\no1=false\r\no2=true\r\nc=1\r\nk=c\r\ns=k1\r\n"));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("expand s t2")));
    EXPECT_EQ(log.lines.count(QStringLiteral("expand s t2")), 1);
    const qsizetype o1 = log.lines.indexOf(QStringLiteral("Change 1 o1"));
    EXPECT_GE(o1, 0) << "the option that lost its tick is reported";
    EXPECT_LT(o1, log.lines.indexOf(QStringLiteral("Change 1 o2")));
}

TEST(Wizard, SideButtonsAskThroughTheDialogs)
{
    ScopedDialogs dialogs;
    Wizard w;
    w.AddText(QStringLiteral("h"), QString(), QStringLiteral("Hinweis"), 1, QStringLiteral("help=Zeile 1\\nZeile 2"));
    w.AddText(QStringLiteral("f"), QStringLiteral("/tmp/a.txt"), QStringLiteral("Datei"), 1, QStringLiteral("file"));
    dialogs->answerOpenFile(QStringLiteral("/tmp/b.pdf"));
    dialogs->answerMsgBox(MsgBoxResult::Ok);
    dialogs->answerForm([&](QDialog &form) {
        velkButton *help = control<velkButton>(form, QStringLiteral("velkButton1"), 1);
        velkButton *file = control<velkButton>(form, QStringLiteral("velkButton1"), 2);
        ASSERT_NE(help, nullptr);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(help->caption(), QStringLiteral("Hilfe"));
        EXPECT_EQ(help->Icon(), QStringLiteral("question"));
        EXPECT_EQ(file->caption(), QStringLiteral("..."));
        EXPECT_EQ(file->Icon(), QStringLiteral("file"));
        press(help);
        press(file);
        press(navButton(form, 3));
    });
    EXPECT_TRUE(w.Show(QStringLiteral("Seiten")));
    ASSERT_EQ(dialogs->questions().size(), 3u);
    const auto &msg = dialogs->questions()[1];
    EXPECT_EQ(msg.kind, Dialogs::Kind::MsgBox);
    EXPECT_EQ(msg.prompt, QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(msg.title, QStringLiteral("Hinweis"));
    EXPECT_EQ(msg.flags & MsgBoxStyle::IconMask, MsgBoxStyle::Information);
    EXPECT_EQ(dialogs->questions()[2].text, QStringLiteral("/tmp/a.txt")) << "the picker starts at the current text";
    EXPECT_EQ(w.GetValue(QStringLiteral("f")), QStringLiteral("/tmp/b.pdf"));
}

TEST(Wizard, HostedControlsAndHandlersThatClearThePage)
{
    ControlFactory::registerClass<RecordingSnapIn>(QStringLiteral("Test.RecordingSnapIn"));
    ScopedDialogs dialogs;
    Wizard w;
    w.AddControl(QStringLiteral("ctl"), QStringLiteral("Anfang"), QStringLiteral("Test.RecordingSnapIn"),
                 QStringLiteral("p=1"), QStringLiteral("Eigen"));
    w.AddControl(QStringLiteral("bad"), QStringLiteral("x"), QStringLiteral("Gibt.Es.Nicht"), QString(), QStringLiteral("Fehlt"));
    w.AddText(QStringLiteral("t"), QString(), QStringLiteral("Text"));
    QObject::connect(w.events(), &WizardEvents::Change, [&](int page, const QString &) { w.ClearPage(page); });
    dialogs->answerForm([&](QDialog &form) {
        auto *snapIn = form.findChild<RecordingSnapIn *>(QStringLiteral("ctl1"));
        ASSERT_NE(snapIn, nullptr);
        EXPECT_EQ(snapIn->initParameter, QStringLiteral("p=1"));
        EXPECT_EQ(snapIn->text, QStringLiteral("Anfang"));
        EXPECT_EQ(snapIn->back, 0x8000000Fu);
        snapIn->text = QStringLiteral("Ende");
        EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("ctl2")), nullptr) << "an unknown class leaves its place empty";
        control<QLineEdit>(form, QStringLiteral("Text1"))->setText(QStringLiteral("z")); // the handler clears page 1
        press(navButton(form, 3));
    });
    EXPECT_TRUE(w.Show(QStringLiteral("Steuerelemente")));
    EXPECT_TRUE(dialogs->unanswered().empty());
    EXPECT_EQ(w.GetValues(), QString()) << "the cleared page's fields are gone";
}

#include "WizardTest.moc"
