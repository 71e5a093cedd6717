#pragma once

#include "WizardFields_p.h"
#include "WizardLayout_p.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

class QScrollArea;
class QWidget;

namespace velk {

class WizardEvents;
class velkButton;
class velkSheet;

/// The dialog of a Wizard: shows one page of fields at a time, keeps each field's value
/// in its element as it changes, and offers back, forward and cancel. It reads and
/// writes the fields only through the store it is given.
class VELK_TESTS_EXPORT WizardFormDialog : public QDialog
{
    Q_OBJECT

public:
    WizardFormDialog(WizardFields &fields, WizardEvents &events, QWidget *parent = nullptr);
    ~WizardFormDialog() override;

    /// Makes page 1 current (or `page`), as Show does before running the dialog.
    void start(int page = 1);
    int currentPage() const { return m_page; }
    /// Enables and captions the navigation buttons for the current page and count.
    void updateNavigation();
    /// Adds rows below the row tagged `tag` of sheet field `key`, if that sheet is shown.
    void addSheetRows(const QString &key, const QString &tag, const QString &lst);

    /// Picks a folder for a `path` field; by default the folder dialog of the Dialogs seam.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &current)>;
    static void setFolderChooser(FolderChooser chooser);

    void reject() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct PageField;

    void showPage(int page);
    void removePageControls();
    void buildField(const StdXMLNodePtr &field);
    QWidget *makeInput(PageField &pf);
    void makeSideButton(PageField &pf, const QString &kind, const QString &text);
    void arrange();
    void store(PageField &pf, const QString &value);
    void storeOption(PageField &pf);
    void collectValues();
    void goBack();
    void goForward();
    void sheetRowsOpened(PageField &pf);
    void fillSheet(velkSheet &sheet, const QString &liste, int pos, int indent);

    WizardFields &m_fields;
    WizardEvents &m_events;
    int m_page = 0;
    int m_labelCount = 0;
    int m_buttonCount = 0;
    int m_hostedCount = 0;
    std::vector<PageField> m_pageFields;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_pageWidget = nullptr;
    velkButton *m_back = nullptr;
    velkButton *m_forward = nullptr;
    velkButton *m_cancel = nullptr;
    bool m_closing = false;
};

} // namespace velk
