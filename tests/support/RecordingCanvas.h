#pragma once

// Painting on a canvas that only records, and questions to what it recorded.

#include <velk/platform/Canvas.h>

#include <QStringList>

#include <algorithm>
#include <vector>

namespace velk::test {

/// What `paint(canvas)` draws on a canvas in `scale` that records and draws nothing.
template<typename Paint> std::vector<DrawOp> recordPainting(ScaleMode scale, Paint &&paint)
{
    Canvas canvas(nullptr, scale);
    canvas.setRecording(true, false);
    paint(canvas);
    return canvas.recording();
}

/// The operations of one kind, in drawing order.
inline std::vector<DrawOp> opsOfKind(const std::vector<DrawOp> &ops, DrawOp::Kind kind)
{
    std::vector<DrawOp> result;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(result), [kind](const DrawOp &op) { return op.kind == kind; });
    return result;
}

/// The first operation printing exactly `text`, or nullptr.
inline const DrawOp *findText(const std::vector<DrawOp> &ops, const QString &text)
{
    const auto it = std::find_if(ops.begin(), ops.end(),
                                 [&text](const DrawOp &op) { return op.kind == DrawOp::Text && op.text == text; });
    return it == ops.end() ? nullptr : &*it;
}

/// The texts printed, in drawing order.
inline QStringList textsOf(const std::vector<DrawOp> &ops)
{
    QStringList texts;
    for (const DrawOp &op : ops) {
        if (op.kind == DrawOp::Text)
            texts << op.text;
    }
    return texts;
}

} // namespace velk::test
