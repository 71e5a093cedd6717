#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

/// The events of a velkPicScroll, in this order. Positions are picture pixels.
class VELK_EXPORT velkPicScrollEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A double-click while areas are not edited (AreasEdit 0).
    /// A double-click: edits the selected area's link, or raises DblClick when areas are
    /// not edited.
    void DblClick();
    /// A double-click at a picture point: selects the area there first (when editing).
    void DblClickAt(QPointF picturePoint);
    void MouseDown(short Button, short Shift, float x, float y);
    void MouseMove(short Button, short Shift, float x, float y);
    void MouseUp(short Button, short Shift, float x, float y);
    /// The user changed the area list (drew, moved, resized, linked or deleted an area).
    void AreasChanged();
};

/// A picture file in a scrollable view, with rectangular areas marked on it, each with a
/// link text. The areas are one text property (`Areas`): one line "x1,y1,x2,y2 [link]" per
/// area in picture pixels, lines joined by CR LF. With `AreasEdit` non-zero the user
/// selects areas by pressing inside them, draws new ones on free picture, moves and
/// resizes the selected one by dragging its inside or its edges, edits its link with a
/// double-click or Enter and deletes it with Delete. With `ScaleFlag` the picture is shown
/// whole, scaled to the view with its aspect ratio kept; otherwise at full size with
/// scroll bars (arrow, Page and Home/End keys scroll too).
class VELK_EXPORT velkPicScroll : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(short AreasEdit READ AreasEdit WRITE setAreasEdit STORED true)
    Q_PROPERTY(QString AreasSyntax READ AreasSyntax WRITE setAreasSyntax STORED true)
    Q_PROPERTY(short AreaSelected READ AreaSelected WRITE setAreaSelected STORED false)
    Q_PROPERTY(QString Areas READ Areas WRITE setAreas STORED false)
    Q_PROPERTY(QString filename READ filename WRITE setFilename STORED false)
    Q_PROPERTY(bool ScaleFlag READ ScaleFlag WRITE setScaleFlag STORED true)
    Q_PROPERTY(int PicWidth READ PicWidth STORED false)
    Q_PROPERTY(int PicHeight READ PicHeight STORED false)

public:
    Q_INVOKABLE explicit velkPicScroll(QWidget *parent = nullptr);
    ~velkPicScroll() override;

    velkPicScrollEvents *events() const;

    /// 0: areas are shown only and a double-click is passed on; otherwise they are edited.
    short AreasEdit() const;
    void setAreasEdit(short edit);
    /// The prompt of the link input box.
    QString AreasSyntax() const;
    void setAreasSyntax(const QString &syntax);
    /// The selected area's number (1-based), 0 for none.
    short AreaSelected() const;
    void setAreaSelected(short n);
    QString Areas() const;
    /// Replaces the list, redraws and clears the selection.
    void setAreas(const QString &areas);
    QString filename() const;
    /// Loads the picture and scrolls to its top left; a missing or unreadable file leaves
    /// the view empty and the name "".
    void setFilename(const QString &fileName);
    bool ScaleFlag() const;
    void setScaleFlag(bool on);
    int PicWidth() const;
    int PicHeight() const;
    /// The widget showing the picture.
    QWidget *ChildPicture() const;

    /// Removes the selected area's line, redraws and clears the selection.
    Q_INVOKABLE void AreaDelete();
    /// Turns the picture by a quarter: clockwise for `richtung` 1, anticlockwise otherwise.
    /// The area list is left as it is.
    Q_INVOKABLE void Rotate(short richtung);
    /// Writes the picture as a BMP file; false without a picture or when writing fails
    /// (an existing file is then left whole).
    Q_INVOKABLE bool SaveBMP(const QString &file);
    /// Writes the picture as a JPEG file of quality 90, showing "Speichere JPG" meanwhile.
    Q_INVOKABLE bool SaveJPG(const QString &file);

    /// The picture as shown (for tests and hosts that draw it elsewhere).
    const QImage &picture() const;
    /// Picture pixels per view pixel: 1 at full size, the fitting factor with ScaleFlag.
    double scale() const;
    /// The scroll position: the picture pixel shown at the view's top left.
    QPoint scrollPosition() const;
    void setScrollPosition(QPoint picturePixel);
    /// The picture pixel under a point of the view, and back.
    QPointF pictureFromView(QPointF viewPoint) const;
    QPointF viewFromPicture(QPointF picturePoint) const;

    // Input on the picture in picture pixels, buttons 1/2/4, shift Shift 1 + Ctrl 2 +
    // Alt 4; the view's Qt event handlers call these.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    /// A double-click: edits the selected area's link, or raises DblClick when areas are
    /// not edited.
    void DblClick();
    /// A double-click at a picture point: selects the area there first (when editing).
    void DblClickAt(QPointF picturePoint);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class PicScrollView;
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
