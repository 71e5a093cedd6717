#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;
class PopupLayout;

/// The events of a velkMenuPopup.
class VELK_EXPORT velkMenuPopupEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A press selected a line; read it from Selected.
    void Click();
    /// Part of the event interface for hosts that handle it; the popup does not raise it.
    void CheckState(int &par, bool &Enabled, bool &Checked);
};

/// A vertical list of text lines filling the control's height, with a highlight that
/// follows the mouse. Lines are the comma-separated entries of `Menu`; "-" is a separator.
/// Lengths are twips (15 to a pixel).
class VELK_EXPORT velkMenuPopup : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Menu READ Menu WRITE setMenu STORED true)
    Q_PROPERTY(short Selected READ Selected WRITE setSelected STORED false)

public:
    Q_INVOKABLE explicit velkMenuPopup(QWidget *parent = nullptr);
    ~velkMenuPopup() override;

    velkMenuPopupEvents *events() const;

    QString Menu() const;
    void setMenu(const QString &menu);
    /// The highlighted line, counted from 1 over the lines that are no separators.
    short Selected() const;
    /// Redraws only the old and the new line; the current value redraws nothing.
    void setSelected(short selected);
    Q_INVOKABLE void Refresh();

    // Input as the library's input codes: buttons 1/2/4, positions in twips.
    void MouseMove(int button, int shift, float x, float y);
    void MouseDown(int button, int shift, float x, float y);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class MenuPopupAccess;
    /// The lines at the current height.
    PopupLayout lineLayout() const;
    /// Draws the whole list on `canvas` (twips).
    void paintOn(Canvas &canvas);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
