#include <velk/controls/velkButton.h>
#include <velk/editors/velkRights.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include "support/TestSupport.h"

#include <QLabel>

using namespace velk;

namespace {

struct RightsFixture
{
    ScriptedDialogs *dialogs = new ScriptedDialogs;
    std::unique_ptr<Dialogs> previous = Dialogs::setInstance(std::unique_ptr<Dialogs>(dialogs));
    velkRights rights;
    velkSheet *users = rights.findChild<velkSheet *>(QStringLiteral("velkSheet1"));
    velkSheet *list = rights.findChild<velkSheet *>(QStringLiteral("velkSheet2"));
    velkButton *add = rights.findChild<velkButton *>(QStringLiteral("velkButton1"));
    velkButton *remove = rights.findChild<velkButton *>(QStringLiteral("velkButton2"));
    int changed = 0;

    RightsFixture()
    {
        rights.resize(480, 400);
        rights.AddRight(QStringLiteral("Lesen"), QStringLiteral("r"));
        rights.AddRight(QStringLiteral("Ändern"), QStringLiteral("e"));
        rights.AddRight(QStringLiteral("Kommentieren"), QStringLiteral("k"));
        rights.AddRight(QStringLiteral("Verwalten"), QStringLiteral("w"));
        rights.AddRight(QStringLiteral("Komma"), QStringLiteral(",")); // cannot travel in the parameter: ignored
        QObject::connect(rights.events(), &velkRightsEvents::Changed, [this] { ++changed; });
    }
    ~RightsFixture() { Dialogs::setInstance(std::move(previous)); }

    QString states() const
    {
        QString s;
        for (int pos = 1; pos <= list->Count(); ++pos)
            s += QString::number(list->ListItem(pos)->CheckState) + u' ';
        return s.trimmed();
    }
    // What the sheet does on a click into a check box: a tentative state, the event, the
    // state the handler left.
    int toggle(int pos)
    {
        const velkSheet::RowPtr row = list->ListItem(pos);
        const int pre = row->CheckState;
        int next = pre == 2 ? 1 : 2;
        row->CheckState = short(next);
        Q_EMIT list->events()->Checked(pos, pre, next);
        row->CheckState = short(next);
        return next;
    }
    void clickButton(velkButton *button) { Q_EMIT button->events()->Click(0, 5, 5); }
};

} // namespace

TEST(velkRights, ParameterRoundTripsAndShowsColumns)
{
    RightsFixture f;
    f.rights.setParameter(QStringLiteral("anna,ben:r,carl:*"));
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("anna,ben:r,carl:*"));
    EXPECT_EQ(f.users->Columns(), QStringLiteral("Name:3000,Rechte:*"));
    EXPECT_EQ(f.users->flags(), QStringLiteral("singleselect"));
    ASSERT_EQ(f.users->Count(), 3);
    EXPECT_EQ(f.users->ListItem(3)->GetSubText(2), QStringLiteral("rekw"));
    EXPECT_EQ(f.users->ListItem(1)->Icon(), QStringLiteral("person"));

    f.rights.setProperty("Parameter", QStringLiteral("anna:r\ndora:r,anna:e"));
    EXPECT_EQ(f.users->Columns(), QStringLiteral("Name:3000,Rechte:1000,Geerbte Rechte:*"));
    ASSERT_EQ(f.users->Count(), 2);
    EXPECT_EQ(f.users->ListItem(1)->GetSubText(3), QStringLiteral("e"));
    EXPECT_EQ(f.users->ListItem(2)->Tag, QStringLiteral("dora"));
    EXPECT_EQ(f.users->ListItem(2)->GetSubText(2), QString());
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("anna:r"));
    EXPECT_EQ(f.changed, 0);
}

TEST(velkRights, SelectingAUserShowsAndEnablesTheRights)
{
    RightsFixture f;
    f.rights.setParameter(QStringLiteral("anna:rW,ben\ndora:r,anna:rew"));
    EXPECT_EQ(f.states(), QStringLiteral("1 1 1 1"));
    EXPECT_FALSE(f.list->isEnabledTo(&f.rights));
    EXPECT_FALSE(f.remove->isEnabledTo(&f.rights));

    f.users->setSelectedIndex(1); // anna: own rW, inherits rew
    EXPECT_EQ(f.states(), QStringLiteral("2 12 11 1"));
    EXPECT_TRUE(f.list->isEnabledTo(&f.rights));
    EXPECT_FALSE(f.remove->isEnabledTo(&f.rights)); // inherits, so cannot be removed
    {
        // Inherited rights: a grey tick for 12, a grey empty box for 11.
        QImage image(f.list->width(), f.list->height(), QImage::Format_RGB32);
        Canvas canvas(&image);
        canvas.setRecording(true, false);
        SheetInternals::paintList(*f.list, canvas);
        int blackTicks = 0, greyTicks = 0, greyBoxes = 0;
        for (const DrawOp &op : canvas.recording()) {
            if (op.kind == DrawOp::Line && op.drawWidth == 2) {
                blackTicks += op.foreColor == 0 ? 1 : 0;
                greyTicks += op.foreColor == 0x808080 ? 1 : 0;
            }
            if (op.kind == DrawOp::FilledBox && op.fillColor == SystemColor::ButtonFace)
                ++greyBoxes;
        }
        EXPECT_EQ(blackTicks, 2);
        EXPECT_EQ(greyTicks, 2);
        EXPECT_EQ(greyBoxes, 2);
    }
    f.users->setSelectedIndex(2); // ben: rek, nothing inherited
    EXPECT_EQ(f.states(), QStringLiteral("2 2 2 1"));
    EXPECT_TRUE(f.remove->isEnabledTo(&f.rights));
    f.users->setSelectedIndex(3); // dora: inherits r only
    EXPECT_EQ(f.states(), QStringLiteral("12 11 11 11"));
    EXPECT_FALSE(f.remove->isEnabledTo(&f.rights));

    f.rights.setEnabled(false);
    EXPECT_FALSE(f.rights.Enabled());
    EXPECT_FALSE(f.list->isEnabledTo(&f.rights));
    EXPECT_FALSE(f.rights.findChild<QLabel *>(QStringLiteral("Label1"))->isEnabledTo(&f.rights));
    f.rights.setEnabled(true);
    EXPECT_TRUE(f.rights.property("Enabled").toBool());
    EXPECT_TRUE(f.list->isEnabledTo(&f.rights));
}

TEST(velkRights, TogglingWritesTheUserRowAndLeavesTheRecomputedState)
{
    RightsFixture f;
    f.rights.setParameter(QStringLiteral("anna:rk\nanna:rek"));
    f.users->setSelectedIndex(1);
    EXPECT_EQ(f.toggle(1), 1); // grant → explicit denial
    EXPECT_EQ(f.users->ListItem(1)->GetSubText(2), QStringLiteral("Rk"));
    EXPECT_EQ(f.toggle(1), 12); // denial → inherited again
    EXPECT_EQ(f.users->ListItem(1)->GetSubText(2), QStringLiteral("k"));
    EXPECT_EQ(f.toggle(1), 2);
    EXPECT_EQ(f.toggle(4), 2); // w, not inherited: granted behind k
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("anna:rkw"));
    EXPECT_EQ(f.states(), QStringLiteral("2 12 2 2"));
    EXPECT_EQ(f.changed, 4);

    // Without inheritance a grant simply goes.
    f.rights.setParameter(QStringLiteral("ben"));
    f.users->setSelectedIndex(1);
    EXPECT_EQ(f.toggle(2), 1);
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("ben:rk"));
}

TEST(velkRights, AddingAndRemovingAskThroughTheDialogs)
{
    RightsFixture f;
    f.rights.setParameter(QStringLiteral("anna"));
    f.dialogs->answerInputBox(QStringLiteral("anna"));
    f.dialogs->answerInputBox(QStringLiteral("a,b"));
    f.dialogs->answerInputBox(QString());
    f.dialogs->answerInputBox(QStringLiteral("Müller"));
    for (int i = 0; i < 4; ++i)
        f.clickButton(f.add);
    const auto &q = f.dialogs->questions();
    ASSERT_EQ(q.size(), 6u);
    EXPECT_EQ(q[0].prompt, QStringLiteral("Benutzer"));
    EXPECT_EQ(q[0].title, QStringLiteral("Benutzer"));
    EXPECT_EQ(q[1].prompt, QStringLiteral("Der Benutzer 'anna' existiert bereits!"));
    EXPECT_EQ(q[1].title, QStringLiteral("Hinzufügen"));
    EXPECT_EQ(q[1].flags, MsgBoxStyle::Exclamation);
    EXPECT_EQ(q[3].kind, Dialogs::Kind::MsgBox);
    EXPECT_EQ(q[3].title, QStringLiteral("Hinzufügen"));
    EXPECT_EQ(f.users->Count(), 2);
    EXPECT_EQ(f.users->SelectedIndex(), 2);
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("anna,Müller"));
    EXPECT_EQ(f.states(), QStringLiteral("2 2 2 1"));
    EXPECT_EQ(f.changed, 1);

    f.dialogs->answerMsgBox(MsgBoxResult::No);
    f.clickButton(f.remove);
    EXPECT_EQ(f.users->Count(), 2);
    EXPECT_EQ(q.back().prompt, QStringLiteral("Den Benutzer 'Müller' wirklich löschen?"));
    EXPECT_EQ(q.back().flags, MsgBoxStyle::YesNo | MsgBoxStyle::Question);
    EXPECT_EQ(q.back().title, QStringLiteral("Entfernen"));
    f.dialogs->answerMsgBox(MsgBoxResult::Yes);
    f.clickButton(f.remove);
    EXPECT_EQ(f.rights.Parameter(), QStringLiteral("anna"));
    EXPECT_EQ(f.states(), QStringLiteral("1 1 1 1"));
    EXPECT_FALSE(f.remove->isEnabledTo(&f.rights));
    EXPECT_EQ(f.changed, 2);
}

TEST(velkRights, ChildrenStandWhereTheLayoutPutsThem)
{
    RightsFixture f;
    EXPECT_EQ(f.add->caption(), QStringLiteral("Hinzufügen"));
    EXPECT_EQ(f.add->Icon(), QStringLiteral("person"));
    EXPECT_EQ(f.remove->caption(), QStringLiteral("Entfernen"));
    EXPECT_EQ(f.remove->Icon(), QStringLiteral("delete"));
    // A hidden widget hears of its new size only when shown; hand it over as showing would.
    f.rights.resize(500, 600);
    QResizeEvent resized(QSize(500, 600), QSize(480, 400));
    QApplication::sendEvent(&f.rights, &resized);
    const int W = 500 * 15;
    const int bw = f.add->width() * 15;
    EXPECT_EQ(f.add->x(), (W - bw) / 15);
    EXPECT_EQ(f.remove->x(), f.add->x());
    EXPECT_EQ(f.users->y(), 240 / 15);
    // Four rights need less than half of the height: the right list gets just that.
    const int lower = f.list->FullHeight();
    EXPECT_EQ(f.list->height(), (lower + 7) / 15);
    EXPECT_NEAR(f.list->y() + f.list->height(), 600, 1);
    EXPECT_EQ(f.users->width(), (W - bw - 120) / 15);

    f.rights.setBackColor(0x00FF00);
    EXPECT_EQ(f.add->BackColor(), 0x00FF00u);
    EXPECT_EQ(f.remove->BackColor(), 0x00FF00u);
}
