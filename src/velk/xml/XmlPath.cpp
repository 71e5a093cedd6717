#include "XmlPath_p.h"

#include "XmlText_p.h"

#include <velk/common/Error.h>
#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>

#include <climits>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velk {

namespace {

// Once a query holds this many matches, a repeated sub-result (a path that climbs back
// with ".." or "/" and descends again) is not added once more. Without the limit a short
// path over a small tree could ask for more matches than memory holds.
constexpr qsizetype kRepeatLimit = 1 << 20;

struct StateKey
{
    const StdXMLNode *node;
    size_t step;
    bool operator==(const StateKey &) const = default;
};

struct StateKeyHash
{
    size_t operator()(const StateKey &k) const noexcept
    {
        return std::hash<const void *>()(k.node) ^ (k.step * 0x9E3779B97F4A7C15ULL);
    }
};

using StateSet = std::unordered_set<StateKey, StateKeyHash>;

// Names point into the path text, which outlives the evaluation.
struct FilterPart
{
    enum Kind { Root, Parent, Number, Attribute, Child };
    Kind kind;
    int number = -1;
    QStringView name; // child tag
    QString key;      // attribute name
    QString value;    // attribute value
};

QStringView takeToken(QStringView &s, QChar sep)
{
    const qsizetype at = s.indexOf(sep);
    const QStringView token = at < 0 ? s : s.first(at);
    s = at < 0 ? QStringView() : s.sliced(at + 1);
    return token;
}

// A filter's parts, split off as the evaluation reaches them: a search that ends early
// never looks at the rest of a long filter. Splitting may move the parts, so callers
// hold a part only until they ask for the next.
class FilterProgram
{
public:
    explicit FilterProgram(QStringView q)
        : m_rest(q)
        , m_isEmpty(q.isEmpty())
        , m_climbs(q.contains(u"..") || q.startsWith(u'/') || q.contains(u"//"))
    {
    }

    bool isEmpty() const { return m_isEmpty; }
    /// Whether the filter may lead up ("" or ".." parts), so a search may come back to a node.
    bool climbs() const { return m_climbs; }
    /// Whether the filter has a part at `index`.
    bool has(size_t index) const
    {
        while (m_parts.size() <= index && !m_rest.isEmpty())
            splitNext();
        return index < m_parts.size();
    }
    const FilterPart &at(size_t index) const { return m_parts[index]; }

    // Searches known to fail. Whether a node's children satisfy the rest of the filter
    // does not depend on where the search started, so one query shares them.
    bool hasFailed(const StateKey &key) const { return m_failed && m_failed->contains(key); }
    void rememberFailure(const StateKey &key) const
    {
        if (!m_failed)
            m_failed = std::make_unique<StateSet>();
        m_failed->insert(key);
    }

private:
    void splitNext() const
    {
        const QStringView t = takeToken(m_rest, u'/');
        if (t.isEmpty()) {
            if (m_parts.empty() || m_parts.back().kind != FilterPart::Root)
                m_parts.push_back({FilterPart::Root});
        } else if (t == u".") {
            // "." filters the same node again: nothing to do.
        } else if (t == u"..") {
            m_parts.push_back({FilterPart::Parent});
        } else if (const double v = LeadingNumber(t, NumberForm::Scientific); v > 0 || t == u"0") {
            m_parts.push_back({FilterPart::Number, RoundHalfEvenToInt(v, 0, INT_MAX - 1)});
            m_rest = {}; // a position ends the filter
        } else if (t.startsWith(u'@')) {
            QStringView rest = t.sliced(1);
            const QStringView name = takeToken(rest, u'=');
            m_parts.push_back({FilterPart::Attribute, -1, {}, name.toString(), XmlText::takeWord(rest)});
            m_rest = {}; // so does an attribute test
        } else {
            m_parts.push_back({FilterPart::Child, -1, t});
        }
    }

    mutable QStringView m_rest;
    mutable std::vector<FilterPart> m_parts;
    mutable std::unique_ptr<StateSet> m_failed;
    bool m_isEmpty;
    bool m_climbs;
};

struct Step
{
    enum Kind { Self, Parent, Root, Any, Name };
    Kind kind;
    QStringView name;
    QStringView filterText;
    FilterProgram filter;
};

// Finds the next occurrence of one character from positions that only ever grow, so
// splitting a path into steps looks at each character a bounded number of times.
class NextFinder
{
public:
    NextFinder(QStringView text, QChar c) : m_text(text), m_char(c) {}
    qsizetype from(qsizetype pos)
    {
        if (m_found == -1 || m_found >= pos)
            return m_found;
        m_found = m_text.indexOf(m_char, pos);
        return m_found;
    }

private:
    QStringView m_text;
    QChar m_char;
    qsizetype m_found = -2; // -2: not searched yet, -1: none left
};

Step makeStep(QStringView name, QStringView filterText)
{
    Step::Kind kind = Step::Name;
    if (name == u".")
        kind = Step::Self;
    else if (name == u"..")
        kind = Step::Parent;
    else if (name.isEmpty())
        kind = Step::Root;
    else if (name == u"*")
        kind = Step::Any;
    return Step{kind, name, filterText, FilterProgram(filterText)};
}

// Splits a path into steps as the evaluation reaches them, so a path that fails early
// costs nothing for the rest of its text. Splitting may move the steps, so callers hold
// a step only until they ask for a later one.
class CompiledPath
{
public:
    explicit CompiledPath(QStringView q)
        : m_text(q), m_brackets(q, u'['), m_slashes(q, u'/'), m_closings(q, u']')
    {
    }

    /// Whether the path has a step at `index`.
    bool has(size_t index)
    {
        while (m_steps.size() <= index && m_pos < m_text.size())
            splitNext();
        return index < m_steps.size();
    }
    const Step &at(size_t index) const { return m_steps[index]; }

    /// Whether a step may lead up (".." or an empty name), judged from the text alone: an
    /// empty name stands at the start or after a "/", before a "/" or "[".
    bool mayClimb() const
    {
        return m_text.contains(u"..") || m_text.startsWith(u'/') || m_text.startsWith(u'[')
            || m_text.contains(u"//") || m_text.contains(u"/[");
    }

private:
    void splitNext()
    {
        const qsizetype open = m_brackets.from(m_pos);
        const qsizetype slash = m_slashes.from(m_pos);
        QStringView name, filterText;
        if (open >= 0 && (slash < 0 || open < slash)) {
            // The filter runs to the next "]"; what follows it up to the next "/" is ignored.
            name = m_text.sliced(m_pos, open - m_pos);
            const qsizetype close = m_closings.from(open + 1);
            filterText = close < 0 ? m_text.sliced(open + 1) : m_text.sliced(open + 1, close - open - 1);
            const qsizetype next = close < 0 ? -1 : m_slashes.from(close + 1);
            m_pos = next < 0 ? m_text.size() : next + 1;
        } else {
            name = slash < 0 ? m_text.sliced(m_pos) : m_text.sliced(m_pos, slash - m_pos);
            m_pos = slash < 0 ? m_text.size() : slash + 1;
        }
        Step step = makeStep(name, filterText);
        if (!repeatsPrevious(step))
            m_steps.push_back(std::move(step));
    }

    // "." or "/" without a filter after the same step changes nothing.
    bool repeatsPrevious(const Step &step) const
    {
        return !m_steps.empty() && (step.kind == Step::Self || step.kind == Step::Root)
            && step.filterText.isEmpty() && m_steps.back().kind == step.kind
            && m_steps.back().filterText.isEmpty();
    }

    QStringView m_text;
    NextFinder m_brackets, m_slashes, m_closings;
    qsizetype m_pos = 0;
    std::vector<Step> m_steps;
};

// What one query needs across its steps and filters: the way up to a parent or the root.
class Moves
{
public:
    StdXMLNode *parentOf(const StdXMLNode *node) const
    {
        const StdXMLNodePtr parent = node->Parent();
        if (!parent)
            throw Error(ErrorNumber::ObjectRequired,
                        QStringLiteral("StdXMLNode: \"..\" an einem Element ohne übergeordnetes Element (%1)")
                            .arg(node->Tag));
        return parent.get();
    }

    // Remembers the root of every node it passes, so that many root steps in a deep tree
    // walk each node only once.
    StdXMLNode *rootOf(StdXMLNode *node)
    {
        std::vector<StdXMLNode *> walked;
        StdXMLNode *top = node;
        // Parent links a host has made circular end the walk where it comes round again
        // (a marker that moves at powers of two finds the repeat in linear time).
        StdXMLNode *marker = node;
        size_t sinceMarker = 0;
        size_t markerDistance = 1;
        for (;;) {
            if (const auto known = m_roots.find(top); known != m_roots.end()) {
                top = known->second;
                break;
            }
            const StdXMLNodePtr parent = top->Parent();
            if (!parent)
                break;
            walked.push_back(top);
            top = parent.get();
            if (top == marker)
                break;
            if (++sinceMarker == markerDistance) {
                marker = top;
                markerDistance *= 2;
                sinceMarker = 0;
            }
        }
        for (StdXMLNode *n : walked)
            m_roots[n] = top;
        return top;
    }

private:
    std::unordered_map<StdXMLNode *, StdXMLNode *> m_roots;
};

// Evaluates a filter program: a search over children for the child parts, with "" and
// ".." moving the search point. Searches that failed are remembered when the program can
// come back to a node, so that climbing and descending again never repeats work.
class FilterRun
{
public:
    FilterRun(const FilterProgram &program, Moves &moves) : m_program(program), m_moves(moves) {}

    bool evaluate(StdXMLNode *start, int &nr)
    {
        nr = -1;
        StdXMLNode *node = start;
        size_t part = 0;
        for (;;) {
            if (decide(node, part, nr))
                return true;
            if (!nextCandidate(node, part)) {
                nr = -1;
                return false;
            }
        }
    }

private:
    struct Search
    {
        StdXMLNode *node;
        size_t part;
        int nextChild;
    };

    // Runs the single moves from (node, part) on; true when that decides the filter true.
    // A child part leaves a search behind instead.
    bool decide(StdXMLNode *node, size_t part, int &nr)
    {
        for (; m_program.has(part); ++part) {
            const FilterPart &p = m_program.at(part);
            switch (p.kind) {
            case FilterPart::Root:
                node = m_moves.rootOf(node);
                break;
            case FilterPart::Parent:
                node = m_moves.parentOf(node);
                break;
            case FilterPart::Number:
                nr = p.number;
                return true;
            case FilterPart::Attribute:
                return node->GetAttribute(p.key) == p.value;
            case FilterPart::Child:
                if (!m_program.climbs() || !m_program.hasFailed({node, part}))
                    m_searches.push_back({node, part, 1});
                return false;
            }
        }
        return true;
    }

    bool nextCandidate(StdXMLNode *&node, size_t &part)
    {
        while (!m_searches.empty()) {
            Search &search = m_searches.back();
            const StdXMLNodes *children = XmlPath::childrenOf(*search.node);
            const QStringView tag = m_program.at(search.part).name;
            while (children && search.nextChild <= children->Count()) {
                StdXMLNode *child = children->Item(search.nextChild++)->get();
                if (child && child->Tag == tag) {
                    node = child;
                    part = search.part + 1;
                    return true;
                }
            }
            if (m_program.climbs())
                m_program.rememberFailure({search.node, search.part});
            m_searches.pop_back();
        }
        return false;
    }

    const FilterProgram &m_program;
    Moves &m_moves;
    std::vector<Search> m_searches;
};

// Evaluates a compiled path. Each element that passes a name step with more steps to go
// opens a fan-out over its children; the fan-outs form an explicit stack.
class PathRun
{
public:
    PathRun(CompiledPath &path, StdXMLNodes &c, bool addall)
        : m_path(path), m_matches(c), m_addAll(addall), m_remembers(path.mayClimb())
    {
    }

    void evaluate(StdXMLNode *start, int isnr)
    {
        StdXMLNode *node = start;
        size_t step = 0;
        int position = isnr;
        for (;;) {
            advance(node, step, position);
            if (!nextChild(node, step, position))
                return;
        }
    }

private:
    struct Fanout
    {
        StdXMLNode *node;
        size_t step; // the step index the children are evaluated at
        int nextChild;
        qsizetype firstMatch;
    };

    // Follows the state (node, step, position) through its single moves until it
    // matches, fails or opens a fan-out.
    void advance(StdXMLNode *node, size_t step, int position)
    {
        for (;; ++step, position = 0) {
            if (!m_path.has(step)) {
                addMatch(node);
                return;
            }
            const Step &s = m_path.at(step);
            int nr = -1;
            if (!passesFilter(s, step, node, nr))
                return;
            if (s.kind == Step::Self)
                continue;
            if (s.kind == Step::Parent) {
                node = m_moves.parentOf(node);
                continue;
            }
            if (s.kind == Step::Root) {
                node = m_moves.rootOf(node);
                continue;
            }
            if (s.kind == Step::Name && node->Tag != s.name)
                return;
            if (nr >= 0) {
                // A position filter ends the path here: the rest is not evaluated.
                if (nr + 1 == position)
                    addMatch(node);
                return;
            }
            if (!m_path.has(step + 1)) {
                addMatch(node);
                return;
            }
            if (!repeatKnownFanout(node, step + 1))
                m_fanouts.push_back({node, step + 1, 1, m_matches.Count()});
            return;
        }
    }

    bool nextChild(StdXMLNode *&node, size_t &step, int &position)
    {
        while (!m_fanouts.empty()) {
            Fanout &f = m_fanouts.back();
            const StdXMLNodes *children = XmlPath::childrenOf(*f.node);
            const bool mayGoOn = m_addAll || m_matches.isEmpty() || f.nextChild == 1;
            if (mayGoOn && children && f.nextChild <= children->Count()) {
                position = f.nextChild++;
                node = children->Item(position)->get();
                step = f.step;
                if (node)
                    return true;
                continue;
            }
            rememberFanout(f);
            m_fanouts.pop_back();
        }
        return false;
    }

    void addMatch(StdXMLNode *node) { m_matches.Add(node->shared_from_this()); }

    // A climbing path can bring a node to the same step many times; its filter is then
    // evaluated once. The outcome is kept as nr + 1 when it passes, -1 when it fails.
    bool passesFilter(const Step &s, size_t step, StdXMLNode *node, int &nr)
    {
        if (s.filter.isEmpty())
            return true;
        if (!m_remembers)
            return FilterRun(s.filter, m_moves).evaluate(node, nr);
        const auto known = m_filterOutcomes.find({node, step});
        if (known != m_filterOutcomes.end()) {
            nr = known->second - 1;
            return known->second >= 0;
        }
        const bool passes = FilterRun(s.filter, m_moves).evaluate(node, nr);
        m_filterOutcomes.emplace(StateKey{node, step}, passes ? nr + 1 : -1);
        return passes;
    }

    // A fan-out gives the same matches each time it is reached (the tree does not change
    // while a query runs), so a repeat appends the remembered ones instead of searching.
    void rememberFanout(const Fanout &f)
    {
        if (!m_remembers)
            return;
        const qsizetype end = m_matches.Count();
        if (m_addAll)
            m_known.insert_or_assign(StateKey{f.node, f.step}, std::pair(f.firstMatch, end));
        else if (f.firstMatch == 0 && end == 0)
            m_known.insert_or_assign(StateKey{f.node, f.step}, std::pair(qsizetype(0), qsizetype(0)));
    }

    bool repeatKnownFanout(const StdXMLNode *node, size_t step)
    {
        if (!m_remembers)
            return false;
        const auto known = m_known.find({node, step});
        if (known == m_known.end())
            return false;
        const auto [first, end] = known->second;
        if (m_matches.Count() + (end - first) <= kRepeatLimit) {
            for (qsizetype i = first; i < end; ++i)
                m_matches.Add(m_matches.value(int(i) + 1));
        }
        return true;
    }

    CompiledPath &m_path;
    StdXMLNodes &m_matches;
    const bool m_addAll;
    const bool m_remembers; // the path climbs, so a fan-out can be reached again
    Moves m_moves;
    std::vector<Fanout> m_fanouts;
    std::unordered_map<StateKey, std::pair<qsizetype, qsizetype>, StateKeyHash> m_known;
    std::unordered_map<StateKey, int, StateKeyHash> m_filterOutcomes;
};

} // namespace

void XmlPath::queryAdd(StdXMLNode &start, StdXMLNodes &c, QStringView q, bool addall, int isnr)
{
    CompiledPath path(q);
    PathRun(path, c, addall).evaluate(&start, isnr);
}

bool XmlPath::filter(StdXMLNode &node, QStringView q, int &nr)
{
    Moves moves;
    const FilterProgram program(q);
    return FilterRun(program, moves).evaluate(&node, nr);
}

} // namespace velk
