#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace velk {

class Canvas;

/// The events of a velkMenuBar. Every argument is passed by
/// reference; a handler's change is seen by the bar when the emit returns.
class VELK_EXPORT velkMenuBarEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A click on an item's caption area, Enter or Space on the focused item (styles 2
    /// and 3), or an arrow key moving the selected tab. x and y are twips: the item's
    /// lower left corner (right upper corner in a vertical bar), 0 for keys.
    void Click(int &id, int &Shift, float &x, float &y);
    /// Asked before an item is drawn and before any action on it; clear `Enabled` to
    /// disable the item.
    void CheckState(int &id, bool &Enabled);
    /// A click on the arrow of a split item ("|v").
    void ClickMenu(int &id, int &Shift, float &x, float &y);
    /// Text dragged over the bar; `dropeffect` arrives with the effects the source allows
    /// (1 copy, 2 move, 4 link); 0 refuses the drop.
    void DropTextEnabled(QString &txt, int &dropeffect);
    /// Text dropped on item `id` (0 when not on an item).
    void DropText(QString &txt, int &id);
    /// Files dragged over the bar; as DropTextEnabled.
    void DropFileEnabled(int &dropeffect);
    /// One dropped file on item `id`; raised once per file in the dropped order.
    void DropFile(QString &file, int &id);
    /// The right mouse button released over item `id` (0 when not on an item).
    void ContextMenu(int &id);
    /// A click on an item's icon.
    void ClickIcon(int &id, int &Shift, float &x, float &y);
    /// Asked before an item is drawn; set `enable` to draw it selected.
    void CheckSelected(int &id, bool &enable);
};

/// A bar of self-drawn items: a toolbar, a menu list or a tab strip, set up by one
/// definition string, `Menu`: a comma-separated list of "icon#caption#marker" items,
/// separators "-", the far-end mark ">" and input fields "$text:key", "$date:key",
/// "$eval:key". The bar is vertical when it is taller than wide.
///
/// Styles: 0 a flat toolbar; 1 tabs; 2 a list of white buttons (in a vertical bar 52
/// pixels a row, icon above caption); 3 a menu list (in a vertical bar 27 pixels a row);
/// 4 tabs with a wider icon cell; 5 a toolbar whose last clicked item stays selected;
/// 6 a row of raised 80-pixel buttons. Tabs act on the press, all other styles on the
/// release. Arrow keys move the selected tab (styles 1, 4) or the keyboard focus (styles
/// 2, 3), where Enter and Space click the focused item.
///
/// Fields are line edits named "Text1_<id>": "$date" takes a date dd.mm.yyyy, "$eval"
/// holds at least seven flag characters that a press toggles. Enter in a "$text" or
/// "$date" field raises Click for the field's item.
class VELK_EXPORT velkMenuBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Menu READ Menu WRITE setMenu STORED true)
    Q_PROPERTY(short style READ styleNumber WRITE setStyleNumber STORED true)
    Q_PROPERTY(short Selected READ Selected WRITE setSelected STORED false)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)
    Q_PROPERTY(velk::Color ButtonColor READ ButtonColor WRITE setButtonColor STORED true)
    Q_PROPERTY(velk::Color ForeColor READ ForeColor WRITE setForeColor STORED true)
    Q_PROPERTY(velk::Color InactiveColor READ InactiveColor WRITE setInactiveColor STORED true)
    Q_PROPERTY(short Count READ Count)
    Q_PROPERTY(int MenuWidth READ MenuWidth)

public:
    /// ButtonColor's automatic value: white in style 2, the button face otherwise.
    static constexpr Color AutomaticColor = 0xFFFFFFFF;

    Q_INVOKABLE explicit velkMenuBar(QWidget *parent = nullptr);
    ~velkMenuBar() override;

    velkMenuBarEvents *events() const;

    QString Menu() const;
    /// Stores the definition, sets the keyboard focus to item 1, replaces every field's
    /// edit box by a new empty one and redraws.
    void setMenu(const QString &menu);
    /// The `style` property (see above). Named apart in C++ so that QWidget::style()
    /// keeps its meaning.
    short styleNumber() const;
    void setStyleNumber(short style);
    short Selected() const;
    void setSelected(short selected);
    Color BackColor() const;
    void setBackColor(Color color);
    /// The effective face colour (the automatic one resolved).
    Color ButtonColor() const;
    /// AutomaticColor (or the current style's automatic colour) makes it automatic again.
    void setButtonColor(Color color);
    Color ForeColor() const;
    void setForeColor(Color color);
    Color InactiveColor() const;
    void setInactiveColor(Color color);

    /// The number of items (0 for an empty Menu).
    short Count() const;
    /// The caption of item `pos` (no icon part, no marker); empty past the end.
    Q_INVOKABLE QString MenuItem(int pos) const;
    /// The whole text of item `id`; empty past the end.
    Q_INVOKABLE QString GetItem(int id) const;
    /// Replaces item `id` by `par` (see MenuModel::withItemReplaced) and redraws. Fields
    /// whose item is unchanged keep their edit box and text.
    Q_INVOKABLE void SetItem(int id, const QString &par);
    /// The text of the field "$type:key" with exactly this key; empty if there is none.
    Q_INVOKABLE QString GetValue(const QString &key) const;
    /// The laid-out length of all items (see MenuLayout::MenuWidth).
    int MenuWidth() const;
    /// Asks CheckState again for every field's edit box and redraws at once.
    Q_INVOKABLE void Refresh();

    /// The edit box of field item `id`, or nullptr.
    QLineEdit *fieldBox(int id) const;

    // Input as the library's input codes (buttons 1/2/4, shift Shift 1 + Ctrl 2 + Alt 4,
    // pixels, key codes); the Qt event handlers call these.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);
    /// One tick of the hover timer.
    void HoverTimerTick();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class MenuBarAccess;
    /// Draws the bar on `canvas` (pixels), raising CheckState and CheckSelected per item.
    void paintOn(Canvas &canvas);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
