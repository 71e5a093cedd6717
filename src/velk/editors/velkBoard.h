#pragma once

#include <velk/common/Collection.h>
#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;

/// The events of a velkBoard.
class VELK_EXPORT velkBoardEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    /// Menu entry number `id` (from 1, in MenuString order) of box `b` was clicked.
    void ClickMenu(int id, std::shared_ptr<velk::BoardData> b);
    /// Link `lnk` was clicked.
    void ClickLink(std::shared_ptr<velk::BoardLink> lnk);
    /// Box `b` was moved by the mouse (raised on release, once per moved box).
    void Changed(std::shared_ptr<velk::BoardData> b);
};

/// A drawing board of boxes (BoardData) joined by lines (BoardLink). Every box has the
/// same size and carries the same small menu along its bottom. The user selects and drags
/// boxes, clicks menu entries and links; the whole board reads and writes as one
/// configuration text. Lengths are twips; the board scrolls.
class VELK_EXPORT velkBoard : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString MenuString READ MenuString WRITE setMenuString STORED true)
    Q_PROPERTY(int ItemWidth READ ItemWidth WRITE setItemWidth STORED true)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE setItemHeight STORED true)
    Q_PROPERTY(QString Config READ Config WRITE setConfig STORED false)
    Q_PROPERTY(int SelectedCount READ SelectedCount STORED false)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw STORED false)

public:
    using ItemPtr = std::shared_ptr<BoardData>;
    using LinkPtr = std::shared_ptr<BoardLink>;

    Q_INVOKABLE explicit velkBoard(QWidget *parent = nullptr);
    ~velkBoard() override;

    velkBoardEvents *events() const;

    /// The menu entries drawn on every box, separated by ","; entries naming an icon
    /// are drawn as the icon.
    QString MenuString() const;
    void setMenuString(const QString &value);
    /// The size of every box (default 2400 × 1000).
    int ItemWidth() const;
    void setItemWidth(int twips);
    int ItemHeight() const;
    void setItemHeight(int twips);

    /// The boxes in board order (BoardData::nr is the position) and the links.
    const Collection<ItemPtr> &Items() const;
    const Collection<LinkPtr> &links() const;

    /// The whole board: "[Location]" and each box's Config, then "[Link]" and each
    /// link's Config; "" for an empty board. Putting a text replaces the board (drawing
    /// suspended meanwhile); a link end naming no box loaded before it stays empty.
    QString Config() const;
    void setConfig(const QString &text);
    int SelectedCount() const;
    bool Redraw() const;
    /// While false nothing is drawn; setting it true draws the board.
    void setRedraw(bool on);

    Q_INVOKABLE void Clear();
    /// Appends a box (ignored for nullptr or a box already on the board).
    Q_INVOKABLE void AddItem(std::shared_ptr<velk::BoardData> b);
    /// Takes a box off the board; links to it stay, but are not drawn while it is gone.
    Q_INVOKABLE void RemoveItem(std::shared_ptr<velk::BoardData> b);
    Q_INVOKABLE void AddLink(std::shared_ptr<velk::BoardLink> l);
    Q_INVOKABLE void RemoveLink(std::shared_ptr<velk::BoardLink> lnk);
    /// Whether a link joins the two boxes, in either direction.
    Q_INVOKABLE bool HasLink(std::shared_ptr<velk::BoardData> b1, std::shared_ptr<velk::BoardData> b2) const;
    /// Reads positions and link ends again (after the host changed them) and draws.
    Q_INVOKABLE void Refresh();

    // Input as the library's input codes: buttons 1/2/4, shift Shift 1 + Ctrl 2 + Alt 4,
    // positions in twips of the visible area (the picture "Picture1").
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

    /// The board position shown at the visible area's top left, twips.
    QPoint scrollOrigin() const;
    void setScrollOrigin(QPoint board);
    /// Paints the visible area on `canvas` (twips, its top left at the canvas's 0,0).
    void paintOn(Canvas &canvas);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
