#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A flat push button with a picture at its left end and the caption right of it: no frame
// until the mouse is over it, raised then, sunken while pressed; it never takes the focus.
class GlyphButton : public QAbstractButton
{
    Q_OBJECT

public:
    // marginPx: distance of the glyph from the left edge; the caption follows the glyph
    // after a fixed gap.
    GlyphButton(const QPixmap &glyph, int marginPx, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_glyph;
    int m_marginPx;
};

// The guide's "next" glyph: a black right-pointing chevron on a transparent 36 × 36 bitmap.
QPixmap chevronGlyph();
