#pragma once

#include <velk/velk_export.h>

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class QPainter;

namespace velk {

class Canvas;

/// The library's icon set: 16 × 16 pictures addressed by name or number, drawn onto any
/// canvas in a normal, masked or grayed look. Controls keep one as an invisible child
/// ("velkIcon1") and let it draw their icons.
///
/// Built-in icons are numbered after the icon vocabulary (1 "right" … 91 "image"); icons
/// added with AddIcon follow from 92 on. Icons 1–68 live in the first strip (PicIcon1);
/// icons from 69 on in the second (PicIcon2), whose cells are kept turned by a quarter
/// turn clockwise and are turned back when drawn.
class VELK_EXPORT velkIcon : public QWidget
{
    Q_OBJECT

public:
    /// Cell size of every icon in pixels.
    static constexpr int CellSize = 16;
    /// The last icon number kept in the first strip.
    static constexpr int FirstStripCount = 68;

    Q_INVOKABLE explicit velkIcon(QWidget *parent = nullptr);
    ~velkIcon() override;

    /// The number of an icon name: "#" −1, "##" −2, "~" −3, "-" 199; an added name its added
    /// number; a text starting with a number other than 0 that number; "location" as "db";
    /// a built-in name its position; anything else 0.
    Q_INVOKABLE int IconNr(const QString &ico) const;
    /// The name of icon number `ico`: built-in names up to 91, added names above; empty when
    /// out of range.
    Q_INVOKABLE QString IconString(int ico) const;

    /// Draws icon `ico` as a 16 × 16 cell with its top left at pixel (x, y) of `dst`.
    /// `state` modulo 4: 0 copies the cell, 1 ANDs it onto the destination (white leaves the
    /// destination as it is), 2 ANDs a gray silhouette, 3 draws nothing. Numbers without a
    /// picture (0, negative, 199, past the last icon) draw nothing.
    void Paint(Canvas &dst, int x, int y, int ico, int state);
    void Paint(QPainter &dst, int x, int y, int ico, int state);

    /// Adds a picture under the name `icona` (appended to the added names, even when the name
    /// is there already; the first stays the one found). The picture is scaled to fit 16 × 16
    /// keeping its proportions, centred on white.
    Q_INVOKABLE void AddIcon(const QString &icona, const QImage &picbox);
    /// Adds the top left 16 × 16 pixels of a picture box as icon `icona`.
    void AddIcon(const QString &icona, QWidget *picbox);

    /// Copies the icon named `ico` upright into the scratch picture (Picture1) and returns it;
    /// for an unknown name the scratch picture is white.
    Q_INVOKABLE QImage GetIcon(const QString &ico);

    /// The number of built-in names (91).
    int BuiltInCount() const;
    /// The added names, each followed by ",".
    QString AddedNames() const;

    /// The icon strips and scratch pictures (opaque, white where an icon is transparent).
    const QImage &PicIcon1() const;
    const QImage &PicIcon2() const;
    const QImage &Picture1() const;
    const QImage &Picture2() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
