#include <velk/controls/velkButton.h>
#include <velk/editors/velkUmfang.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

template<typename T>
T *arrayChild(const QWidget &parent, const char *name, int index)
{
    for (T *child : parent.findChildren<T *>(QString::fromLatin1(name))) {
        if (child->property("Index").toInt() == index)
            return child;
    }
    return nullptr;
}

struct UmfangFixture
{
    ScopedDialogs dialogs;
    velkUmfang umfang;

    velkSheet *sheet(int i) const { return arrayChild<velkSheet>(umfang, "velkSheet1", i); }
    velkButton *button(const char *role, int i) const
    {
        return arrayChild<velkButton>(umfang, (QByteArray("velkButton_") + role).constData(), i);
    }
    void click(const char *role, int i) const { emit button(role, i)->events()->Click(0, 0, 0); }
};

} // namespace

TEST(velkUmfang, ChildrenAndArrays)
{
    UmfangFixture f;
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(f.sheet(i), nullptr);
        EXPECT_EQ(f.sheet(i)->flags(), QStringLiteral("singleselect"));
        for (const char *role : {"Add", "Edit", "Delete"})
            ASSERT_NE(f.button(role, i), nullptr) << role;
        EXPECT_TRUE(f.button("Add", i)->isEnabled());
        EXPECT_FALSE(f.button("Edit", i)->isEnabled());
        EXPECT_FALSE(f.button("Delete", i)->isEnabled());
    }
    EXPECT_NE(f.umfang.findChild<QCheckBox *>(QStringLiteral("Check_SubPath")), nullptr);
    f.umfang.setSubPath(true);
    EXPECT_TRUE(f.umfang.property("SubPath").toBool());
    EXPECT_EQ(QMetaEnum::fromType<velkUmfang::enmUmfang>().valueToKey(velkUmfang::enmUmfang_EMail),
              QByteArray("enmUmfang_EMail"));
}

TEST(velkUmfang, ListsKeepRulesAndShowDescriptions)
{
    UmfangFixture f;
    f.umfang.setInclude(QStringLiteral("doc *.pdf|size > 10 MB|attr -H\r\n\r\nperson Meier\nattr +A"));
    f.umfang.setExclude(QStringLiteral("par tmp"));
    ASSERT_EQ(f.sheet(0)->Count(), 3);
    EXPECT_EQ(f.sheet(0)->ListItem(1)->Text(), QStringLiteral("Datei *.pdf, Größe > 10 MB, ohne Attribut H"));
    EXPECT_EQ(f.sheet(0)->ListItem(2)->Tag, QStringLiteral("person Meier"));
    EXPECT_EQ(f.umfang.Include(), QStringLiteral("doc *.pdf|size > 10 MB|attr -H\r\nperson Meier\r\nattr +A\r\n"));
    EXPECT_EQ(f.umfang.Exclude(), QStringLiteral("par tmp\r\n"));

    f.sheet(0)->setSelectedIndex(2);
    EXPECT_TRUE(f.button("Edit", 0)->isEnabled());
    EXPECT_FALSE(f.button("Edit", 1)->isEnabled());
    f.umfang.setInclude(QStringLiteral("doc a"));
    EXPECT_FALSE(f.button("Delete", 0)->isEnabled()) << "a put clears the list and its choice";
    f.umfang.Clear();
    EXPECT_EQ(f.umfang.Include(), QString());
    EXPECT_EQ(f.umfang.Exclude(), QString());
}

TEST(velkUmfang, ButtonsEditThroughTheForm)
{
    UmfangFixture f;
    f.dialogs->answerForm([](QDialog &form) {
        EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("T_File"))->text(), QString());
        form.findChild<QLineEdit *>(QStringLiteral("T_File"))->setText(QStringLiteral("*.doc"));
        form.findChild<QCheckBox *>(QStringLiteral("Chk_AttrNotS"))->setChecked(true);
        form.accept();
    });
    f.click("Add", 1);
    EXPECT_EQ(f.umfang.Exclude(), QStringLiteral("doc *.doc|attr -S\r\n"));
    EXPECT_EQ(f.sheet(1)->SelectedIndex(), 1) << "the new rule is chosen";
    EXPECT_TRUE(f.button("Edit", 1)->isEnabled());

    f.dialogs->answerForm([](QDialog &form) { form.accept(); }); // an empty rule is not added
    f.click("Add", 1);
    f.dialogs->answerForm([](QDialog &form) { form.reject(); });
    f.click("Add", 0);
    EXPECT_EQ(f.sheet(1)->Count(), 1);
    EXPECT_EQ(f.sheet(0)->Count(), 0);

    f.umfang.setInclude(QStringLiteral("subject Rechnung|doc *.pdf\r\ndoc b"));
    f.sheet(0)->setSelectedIndex(1);
    f.dialogs->answerForm([](QDialog &form) {
        EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("T_File"))->text(), QStringLiteral("*.pdf"));
        form.findChild<QCheckBox *>(QStringLiteral("Chk_AgeYounger"))->setChecked(true);
        form.findChild<QLineEdit *>(QStringLiteral("T_AgeYounger"))->setText(QStringLiteral("7"));
        form.accept();
    });
    f.click("Edit", 0);
    EXPECT_EQ(f.umfang.Include(), QStringLiteral("doc *.pdf|age < 7 Tage|subject Rechnung\r\ndoc b\r\n"));
    EXPECT_EQ(f.sheet(0)->ListItem(1)->Text(), QStringLiteral("Datei *.pdf, Alter < 7 Tage, Betreff Rechnung"));
    f.dialogs->answerForm([](QDialog &form) { form.reject(); });
    f.click("Edit", 0);
    EXPECT_EQ(f.umfang.Include(), QStringLiteral("doc *.pdf|age < 7 Tage|subject Rechnung\r\ndoc b\r\n"));
    EXPECT_TRUE(f.dialogs->unanswered().empty());
}

TEST(velkUmfang, DeleteAsksFirst)
{
    UmfangFixture f;
    f.umfang.setInclude(QStringLiteral("doc a\r\ndoc b\r\n"));
    f.sheet(0)->setSelectedIndex(2);
    f.dialogs->answerMsgBox(MsgBoxResult::No);
    f.click("Delete", 0);
    EXPECT_EQ(f.sheet(0)->Count(), 2);
    ASSERT_EQ(f.dialogs->questions().size(), 1u);
    const ScriptedDialogs::Question &q = f.dialogs->questions().front();
    EXPECT_EQ(q.prompt, QStringLiteral("Wirklich löschen?"));
    EXPECT_EQ(q.title, QStringLiteral("Regel"));
    EXPECT_EQ(q.flags & MsgBoxStyle::ButtonsMask, MsgBoxStyle::YesNo);

    f.dialogs->answerMsgBox(MsgBoxResult::No);
    QTest::keyClick(f.sheet(0), Qt::Key_Delete);
    EXPECT_EQ(f.dialogs->questions().size(), 2u) << "the Delete key asks too";

    f.dialogs->answerMsgBox(MsgBoxResult::Yes);
    f.click("Delete", 0);
    EXPECT_EQ(f.umfang.Include(), QStringLiteral("doc a\r\n"));
    EXPECT_FALSE(f.button("Delete", 0)->isEnabled()) << "no row is chosen any more";
}

TEST(velkUmfang, EditorsAreCreatedByClassNameAndDrivenLateBound)
{
    for (const char *name : {"velkUmfang", "velkEval", "velkAction"}) {
        QString error;
        std::unique_ptr<QWidget> control(ControlFactory::create(QString::fromLatin1(name), nullptr, &error));
        ASSERT_TRUE(control) << name << ": " << error.toStdString();
    }
    std::unique_ptr<QWidget> eval(ControlFactory::create(QStringLiteral("velkEval")));
    ASSERT_TRUE(LateBound::set(eval.get(), QStringLiteral("Condition"), QStringLiteral("$eval<=40")));
    EXPECT_EQ(LateBound::get(eval.get(), QStringLiteral("value2")).value.toInt(), 40);
    std::unique_ptr<QWidget> action(ControlFactory::create(QStringLiteral("velkAction")));
    ASSERT_TRUE(LateBound::set(action.get(), QStringLiteral("Aktion"), QStringLiteral("copy|rename")));
    EXPECT_EQ(LateBound::get(action.get(), QStringLiteral("Aktion")).value.toString(), QStringLiteral("copy|rename"));
}
