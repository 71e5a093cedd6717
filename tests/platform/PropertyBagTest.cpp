#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/platform/PropertyBag.h>

#include "support/TestSupport.h"
#include "support/WarningCatcher.h"

#include <QFont>
#include <QWidget>

using namespace velk;

TEST(PropertyBag, StoredPropertiesAreTheControlsOwnWritableStoredOnes)
{
    velkButton button;
    const QStringList names = PropertyBag::storedProperties(&button);
    EXPECT_TRUE(names.contains(QStringLiteral("caption")));
    EXPECT_TRUE(names.contains(QStringLiteral("style")));
    EXPECT_TRUE(names.contains(QStringLiteral("Font")));
    EXPECT_FALSE(names.contains(QStringLiteral("state"))) << "STORED false";
    EXPECT_FALSE(names.contains(QStringLiteral("Enabled"))) << "STORED false";
    EXPECT_FALSE(names.contains(QStringLiteral("geometry"))) << "Qt's own widget properties stay with Qt";
}

TEST(PropertyBag, MapWritesOnlyNonDefaultsAndRoundTrips)
{
    velkButton button;
    QVariantMap bag;
    PropertyBag::write(&button, bag);
    EXPECT_TRUE(bag.isEmpty()) << "a fresh control has nothing to store";

    button.setCaption(QStringLiteral("Übernehmen"));
    button.setStyleNumber(2);
    button.setCancel(!button.Cancel());
    bag.insert(QStringLiteral("Zukunft"), 42);
    PropertyBag::write(&button, bag);
    EXPECT_EQ(bag.size(), 4);
    EXPECT_EQ(bag.value(QStringLiteral("Zukunft")).toInt(), 42) << "unknown names stay";

    velkButton copy;
    WarningCatcher warnings;
    EXPECT_EQ(PropertyBag::read(&copy, bag), 3);
    EXPECT_EQ(copy.caption(), QStringLiteral("Übernehmen"));
    EXPECT_EQ(copy.styleNumber(), 2);
    EXPECT_EQ(copy.Cancel(), button.Cancel());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(warnings.messages().first().contains(QStringLiteral("Zukunft")));

    // Back at its default, a property leaves the bag again.
    button.setStyleNumber(velkButton().styleNumber());
    PropertyBag::write(&button, bag);
    EXPECT_FALSE(bag.contains(QStringLiteral("style")));
}

TEST(PropertyBag, ElementRoundTripKeepsUnknownAttributes)
{
    velkLabel label;
    label.setObjectName(QStringLiteral("Titel"));
    label.setCaption(QStringLiteral("Ablage \"2024\" & <Akten>"));
    label.setForeColor(0x123456u);
    QFont font(QStringLiteral("DejaVu Sans"), 14);
    font.setBold(true);
    label.setFont(font);

    StdXMLNodePtr element = StdXMLNode::create();
    element->SetAttribute(QStringLiteral("Neu"), QStringLiteral("bleibt"));
    PropertyBag::write(&label, *element);
    EXPECT_EQ(element->Tag, QStringLiteral("Titel"));
    EXPECT_FALSE(element->HasAttribute(QStringLiteral("style"))) << "default not written";
    EXPECT_EQ(element->GetAttribute(QStringLiteral("Neu")), QStringLiteral("bleibt"));

    // Through the text form, as a saved file would carry it.
    StdXMLNodePtr root = StdXMLNode::create();
    root->Tag = QStringLiteral("Formular");
    root->AddChild(element);
    const QString text = root->xml();
    EXPECT_TRUE(text.contains(QStringLiteral("Neu=\"bleibt\""))) << text.toStdString();

    velkLabel copy;
    PropertyBag::read(&copy, *element);
    EXPECT_EQ(copy.caption(), label.caption());
    EXPECT_EQ(copy.ForeColor(), 0x123456u);
    EXPECT_EQ(copy.Font().pointSize(), 14);
    EXPECT_TRUE(copy.Font().bold());
    EXPECT_EQ(copy.styleNumber(), velkLabel().styleNumber());
}

TEST(PropertyBag, BadValuesAreIgnoredWithAWarning)
{
    velkButton button;
    const short style = button.styleNumber();
    const Color back = button.BackColor();
    StdXMLNodePtr element = StdXMLNode::create();
    element->SetAttribute(QStringLiteral("style"), QStringLiteral("abc"));
    element->SetAttribute(QStringLiteral("BackColor"), QStringLiteral("-5"));
    element->SetAttribute(QStringLiteral("Default"), QStringLiteral("vielleicht"));
    element->SetAttribute(QStringLiteral("caption"), QStringLiteral("OK"));

    WarningCatcher warnings;
    EXPECT_EQ(PropertyBag::read(&button, *element), 1);
    EXPECT_EQ(button.styleNumber(), style);
    EXPECT_EQ(button.BackColor(), back);
    EXPECT_EQ(button.caption(), QStringLiteral("OK"));
    EXPECT_EQ(warnings.messages().size(), 3) << warnings.messages().join(u'\n').toStdString();

    QVariantMap bag{{QStringLiteral("style"), 70000}, {QStringLiteral("Cancel"), QStringLiteral("1")}};
    EXPECT_EQ(PropertyBag::read(&button, bag), 1);
    EXPECT_EQ(button.styleNumber(), style) << "out of range for short";
    EXPECT_TRUE(button.Cancel());
}

TEST(PropertyBag, FormKeepsEveryNamedControl)
{
    QWidget form;
    auto *ok = new velkButton(&form);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto *title = new velkLabel(&form);
    title->setObjectName(QStringLiteral("lblTitel"));
    new velkLabel(&form); // no name: not kept
    ok->setCaption(QStringLiteral("OK"));
    title->setStyleNumber(3);

    StdXMLNodePtr root = StdXMLNode::create();
    root->Tag = QStringLiteral("Formular");
    root->AddItem(QStringLiteral("entfernt"), QString())->SetAttribute(QStringLiteral("caption"), QStringLiteral("x"));
    PropertyBag::writeForm(&form, root);
    ASSERT_EQ(root->Count(), 3);
    EXPECT_TRUE(root->QuerySingle(QStringLiteral("entfernt"))) << "elements of missing controls stay";

    QWidget again;
    auto *ok2 = new velkButton(&again);
    ok2->setObjectName(QStringLiteral("cmdOK"));
    auto *title2 = new velkLabel(&again);
    title2->setObjectName(QStringLiteral("lblTitel"));
    EXPECT_EQ(PropertyBag::readForm(&again, root), 2);
    EXPECT_EQ(ok2->caption(), QStringLiteral("OK"));
    EXPECT_EQ(title2->styleNumber(), 3);
}
