#pragma once

// Helpers shared by the sheet's painting and input tests: a sheet of a known size, what
// its list and header draw on a recording canvas, and the centre of a row or cell.

#include <velk/platform/Canvas.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QString>

#include <memory>
#include <vector>

namespace sheettest {

/// A sheet 400 × 300 pixels with the given columns and flags.
inline std::unique_ptr<velk::velkSheet> makeSheet(const QString &columns = QString(), const QString &flags = QString())
{
    auto sheet = std::make_unique<velk::velkSheet>();
    sheet->resize(400, 300);
    sheet->setColumns(columns);
    sheet->setFlags(flags);
    return sheet;
}

inline std::vector<velk::DrawOp> paintList(velk::velkSheet &sheet)
{
    velk::Canvas canvas;
    canvas.setRecording(true, false);
    velk::SheetInternals::paintList(sheet, canvas);
    return canvas.recording();
}

inline std::vector<velk::DrawOp> paintHeader(velk::velkSheet &sheet)
{
    velk::Canvas canvas;
    canvas.setRecording(true, false);
    velk::SheetInternals::paintHeader(sheet, canvas);
    return canvas.recording();
}

/// The first text operation printing exactly `text`; nullptr when none did.
inline const velk::DrawOp *findText(const std::vector<velk::DrawOp> &ops, const QString &text)
{
    for (const velk::DrawOp &op : ops) {
        if (op.kind == velk::DrawOp::Text && op.text == text)
            return &op;
    }
    return nullptr;
}

/// The texts printed, in order.
inline QStringList printed(const std::vector<velk::DrawOp> &ops)
{
    QStringList texts;
    for (const velk::DrawOp &op : ops) {
        if (op.kind == velk::DrawOp::Text)
            texts << op.text;
    }
    return texts;
}

/// A point (twips of the list) in the middle of row `pos`'s text in column `col`.
inline QPoint cellPoint(velk::velkSheet &sheet, int pos, int col = 1)
{
    const velk::SheetLayout layout = velk::SheetInternals::layout(sheet);
    const velk::SheetLayout::RowBox *box = layout.rowBox(pos);
    const velk::SheetColumn *column = sheet.GetColumnData(col).get();
    if (!box || !column)
        return {-1, -1};
    const int left = layout.textLeft(*sheet.ListItem(pos), col, box->y1);
    return {left + 30, (box->y1 + box->y2) / 2};
}

/// The same point in pixels of the list surface, for QTest events.
inline QPoint cellPixel(velk::velkSheet &sheet, int pos, int col = 1)
{
    const QPoint twips = cellPoint(sheet, pos, col);
    return {int(twips.x() / velk::TwipsPerPixel), int(twips.y() / velk::TwipsPerPixel)};
}

} // namespace sheettest
