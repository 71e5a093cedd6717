#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class PictureBox;

/// The events of a velkPreView.
class VELK_EXPORT velkPreViewEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// Another page is shown (GotoPage ran); `page` of `Pages`.
    void PageChanged(int page, int Pages);
};

/// Shows one page at a time of a page text (the page description language) on the
/// picture `Bild1`, whose scale is centimetres of the paper: a click zooms through
/// 0.75, 1, 2 and 5 (left button forward, others back, wrapping), a drag of more than
/// 0.5 cm pans, Home/End/Page Up/Page Down page and the arrows scroll while zoomed.
/// Copy puts the text (or, with Ctrl or Shift held, the page picture) on the clipboard;
/// PrintOut prints every page on the installed printer.
class VELK_EXPORT velkPreView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int page READ page WRITE setPage STORED false)
    Q_PROPERTY(int Pages READ Pages WRITE setPages STORED false)
    Q_PROPERTY(QString Text READ Text WRITE setText STORED false)
    Q_PROPERTY(double Zoom READ Zoom WRITE setZoom STORED false)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw STORED false)

public:
    Q_INVOKABLE explicit velkPreView(QWidget *parent = nullptr);
    ~velkPreView() override;

    velkPreViewEvents *events() const;

    /// The page shown, from 1.
    int page() const;
    void setPage(int page);
    /// The number of pages found by Init's counting pass.
    int Pages() const;
    void setPages(int pages);
    /// The expanded document; "-" until Init loads one.
    QString Text() const;
    void setText(const QString &text);
    /// Scale of the page image; 1.0 after Clear. A new value resizes the image and redraws.
    double Zoom() const;
    void setZoom(double zoom);
    /// While false, GotoPage changes the page without drawing it; true draws it.
    bool Redraw() const;
    void setRedraw(bool on);

    /// The page picture (child "Bild1").
    PictureBox *Bild1() const;

    /// Expands `txt` with the replacement list `repl`, counts the pages and shows page 1.
    Q_INVOKABLE void Init(const QString &txt, const QString &repl);
    /// Zoom 1.0, page 1, paper 21 × 29.7, an empty white page.
    Q_INVOKABLE void Clear();
    /// Draws the current page again.
    Q_INVOKABLE void Refresh();
    /// Clears the picture and draws page `s` (a page past the last stays empty).
    Q_INVOKABLE void GotoPage(int s);
    /// Prints every page; without a printer says "Es ist kein Drucker installiert".
    Q_INVOKABLE void PrintOut();
    /// The text lines (no commands, comments or "!" codes) on the clipboard, or the page
    /// picture when Ctrl or Shift is held.
    Q_INVOKABLE void Copy();

public slots:
    /// Keys as codes: Home 36, End 35, Page Up 33, Page Down 34, arrows 37–40.
    void KeyDown(int keyCode, int shift);
    /// Mouse on Bild1: buttons 1/2/4, positions in centimetres of the paper.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

public:
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
