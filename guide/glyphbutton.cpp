#include "guide/glyphbutton.h"

#include <QPainter>
#include <QStyleOption>

namespace {
constexpr int kCaptionGapPx = 4;
constexpr int kGlyphSidePx = 36;
} // namespace

GlyphButton::GlyphButton(const QPixmap &glyph, int marginPx, QWidget *parent)
    : QAbstractButton(parent), m_glyph(glyph), m_marginPx(marginPx)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

QSize GlyphButton::sizeHint() const
{
    const QSize caption = fontMetrics().size(Qt::TextSingleLine, text());
    return {m_marginPx + m_glyph.width() + kCaptionGapPx + caption.width() + m_marginPx,
            std::max(m_glyph.height(), caption.height())};
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (underMouse() || isDown()) {
        QStyleOption option;
        option.initFrom(this);
        option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
    }
    // Pressed content shifts by one pixel, as on a sunken button.
    const int shiftPx = isDown() ? 1 : 0;
    const int glyphTop = (height() - m_glyph.height()) / 2 + shiftPx;
    painter.drawPixmap(m_marginPx + shiftPx, glyphTop, m_glyph);
    const int textLeft = m_marginPx + m_glyph.width() + kCaptionGapPx + shiftPx;
    const QRect textRect(textLeft, shiftPx, width() - textLeft, height());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

QPixmap chevronGlyph()
{
    QPixmap glyph(kGlyphSidePx, kGlyphSidePx);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPoint chevron[] = {{12, 7}, {18, 7}, {28, 18}, {18, 29}, {12, 29}, {22, 18}};
    painter.drawPolygon(chevron, int(std::size(chevron)));
    return glyph;
}
