#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QImage>
#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;
class velkIcon;

/// The events of a velkButton.
class VELK_EXPORT velkButtonEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A click by mouse (release inside the button after a press), Space, or the access
    /// keys Enter and Escape; x and y are the release position in pixels (0 for keys).
    void Click(int Shift, int x, int y);
};

/// A self-drawn push button: a caption with an optional icon or drop-down arrow, a hot
/// look while the mouse is over it and a pressed look while it is held.
///
/// `style`: 0 a raised three-dimensional button, 1 a flat toolbar button that shows its
/// frame only when hot or pressed, 2 a rounded button with a coloured face when hot or
/// pressed. `state`: 0 normal, 1 hot, 2 pressed. A caption starting with ">" is drawn
/// without it and aligned to the left, icon first; otherwise icon and caption are
/// centred. `Icon` "v" draws a drop-down arrow after the caption instead of an icon.
class VELK_EXPORT velkButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption STORED true)
    Q_PROPERTY(QString Icon READ Icon WRITE setIcon STORED true)
    Q_PROPERTY(short style READ styleNumber WRITE setStyleNumber STORED true)
    Q_PROPERTY(short state READ state WRITE setState STORED false)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled STORED false)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)
    Q_PROPERTY(QFont Font READ Font WRITE setFont STORED true)
    Q_PROPERTY(bool Default READ Default WRITE setDefault STORED true)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel STORED true)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag STORED false)

public:
    Q_INVOKABLE explicit velkButton(QWidget *parent = nullptr);
    ~velkButton() override;

    velkButtonEvents *events() const;

    QString caption() const;
    void setCaption(const QString &caption);
    QString Icon() const;
    void setIcon(const QString &icon);
    /// The `style` property. Named apart in C++ so that QWidget::style() keeps its meaning.
    short styleNumber() const;
    void setStyleNumber(short style);
    short state() const;
    void setState(short state);
    Color BackColor() const;
    void setBackColor(Color color);
    QFont Font() const;
    /// Whether Enter anywhere in the window clicks the button (drawn with a thicker frame).
    bool Default() const;
    void setDefault(bool on);
    /// Whether Escape anywhere in the window clicks the button.
    bool Cancel() const;
    void setCancel(bool on);
    /// Free text for the host (a keyword bar keeps the keyword's position here).
    QString Tag() const;
    void setTag(const QString &value);

    /// Redraws the button.
    Q_INVOKABLE void Refresh();
    /// Adds an icon to the button's icon control (see velkIcon::AddIcon).
    Q_INVOKABLE void AddIcon(const QString &icona, const QImage &picbox);
    void AddIcon(const QString &icona, QWidget *picbox);


    // Input as the library's input codes (buttons 1/2/4, shift Shift 1 + Ctrl 2 + Alt 4,
    // positions in pixels); the Qt event handlers call these.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void KeyPress(int keyAscii);
    /// Enter (13) as the default button, Escape (27) as the cancel button.
    void AccessKeyPress(int keyAscii);
    /// One tick of the hover timer: ends the hot look once the cursor has left the button.
    void HoverTimerTick();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class ControlPainting;
    /// Draws the whole button on `canvas` (pixels).
    void paintOn(Canvas &canvas);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
