#pragma once

// The private part of velkMultiView, shared by its two source files: the widget and its
// children (velkMultiView.cpp) and the output to printer, clipboard and sheet
// (velkMultiViewOutput.cpp).

#include "MultiViewModel_p.h"
#include "velkMultiView.h"

#include <velk/sheet/SheetData.h>

#include <QComboBox>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QToolButton;

namespace velk {

class DataConnection;
class velkChart;
class velkDBView;
class velkKeywords;
class velkPreView;

/// Cell `col` of a sheet row; column 0 stands for the whole row.
inline QString cellText(const SheetData &row, int col)
{
    return col == 0 ? row.Text() : row.GetSubText(col);
}

inline void setCellText(SheetData &row, int col, const QString &text)
{
    if (col == 0)
        row.setText(text);
    else
        row.SetSubText(col, text);
}

/// A selection combo that tells before its list opens.
class SelectionCombo : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToDropDown;

    void showPopup() override
    {
        if (aboutToDropDown)
            aboutToDropDown();
        QComboBox::showPopup();
    }
};

struct velkMultiView::Private
{
    explicit Private(velkMultiView *owner);

    void connectSheet();
    void connectHeadStrip();
    void layoutChildren();
    /// The presentations, of which Show shows one.
    std::vector<QWidget *> dataChildren() const;
    SelectionCombo *combo(int index) const
    {
        return index >= 1 && index <= int(combos.size()) ? combos[size_t(index - 1)] : nullptr;
    }
    QListWidgetItem *listItem(int pos) const;
    bool isSheetView() const { return setup.isSheet(); }
    void toggleKeywords();
    void scheduleChartRefresh();
    void openDatePresets();
    void printList(const QString &cap);
    void printGraph();
    QString sheetCopyText() const;
    void copyText(const QString &text) const;

    velkMultiView *q;
    velkMultiViewEvents *events;
    QListWidget *liste;
    velkChart *chart;
    velkDBView *dbview;
    velkPreView *preview;
    velkSheet *sheet;
    velkKeywords *keywords;
    std::vector<SelectionCombo *> combos;
    QLineEdit *datum;
    QToolButton *dataPopup;
    QPushButton *neuerSatz;
    QLineEdit *textbx;
    QMenu *popupItem;
    QMenu *presetMenu;

    MultiViewSetup setup; // of the view shown; its storedName is SelectedView
    QString selected;
    QString header1;
    QString header2;
    QString printerSetting;
    QString menuDefinition;
    std::vector<MultiViewMenuEntry> menuEntries;
    int datumType = 0;
    QString datumStandard;
    bool keywordsShown = false;
    int colLabels = 0;
    bool chartRefreshPending = false;
    std::unique_ptr<DataConnection> connection;
    QRect headerRect; // where Header1 and Header2 are drawn; empty without headers
};

} // namespace velk
