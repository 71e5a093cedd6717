#include <velk/common/Color.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/PropertyBag.h>

#include "support/TestSupport.h"

#include <QApplication>
#include <QFont>
#include <QMetaProperty>

#include <map>
#include <memory>

using namespace velk;

namespace {

// The stored (design) properties of every public control with the value a new control
// starts with. A control that gains a stored property, or a control registered without
// a row here, fails until its row says what a new one holds.
using Defaults = std::map<QString, QVariant>;

const QVariant kAmbientFont = QStringLiteral("<ambient font>");

QVariant color(Color c)
{
    return QVariant::fromValue(c);
}

std::map<QString, Defaults> expectedDefaults()
{
    const QVariant none = QString();
    return {
        {"velkAction", {}},
        {"velkBoard", {{"MenuString", none}, {"ItemWidth", 2400}, {"ItemHeight", 1000}}},
        {"velkButton",
         {{"caption", QStringLiteral("?")},
          {"Icon", none},
          {"style", 0},
          {"BackColor", color(SystemColor::ButtonFace)},
          {"Font", kAmbientFont},
          {"Default", false},
          {"Cancel", false}}},
        {"velkChart", {{"title", none}}},
        {"velkDate", {}},
        {"velkDateControl", {}},
        {"velkDBView", {}},
        {"velkMultiView", {}},
        {"velkDateSelector",
         {{"SelectedColor", color(0x8000000D)},
          {"NormalColor", color(rgbColor(192, 192, 192))},
          {"SelectedForeColor", color(SystemColor::ButtonFace)},
          {"IndirectSelectedBackColor", color(rgbColor(128, 128, 255))},
          {"NormalForeColor", color(SystemColor::ButtonText)},
          {"BackColor", color(SystemColor::ButtonFace)},
          {"flags", none}}},
        {"velkEval", {}},
        {"velkFileSelect", {{"flags", none}, {"Pattern", QStringLiteral("*.*")}}},
        {"velkFrameControl", {{"BackColor", color(SystemColor::ButtonFace)}}},
        {"velkIcon", {}},
        {"velkKeyword", {}},
        {"velkKeywords", {}},
        {"velkLabel",
         {{"caption", none},
          {"BackColor1", color(0x800000)},
          {"BackColor2", color(0x800000)},
          {"ForeColor", color(0xFFFFFF)},
          {"Font", kAmbientFont},
          {"style", 1},
          {"BorderStyle", 0},
          {"Menu", none}}},
        {"velkMenuBar",
         {{"Menu", none},
          {"style", 0},
          {"BackColor", color(SystemColor::ButtonFace)},
          {"ButtonColor", color(SystemColor::ButtonFace)}, // -1, automatic: the face colour outside style 2
          {"ForeColor", color(SystemColor::ButtonText)},
          {"InactiveColor", color(SystemColor::ButtonFace)}}},
        {"velkMenuPopup", {{"Menu", QStringLiteral("Zeile 1,Zeile 2,-,Zeile 3,...")}}},
        {"velkPicScroll", {{"AreasEdit", 0}, {"AreasSyntax", none}, {"ScaleFlag", false}}},
        {"velkPreView", {}},
        {"velkRights", {{"BackColor", color(SystemColor::ButtonFace)}}},
        {"velkScala", {{"MinValue", 0}, {"MaxValue", 1000}, {"value", 0}, {"BackColor", color(SystemColor::ButtonFace)}}},
        {"velkSheet",
         {{"Columns", none},
          {"flags", none},
          {"BorderStyle", 1},
          {"OwnerDraw", 0},
          {"LeftMargin", 50}, // the list's initial margin; see the README on stored defaults
          {"BackColor", color(SystemColor::WindowBackground)}}},
        {"velkSplitter", {{"MinSize", 200}, {"RealTime", true}, {"Orientation", 1}}},
        {"velkUmfang", {{"BackColor", color(SystemColor::ButtonFace)}}},
    };
}

// Compares through the property's own type, so 0 matches a short 0 and a Color 0.
bool sameValue(const QVariant &actual, const QVariant &expected, const QWidget &control)
{
    if (expected == kAmbientFont)
        return actual.value<QFont>() == QApplication::font(&control);
    QVariant converted = expected;
    if (!converted.convert(actual.metaType()))
        return false;
    return converted == actual;
}

} // namespace

TEST(StoredDefaults, EveryControlStartsWithItsStatedDefaults)
{
    const std::map<QString, Defaults> table = expectedDefaults();
    for (const QString &name : ControlFactory::classNames()) {
        SCOPED_TRACE(name.toStdString());
        const auto row = table.find(name);
        ASSERT_NE(row, table.end()) << "no row of stored defaults for this control";
        std::unique_ptr<QWidget> control(ControlFactory::create(name));
        ASSERT_TRUE(control);

        QStringList expectedNames;
        for (const auto &entry : row->second)
            expectedNames << entry.first;
        QStringList stored = PropertyBag::storedProperties(control.get());
        expectedNames.sort();
        stored.sort();
        EXPECT_EQ(stored, expectedNames);

        for (const auto &[property, expected] : row->second) {
            const QVariant actual = control->property(property.toLatin1());
            EXPECT_TRUE(sameValue(actual, expected, *control))
                << property.toStdString() << ": is " << actual.toString().toStdString() << ", stated "
                << expected.toString().toStdString();
        }
    }
}
