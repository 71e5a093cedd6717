#include "FrameLayoutEditor_p.h"

#include "FrameSizes_p.h"
#include "FrameTags_p.h"

#include <velk/common/LeadingNumber_p.h>
#include <velk/platform/Input.h>
#include <velk/xml/StdXML.h>

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

using namespace FrameTag;

const QString kResizable = QStringLiteral("resizable");

bool isLayoutType(const QString &tag)
{
    return FrameLayoutEditor::elementTypes().contains(tag);
}

bool isOneOf(const QString &tag, std::initializer_list<const QString *> tags)
{
    return std::any_of(tags.begin(), tags.end(), [&](const QString *t) { return *t == tag; });
}

bool isLastChild(const StdXMLNode &element, const StdXMLNodePtr &parent)
{
    const int count = parent->Count();
    return count > 0 && parent->Item(count).get() == &element;
}

StdXMLNodePtr newElement(const QString &type)
{
    StdXMLNodePtr element = StdXMLNode::create();
    element->Tag = type;
    return element;
}

} // namespace

const QStringList &FrameLayoutEditor::elementTypes()
{
    static const QStringList types =
        QStringLiteral("ITEM,ROWS,COLS,TABS,CELL,CONTAINER,SPACE,MULTI,GENERIC").split(u',');
    return types;
}

QString FrameLayoutEditor::clipboardMark()
{
    return QStringLiteral("[LAYOUT]");
}

FrameLayoutEditor::FrameLayoutEditor(const FrameLayoutQuestions &questions)
    : m_questions(questions)
{
}

void FrameLayoutEditor::setLayoutElement(const StdXMLNodePtr &layout)
{
    m_layout = layout;
    m_selected.reset();
    m_dragging.reset();
}

// --- selection -------------------------------------------------------------------------

StdXMLNodePtr FrameLayoutEditor::press(const FramePlan &plan, int button, int x, int y)
{
    m_pressX = x;
    m_pressY = y;
    m_dragging.reset();
    if (button == MouseButton::Left) {
        if (const FrameBoundary *boundary = plan.boundaryAt(x, y)) {
            m_dragging = *boundary;
            m_provisional = {boundary->parent.get(), boundary->firstIndex, boundary->firstPx, boundary->secondPx};
        }
    }
    m_selected = plan.elementAt(x, y);
    if (!m_selected)
        m_selected = m_layout;
    return m_selected;
}

bool FrameLayoutEditor::canChangeSiblings() const
{
    return m_selected && m_selected != m_layout && m_selected->Parent();
}

// --- boundaries --------------------------------------------------------------------------

bool FrameLayoutEditor::moveTo(int x, int y)
{
    if (!m_dragging)
        return false;
    const int delta = m_dragging->isBetweenRows ? y - m_pressY : x - m_pressX;
    const auto [first, second] = draggedSizes(*m_dragging, delta);
    if (first == m_provisional.firstPx && second == m_provisional.secondPx)
        return false;
    m_provisional.firstPx = first;
    m_provisional.secondPx = second;
    return true;
}

const FrameLayoutQuestions::ProvisionalSizes *FrameLayoutEditor::provisionalSizes() const
{
    return m_dragging ? &m_provisional : nullptr;
}

bool FrameLayoutEditor::release(int x, int y, bool configMode)
{
    if (!m_dragging)
        return false;
    moveTo(x, y);
    const FrameBoundary boundary = *m_dragging;
    m_dragging.reset();
    writeSizes(boundary, m_provisional.firstPx, m_provisional.secondPx, configMode);
    return true;
}

void FrameLayoutEditor::cancelDrag()
{
    m_dragging.reset();
}

std::pair<int, int> FrameLayoutEditor::draggedSizes(const FrameBoundary &boundary, int deltaPx)
{
    const int both = boundary.firstPx + boundary.secondPx;
    const int lowest = std::min(boundary.firstPx, MinNeighbourPx);
    const int highest = std::max(boundary.firstPx, both - std::min(boundary.secondPx, MinNeighbourPx));
    const int first = std::clamp(boundary.firstPx + deltaPx, lowest, highest);
    return {first, both - first};
}

void FrameLayoutEditor::writeSizes(const FrameBoundary &boundary, int firstPx, int secondPx, bool configMode)
{
    if (firstPx == boundary.firstPx && secondPx == boundary.secondPx)
        return;
    const QString attribute = boundary.isBetweenRows ? QStringLiteral("height") : QStringLiteral("width");
    const bool isPercent = boundary.first->GetAttribute(attribute).trimmed().endsWith(u'%')
        && boundary.second->GetAttribute(attribute).trimmed().endsWith(u'%');
    const auto text = [&](int px) {
        if (isPercent)
            return percentText(boundary.roomPx > 0 ? px * 100.0 / boundary.roomPx : 0.0) + u'%';
        // A fixed size counts the extra while the headers are shown; at least 1 keeps it fixed.
        return QString::number(std::max(1, px - (configMode ? FrameSizes::ConfigModeExtraPx : 0)));
    };
    boundary.first->SetAttribute(attribute, text(firstPx));
    boundary.second->SetAttribute(attribute, text(secondPx));
}

QString FrameLayoutEditor::percentText(double value)
{
    QString text = QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

// --- commands ------------------------------------------------------------------------------

StdXMLNodePtr FrameLayoutEditor::addElement(const QString &type)
{
    if (!canChangeSiblings())
        return nullptr;
    return m_selected->Parent()->InsertBefore(newElement(type), m_selected);
}

StdXMLNodePtr FrameLayoutEditor::subElementTarget(const StdXMLNodePtr &element) const
{
    if (!element)
        return nullptr;
    if (element->Tag == Container)
        return m_questions.containerNode(element->GetAttribute(QStringLiteral("layout")));
    return element;
}

StdXMLNodePtr FrameLayoutEditor::addSubElement(const QString &type)
{
    const StdXMLNodePtr target = subElementTarget(m_selected);
    return target ? target->AddItem(type, QString()) : nullptr;
}

StdXMLNodePtr FrameLayoutEditor::elementFromText(const QString &text)
{
    // Whatever the first line says; the program that wrote it put the mark there.
    const qsizetype lineEnd = text.indexOf(u'\n');
    if (lineEnd < 0)
        return nullptr;
    StdXML document;
    document.LoadXML(text.sliced(lineEnd + 1));
    if (!document.Root)
        return nullptr;
    StdXMLNodePtr copy = document.Root->Clone(true);
    copy->setParent(nullptr);
    return copy;
}

StdXMLNodePtr FrameLayoutEditor::paste(const QString &text)
{
    if (!canChangeSiblings())
        return nullptr;
    const StdXMLNodePtr element = elementFromText(text);
    return element ? m_selected->Parent()->InsertBefore(element, m_selected) : nullptr;
}

StdXMLNodePtr FrameLayoutEditor::pasteSub(const QString &text)
{
    const StdXMLNodePtr target = subElementTarget(m_selected);
    const StdXMLNodePtr element = target ? elementFromText(text) : nullptr;
    return element ? target->AddChild(element) : nullptr;
}

QString FrameLayoutEditor::copyText(const StdXMLNode &element)
{
    return clipboardMark() + QStringLiteral("\r\n") + element.xml();
}

bool FrameLayoutEditor::removeSelected()
{
    if (!canChangeSiblings())
        return false;
    m_selected->Parent()->Remove(m_selected);
    m_selected.reset();
    return true;
}

// --- property dialog ---------------------------------------------------------------------------

std::vector<FrameLayoutEditor::PropertyRow> FrameLayoutEditor::propertyRows(const StdXMLNode &element)
{
    const QString &tag = element.Tag;
    const StdXMLNodePtr parent = element.Parent();
    const QString parentTag = parent ? parent->Tag : QString();
    const bool isLayout = isLayoutType(tag);
    const bool inBand = isOneOf(parentTag, {&Cols, &Rows, &Generic});

    std::vector<PropertyRow> rows;
    const auto add = [&](bool shown, const QString &attribute, const QString &label, QStringList choices = {}) {
        if (shown)
            rows.push_back({attribute, label, choices, label.contains(QStringLiteral("farbe"), Qt::CaseInsensitive)});
    };
    add(tag == Container, QStringLiteral("layout"), QStringLiteral("Layout"));
    add(tag == Item, QStringLiteral("control"), QStringLiteral("Control"));
    add(tag == Item, QStringLiteral("parameter"), QStringLiteral("Parameter"));
    add(isLayout, QStringLiteral("backcolor"), QStringLiteral("Farbe Hintergrund"));
    add(tag == Tabs, QStringLiteral("activetabcolor"), QStringLiteral("Farbe aktiver Tab"));
    add(tag == Tabs, QStringLiteral("inactivetabcolor"), QStringLiteral("Farbe inaktiver Tab"));
    add(isOneOf(parentTag, {&Cols, &Generic}), QStringLiteral("width"), QStringLiteral("Spalten-Breite"));
    add(isOneOf(parentTag, {&Rows, &Generic}), QStringLiteral("height"), QStringLiteral("Zeilen-Höhe"));
    add(inBand && !isLastChild(element, parent), kResizable, QStringLiteral("Größe veränderbar"),
        {QString(), QStringLiteral("false")});
    add(isOneOf(parentTag, {&Rows, &Cols, &Cell, &Multi, &Generic}), QStringLiteral("caption"),
        QStringLiteral("Beschriftung"));
    add(parentTag == Tabs, QStringLiteral("caption"), QStringLiteral("Register-Text"));
    add(parentTag == Tabs, QStringLiteral("location"), QStringLiteral("Register-Location"));
    add(parentTag == Tabs, QStringLiteral("message"), QStringLiteral("Aktivierungsnachricht"));
    add(tag == Tabs, QStringLiteral("align"), QStringLiteral("Tab links"), {QStringLiteral("left"), QString()});
    add(isLayout, QStringLiteral("border"), QStringLiteral("Rand"));
    add(tag == Generic, QStringLiteral("type"), QStringLiteral("generischer Type"));
    return rows;
}

QStringList FrameLayoutEditor::applyProperties(StdXMLNode &element,
                                               const std::vector<std::pair<QString, QString>> &values)
{
    QStringList changed;
    for (const auto &[attribute, value] : values) {
        const bool had = element.HasAttribute(attribute);
        const QString old = element.GetAttribute(attribute);
        if (value.isEmpty())
            element.RemoveAttribute(attribute);
        else
            element.SetAttribute(attribute, value);
        if (old != value || (had && value.isEmpty()))
            changed.push_back(attribute);
    }
    return changed;
}

bool FrameLayoutEditor::needsRebuild(const StdXMLNode &element, const QString &attribute)
{
    const QString &tag = element.Tag;
    if (tag == Item)
        return attribute == QStringLiteral("control") || attribute == QStringLiteral("parameter");
    if (tag == Container)
        return attribute == QStringLiteral("layout");
    if (tag == Tabs)
        return attribute == QStringLiteral("activetabcolor") || attribute == QStringLiteral("inactivetabcolor");
    if (tag == Generic)
        return attribute == QStringLiteral("type");
    return false;
}

} // namespace velk
